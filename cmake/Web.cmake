# The web edition is built with emscripten. Its C++ library lacks ICU, espeak-ng and
# PulseAudio (src/web provides their seams); the header-only Boost and nlohmann_json come from
# the build machine, each through a folder that holds only that library.
set(QUILL_BUILD_GUI OFF CACHE BOOL "" FORCE)
set(BUILD_TESTING OFF CACHE BOOL "" FORCE)
set(QUILL_BUILD_BENCH OFF CACHE BOOL "" FORCE)
set(QUILL_TEXT_TABLES_GEN "" CACHE FILEPATH
    "text_tables_gen built for the build machine (./build.sh web builds it)")
if(NOT QUILL_TEXT_TABLES_GEN)
    message(FATAL_ERROR "QUILL_TEXT_TABLES_GEN must name the native text_tables_gen")
endif()

function(quill_host_headers target dir)
    set(root ${CMAKE_BINARY_DIR}/host-headers/${dir})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK /usr/include/${dir} ${root}/${dir} SYMBOLIC)
    add_library(${target} INTERFACE IMPORTED GLOBAL)
    target_include_directories(${target} SYSTEM INTERFACE ${root})
endfunction()
quill_host_headers(Boost::headers boost)
quill_host_headers(nlohmann_json::nlohmann_json nlohmann)

# C++ exceptions are part of the engine's error handling: WebAssembly's own, not emulated.
# Optimised across the whole program (some 10% of Eval's time in node).
add_compile_options(-fwasm-exceptions -flto
                    "SHELL:-include ${PROJECT_SOURCE_DIR}/src/web/library_gaps.h")
# One file each: node 20 would fetch a separate .wasm by URL, which it refuses for files.
add_link_options(-fwasm-exceptions -flto -sALLOW_MEMORY_GROWTH=1 -sSINGLE_FILE=1)
