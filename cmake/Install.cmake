# `cmake --install` lays out the program folder (lib/quillsum: the executables and ReadMe.txt)
# and makes the calculator known to the desktop: a `quillsum` command on the PATH, a menu
# entry and an icon, AppStream metadata for software centres, and the manual page of
# quillsum-calc. The program folder is where the calculator looks for ReadMe.txt and
# "update"; its settings go to the XDG location when that folder is not writable.
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
install(FILES data/quillsum-calc.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

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
    install(FILES data/jp.example.quillsum.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    target_compile_definitions(quillsum
        PRIVATE QUILL_ICON_FROM_PROGRAM_DIR="${QUILL_ICON_FROM_PROGRAM_DIR}")
    if(EXISTS ${QUILL_README})
        install(FILES ${QUILL_README} DESTINATION ${QUILL_PROGRAM_DIR})
        # The Help menu finds ReadMe.txt beside the program, in the build folder too.
        add_custom_command(OUTPUT ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/ReadMe.txt
            COMMAND ${CMAKE_COMMAND} -E copy_if_different ${QUILL_README}
                    ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/ReadMe.txt
            DEPENDS ${QUILL_README})
        add_custom_target(quill_readme ALL DEPENDS ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/ReadMe.txt)
    endif()
endif()
