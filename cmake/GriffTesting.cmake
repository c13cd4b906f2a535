# griff_add_qtest(NAME SOURCES ... LIBRARIES ...)
# Builds one QtTest executable and registers it with CTest. Every test runs on the
# offscreen platform with a private runtime folder, so it needs no display and
# prints no runtime-folder warning.
function(griff_add_qtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;ENVIRONMENT" ${ARGN})
    qt_add_executable(${name} ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBRARIES} griffwandler_settings)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set(runtime_dir ${CMAKE_BINARY_DIR}/xdg-runtime)
    file(MAKE_DIRECTORY ${runtime_dir})
    file(CHMOD ${runtime_dir} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${runtime_dir};${ARG_ENVIRONMENT}"
        TIMEOUT 300)
endfunction()
