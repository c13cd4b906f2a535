# griff_web_fonts(OUT_VAR FONT...): for the web build, the faces FONT (relative
# to the current source folder) cut down to the characters of the program's
# sources (subset_fonts.py). OUT_VAR is set to the files made, which a
# resource of the current folder embeds under the whole faces' names. Needs
# Python 3 with fontTools (Debian's python3-fonttools).
function(griff_web_fonts out_var)
    if(NOT GRIFF_FONTTOOLS_PYTHON)
        foreach(candidate /usr/bin/python3 python3)
            execute_process(COMMAND ${candidate} -c "import fontTools.subset"
                RESULT_VARIABLE missing OUTPUT_QUIET ERROR_QUIET)
            if(missing EQUAL 0)
                set(GRIFF_FONTTOOLS_PYTHON ${candidate} CACHE FILEPATH
                    "Python 3 with fontTools, for the web build's fonts")
                break()
            endif()
        endforeach()
        if(NOT GRIFF_FONTTOOLS_PYTHON)
            message(FATAL_ERROR "The web build needs Python 3 with fontTools "
                                "(bash scripts/setup.sh web installs python3-fonttools)")
        endif()
    endif()
    file(GLOB_RECURSE texts CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*.cpp
         ${PROJECT_SOURCE_DIR}/src/*.h ${PROJECT_SOURCE_DIR}/src/*.in)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/web-fonts)
    set(inputs "")
    set(outputs "")
    foreach(font IN LISTS ARGN)
        get_filename_component(name ${font} NAME)
        get_filename_component(input ${font} ABSOLUTE)
        list(APPEND inputs ${input})
        list(APPEND outputs ${out}/${name})
        set_source_files_properties(${out}/${name} PROPERTIES QT_RESOURCE_ALIAS ${font})
    endforeach()
    add_custom_command(OUTPUT ${outputs}
        COMMAND ${GRIFF_FONTTOOLS_PYTHON} ${PROJECT_SOURCE_DIR}/cmake/subset_fonts.py ${out}
                ${inputs} -- ${texts}
        DEPENDS ${PROJECT_SOURCE_DIR}/cmake/subset_fonts.py ${inputs} ${texts}
        COMMENT "Cutting the fonts down to the program's characters"
        VERBATIM)
    set(${out_var} ${outputs} PARENT_SCOPE)
endfunction()
