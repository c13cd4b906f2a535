"""Writes a zip archive whose bytes depend only on the files' names and contents.

    zip.py ARCHIVE EPOCH FILE...

The files go in under their own names, in the order given, deflated at the
highest level, each with the date EPOCH (seconds since 1970, as UTC, since zip
dates carry no time zone), mode 0644 and no extra fields (a packer's zip adds
the user and group ids and the local time).
"""

import sys
import time
import zipfile
from pathlib import Path


def main() -> None:
    archive, epoch, *files = sys.argv[1:]
    # Zip dates start in 1980.
    stamp = time.gmtime(max(int(epoch), 315532800))[:6]
    with zipfile.ZipFile(archive, "w") as out:
        for name in files:
            entry = zipfile.ZipInfo(Path(name).name, date_time=stamp)
            entry.create_system = 3  # Unix, so that the mode below counts
            entry.external_attr = 0o100644 << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            out.writestr(entry, Path(name).read_bytes(), compresslevel=9)


if __name__ == "__main__":
    main()
