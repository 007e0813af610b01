# Shared compile settings: every project target gets the same standard and warnings.
function(quill_target_defaults target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    set_target_properties(${target} PROPERTIES CXX_EXTENSIONS OFF)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow)
    # GCC 12 reports string concatenations as overlapping copies (its bug 105329): a false
    # -Wrestrict warning from inside libstdc++.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
    if(QUILL_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(QUILL_SANITIZE OR QUILL_FUZZ)
        target_compile_options(${target} PUBLIC -fsanitize=address,undefined -fno-omit-frame-pointer
                                                -fno-sanitize-recover=undefined)
        target_link_options(${target} PUBLIC -fsanitize=address,undefined)
        if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
            # GCC's flow analysis sees through the sanitizer checks badly and reports
            # uninitialised std::variant members that are not.
            target_compile_options(${target} PRIVATE -Wno-maybe-uninitialized)
        endif()
    endif()
    if(QUILL_FUZZ)
        # Coverage feedback for libFuzzer in every library a fuzz target links.
        target_compile_options(${target} PUBLIC -fsanitize=fuzzer-no-link)
    endif()
endfunction()

# quill_add_test(name SOURCES a.cpp b.cpp LIBS quill::engine [GUI])
# One GoogleTest executable registered with CTest test by test. GUI tests get the
# offscreen platform through their own main (tests/support/gui_main.cpp).
function(quill_add_test name)
    cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    quill_target_defaults(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    if(ARG_GUI)
        target_link_libraries(${name} PRIVATE quill_test_gui_main Qt6::Test)
    else()
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    gtest_discover_tests(${name}
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300
        DISCOVERY_TIMEOUT 60)
endfunction()
