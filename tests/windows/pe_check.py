"""Checks griffwandler.exe as a file: a 64-bit GUI program that imports only
Windows' own DLLs, with its version resource, nine-image icon group and
application manifest. Prints each check in the Test Anything Protocol ("ok N -
NAME" or "not ok N - NAME"), the plan "1..N" and, last, "N passed, N failed".

    python3 pe_check.py EXE
"""

import re
import sys

import pefile

# DLLs that ship with Windows 10 and later. Anything else (the C++ runtime,
# winpthread, Qt) would have to lie beside the exe.
SYSTEM_DLL = re.compile(
    r"^(kernel32|user32|gdi32|shell32|ole32|oleaut32|advapi32|comdlg32|imm32|winmm|"
    r"version|uxtheme|dwmapi|d3d11|d3d9|dxgi|dwrite|d2d1|setupapi|shcore|ws2_32|netapi32|"
    r"userenv|wtsapi32|authz|mpr|msvcrt|ntdll|crypt32|bcrypt|rpcrt4|shlwapi|comctl32|"
    r"api-ms-win-[a-z0-9-]+)\.dll$", re.IGNORECASE)

passed = failed = 0


def check(ok, name, detail=""):
    global passed, failed
    if ok:
        passed += 1
        print(f"ok {passed + failed} - {name}")
    else:
        failed += 1
        print(f"not ok {passed + failed} - {name}")
        if detail:
            print(f"# {detail}")


pe = pefile.PE(sys.argv[1])
check(pe.FILE_HEADER.Machine == 0x8664, "exe is 64-bit x86")
check(pe.OPTIONAL_HEADER.Subsystem == 2, "exe runs in the GUI subsystem (no console window)")

dlls = sorted(entry.dll.decode() for entry in pe.DIRECTORY_ENTRY_IMPORT)
foreign = [dll for dll in dlls if not SYSTEM_DLL.match(dll)]
print("# imports: " + " ".join(dlls))
check(not foreign, "exe imports only Windows system DLLs", " ".join(foreign))

fixed = pe.VS_FIXEDFILEINFO[0]
check((fixed.FileVersionMS, fixed.FileVersionLS) == (0x10000, 0), "numeric file version 1.0.0.0")
check((fixed.ProductVersionMS, fixed.ProductVersionLS) == (0x10000, 0),
      "numeric product version 1.0.0.0")
check((fixed.FileFlagsMask, fixed.FileFlags) == (0, 0), "no file flags")
check(fixed.FileOS == 0x4, "operating system VOS__WINDOWS32")
check((fixed.FileType, fixed.FileSubtype) == (0x1, 0), "file type VFT_APP")

strings = {}
translations = []
for info in pe.FileInfo[0]:
    if info.Key == b"StringFileInfo":
        for table in info.StringTable:
            check(table.LangID == b"040904B0" or table.LangID == b"040904b0",
                  "string table 040904B0", table.LangID.decode())
            strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    elif info.Key == b"VarFileInfo":
        for var in info.Var:
            translations.extend(var.entry.values())
check(strings.get("FileVersion") == "1.00", "FileVersion text 1.00", strings.get("FileVersion", ""))
check(strings.get("ProductVersion") == "1.00", "ProductVersion text 1.00",
      strings.get("ProductVersion", ""))
for key in ("CompanyName", "ProductName", "InternalName", "OriginalFilename"):
    check(bool(strings.get(key)), f"version entry {key} present", repr(strings.get(key)))
check(translations == ["0x0409 0x04b0"], "translation 0x0409, 1200", repr(translations))


def resources(type_id):
    for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if entry.id == type_id:
            for name in entry.directory.entries:
                for language in name.directory.entries:
                    data = language.data.struct
                    yield name.id, pe.get_data(data.OffsetToData, data.Size)


groups = list(resources(14))  # RT_GROUP_ICON
images = int.from_bytes(groups[0][1][4:6], "little") if groups else 0
check(len(groups) == 1 and images == 9, "one icon group with nine images", f"{len(groups)} groups, {images}")

manifests = list(resources(24))  # RT_MANIFEST
text = manifests[0][1].decode("utf-8", "replace") if manifests else ""
check(len(manifests) == 1 and manifests[0][0] == 1, "one application manifest, id 1")
check("PerMonitorV2" in text, "manifest declares per-monitor-v2 DPI awareness")
check('level="asInvoker"' in text, "manifest runs as the invoking user")
check("8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a" in text, "manifest names Windows 10 and 11")

print(f"1..{passed + failed}")
print(f"{passed} passed, {failed} failed")
sys.exit(1 if failed else 0)
