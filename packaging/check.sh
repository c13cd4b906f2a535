#!/usr/bin/env bash
# shellcheck disable=SC2317  # the helpers below run through check(), which shellcheck does not follow
# Checks the Linux desktop integration of a configured and built tree:
#
#   packaging/check.sh BUILD_FOLDER
#
# Validates the desktop entry and the AppStream metadata the build folder
# generated, installs into a temporary folder and compares what lands there with
# the expected list, undoes an install with the uninstall target, then builds
# the Debian package, inspects its control data and contents and runs lintian.
# Nothing is installed on the system, and the build folder's record of its last
# install is left as it was. Ends with "N passed, N failed" and exits
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

# The program icon's sizes, as the picture manifest lists them.
mapfile -t icon_sizes < <(awk '$1 == "Symbol" { split($4, size, "x"); print size[1] }' \
    "$source_dir/src/assets/bilder.manifest")
[[ ${#icon_sizes[@]} -gt 0 ]] || { echo "check.sh: no icon sizes in the picture manifest" >&2; exit 2; }
maintainer='Griffwandler-Entwickler <kontakt@griffwandler.example>'

work=$(mktemp -d)
record=$build_dir/install_record.txt
if [[ -f "$record" ]]; then
    cp "$record" "$work/record.saved"
fi
# The installs below overwrite the build folder's install record; a developer's
# own install from this folder must stay undoable afterwards.
restore_record() {
    if [[ -f "$work/record.saved" ]]; then
        cp "$work/record.saved" "$record"
    else
        rm -f "$record"
    fi
    rm -rf "$work"
}
trap restore_record EXIT

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
    echo "share/applications/$app_id.desktop"
    echo "share/metainfo/$app_id.metainfo.xml"
    for size in "${icon_sizes[@]}"; do
        echo "share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    done
    echo "share/man/man1/griffwandler.1.gz"
    echo "share/doc/griffwandler/copyright"
    echo "share/doc/griffwandler/changelog.gz"
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
    sed -n "s/^$1=//p" "$desktop_file" | head -n 1
}

# Text of the first element NAME (on one line) in the metadata, optionally
# restricted to a given attribute string.
metainfo_text() {
    sed -n "s|.*<$1${2:+ $2}>\([^<]*\)</$1>.*|\1|p" "$metainfo_file" | head -n 1
}

# Value of a variable in the build folder's cache.
cache_value() {
    sed -n "s/^$1:[A-Z]*=//p" "$build_dir/CMakeCache.txt" 2>/dev/null
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
        local icon=$root/share/icons/hicolor/${size}x${size}/apps/$app_id.png
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

no_debug_info() {
    if readelf -S "$1" | grep -F '.debug_'; then
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

# --- Desktop files generated by the build folder -----------------------------

project_version=$(cache_value CMAKE_PROJECT_VERSION)
home_url=$(cache_value GRIFFWANDLER_HOME_URL)
if [[ -z "$project_version" || -z "$home_url" ]]; then
    fail "build folder is configured (no project version or home page in $build_dir/CMakeCache.txt)"
    finish
fi
# The AppStream id is the one thing every desktop file is named after.
metainfo_files=("$build_dir"/packaging/linux/*.metainfo.xml)
if [[ ${#metainfo_files[@]} -ne 1 || ! -f "${metainfo_files[0]}" ]]; then
    fail "build folder holds one AppStream metadata file (found: ${metainfo_files[*]})"
    finish
fi
metainfo_file=${metainfo_files[0]}
app_id=$(basename "$metainfo_file" .metainfo.xml)
desktop_file=$build_dir/packaging/linux/$app_id.desktop

check "desktop entry is named after the AppStream id" test -f "$desktop_file"
check "desktop entry validates" desktop_entry_valid "$desktop_file"
check "AppStream metadata validates" appstreamcli validate --no-net "$metainfo_file"
check "metadata id matches its file name" same "$(metainfo_text id)" "$app_id"
check "metadata launches the desktop entry" \
    same "$(metainfo_text launchable 'type="desktop-id"')" "$app_id.desktop"
check "metadata names the binary the entry starts" \
    same "$(metainfo_text binary)" "$(desktop_key Exec | cut -d' ' -f1)"
check "desktop entry names the icon after the id" same "$(desktop_key Icon)" "$app_id"
check "metadata home page is the configured one" same "$(metainfo_text url 'type="homepage"')" "$home_url"
check "newest release in the metadata is the project version" \
    same "$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo_file" | head -n 1)" \
    "$project_version"
check "newest change log entry is the project version" \
    same "$(dpkg-parsechangelog -l "$source_dir/packaging/linux/changelog" -S Version)" "$project_version"

# --- Install -----------------------------------------------------------------

if [[ ! -x "$build_dir/bin/griffwandler" ]]; then
    fail "program is built ($build_dir/bin/griffwandler missing)"
    finish
fi

# The window reports the desktop entry's name (a UTF-16 literal in the binary).
check "program names its desktop entry" grep -qFx "$app_id" <(strings -e l "$build_dir/bin/griffwandler")

destdir=$work/install
if DESTDIR=$destdir cmake --install "$build_dir" --prefix /usr --strip >"$work/out" 2>&1; then
    pass "cmake --install --strip into a temporary folder"
else
    fail "cmake --install --strip into a temporary folder"
    sed 's/^/    /' "$work/out"
    finish
fi
root=$destdir/usr
check "installed files are exactly the expected ones" \
    file_list_matches "$(cd "$root" && find . -type f -o -type l | sed 's|^\./||')" ""
check "installed program is executable" test -x "$root/bin/griffwandler"
check "installed program carries no debug information" no_debug_info "$root/bin/griffwandler"
check "installed icons have their sizes" icons_sized "$root"
check "installed desktop entry validates" desktop_entry_valid "$root/share/applications/$app_id.desktop"
check "installed tree validates (metadata, entry, icons)" appstreamcli validate-tree --no-net "$root"

# --- Uninstall ---------------------------------------------------------------

# A prefix where one of our folders exists already, with someone else's file,
# and another exists empty: both must survive the uninstall.
undo=$work/undo
mkdir -p "$undo/usr/share/applications" "$undo/usr/share/metainfo"
touch "$undo/usr/share/applications/other.desktop"
tree_before=$(cd "$undo" && find . | sort)
if DESTDIR=$undo cmake --install "$build_dir" --prefix /usr >"$work/out" 2>&1 &&
    cmake --build "$build_dir" --target uninstall >>"$work/out" 2>&1; then
    pass "install, then uninstall target"
    check "uninstall leaves exactly what was there before" \
        diff -u <(echo "$tree_before") <(cd "$undo" && find . | sort)
else
    fail "install, then uninstall target"
    sed 's/^/    /' "$work/out"
fi

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
check "package home page is the configured one" same "$(field Homepage)" "$home_url"
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
# Errors and warnings fail; info and pedantic tags are shown only on failure.
check "lintian finds no error or warning" \
    lintian --fail-on error,warning --info --pedantic "$deb"

finish
