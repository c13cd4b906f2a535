# Checks the two web addresses of the program and derives the site name.
#
#   griffwandler_check_web_addresses(<home> <second> <site-variable>)
#
# Both must be absolute http(s) addresses ending in "/", made only of characters
# that may stand in a URL (so they are safe inside a C++ string literal), and
# the second must lie exactly one path segment below the home address.
#
# In script mode (cmake -DHOME=... -DSECOND=... -P web_addresses.cmake) the
# check runs on HOME and SECOND and prints the site name.
function(griffwandler_check_web_addresses home second site_var)
    set(url_chars "A-Za-z0-9._~:/?#@!$&'()*+,;=%-")
    foreach(address IN ITEMS "${home}" "${second}")
        if(NOT address MATCHES "^[${url_chars}]+$")
            message(FATAL_ERROR "Web address '${address}' holds characters that do not belong in a URL")
        endif()
        if(NOT address MATCHES "^https?://[^/?#]+/")
            message(FATAL_ERROR "Web address '${address}' is not an absolute http or https address")
        endif()
        if(NOT address MATCHES "/$")
            message(FATAL_ERROR "Web address '${address}' does not end in '/'")
        endif()
        if(address MATCHES "[?#]")
            message(FATAL_ERROR "Web address '${address}' carries a query or fragment")
        endif()
    endforeach()
    string(LENGTH "${home}" home_length)
    string(SUBSTRING "${second}" 0 ${home_length} second_prefix)
    if(NOT second_prefix STREQUAL home)
        message(FATAL_ERROR "Second web address '${second}' does not lie below '${home}'")
    endif()
    string(SUBSTRING "${second}" ${home_length} -1 segment)
    if(NOT segment MATCHES "^[^/]+/$" OR segment MATCHES "^\\.\\.?/$")
        message(FATAL_ERROR "Second web address '${second}' is not one path segment below '${home}'")
    endif()
    string(REGEX REPLACE "^https?://([^/:]+).*$" "\\1" site "${home}")
    set(${site_var} "${site}" PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    griffwandler_check_web_addresses("${HOME}" "${SECOND}" site)
    message(STATUS "site: ${site}")
endif()
