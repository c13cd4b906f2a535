# Toolchain for the Windows program: the static Qt for MinGW-w64 that
# scripts/build_windows_qt.sh builds into the cache folder, with the host's
# own Qt tools (moc, rcc, uic) from qt6-base-dev.
include(${CMAKE_CURRENT_LIST_DIR}/cached-qt.cmake)
griff_cached_qt(GRIFFWANDLER_WINDOWS_QT qt-windows Windows windows)

include("${GRIFFWANDLER_WINDOWS_QT}/lib/cmake/Qt6/qt.toolchain.cmake")

# One self-contained file: the C and C++ runtimes and winpthread linked in,
# unused sections dropped, symbols stripped; and no link time in its header, so
# that each build of one commit gives the same bytes.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--gc-sections -s -Wl,--no-insert-timestamp")
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
