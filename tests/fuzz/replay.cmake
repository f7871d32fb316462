# The fuzz targets as ordinary tests: each runs once over its seed corpus, built with the
# rest of the tests by any compiler (and under the sanitizers in the sanitizer build).
function(pl_add_fuzz_replay name)
    cmake_parse_arguments(F "" "" "LIBS" ${ARGN})
    set(target replay_${name})
    add_executable(${target} ${CMAKE_CURRENT_LIST_DIR}/fuzz_${name}.cpp
        ${CMAKE_CURRENT_LIST_DIR}/replay.cpp)
    target_link_libraries(${target} PRIVATE ${F_LIBS} pl_warnings)
    add_test(NAME ${target} COMMAND ${target} ${CMAKE_CURRENT_LIST_DIR}/corpus/${name})
    set_tests_properties(${target} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120 LABELS fuzz)
endfunction()

pl_add_fuzz_replay(rtf LIBS pl_help)
pl_add_fuzz_replay(time LIBS pl_game)
pl_add_fuzz_replay(wav LIBS pl_platform)
pl_add_fuzz_replay(settings LIBS pl_settings)
pl_add_fuzz_replay(entry LIBS pl_game)
