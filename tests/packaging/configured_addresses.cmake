# cmake -DSOURCE_DIR=... -DSCRATCH_DIR=... -DGENERATOR=... -P configured_addresses.cmake
#
# The home address holds "&", which the metadata must write as "&amp;".
set(home "https://anderswo.example/a&b/")
set(second "https://anderswo.example/a&b/kapo/")
set(home_xml "https://anderswo.example/a&amp;b/")

file(REMOVE_RECURSE "${SCRATCH_DIR}")
execute_process(
    COMMAND ${CMAKE_COMMAND} -S "${SOURCE_DIR}" -B "${SCRATCH_DIR}" -G "${GENERATOR}"
        -DBUILD_TESTING=OFF
        "-DGRIFFWANDLER_HOME_URL=${home}" "-DGRIFFWANDLER_SECOND_URL=${second}"
    OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "Configuring with other addresses failed:\n${output}")
endif()

# Texts hold ";" (in "&amp;"), so they are passed one at a time, never as lists.
set(failures "")
# expect(FILE TEXT): FILE (below the scratch folder) holds TEXT.
function(expect file text)
    file(READ "${SCRATCH_DIR}/${file}" content)
    string(FIND "${content}" "${text}" at)
    if(at EQUAL -1)
        string(APPEND failures "\n  ${file} lacks '${text}'")
    endif()
    set(failures "${failures}" PARENT_SCOPE)
endfunction()
# expect_no_default(FILE): FILE nowhere names the default site.
function(expect_no_default file)
    file(READ "${SCRATCH_DIR}/${file}" content)
    string(FIND "${content}" "griffwandler.example" at)
    if(NOT at EQUAL -1)
        string(APPEND failures "\n  ${file} still names griffwandler.example")
    endif()
    set(failures "${failures}" PARENT_SCOPE)
endfunction()

file(GLOB metainfo RELATIVE "${SCRATCH_DIR}" "${SCRATCH_DIR}/packaging/linux/*.metainfo.xml")
expect("${metainfo}" "<url type=\"homepage\">${home_xml}</url>")
expect("${metainfo}" "<image>${home_xml}screenshot-start.png</image>")
expect_no_default("${metainfo}")
set(header src/services/include/services/web_addresses.h)
expect(${header} "QStringLiteral(\"${home}\")")
expect(${header} "QStringLiteral(\"${second}\")")
expect(${header} "u\"anderswo.example\"")
expect_no_default(${header})
expect(packaging/linux/griffwandler.1 ".UR ${home}\n")
expect_no_default(packaging/linux/griffwandler.1)

# The package's Homepage field (the maintainer's mail address may stay).
include("${SCRATCH_DIR}/CPackConfig.cmake")
if(NOT CPACK_PACKAGE_HOMEPAGE_URL STREQUAL home)
    string(APPEND failures "\n  package home page is '${CPACK_PACKAGE_HOMEPAGE_URL}'")
endif()
if(DEFINED CPACK_DEBIAN_PACKAGE_HOMEPAGE AND NOT CPACK_DEBIAN_PACKAGE_HOMEPAGE STREQUAL home)
    string(APPEND failures "\n  Debian package home page is '${CPACK_DEBIAN_PACKAGE_HOMEPAGE}'")
endif()

if(failures)
    message(FATAL_ERROR "With other web addresses configured:${failures}")
endif()
file(REMOVE_RECURSE "${SCRATCH_DIR}")
message(STATUS "All addresses follow the configured home page")
