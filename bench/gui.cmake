if(TARGET quill_gui)
    quill_add_bench(quill_gui_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/gui_typing.cpp
                    LIBS quill::gui)
endif()
# The bare editor keystroke_latency.py compares the real window with.
if(TARGET quill_gui)
    add_executable(quill_bare_editor ${CMAKE_CURRENT_SOURCE_DIR}/bare_editor.cpp)
    quill_target_defaults(quill_bare_editor)
    target_link_libraries(quill_bare_editor PRIVATE Qt6::Widgets)
    set_target_properties(quill_bare_editor PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                       ${CMAKE_BINARY_DIR}/bench)
endif()
