# Stages the runtime folders twice around settings that the program changed in between: the
# user's values survive the second stage, and default keys the user's file lacks come back.
#   cmake -DSOURCE_DIR=<repository> -DWORK=<scratch folder> -P StageKeepsSettings.cmake
cmake_minimum_required(VERSION 3.20)
set(stage ${WORK}/stage)
set(ini ${stage}/ini/Gravik.ini)
file(REMOVE_RECURSE ${WORK})

function(run_stage)
    execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE=${SOURCE_DIR}/resources -DSTAGE=${stage}
                            -P ${SOURCE_DIR}/cmake/StageCopy.cmake
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "staging failed: ${out}")
    endif()
endfunction()

function(expect_contains text wanted what)
    string(FIND "${text}" "${wanted}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${what}: no \"${wanted}\" in\n${text}")
    endif()
endfunction()

function(expect_count text wanted count)
    string(REGEX MATCHALL "${wanted}" found "${text}")
    list(LENGTH found n)
    if(NOT n EQUAL count)
        message(FATAL_ERROR "\"${wanted}\" found ${n} times, not ${count}, in\n${text}")
    endif()
endfunction()

# A fresh stage gets the default INI as it is.
run_stage()
file(READ ${SOURCE_DIR}/resources/ini/Gravik.ini default)
file(READ ${ini} first)
if(NOT first STREQUAL default)
    message(FATAL_ERROR "a fresh stage does not hold the default INI")
endif()

# The program's changes: the language, a recent project whose path has a semicolon and
# brackets, another display type; a default key and a whole default section missing (a user
# file from before they shipped); lines ending in CR LF as the program writes them.
set(user "${default}")
string(REPLACE "Language=English" "Language=Japanese" user "${user}")
string(REGEX REPLACE "DisplayType=[0-9]+" "DisplayType=4" user "${user}")
string(REPLACE "NoOfBands=12\n" "" user "${user}")
string(FIND "${user}" "[VectorDefaluts]" vectors)
string(SUBSTRING "${user}" 0 ${vectors} user)
string(APPEND user "[MRU]\nMRU0=C:\\work\\plate;v2 [final]\\plate.gvk\n")
string(REPLACE "\n" "\r\n" user "${user}")
file(WRITE ${ini} "${user}")

run_stage()
# A text read drops the CRs: the line ends are checked on the bytes.
file(READ ${ini} second)
expect_contains("${second}" "Language=Japanese\n" "the language")
expect_count("${second}" "Language=" 1)
expect_contains("${second}" "MRU0=C:\\work\\plate;v2 [final]\\plate.gvk\n" "the recent project")
expect_contains("${second}" "DisplayType=4\n" "the display type")
expect_count("${second}" "DisplayType=" 1)
# The missing key comes back inside its own section, the missing section after the others.
string(REGEX MATCH "\\[ContourDefaluts\\][^[]*" contour "${second}")
expect_contains("${contour}" "NoOfBands=12\n" "the missing contour key")
expect_contains("${second}" "[VectorDefaluts]\nIsVectorLenConst=0\n" "the missing section")
expect_count("${second}" "\\[VectorDefaluts\\]" 1)
file(READ ${ini} bytes HEX)
string(REGEX REPLACE "(..)" "\\1 " bytes "${bytes}")
string(REGEX MATCHALL "0a " ends "${bytes}")
string(REGEX MATCHALL "0d 0a " crlf_ends "${bytes}")
list(LENGTH ends n_ends)
list(LENGTH crlf_ends n_crlf)
if(NOT n_ends EQUAL n_crlf)
    message(FATAL_ERROR "${n_ends} lines, ${n_crlf} of them with CR LF after the merge")
endif()

# A third stage with nothing missing leaves the file as it is.
run_stage()
file(READ ${ini} third)
if(NOT third STREQUAL second)
    message(FATAL_ERROR "a stage with nothing to add changed the file:\n${third}")
endif()
file(REMOVE_RECURSE ${WORK})
