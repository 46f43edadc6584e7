# The Windows version resource and program icon, as a .rc file generated from the project's
# version. vezaz_add_version_resource(<target>) compiles it into an executable.

set(VEZAZ_ICON_SVG ${PROJECT_SOURCE_DIR}/resources/icons/vezaz.svg)
set(VEZAZ_ICON_SIZES 16 24 32 48 256)
set(VEZAZ_VERSION_DIR ${PROJECT_BINARY_DIR}/resources/version)
set(VEZAZ_ICON_RESOURCES "")
set(VEZAZ_HAS_ICON OFF)

# RT_ICON and RT_GROUP_ICON, written out by hand: each size is a PNG image (which Windows takes
# in an icon since Vista), and the directory lists them, so no tool is needed to pack an .ico.
function(vezaz_render_icon_resources)
    find_program(VEZAZ_RSVG_CONVERT rsvg-convert)
    if(NOT VEZAZ_RSVG_CONVERT)
        message(STATUS "rsvg-convert not found: the program carries no icon")
        return()
    endif()
    set(images "")
    set(entries "")
    set(id 0)
    foreach(size IN LISTS VEZAZ_ICON_SIZES)
        math(EXPR id "${id} + 1")
        set(png ${VEZAZ_VERSION_DIR}/vezaz-${size}.png)
        execute_process(COMMAND ${VEZAZ_RSVG_CONVERT} -w ${size} -h ${size} -o ${png}
                                ${VEZAZ_ICON_SVG}
                        RESULT_VARIABLE failed)
        if(failed)
            message(WARNING "rsvg-convert could not draw the icon: the program carries no icon")
            return()
        endif()
        file(SIZE ${png} bytes)
        # Width and height share one word; 0 stands for 256.
        math(EXPR side "${size} % 256")
        math(EXPR widthAndHeight "${side} + ${side} * 256")
        string(APPEND images "${id} 3 \"${png}\"\n")
        string(APPEND entries ",\n    ${widthAndHeight}, 0, 1, 32, ${bytes}L, ${id}")
    endforeach()
    list(LENGTH VEZAZ_ICON_SIZES count)
    set(VEZAZ_ICON_RESOURCES
        "// The program's icon: one PNG image per size, then the directory that lists them.\n${images}\n1 14\nBEGIN\n    0, 1, ${count}${entries}\nEND\n"
        PARENT_SCOPE)
    set(VEZAZ_HAS_ICON ON PARENT_SCOPE)
endfunction()

if(WIN32)
    file(MAKE_DIRECTORY ${VEZAZ_VERSION_DIR})
    vezaz_render_icon_resources()
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                                                                ${VEZAZ_ICON_SVG})
    configure_file(${CMAKE_CURRENT_LIST_DIR}/vezaz.rc.in ${VEZAZ_VERSION_DIR}/vezaz.rc @ONLY)
endif()

function(vezaz_add_version_resource target)
    if(WIN32)
        target_sources(${target} PRIVATE ${VEZAZ_VERSION_DIR}/vezaz.rc)
    endif()
endfunction()
