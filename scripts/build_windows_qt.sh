#!/usr/bin/env bash
# Builds a static Qt for 64-bit Windows from Debian's own qt6-base source
# package (the same version as the host's qt6-base-dev, whose moc, rcc and uic
# serve as host tools) and installs it into a cache folder outside the
# repository. A finished build is reused: a second run takes a moment.
#
#   bash scripts/build_windows_qt.sh        (scripts/setup.sh windows calls it)
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
source "$repo/scripts/qt_toolchain.sh"

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

toolchain_begin mingw-static qt-windows "${options[@]}" "$(cat "$toolchain")"

for tool in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres ninja; do
    command -v "$tool" >/dev/null || die "$tool is missing (bash scripts/setup.sh windows installs it)"
done
fetch_qt_source

echo "$script: building Qt $qt_version for Windows (about 12 to 25 minutes on 2 cores)"
cp "$toolchain" "$work/mingw-w64-x86_64.cmake"
build_qt "$work/mingw-w64-x86_64.cmake" "${options[@]}"

# The toolchain file the installed Qt chains to must outlive the work folder.
cp "$toolchain" "$prefix/mingw-w64-x86_64.cmake"
sed -i "s|$work/mingw-w64-x86_64.cmake|$prefix/mingw-w64-x86_64.cmake|g" "$prefix/lib/cmake/Qt6/qt.toolchain.cmake"

toolchain_finish lib/cmake/Qt6/qt.toolchain.cmake lib/libQt6Core.a lib/libQt6Gui.a \
    lib/libQt6Widgets.a plugins/platforms/libqwindows.a
