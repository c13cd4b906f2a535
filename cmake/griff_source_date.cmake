# The time that stands in archives, packages and installers instead of the
# clock's, so that two builds of one commit give the same bytes: the
# SOURCE_DATE_EPOCH of the environment where a distribution sets it, else the
# time of the commit that is checked out, else (sources without git) the date
# of the latest change log entry. Used at packing time (CPack, the installer,
# the zip), so it follows the commit without configuring again.
#
#   griff_source_date_epoch(<variable> <source folder>)
function(griff_source_date_epoch variable source)
    set(epoch "$ENV{SOURCE_DATE_EPOCH}")
    if(epoch STREQUAL "" AND EXISTS "${source}/.git")
        find_program(GRIFF_GIT git)
        if(GRIFF_GIT)
            execute_process(COMMAND "${GRIFF_GIT}" -C "${source}" log -1 --format=%ct
                OUTPUT_VARIABLE epoch RESULT_VARIABLE failed
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
            if(failed)
                set(epoch "")
            endif()
        endif()
    endif()
    if(epoch STREQUAL "")
        # " -- Name <address>  Tue, 08 Dec 2026 12:00:00 +0000", the first one.
        file(STRINGS "${source}/packaging/linux/changelog" trailer REGEX "^ -- .*>  " LIMIT_COUNT 1)
        string(REGEX REPLACE "^ -- .*>  " "" stamp "${trailer}")
        execute_process(COMMAND date -d "${stamp}" +%s
            OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
            COMMAND_ERROR_IS_FATAL ANY)
    endif()
    if(NOT epoch MATCHES "^[0-9]+$")
        message(FATAL_ERROR "No time for the archives: SOURCE_DATE_EPOCH is '${epoch}'")
    endif()
    set(${variable} ${epoch} PARENT_SCOPE)
endfunction()
