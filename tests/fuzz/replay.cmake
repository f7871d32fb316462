# SPDX-License-Identifier: GPL-3.0-or-later
# Each fuzz target as an ordinary test, once over its seed corpus, built by any compiler (and
# under the sanitizers in the sanitizer build).
foreach(target rtf:pl_help time:pl_game wav:pl_platform settings:pl_settings entry:pl_game
        gamefile:pl_game command:pl_broker+pl_feed)
    string(REPLACE ":" ";" target ${target})
    list(GET target 0 name)
    list(GET target 1 lib)
    string(REPLACE "+" ";" lib "${lib}")
    add_executable(replay_${name} ${CMAKE_CURRENT_LIST_DIR}/fuzz_${name}.cpp
        ${CMAKE_CURRENT_LIST_DIR}/replay.cpp)
    target_link_libraries(replay_${name} PRIVATE ${lib} pl_warnings)
    add_test(NAME replay_${name} COMMAND replay_${name} ${CMAKE_CURRENT_LIST_DIR}/corpus/${name})
    set_tests_properties(replay_${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120 LABELS fuzz)
endforeach()
