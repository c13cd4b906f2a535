#!/usr/bin/env python3
"""Cuts the window's faces down to the characters its texts use, for the web
build, where every byte is downloaded by each visitor.

    subset_fonts.py OUT_DIR FONT... -- SOURCE...

Kept: printable ASCII (web addresses are set when configuring and may use any
of it) and every other character that stands in the sources, written out or
as a \\u / \\U escape. The outlines, hinting and metrics of the kept glyphs
stay as they are, so the texts are drawn exactly as with the whole faces. A
cut-down face is a modified version under the SIL Open Font License, which
reserves the original family name: the faces are renamed.
"""
import re
import sys
from pathlib import Path

from fontTools import subset
from fontTools.ttLib import TTFont

FAMILY = "Griffwandler Sans"


def characters(sources):
    found = {chr(c) for c in range(0x20, 0x7F)}
    for source in sources:
        text = Path(source).read_text(encoding="utf-8")
        found.update(c for c in text if ord(c) > 0x7E and c.isprintable())
        for escape in re.findall(r"\\u([0-9A-Fa-f]{4})|\\U([0-9A-Fa-f]{8})", text):
            found.add(chr(int(escape[0] or escape[1], 16)))
    return "".join(sorted(found))


def rename(font):
    names = font["name"]
    style = names.getDebugName(2) or "Regular"
    postscript = FAMILY.replace(" ", "") + "-" + style.replace(" ", "")
    for record in list(names.names):
        if record.nameID in (1, 16):
            names.setName(FAMILY, record.nameID, record.platformID, record.platEncID, record.langID)
        elif record.nameID in (3, 4):
            names.setName(f"{FAMILY} {style}", record.nameID, record.platformID, record.platEncID,
                          record.langID)
        elif record.nameID == 6:
            names.setName(postscript, 6, record.platformID, record.platEncID, record.langID)


def main(argv):
    split = argv.index("--")
    out_dir, fonts, sources = Path(argv[1]), argv[2:split], argv[split + 1:]
    text = characters(sources)
    out_dir.mkdir(parents=True, exist_ok=True)
    options = subset.Options()
    options.hinting = True
    options.notdef_outline = True
    options.name_IDs = ["*"]
    options.name_legacy = True
    options.name_languages = ["*"]
    options.glyph_names = False
    options.drop_tables += ["FFTM"]
    for path in fonts:
        # Saved with the source face's time stamp: fontTools would write the
        # time of the build into the head table, and no two builds would match.
        font = TTFont(path, recalcTimestamp=False)
        subsetter = subset.Subsetter(options)
        subsetter.populate(text=text)
        subsetter.subset(font)
        rename(font)
        font.save(out_dir / Path(path).name)
    (out_dir / "characters.txt").write_text(text, encoding="utf-8")


if __name__ == "__main__":
    main(sys.argv)
