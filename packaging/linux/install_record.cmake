# Runs inside `cmake --install`: notes what an install puts in place, so that
# the uninstall target (uninstall.cmake) can take exactly that away again.
#
# The record lists full paths, DESTDIR included, one a line: the installed
# files, then the folders the install created, each ending in "/". Installs that
# CPack makes into its staging folder are not recorded.

# Returns from the calling function when CPack runs the install, into its
# staging folder: a macro, so that its return() leaves the caller.
macro(griff_return_under_cpack)
    get_property(role GLOBAL PROPERTY CMAKE_ROLE)
    if(role STREQUAL "CPACK")
        return()
    endif()
endmacro()

# Before anything is copied: notes each destination folder (relative to the
# prefix) and each of its parents that does not exist yet.
function(griff_note_missing_folders)
    griff_return_under_cpack()
    set(missing "")
    foreach(destination IN LISTS ARGN)
        cmake_path(SET folder NORMALIZE "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${destination}")
        string(REGEX REPLACE "(.)/+$" "\\1" folder "${folder}")
        while(NOT EXISTS "${folder}" AND NOT folder STREQUAL "/")
            list(APPEND missing "${folder}/")
            cmake_path(GET folder PARENT_PATH folder)
        endwhile()
    endforeach()
    list(REMOVE_DUPLICATES missing)
    set_property(GLOBAL PROPERTY GRIFF_MISSING_FOLDERS "${missing}")
endfunction()

# After everything is copied: writes the record. A folder that an earlier
# install created is still ours when this install put files into it again.
function(griff_write_install_record record)
    griff_return_under_cpack()
    set(files "")
    foreach(file IN LISTS CMAKE_INSTALL_MANIFEST_FILES)
        list(APPEND files "$ENV{DESTDIR}${file}")
    endforeach()
    get_property(folders GLOBAL PROPERTY GRIFF_MISSING_FOLDERS)
    if(EXISTS "${record}")
        file(STRINGS "${record}" earlier REGEX "/$")
        foreach(folder IN LISTS earlier)
            foreach(file IN LISTS files)
                string(FIND "${file}" "${folder}" at)
                if(at EQUAL 0)
                    list(APPEND folders "${folder}")
                    break()
                endif()
            endforeach()
        endforeach()
        list(REMOVE_DUPLICATES folders)
    endif()
    list(JOIN files "\n" lines)
    foreach(folder IN LISTS folders)
        string(APPEND lines "\n${folder}")
    endforeach()
    file(WRITE "${record}" "${lines}\n")
endfunction()
