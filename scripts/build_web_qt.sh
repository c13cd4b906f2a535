#!/usr/bin/env bash
# Builds a static Qt for WebAssembly from Debian's own qt6-base source package
# (the same version as the host's qt6-base-dev, whose moc, rcc and uic serve as
# host tools) with Debian's emscripten, and installs it into a cache folder
# outside the repository. A finished build is reused: a second run takes a
# moment. Beside the prefix it keeps the emsdk-style folder that Qt's
# configure and the program's configure look for ($cache/emsdk).
#
#   bash scripts/build_web_qt.sh        (scripts/setup.sh web calls it)
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
source "$repo/scripts/qt_toolchain.sh"

for tool in emcc em++ node ninja; do
    command -v "$tool" >/dev/null || die "$tool is missing (bash scripts/setup.sh web installs it)"
done
[[ -f /usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake ]] ||
    die "Debian's emscripten is not installed (bash scripts/setup.sh web installs it)"
emscripten_version=$(dpkg-query -W -f='${Version}' emscripten)

# Only what the program needs: Core, Gui, Widgets and the wasm platform plugin
# with the third-party libraries built in, no threads (a page then needs no
# cross-origin isolation), no network, SQL, printing or test library.
options=(
    -platform wasm-emscripten -qt-host-path /usr -static -release -optimize-size
    -nomake tests -nomake examples
    -no-feature-thread -no-dbus -no-feature-sql -no-feature-network -no-feature-testlib
    -no-feature-printsupport -no-feature-concurrent -no-feature-xml
    -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz -qt-pcre -qt-doubleconversion
    -no-libjpeg -no-gif -no-ico -no-icu -no-feature-zstd
)
emscripten_cmake=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake

# The layout of an emsdk, made of links to Debian's emscripten. Debian's
# system libraries are prebuilt and frozen: EM_CACHE stays unset.
emsdk="$cache/emsdk"
if [[ ! -f "$emsdk/.emscripten" ]]; then
    mkdir -p "$emsdk/upstream/emscripten"
    ln -sfn /usr/bin/emcc "$emsdk/upstream/emscripten/emcc"
    ln -sfn /usr/bin/em++ "$emsdk/upstream/emscripten/em++"
    ln -sfn /usr/share/emscripten/cmake "$emsdk/upstream/emscripten/cmake"
    echo "EMSCRIPTEN_ROOT = emsdk_path + '/upstream/emscripten'" >"$emsdk/.emscripten"
fi
# Debian's node does not look in Debian's module folder, where acorn lies.
export EMSDK="$emsdk" EMSCRIPTEN=/usr/share/emscripten NODE_PATH=/usr/share/nodejs
unset EM_CACHE

toolchain_begin wasm-static qt-web "emscripten $emscripten_version" "${options[@]}"
fetch_qt_source

echo "$script: building Qt $qt_version for WebAssembly (about 10 to 25 minutes on 2 cores)"
build_qt "$emscripten_cmake" "${options[@]}"

toolchain_finish bin/qt-cmake lib/cmake/Qt6/qt.toolchain.cmake lib/libQt6Core.a lib/libQt6Gui.a \
    lib/libQt6Widgets.a plugins/platforms/libqwasm.a
