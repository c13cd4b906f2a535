# Packs the Windows program with its licence and read-me (run with cmake -P by
# the build):
#
#   -DSOURCE=project folder -DSTAGE=folder -DEXE=griffwandler.exe
#   -DLICENSE=LICENSE -DREADME=LIESMICH.txt, then either
#   -DMAKENSIS=makensis -DNSI=griffwandler.nsi     the installer, or
#   -DPYTHON=python3 -DZIP=archive.zip             the zip
#
# The three files are staged under the names they ship with, readable by all
# and dated to the time of the commit, because the installer keeps each file's
# date and the zip its date and mode: so each build of one commit gives the
# same bytes, whatever its umask and clock.
include("${SOURCE}/cmake/griff_source_date.cmake")
griff_source_date_epoch(epoch "${SOURCE}")

file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}")
set(names griffwandler.exe LICENSE.txt LIESMICH.txt)
foreach(pair IN ITEMS "${EXE}|griffwandler.exe" "${LICENSE}|LICENSE.txt" "${README}|LIESMICH.txt")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 from)
    list(GET pair 1 name)
    file(COPY_FILE "${from}" "${STAGE}/${name}")
    file(CHMOD "${STAGE}/${name}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    execute_process(COMMAND touch -d "@${epoch}" "${STAGE}/${name}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()

if(DEFINED NSI)
    execute_process(COMMAND "${MAKENSIS}" -V2 -INPUTCHARSET UTF8 "${NSI}" COMMAND_ERROR_IS_FATAL ANY)
else()
    list(TRANSFORM names PREPEND "${STAGE}/")
    execute_process(COMMAND "${PYTHON}" "${CMAKE_CURRENT_LIST_DIR}/zip.py" "${ZIP}" ${epoch} ${names}
        COMMAND_ERROR_IS_FATAL ANY)
endif()
