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
# cross-origin isolation), no network, SQL, printing or test library, and none
# of the widgets, dialogs and formats the program never shows: every feature
# left in is code each visitor downloads.
options=(
    -platform wasm-emscripten -qt-host-path /usr -static -release -optimize-size
    -nomake tests -nomake examples
    -no-feature-thread -no-dbus -no-feature-sql -no-feature-network -no-feature-testlib
    -no-feature-printsupport -no-feature-concurrent -no-feature-xml
    -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz -qt-pcre -qt-doubleconversion
    -no-libjpeg -no-gif -no-ico -no-icu -no-feature-zstd
    -no-feature-style-windows -no-feature-style-stylesheet -no-feature-effects
    -no-feature-itemviews -no-feature-commandlinkbutton -no-feature-datetimeedit
    -no-feature-calendarwidget -no-feature-textbrowser -no-feature-splashscreen
    -no-feature-splitter -no-feature-lcdnumber -no-feature-spinbox -no-feature-tabbar
    -no-feature-tabwidget -no-feature-combobox -no-feature-fontcombobox
    -no-feature-toolbox -no-feature-mainwindow -no-feature-dockwidget -no-feature-mdiarea
    -no-feature-statusbar -no-feature-dial -no-feature-scroller
    -no-feature-graphicseffect -no-feature-syntaxhighlighter
    -no-feature-keysequenceedit -no-feature-colordialog -no-feature-filedialog
    -no-feature-fontdialog -no-feature-progressdialog -no-feature-inputdialog
    -no-feature-errormessage -no-feature-wizard -no-feature-fscompleter -no-feature-undoview
    -no-feature-sizegrip -no-feature-textodfwriter -no-feature-textmarkdownreader
    -no-feature-textmarkdownwriter -no-feature-pdf -no-feature-movie
    -no-feature-imageformat_bmp -no-feature-imageformat_ppm -no-feature-imageformat_xbm
    -no-feature-sessionmanager -no-feature-systemtrayicon
    -no-feature-undocommand -no-feature-settings
)
# Three changes to the source. The wasm platform plugin brings three fonts of
# its own as resources, about 1 MB; the program draws every text in the faces
# it embeds. The common style's private header uses QHash without including
# it, which only shows once the item views are left out. And the widgets'
# compatibility unit defines the tool bar's removed functions without asking
# whether there is a tool bar, which goes with the main window.
patch_source() {
    perl -0pi -e 's/qt_internal_add_resource\(QWasmIntegrationPlugin "wasmfonts".*?\n\)\n//s' \
        "$source_dir/src/plugins/platforms/wasm/CMakeLists.txt" &&
        ! grep -q 'QWasmIntegrationPlugin "wasmfonts"' "$source_dir/src/plugins/platforms/wasm/CMakeLists.txt" &&
        sed -i 's|^#include "qstyle_p.h"$|#include "qstyle_p.h"\n#include <QtCore/qhash.h>|' \
            "$source_dir/src/widgets/styles/qcommonstyle_p.h" &&
        grep -q 'qtcore/qhash.h' -i "$source_dir/src/widgets/styles/qcommonstyle_p.h" &&
        perl -0pi -e 's/\n#include "qtoolbar.h"\n/\n#if QT_CONFIG(toolbar)\n#include "qtoolbar.h"\n/;
                      s/\n(#include "qmenubar.h"\n)/\n#endif\n\n$1/' \
            "$source_dir/src/widgets/compat/removed_api.cpp" &&
        grep -q '^#if QT_CONFIG(toolbar)$' "$source_dir/src/widgets/compat/removed_api.cpp"
}
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

toolchain_begin wasm-static qt-web "emscripten $emscripten_version" "${options[@]}" \
    "$(declare -f patch_source)"
fetch_qt_source
patch_source || die "could not change the source as planned"

echo "$script: building Qt $qt_version for WebAssembly (about 10 to 25 minutes on 2 cores)"
build_qt "$emscripten_cmake" "${options[@]}"

toolchain_finish bin/qt-cmake lib/cmake/Qt6/qt.toolchain.cmake lib/libQt6Core.a lib/libQt6Gui.a \
    lib/libQt6Widgets.a plugins/platforms/libqwasm.a
