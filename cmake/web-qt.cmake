# Toolchain for the web program: the static Qt for WebAssembly that
# scripts/build_web_qt.sh builds into the cache folder, Debian's emscripten,
# and the host's own Qt tools (moc, rcc, uic) from qt6-base-dev.
include(${CMAKE_CURRENT_LIST_DIR}/cached-qt.cmake)
griff_cached_qt(GRIFFWANDLER_WEB_QT qt-web WebAssembly web)
set(QT_CHAINLOAD_TOOLCHAIN_FILE /usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
set(ENV{EMSCRIPTEN} /usr/share/emscripten)
set(ENV{EMSDK} "${griffwandler_cache}/emsdk")

# Debian's node does not look in Debian's module folder, where emscripten's
# acorn lies; every compile and link runs with it named.
set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
set(ENV{NODE_PATH} /usr/share/nodejs)

include("${GRIFFWANDLER_WEB_QT}/lib/cmake/Qt6/qt.toolchain.cmake")
