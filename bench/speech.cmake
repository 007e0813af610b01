quill_add_bench(quill_speech_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/speech_bench.cpp
                LIBS quill::core)
if(TARGET quill_gui)
    quill_add_bench(quill_speech_window_bench
                    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/speech_window_bench.cpp
                    LIBS quill::gui Qt6::Test)
endif()
