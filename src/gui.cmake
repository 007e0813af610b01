# Layer 3: Qt Widgets, in four folders from the bottom up:
#   widgets/  helpers shared by the window, the keypad and the dialogs (sheet edits, line and
#             caret helpers, colours)
#   keypad/   the keypad panel, its buttons and their tables
#   dialogs/  the settings dialog and the formula dialog
#   printing/ the printed tape: its layout on pages, painted on a printer or into a PDF
#   window/   the main window and everything it owns
# A folder includes only its own files and the folders below it (tests/layering checks this).
# app/ holds the desktop program's main().
set(QUILL_GUI_FOLDERS widgets keypad dialogs printing window)
set(QUILL_GUI_SOURCES)
foreach(dir ${QUILL_GUI_FOLDERS})
    file(GLOB dir_sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.h)
    list(APPEND QUILL_GUI_SOURCES ${dir_sources})
endforeach()

add_library(quill_gui STATIC ${QUILL_GUI_SOURCES})
add_library(quill::gui ALIAS quill_gui)
quill_target_defaults(quill_gui)
set_target_properties(quill_gui PROPERTIES AUTOMOC ON)
target_include_directories(quill_gui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(quill_gui PUBLIC quill::core Qt6::Widgets Qt6::Network PRIVATE ${CMAKE_DL_LIBS})
target_compile_definitions(quill_gui PRIVATE QUILL_VERSION_TEXT="${PROJECT_VERSION}")

# The print dialog and the printer (Qt's print support): a module loaded on the first print,
# kept out of the program's start (printing/print_dialog.h).
add_library(quillsum-print MODULE printing/module/print_module.cpp)
quill_target_defaults(quillsum-print)
target_include_directories(quillsum-print PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(quillsum-print PRIVATE Qt6::Widgets Qt6::PrintSupport)
set_target_properties(quillsum-print PROPERTIES
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)

add_executable(quillsum app/main.cpp app/deferred_speech.cpp app/first_paint.cpp
                        app/font_warm_up.cpp)
quill_target_defaults(quillsum)
target_link_libraries(quillsum PRIVATE quill::gui ${CMAKE_DL_LIBS})
add_dependencies(quillsum quillsum-print)
# Start-up: an optimised symbol hash table (-O1), only the libraries actually used (--as-needed),
# GNU-style hashing only; functions stay bound lazily, on their first call.
target_link_options(quillsum PRIVATE LINKER:-O1 LINKER:--as-needed LINKER:--hash-style=gnu)

# The pictures in docs/screenshots/ (not built by default).
add_executable(quill_screenshot EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/tools/screenshot.cpp)
quill_target_defaults(quill_screenshot)
target_link_libraries(quill_screenshot PRIVATE quill::gui)
