# Run by cpack after it packed (CPACK_POST_BUILD_SCRIPTS). A Debian package is
# an ar archive whose member headers carry the modes the packer's temporary
# files had, which follow the umask of whoever packs. Every member header gets
# the mode dpkg-deb writes, 100644, in place, so that each build of one commit
# gives the same package.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "\\.deb$")
        continue()
    endif()
    file(SIZE "${package}" size)
    file(READ "${package}" magic LIMIT 8)
    if(NOT magic STREQUAL "!<arch>\n")
        message(FATAL_ERROR "${package} is not an ar archive")
    endif()
    set(mode_file "${CPACK_TOPLEVEL_DIRECTORY}/ar-member-mode")
    file(WRITE "${mode_file}" "100644  ")
    set(offset 8)
    while(offset LESS size)
        # name 16, time 12, owner 6, group 6, mode 8, size 10, "`\n" 2
        file(READ "${package}" header OFFSET ${offset} LIMIT 60)
        string(SUBSTRING "${header}" 58 2 end)
        string(SUBSTRING "${header}" 48 10 member_size)
        string(STRIP "${member_size}" member_size)
        if(NOT end STREQUAL "`\n" OR NOT member_size MATCHES "^[0-9]+$")
            message(FATAL_ERROR "${package}: no ar member header at byte ${offset}")
        endif()
        math(EXPR mode_at "${offset} + 40")
        execute_process(COMMAND dd "of=${package}" bs=1 seek=${mode_at} conv=notrunc status=none
            INPUT_FILE "${mode_file}"
            COMMAND_ERROR_IS_FATAL ANY)
        # Members start at even offsets.
        math(EXPR offset "${offset} + 60 + ${member_size} + (${member_size} % 2)")
    endwhile()
endforeach()
