if(TARGET quill_gui)
    quill_add_bench(quill_gui_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/gui_typing.cpp
                    LIBS quill::gui)
endif()
