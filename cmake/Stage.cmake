# Runtime layout of the product: stage/bin/Gravik.exe beside the data folders string/, ini/,
# log/ and Help/, which the program finds as siblings of the executable's folder.
# The staged INI belongs to the program once it runs: staging again only adds missing keys.
set(GRAVIK_STAGE ${CMAKE_BINARY_DIR}/stage)
add_custom_target(stage ALL
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR}/resources -DSTAGE=${GRAVIK_STAGE}
            -P ${CMAKE_SOURCE_DIR}/cmake/StageCopy.cmake
    COMMENT "Staging the runtime folders")
