# The kept sheet: the cost of a background save and a key's time while saves run.
if(TARGET quill_gui)
    quill_add_bench(quill_document_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/document_bench.cpp
                    LIBS quill::gui)
endif()
