# Layer 3: Qt Widgets. The keypad and window folders, and the dialogs (frm*) of the settings
# and formulas folders, make up quill_gui; app/ holds the desktop program's main().
file(GLOB QUILL_GUI_SOURCES CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/keypad/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/keypad/*.h
    ${CMAKE_CURRENT_SOURCE_DIR}/window/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/window/*.h
    ${CMAKE_CURRENT_SOURCE_DIR}/settings/frm*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/settings/frm*.h
    ${CMAKE_CURRENT_SOURCE_DIR}/formulas/frm*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/formulas/frm*.h)
if(QUILL_GUI_SOURCES)
    add_library(quill_gui STATIC ${QUILL_GUI_SOURCES})
    add_library(quill::gui ALIAS quill_gui)
    quill_target_defaults(quill_gui)
    set_target_properties(quill_gui PROPERTIES AUTOMOC ON)
    target_include_directories(quill_gui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(quill_gui PUBLIC quill::core Qt6::Widgets Qt6::Network)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/app/main.cpp)
        add_executable(quillsum app/main.cpp)
        quill_target_defaults(quillsum)
        target_link_libraries(quillsum PRIVATE quill::gui)
    endif()
endif()
if(TARGET quill_gui)
    target_compile_definitions(quill_gui PRIVATE QUILL_VERSION_TEXT="${PROJECT_VERSION}")
endif()
