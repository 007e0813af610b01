# cmake -DBUILD_DIR=... -DPREFIX=... -DPROGRAM_DIR=lib/quillsum -DICON_FROM_PROGRAM_DIR=...
#       -P check_install.cmake
set(faults)
macro(fault text)
    list(APPEND faults "${text}")
endmacro()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${err}")
endif()

# The menu entry names the installed program by its absolute path (quoted: the prefix holds
# a blank).
set(desktop "${PREFIX}/share/applications/quillsum.desktop")
file(STRINGS "${desktop}" exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=\"${PREFIX}/bin/quillsum\"")
    fault("desktop entry: ${exec}, expected the installed path ${PREFIX}/bin/quillsum")
endif()
if(NOT EXISTS "${PREFIX}/bin/quillsum" OR NOT EXISTS "${PREFIX}/${PROGRAM_DIR}/quillsum")
    fault("the program is not installed where the desktop entry points")
endif()

# The print module is loaded from the program's own folder on the first print.
if(EXISTS "${PREFIX}/${PROGRAM_DIR}/quillsum" AND
   NOT EXISTS "${PREFIX}/${PROGRAM_DIR}/libquillsum-print.so")
    fault("the print module is not beside the program in ${PREFIX}/${PROGRAM_DIR}")
endif()

# The program's fallback icon path, taken from its own folder, reaches the installed icon.
get_filename_component(icon "${PREFIX}/${PROGRAM_DIR}/${ICON_FROM_PROGRAM_DIR}" ABSOLUTE)
if(NOT EXISTS "${icon}")
    fault("the icon is not at ${icon}, where the program looks for it")
endif()

# The manual pages (compressed), the icon in the sizes menus use, and the documents.
find_program(MAN man)
foreach(page quillsum quillsum-calc)
    set(manual "${PREFIX}/share/man/man1/${page}.1.gz")
    if(NOT EXISTS "${manual}")
        fault("no manual page at ${manual}")
    elseif(MAN)
        execute_process(COMMAND ${CMAKE_COMMAND} -E env "MANPATH=${PREFIX}/share/man"
                                ${MAN} -w ${page}
                        RESULT_VARIABLE rc OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT rc EQUAL 0 OR NOT found STREQUAL manual)
            fault("man does not find ${page}: ${found}")
        endif()
    endif()
endforeach()
foreach(size 16 22 24 32 48 64 128 256)
    set(png "${PREFIX}/share/icons/hicolor/${size}x${size}/apps/quillsum.png")
    if(NOT EXISTS "${png}")
        fault("no ${size} pixel icon at ${png}")
        continue()
    endif()
    # The PNG header's width and height (big-endian, bytes 16 to 23).
    file(READ "${png}" header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 32 16 dimensions)
    math(EXPR hex_size "${size}" OUTPUT_FORMAT HEXADECIMAL)
    string(REGEX REPLACE "^0x" "" hex_size "${hex_size}")
    string(TOLOWER "${hex_size}" hex_size)
    string(LENGTH "${hex_size}" digits)
    math(EXPR pad "8 - ${digits}")
    string(REPEAT "0" ${pad} zeros)
    if(NOT dimensions STREQUAL "${zeros}${hex_size}${zeros}${hex_size}")
        fault("${png} is not ${size}x${size} pixels (header ${dimensions})")
    endif()
endforeach()
foreach(doc ReadMe.txt changelog.gz copyright)
    if(NOT EXISTS "${PREFIX}/share/doc/quillsum/${doc}")
        fault("no ${doc} in ${PREFIX}/share/doc/quillsum")
    endif()
endforeach()

set(metainfo "${PREFIX}/share/metainfo/jp.example.quillsum.metainfo.xml")
if(NOT EXISTS "${metainfo}")
    fault("no AppStream metadata at ${metainfo}")
endif()
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
    execute_process(COMMAND ${APPSTREAMCLI} validate --no-net --pedantic "${metainfo}"
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
        fault("appstreamcli validate: ${out}")
    endif()
endif()
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
    execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} "${desktop}"
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0 OR NOT out STREQUAL "")
        fault("desktop-file-validate: ${out}")
    endif()
endif()

file(REMOVE_RECURSE "${PREFIX}")
if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "install faults:\n  ${text}")
endif()
