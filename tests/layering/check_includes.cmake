# Fails when a source file includes from a folder above its own layer.
#   cmake -DSOURCE_DIR=<repo>/src -P check_includes.cmake
#
# Folders from the bottom up; a file may include its own folder and any folder of a lower rank.
# Folders of one rank (the core folders, or the keypad and the dialogs) do not include each
# other, except the core folders, which make up one library.
set(rank_engine 0)
set(rank_sheet 1)
set(rank_settings 1)
set(rank_speech 1)
set(rank_formulas 1)
set(rank_document 1)
set(rank_cli 2)
set(rank_widgets 3)
set(rank_keypad 4)
set(rank_dialogs 4)
set(rank_printing 4)
set(rank_window 5)
set(rank_app 6)
set(core_rank 1)

# Headers of Qt's GUI and widget modules: neither the engine nor the core layer nor the
# command-line program may use them.
set(widget_headers
    "^<Qt(Widgets|Gui|PrintSupport)[/>]"
    "^<Q(Widget|Application|GuiApplication|MainWindow|Dialog|PlainTextEdit|TextEdit|Label)>"
    "^<Q(PushButton|Menu|MenuBar|Action|StatusBar|Painter|Printer|Color|Palette|Font|Clipboard)>")

if(NOT SOURCE_DIR)
    message(FATAL_ERROR "SOURCE_DIR is not set")
endif()
file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.cpp ${SOURCE_DIR}/*.h)
set(faults)
foreach(file ${files})
    string(REGEX MATCH "^[^/]+" folder "${file}")
    if(NOT DEFINED rank_${folder})
        list(APPEND faults "${file}: folder '${folder}' has no layer (add it to ${CMAKE_CURRENT_LIST_FILE})")
        continue()
    endif()
    set(rank ${rank_${folder}})
    file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${includes})
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*" "" target "${line}")
        if(target MATCHES "^\"([^/\"]+)/")
            set(other ${CMAKE_MATCH_1})
            if(other STREQUAL folder OR NOT DEFINED rank_${other})
                continue()
            endif()
            set(other_rank ${rank_${other}})
            if(other_rank GREATER rank OR (other_rank EQUAL rank AND NOT rank EQUAL core_rank))
                list(APPEND faults "${file}: includes ${target} from a layer above or beside it")
            endif()
        elseif(rank EQUAL 0 AND target MATCHES "^<Q")
            list(APPEND faults "${file}: the engine includes Qt (${target})")
        elseif(rank LESS_EQUAL 2)
            foreach(pattern ${widget_headers})
                if(target MATCHES "${pattern}")
                    list(APPEND faults "${file}: includes Qt's GUI or widgets (${target})")
                endif()
            endforeach()
        endif()
    endforeach()
endforeach()
if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "Upward includes:\n  ${text}")
endif()
list(LENGTH files count)
message(STATUS "Layering: ${count} files, no upward include")
