quill_add_bench(quill_eval_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/eval_bench.cpp LIBS quill::engine)
quill_add_bench(quill_sheet_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/sheet_bench.cpp LIBS quill::core)
