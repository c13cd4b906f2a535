# Reads the picture manifest (bilder.manifest beside this file).
#
#   griff_read_pictures()
#
# sets, in the caller's scope:
#   GRIFF_PICTURE_RESOURCES   files below src/assets that the program embeds
#   GRIFF_ICON_SIZES          sizes of the program icon, largest first
#   GRIFF_WEB_ICONS           the web app's icon files, below src/assets
#   GRIFF_PICTURE_HEADER      path of bildkatalog.h, the same list for C++
#                             (written below CMAKE_BINARY_DIR when it changes)
set(GRIFF_PICTURE_MANIFEST ${CMAKE_CURRENT_LIST_DIR}/bilder.manifest)

function(griff_read_pictures)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${GRIFF_PICTURE_MANIFEST})
    file(STRINGS ${GRIFF_PICTURE_MANIFEST} lines REGEX "^[^#]")
    set(resources "")
    set(icon_sizes "")
    set(web_icons "")
    set(kinds "")
    set(entries "")
    set(count 0)
    foreach(line IN LISTS lines)
        if(NOT line MATCHES "^([A-Za-z]+) +([0-9]+) +([a-z0-9/-]+) +([0-9]+)x([0-9]+) +(2x|-) +(white|transparent) *$")
            message(FATAL_ERROR "bilder.manifest: cannot read the line '${line}'")
        endif()
        set(kind ${CMAKE_MATCH_1})
        set(index ${CMAKE_MATCH_2})
        set(file ${CMAKE_MATCH_3})
        set(width ${CMAKE_MATCH_4})
        set(height ${CMAKE_MATCH_5})
        set(twin ${CMAKE_MATCH_6})
        set(background ${CMAKE_MATCH_7})
        if(NOT kind IN_LIST kinds)
            list(APPEND kinds ${kind})
        endif()
        if(kind STREQUAL "WebSymbol")
            list(APPEND web_icons ${file}.png)
        else()
            list(APPEND resources ${file}.argb)
            if(twin STREQUAL "2x")
                list(APPEND resources ${file}@2x.png)
            endif()
        endif()
        if(kind STREQUAL "Symbol")
            list(APPEND icon_sizes ${width})
        endif()
        set(twin_bool false)
        if(twin STREQUAL "2x")
            set(twin_bool true)
        endif()
        set(opaque_bool false)
        if(background STREQUAL "white")
            set(opaque_bool true)
        endif()
        string(APPEND entries
            "    {Bildart::${kind}, ${index}, u\"${file}\", ${width}, ${height}, ${twin_bool}, ${opaque_bool}},\n")
        math(EXPR count "${count} + 1")
    endforeach()

    list(JOIN kinds ",\n    " kind_list)
    string(CONCAT header "#pragma once\n\n// Written by the build from src/assets/bilder.manifest; change that file.\n\n"
        "#include <array>\n#include <string_view>\n\nnamespace griffwandler::assets {\n\n"
        "enum class Bildart {\n    ${kind_list},\n};\n\n"
        "struct Bilddatei {\n    Bildart art;\n    int index;\n    std::u16string_view datei;\n"
        "    int breite;\n    int hoehe;\n    bool doppelt;\n    bool deckend;\n};\n\n"
        "inline constexpr std::array<Bilddatei, ${count}> Bilddateien{{\n${entries}}};\n\n"
        "} // namespace griffwandler::assets\n")
    set(header_file ${CMAKE_BINARY_DIR}/generated/assets/bildkatalog.h)
    if(EXISTS ${header_file})
        file(READ ${header_file} old_header)
    endif()
    if(NOT "${old_header}" STREQUAL "${header}")
        file(WRITE ${header_file} "${header}")
    endif()

    set(GRIFF_PICTURE_RESOURCES ${resources} PARENT_SCOPE)
    set(GRIFF_ICON_SIZES ${icon_sizes} PARENT_SCOPE)
    set(GRIFF_WEB_ICONS ${web_icons} PARENT_SCOPE)
    set(GRIFF_PICTURE_HEADER ${header_file} PARENT_SCOPE)
endfunction()
