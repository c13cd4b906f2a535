#!/usr/bin/env bash
# Builds a static Qt for 64-bit Windows from Debian's own qt6-base source
# package (the same version as the host's qt6-base-dev, whose moc, rcc and uic
# serve as host tools) and installs it into a cache folder outside the
# repository. A finished build is reused: a second run takes a moment.
#
#   bash scripts/build_windows_qt.sh        (scripts/setup.sh windows calls it)
#
# The prefix is named by the Qt source version and a hash of the configure
# line and toolchain; it only counts as finished once the marker file written
# after a complete install and a check of its contents is there. Anything else
# found under that name (an interrupted build) is removed and built again.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
cache="${XDG_CACHE_HOME:-$HOME/.cache}/griffwandler"
die() { echo "build_windows_qt.sh: $*" >&2; exit 1; }

version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev 2>/dev/null) ||
    die "qt6-base-dev is not installed (bash scripts/setup.sh installs it)"

# Only what the program needs: Core, Gui, Widgets and the Windows platform
# plugin, with the third-party libraries built in. Tablet support needs the
# wintab headers that Debian's source leaves out; Direct2D's paint engine needs
# them too, while the DirectWrite font database it shares code with stays on.
options=(
    -release -static -static-runtime -optimize-size -gc-binaries
    -platform win32-g++ -qt-host-path /usr -no-pkg-config
    -nomake tests -nomake examples
    -no-opengl -no-dbus -no-feature-vulkan -no-feature-sql -no-feature-network
    -no-feature-testlib -no-feature-printsupport -no-feature-concurrent -no-feature-xml
    -no-feature-tabletevent -no-feature-direct2d1_1
    -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz -qt-pcre -qt-doubleconversion
    -no-libjpeg -no-gif -no-ico -no-icu -no-feature-zstd
)
toolchain="$repo/cmake/mingw-w64-x86_64.cmake"
hash=$( { printf '%s\n' "$version" "${options[@]}"; cat "$toolchain"; } | sha256sum | cut -c1-12)
name="qt-${version}-mingw-static-$hash"
prefix="$cache/$name"
marker="$prefix/.griffwandler-complete"
current="$cache/qt-windows"

if [[ -f "$marker" ]]; then
    ln -sfn "$name" "$current"
    echo "build_windows_qt.sh: static Qt for Windows ready in $prefix"
    exit 0
fi

mkdir -p "$cache"
exec {lock}>"$cache/.lock"
flock -n "$lock" || { echo "build_windows_qt.sh: waiting for another build of the toolchain"; flock "$lock"; }
if [[ -f "$marker" ]]; then
    ln -sfn "$name" "$current"
    exit 0
fi

for tool in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres ninja apt-get dpkg-source; do
    command -v "$tool" >/dev/null || die "$tool is missing (bash scripts/setup.sh windows installs it)"
done

work="$cache/work-$hash"
rm -rf "$prefix" "$work"
mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/apt/sources.list.d" "$work/src"
started=$(date +%s)

# The same archive as the machine's own package sources, as source entries, in
# a private configuration: the machine's apt set-up is left untouched. The
# archive keyring named there verifies the index that the download is checked
# against.
shopt -s nullglob
for file in /etc/apt/sources.list.d/*.sources; do
    sed -E 's/^Types:.*/Types: deb-src/' "$file" >"$work/apt/sources.list.d/$(basename "$file")"
done
shopt -u nullglob
: >"$work/apt/sources.list"
for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [[ -f "$file" ]] && sed -nE 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$file" >>"$work/apt/sources.list"
done
apt_options=(
    -o "Dir::Etc::sourcelist=$work/apt/sources.list"
    -o "Dir::Etc::sourceparts=$work/apt/sources.list.d"
    -o "Dir::State::Lists=$work/apt/lists"
    -o "Dir::Cache=$work/apt/cache"
    -o "APT::Sandbox::User=root"
)
echo "build_windows_qt.sh: fetching the source of qt6-base $version"
apt-get "${apt_options[@]}" -qq update >"$work/apt-update.log" 2>&1 ||
    die "could not read or verify the archive's source index (log: $work/apt-update.log)"
(cd "$work/src" && apt-get "${apt_options[@]}" -qq source "qt6-base=$version") >"$work/apt-source.log" 2>&1 ||
    die "could not fetch or verify the source of qt6-base $version (log: $work/apt-source.log)"
source_dir=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -1)
[[ -n "$source_dir" && -x "$source_dir/configure" ]] || die "the unpacked qt6-base source has no configure script"

echo "build_windows_qt.sh: building Qt $version for Windows (about 25 to 40 minutes on 2 cores)"
mkdir -p "$work/build"
cp "$toolchain" "$work/mingw-w64-x86_64.cmake"
(cd "$work/build" && "$source_dir/configure" -prefix "$prefix" "${options[@]}" -- -G Ninja \
    "-DCMAKE_TOOLCHAIN_FILE=$work/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake) >"$work/configure.log" 2>&1 ||
    die "configuring Qt failed (log: $work/configure.log)"
cmake --build "$work/build" --parallel "$(nproc)" >"$work/build.log" 2>&1 ||
    die "building Qt failed (log: $work/build.log)"
cmake --install "$work/build" >"$work/install.log" 2>&1 ||
    die "installing Qt failed (log: $work/install.log)"

# The toolchain file the installed Qt chains to must outlive the work folder.
cp "$toolchain" "$prefix/mingw-w64-x86_64.cmake"
sed -i "s|$work/mingw-w64-x86_64.cmake|$prefix/mingw-w64-x86_64.cmake|g" "$prefix/lib/cmake/Qt6/qt.toolchain.cmake"

for file in lib/cmake/Qt6/qt.toolchain.cmake lib/libQt6Core.a lib/libQt6Gui.a lib/libQt6Widgets.a \
    plugins/platforms/libqwindows.a; do
    [[ -f "$prefix/$file" ]] || die "the installed Qt lacks $file"
done
grep -q "$work" "$prefix/lib/cmake/Qt6/qt.toolchain.cmake" && die "the installed Qt still refers to its work folder"
echo "$version $hash built in $(($(date +%s) - started)) s" >"$marker"
ln -sfn "$name" "$current"
rm -rf "$work"
echo "build_windows_qt.sh: static Qt for Windows built in $(($(date +%s) - started)) s, $(du -sh "$prefix" | cut -f1) in $prefix"
