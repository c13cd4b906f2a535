# Toolchain for the Windows program: the static Qt for MinGW-w64 that
# scripts/build_windows_qt.sh builds into the cache folder, with the host's
# own Qt tools (moc, rcc, uic) from qt6-base-dev.
if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(griffwandler_cache "$ENV{XDG_CACHE_HOME}/griffwandler")
else()
    set(griffwandler_cache "$ENV{HOME}/.cache/griffwandler")
endif()
set(GRIFFWANDLER_WINDOWS_QT "${griffwandler_cache}/qt-windows" CACHE PATH
    "Static Qt for Windows (made by scripts/build_windows_qt.sh)")
if(NOT EXISTS "${GRIFFWANDLER_WINDOWS_QT}/.griffwandler-complete")
    message(FATAL_ERROR "No finished static Qt for Windows in ${GRIFFWANDLER_WINDOWS_QT}: "
                        "run 'bash scripts/setup.sh windows' first.")
endif()

execute_process(COMMAND c++ -print-multiarch OUTPUT_VARIABLE griffwandler_multiarch
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(QT_HOST_PATH /usr CACHE PATH "Host Qt")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${griffwandler_multiarch}/cmake CACHE PATH "Host Qt's CMake files")

include("${GRIFFWANDLER_WINDOWS_QT}/lib/cmake/Qt6/qt.toolchain.cmake")

# One self-contained file: the C and C++ runtimes and winpthread linked in,
# unused sections dropped, symbols stripped.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--gc-sections -s")
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
