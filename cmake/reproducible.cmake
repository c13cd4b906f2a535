# Two builds of one commit give the same bytes, wherever the tree lies and
# whoever builds it (umask, locale, time zone, clock):
#
# - the compilers write paths relative to the source tree into the debug
#   information, __FILE__ and the GNU build id that is hashed from them, for
#   the project's own sources and for what CMake, moc and rcc generate into
#   the build folder;
# - installed folders get fixed permissions, not the umask's;
# - archives and installers are stamped with the time of the commit
#   (SOURCE_DATE_EPOCH, see griff_source_date.cmake), which packaging/ reads
#   when it packs.

get_filename_component(griff_source_real "${PROJECT_SOURCE_DIR}" REALPATH)
get_filename_component(griff_binary_real "${PROJECT_BINARY_DIR}" REALPATH)
set(griff_prefix_maps "")
foreach(dir IN LISTS PROJECT_SOURCE_DIR griff_source_real)
    list(APPEND griff_prefix_maps "-ffile-prefix-map=${dir}=.")
endforeach()
# A build folder outside the sources would otherwise keep its absolute path;
# the later map wins where both match, so it comes second.
cmake_path(IS_PREFIX griff_source_real "${griff_binary_real}" NORMALIZE griff_binary_inside)
if(NOT griff_binary_inside)
    foreach(dir IN LISTS PROJECT_BINARY_DIR griff_binary_real)
        list(APPEND griff_prefix_maps "-ffile-prefix-map=${dir}=./build")
    endforeach()
endif()
list(REMOVE_DUPLICATES griff_prefix_maps)
# C and C++ only: the resource compiler for Windows knows no such option.
foreach(map IN LISTS griff_prefix_maps)
    add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:${map}>")
endforeach()

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
