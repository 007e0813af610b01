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

set(manual "${PREFIX}/share/man/man1/quillsum-calc.1")
if(NOT EXISTS "${manual}")
    fault("no manual page at ${manual}")
endif()
find_program(MAN man)
if(MAN)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env "MANPATH=${PREFIX}/share/man"
                            ${MAN} -w quillsum-calc
                    RESULT_VARIABLE rc OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT rc EQUAL 0 OR NOT found STREQUAL manual)
        fault("man does not find quillsum-calc: ${found}")
    endif()
endif()

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
