# Undoes the last install from a build folder:
#
#   cmake -DRECORD=BUILD/install_record.txt -P uninstall.cmake
#
# Removes the files the record lists, then the folders it lists (the ones that
# install created) that are empty now, deepest first. Folders that hold anything
# else stay, and so do all folders that existed before the install.
if(NOT DEFINED RECORD)
    message(FATAL_ERROR "usage: cmake -DRECORD=BUILD/install_record.txt -P uninstall.cmake")
endif()
if(NOT EXISTS "${RECORD}")
    message(STATUS "Nothing to remove: no install from this build folder is recorded (${RECORD})")
    return()
endif()

file(STRINGS "${RECORD}" entries)
set(folders "")
foreach(entry IN LISTS entries)
    if(entry MATCHES "/$")
        list(APPEND folders "${entry}")
    elseif(EXISTS "${entry}" OR IS_SYMLINK "${entry}")
        message(STATUS "Removing ${entry}")
        file(REMOVE "${entry}")
    else()
        message(STATUS "Already gone: ${entry}")
    endif()
endforeach()

# A folder sorts before everything inside it, so the reverse order empties
# the deepest folders first.
list(SORT folders)
list(REVERSE folders)
set(kept "")
foreach(folder IN LISTS folders)
    if(NOT IS_DIRECTORY "${folder}")
        continue()
    endif()
    file(GLOB contents LIST_DIRECTORIES true "${folder}*")
    if(contents)
        message(STATUS "Keeping ${folder}: it holds other files")
        list(APPEND kept "${folder}")
    else()
        message(STATUS "Removing ${folder}")
        file(REMOVE_RECURSE "${folder}")
    endif()
endforeach()

# Folders kept because others' files are in them stay recorded, so that a
# later uninstall can still take them away once they are empty.
if(kept)
    list(JOIN kept "\n" lines)
    file(WRITE "${RECORD}" "${lines}\n")
else()
    file(REMOVE "${RECORD}")
endif()
