# cmake -DVERSION=1.2.3 -DSOURCE_DIR=... -P check_versions.cmake
# Every shipped file that states the version states the project's version (the one
# `--version` prints): a release that bumps only CMakeLists.txt fails here.
set(where_the_version_is
    "data/changelog|^quillsum \\(([^)]+)\\)"
    "data/jp.example.quillsum.metainfo.xml|<release version=\"([^\"]+)\""
    "data/quillsum.1|^\\.TH [^\n]*\"Quillsum ([^\"]+)\""
    "data/quillsum-calc.1|^\\.TH [^\n]*\"Quillsum ([^\"]+)\""
    "data/ReadMe.txt|バージョン ([0-9][0-9.]*)")
set(faults)
foreach(entry ${where_the_version_is})
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 file)
    list(GET parts 1 pattern)
    file(READ "${SOURCE_DIR}/${file}" text)
    # The first match is the newest entry (changelog, releases).
    if(NOT text MATCHES "${pattern}")
        list(APPEND faults "${file}: no version found")
    elseif(NOT CMAKE_MATCH_1 STREQUAL VERSION)
        list(APPEND faults "${file} says ${CMAKE_MATCH_1}")
    endif()
endforeach()
if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "not version ${VERSION}:\n  ${text}")
endif()
