# `cmake --install` lays out the program folder (lib/quillsum: the executables and ReadMe.txt)
# and makes the calculator known to the desktop: a `quillsum` command on the PATH, a menu
# entry and an icon. The program folder is where the calculator looks for ReadMe.txt and
# "update"; its settings go to the XDG location when that folder is not writable.
include(GNUInstallDirs)
set(QUILL_PROGRAM_DIR ${CMAKE_INSTALL_LIBDIR}/quillsum)
set(QUILL_README ${PROJECT_SOURCE_DIR}/data/ReadMe.txt)

install(TARGETS quillsum-calc RUNTIME DESTINATION ${QUILL_PROGRAM_DIR})
install(CODE "file(MAKE_DIRECTORY \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR})")
install(CODE "execute_process(COMMAND ${CMAKE_COMMAND} -E create_symlink
    ../${QUILL_PROGRAM_DIR}/quillsum-calc
    \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quillsum-calc)")

if(TARGET quillsum)
    install(TARGETS quillsum RUNTIME DESTINATION ${QUILL_PROGRAM_DIR})
    install(CODE "execute_process(COMMAND ${CMAKE_COMMAND} -E create_symlink
        ../${QUILL_PROGRAM_DIR}/quillsum
        \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quillsum)")
    install(FILES data/quillsum.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES data/quillsum.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
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
