# `cmake --install` lays out the program folder (lib/quillsum: the executables and ReadMe.txt)
# and makes the calculator known to the desktop: a `quillsum` command on the PATH, a menu
# entry and an icon (SVG and the PNG sizes menus use), AppStream metadata for software
# centres, the manual pages, and share/doc/quillsum with the ReadMe, the changelog and the
# copyright. The program folder is where the calculator looks for ReadMe.txt and "update";
# its settings go to the XDG location when that folder is not writable.
include(GNUInstallDirs)
set(QUILL_PROGRAM_DIR ${CMAKE_INSTALL_LIBDIR}/quillsum)
set(QUILL_ICON_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
set(QUILL_README ${PROJECT_SOURCE_DIR}/data/ReadMe.txt)

# The installed icon as seen from the program folder, whatever the library folder is called
# (lib, lib64, lib/x86_64-linux-gnu): the program's fallback when the icon theme lacks it.
file(RELATIVE_PATH QUILL_ICON_FROM_PROGRAM_DIR /prefix/${QUILL_PROGRAM_DIR}
     /prefix/${QUILL_ICON_DIR}/quillsum.svg)

install(TARGETS quillsum-calc RUNTIME DESTINATION ${QUILL_PROGRAM_DIR})
install(CODE "file(MAKE_DIRECTORY \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR})")
install(CODE "execute_process(COMMAND ${CMAKE_COMMAND} -E create_symlink
    ../${QUILL_PROGRAM_DIR}/quillsum-calc
    \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quillsum-calc)")

# Manual pages and the changelog are installed compressed (gzip -n: no name or time stamp in
# the file, so that two builds give the same bytes), as Debian and man-db expect them.
find_program(QUILL_GZIP gzip REQUIRED)
set(QUILL_INSTALL_DATA)
function(quill_gzip source destination)
    get_filename_component(name ${source} NAME)
    set(out ${PROJECT_BINARY_DIR}/install/${name}.gz)
    add_custom_command(OUTPUT ${out}
        COMMAND ${QUILL_GZIP} -9 -n -c ${PROJECT_SOURCE_DIR}/${source} > ${out}
        DEPENDS ${PROJECT_SOURCE_DIR}/${source} VERBATIM)
    install(FILES ${out} DESTINATION ${destination})
    set(QUILL_INSTALL_DATA ${QUILL_INSTALL_DATA} ${out} PARENT_SCOPE)
endfunction()
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/install)
set(QUILL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/quillsum)
quill_gzip(data/quillsum-calc.1 ${CMAKE_INSTALL_MANDIR}/man1)
quill_gzip(data/changelog ${QUILL_DOC_DIR})
install(FILES data/copyright DESTINATION ${QUILL_DOC_DIR})

if(TARGET quillsum)
    install(TARGETS quillsum RUNTIME DESTINATION ${QUILL_PROGRAM_DIR})
    # The print module is looked for beside the program.
    install(TARGETS quillsum-print LIBRARY DESTINATION ${QUILL_PROGRAM_DIR})
    install(CODE "execute_process(COMMAND ${CMAKE_COMMAND} -E create_symlink
        ../${QUILL_PROGRAM_DIR}/quillsum
        \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quillsum)")
    # The menu entry starts the program by its installed absolute path, so that an install
    # into ~/.local works whether or not ~/.local/bin is on the session's PATH. The prefix is
    # the one given to `cmake --install` (--prefix), known only when installing.
    install(CODE "
        set(QUILL_DESKTOP_EXEC \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quillsum\")
        if(QUILL_DESKTOP_EXEC MATCHES \"[^-A-Za-z0-9_./+]\")
            string(REGEX REPLACE \"([\\\"`$\\\\\\\\])\" \"\\\\\\\\\\\\\\\\\\\\1\"
                   QUILL_DESKTOP_EXEC \"\${QUILL_DESKTOP_EXEC}\")
            set(QUILL_DESKTOP_EXEC \"\\\"\${QUILL_DESKTOP_EXEC}\\\"\")
        endif()
        configure_file(${PROJECT_SOURCE_DIR}/data/quillsum.desktop.in
            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/quillsum.desktop\"
            @ONLY)
        message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/quillsum.desktop\")")
    install(FILES data/quillsum.svg DESTINATION ${QUILL_ICON_DIR})
    quill_gzip(data/quillsum.1 ${CMAKE_INSTALL_MANDIR}/man1)
    # PNG copies of the icon for the fixed-size folders of the icon theme, drawn from the SVG
    # at build time.
    add_executable(quill_icon_png tools/icon_png.cpp)
    quill_target_defaults(quill_icon_png)
    target_link_libraries(quill_icon_png PRIVATE Qt6::Gui)
    set_target_properties(quill_icon_png PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tools)
    foreach(size 16 22 24 32 48 64 128 256)
        set(png ${PROJECT_BINARY_DIR}/install/quillsum-${size}.png)
        add_custom_command(OUTPUT ${png}
            COMMAND quill_icon_png ${PROJECT_SOURCE_DIR}/data/quillsum.svg ${size} ${png}
            DEPENDS quill_icon_png ${PROJECT_SOURCE_DIR}/data/quillsum.svg VERBATIM)
        install(FILES ${png} RENAME quillsum.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
        list(APPEND QUILL_INSTALL_DATA ${png})
    endforeach()
    install(FILES data/jp.example.quillsum.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    target_compile_definitions(quillsum
        PRIVATE QUILL_ICON_FROM_PROGRAM_DIR="${QUILL_ICON_FROM_PROGRAM_DIR}")
    if(EXISTS ${QUILL_README})
        install(FILES ${QUILL_README} DESTINATION ${QUILL_PROGRAM_DIR})
        install(FILES ${QUILL_README} DESTINATION ${QUILL_DOC_DIR})
        # The Help menu finds ReadMe.txt beside the program, in the build folder too.
        add_custom_command(OUTPUT ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/ReadMe.txt
            COMMAND ${CMAKE_COMMAND} -E copy_if_different ${QUILL_README}
                    ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/ReadMe.txt
            DEPENDS ${QUILL_README})
        add_custom_target(quill_readme ALL DEPENDS ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/ReadMe.txt)
    endif()
endif()

add_custom_target(quill_install_data ALL DEPENDS ${QUILL_INSTALL_DATA})
