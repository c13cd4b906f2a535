# Toolchain for the web program: the static Qt for WebAssembly that
# scripts/build_web_qt.sh builds into the cache folder, Debian's emscripten,
# and the host's own Qt tools (moc, rcc, uic) from qt6-base-dev.
if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(griffwandler_cache "$ENV{XDG_CACHE_HOME}/griffwandler")
else()
    set(griffwandler_cache "$ENV{HOME}/.cache/griffwandler")
endif()
set(GRIFFWANDLER_WEB_QT "${griffwandler_cache}/qt-web" CACHE PATH
    "Static Qt for WebAssembly (made by scripts/build_web_qt.sh)")
if(NOT EXISTS "${GRIFFWANDLER_WEB_QT}/.griffwandler-complete")
    message(FATAL_ERROR "No finished static Qt for WebAssembly in ${GRIFFWANDLER_WEB_QT}: "
                        "run 'bash scripts/setup.sh web' first.")
endif()

execute_process(COMMAND c++ -print-multiarch OUTPUT_VARIABLE griffwandler_multiarch
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(QT_HOST_PATH /usr CACHE PATH "Host Qt")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${griffwandler_multiarch}/cmake CACHE PATH "Host Qt's CMake files")
set(QT_CHAINLOAD_TOOLCHAIN_FILE /usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
set(ENV{EMSCRIPTEN} /usr/share/emscripten)
set(ENV{EMSDK} "${griffwandler_cache}/emsdk")

# Debian's node does not look in Debian's module folder, where emscripten's
# acorn lies; every compile and link runs with it named.
set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
set(ENV{NODE_PATH} /usr/share/nodejs)

include("${GRIFFWANDLER_WEB_QT}/lib/cmake/Qt6/qt.toolchain.cmake")
