# Shared by the toolchain files of the Windows and the web program: where the
# static Qt that scripts/build_*_qt.sh built lies in the cache folder, and the
# host's own Qt tools (moc, rcc, uic) from qt6-base-dev.
#
#   griff_cached_qt(<variable> <link name> <what> <setup group>)
#
# sets the cache variable <variable> to $XDG_CACHE_HOME/griffwandler/<link name>
# (or ~/.cache/...) and stops with a hint when no finished build is there.
function(griff_cached_qt variable link what group)
    if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
        set(cache "$ENV{XDG_CACHE_HOME}/griffwandler")
    else()
        set(cache "$ENV{HOME}/.cache/griffwandler")
    endif()
    set(${variable} "${cache}/${link}" CACHE PATH "Static Qt for ${what} (made by scripts/setup.sh ${group})")
    if(NOT EXISTS "${${variable}}/.griffwandler-complete")
        message(FATAL_ERROR "No finished static Qt for ${what} in ${${variable}}: "
                            "run 'bash scripts/setup.sh ${group}' first.")
    endif()
    set(griffwandler_cache "${cache}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND c++ -print-multiarch OUTPUT_VARIABLE griffwandler_multiarch
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(QT_HOST_PATH /usr CACHE PATH "Host Qt")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${griffwandler_multiarch}/cmake CACHE PATH "Host Qt's CMake files")
