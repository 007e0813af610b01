# The kept sheet: the cost of a background save and a key's time while saves run.
if(TARGET quill_gui)
    quill_add_bench(quill_document_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/document_bench.cpp
                    LIBS quill::gui)
endif()
# Opening the largest file the window accepts, beside a bare editor given the same text.
if(TARGET quill_gui)
    quill_add_bench(quill_open_file_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/open_file_bench.cpp
                    LIBS quill::gui)
endif()
