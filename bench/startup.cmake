# Start-up of the desktop program: process start to the first painted window, the memory in
# use then, and the close that follows a SIGTERM.
if(TARGET quillsum)
    quill_add_bench(quill_startup_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/startup_bench.cpp
                    LIBS Qt6::Core)
    target_compile_definitions(quill_startup_bench PRIVATE
        QUILLSUM_PROGRAM="$<TARGET_FILE:quillsum>")
    add_dependencies(quill_startup_bench quillsum)
endif()
