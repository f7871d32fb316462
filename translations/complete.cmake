# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that every text marked for translation in the sources has a translation in each .ts
# file: lupdate run on a copy finds nothing new. Run by CTest as translations_complete:
#   cmake -DLUPDATE=<lupdate> -DSOURCE_DIR=<src> -DWORK_DIR=<scratch> -DTS_FILES=<a;b> -P complete.cmake
file(GLOB_RECURSE sources ${SOURCE_DIR}/*.cpp ${SOURCE_DIR}/*.h)
set(missing "")
foreach(ts IN LISTS TS_FILES)
    get_filename_component(name ${ts} NAME)
    configure_file(${ts} ${WORK_DIR}/${name} COPYONLY)
    execute_process(COMMAND ${LUPDATE} -silent -locations none -no-obsolete ${sources}
                            -ts ${WORK_DIR}/${name}
                    RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "lupdate failed on ${name}")
    endif()
    file(READ ${WORK_DIR}/${name} text)
    string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation type=\"unfinished\""
           untranslated "${text}")
    foreach(entry IN LISTS untranslated)
        string(REGEX REPLACE "<source>([^<]*)</source>.*" "\\1" source "${entry}")
        string(APPEND missing "\n  ${name}: ${source}")
    endforeach()
endforeach()
if(missing)
    message(FATAL_ERROR "Texts without a translation (build the target update_translations, "
                        "then translate them in the .ts files):${missing}")
endif()
