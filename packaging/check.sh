#!/usr/bin/env bash
# shellcheck disable=SC2317  # the helpers below run through check(), which shellcheck does not follow
# Checks the Linux desktop integration of a configured and built tree:
#
#   packaging/check.sh BUILD_FOLDER
#
# Validates the desktop entry and the AppStream metadata, installs into a
# temporary folder and compares what lands there with the expected list,
# then builds the Debian package and inspects its control data and contents.
# Nothing is installed on the system. Ends with "N passed, N failed" and exits
# non-zero when anything failed.
set -uo pipefail

if [[ $# -ne 1 ]]; then
    echo "usage: $0 BUILD_FOLDER" >&2
    exit 2
fi
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(cd "$1" 2>/dev/null && pwd) || {
    echo "check.sh: no build folder at '$1'" >&2
    exit 2
}

app_id=example.griffwandler.Griffwandler
desktop_src=$source_dir/packaging/linux/griffwandler.desktop
metainfo_src=$source_dir/packaging/linux/$app_id.metainfo.xml
icon_sizes=(16 24 32 48 64 72 96 128 256)
maintainer='Griffwandler-Entwickler <kontakt@griffwandler.example>'

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

passed=0
failed=0
pass() {
    echo "PASS: $1"
    passed=$((passed + 1))
}
fail() {
    echo "FAIL: $1"
    failed=$((failed + 1))
}
# check NAME COMMAND...: runs the command, shows its output only when it fails.
check() {
    local name=$1
    shift
    if "$@" >"$work/out" 2>&1; then
        pass "$name"
    else
        fail "$name"
        sed 's/^/    /' "$work/out"
    fi
}

# Files below a prefix, relative to it, that an install must produce.
expected_files() {
    echo "bin/griffwandler"
    echo "share/applications/griffwandler.desktop"
    echo "share/metainfo/$app_id.metainfo.xml"
    for size in "${icon_sizes[@]}"; do
        echo "share/icons/hicolor/${size}x${size}/apps/griffwandler.png"
    done
}

# desktop-file-validate exits 0 on warnings; a clean entry prints nothing.
desktop_entry_valid() {
    local out
    out=$(desktop-file-validate "$1" 2>&1) || {
        echo "$out"
        return 1
    }
    [[ -z "$out" ]] || {
        echo "$out"
        return 1
    }
}

# Value of KEY in the [Desktop Entry] group (untranslated key only).
desktop_key() {
    sed -n "s/^$1=//p" "$desktop_src" | head -n 1
}

# Text of the first element NAME (on one line) in the metadata, optionally
# restricted to a given attribute string.
metainfo_text() {
    sed -n "s|.*<$1${2:+ $2}>\([^<]*\)</$1>.*|\1|p" "$metainfo_src" | head -n 1
}

same() {
    if [[ "$1" == "$2" ]]; then
        return 0
    fi
    echo "expected '$2', found '$1'"
    return 1
}

# png_size FILE: prints WIDTHxHEIGHT from the IHDR chunk, fails if not a PNG.
png_size() {
    local magic
    magic=$(od -An -tx1 -N16 "$1" | tr -d ' \n')
    [[ "$magic" == "89504e470d0a1a0a0000000d49484452" ]] || {
        echo "$1 is not a PNG file"
        return 1
    }
    local width height
    width=$((16#$(od -An -tx1 -j16 -N4 "$1" | tr -d ' \n')))
    height=$((16#$(od -An -tx1 -j20 -N4 "$1" | tr -d ' \n')))
    echo "${width}x${height}"
}

icons_sized() {
    local root=$1 size actual status=0
    for size in "${icon_sizes[@]}"; do
        local icon=$root/share/icons/hicolor/${size}x${size}/apps/griffwandler.png
        actual=$(png_size "$icon") || {
            echo "$actual"
            status=1
            continue
        }
        [[ "$actual" == "${size}x${size}" ]] || {
            echo "$icon is $actual"
            status=1
        }
    done
    return "$status"
}

file_list_matches() {
    diff -u <(expected_files | sed "s|^|$2|" | sort) <(echo "$1" | sort)
}

# The binary that ships must carry no run path: it loads system libraries only.
no_run_path() {
    if readelf -d "$1" | grep -E 'R(UN)?PATH'; then
        return 1
    fi
}

# Prints the tally and ends the run; non-zero when anything failed.
finish() {
    echo "$passed passed, $failed failed"
    if [[ $failed -eq 0 ]]; then
        exit 0
    fi
    exit 1
}

# --- Sources -----------------------------------------------------------------

check "desktop entry validates" desktop_entry_valid "$desktop_src"
check "AppStream metadata validates" appstreamcli validate --no-net "$metainfo_src"
check "metadata id matches its file name" same "$(metainfo_text id)" "$app_id"
check "metadata launches the desktop entry" \
    same "$(metainfo_text launchable 'type="desktop-id"')" "$(basename "$desktop_src")"
check "metadata names the binary the entry starts" \
    same "$(metainfo_text binary)" "$(desktop_key Exec | cut -d' ' -f1)"
check "desktop entry names the installed icon" same "$(desktop_key Icon)" griffwandler

project_version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build_dir/CMakeCache.txt" 2>/dev/null)
if [[ -z "$project_version" ]]; then
    fail "build folder is configured (no project version in $build_dir/CMakeCache.txt)"
    finish
fi
check "newest release in the metadata is the project version" \
    same "$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo_src" | head -n 1)" \
    "$project_version"

# --- Install -----------------------------------------------------------------

if [[ ! -x "$build_dir/bin/griffwandler" ]]; then
    fail "program is built ($build_dir/bin/griffwandler missing)"
    finish
fi

destdir=$work/install
if DESTDIR=$destdir cmake --install "$build_dir" --prefix /usr >"$work/out" 2>&1; then
    pass "cmake --install into a temporary folder"
else
    fail "cmake --install into a temporary folder"
    sed 's/^/    /' "$work/out"
    finish
fi
root=$destdir/usr
check "installed files are exactly the expected ones" \
    file_list_matches "$(cd "$root" && find . -type f -o -type l | sed 's|^\./||')" ""
check "installed program is executable" test -x "$root/bin/griffwandler"
check "installed icons have their sizes" icons_sized "$root"
check "installed desktop entry validates" desktop_entry_valid "$root/share/applications/griffwandler.desktop"
check "installed tree validates (metadata, entry, icons)" appstreamcli validate-tree --no-net "$root"

# --- Debian package ----------------------------------------------------------

if (cd "$build_dir" && cpack -G DEB -B "$work/deb") >"$work/out" 2>&1; then
    pass "cpack builds the Debian package"
else
    fail "cpack builds the Debian package"
    sed 's/^/    /' "$work/out"
    finish
fi
architecture=$(dpkg --print-architecture)
deb=$work/deb/griffwandler_${project_version}_${architecture}.deb
if [[ ! -f "$deb" ]]; then
    fail "package file is $(basename "$deb") (found: $(cd "$work/deb" && ls ./*.deb 2>/dev/null))"
    finish
fi
pass "package file is $(basename "$deb")"

check "dpkg-deb -I reads the package" dpkg-deb -I "$deb"
field() { dpkg-deb -f "$deb" "$1"; }
check "package name" same "$(field Package)" griffwandler
check "package version" same "$(field Version)" "$project_version"
check "package architecture" same "$(field Architecture)" "$architecture"
check "package section" same "$(field Section)" education
check "package maintainer" same "$(field Maintainer)" "$maintainer"
depends=$(field Depends)
for dependency in libc6 libqt6core6 libqt6widgets6 qt6-qpa-plugins; do
    check "package depends on $dependency" \
        grep -qE "(^|, )$dependency( |,|$)" <<<"$depends"
done

check "dpkg-deb -c lists the expected files" file_list_matches \
    "$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }')" "./usr/"
dpkg-deb -x "$deb" "$work/unpacked"
check "packed program has no run path" no_run_path "$work/unpacked/usr/bin/griffwandler"
check "packed icons have their sizes" icons_sized "$work/unpacked/usr"

finish
