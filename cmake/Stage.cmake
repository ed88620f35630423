# Runtime layout of the product: stage/bin/Gravik.exe beside the data folders string/, ini/,
# log/ and Help/, which the program finds as siblings of the executable's folder.
set(GRAVIK_STAGE ${CMAKE_BINARY_DIR}/stage)
add_custom_target(stage ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${GRAVIK_STAGE}/bin ${GRAVIK_STAGE}/log
            ${GRAVIK_STAGE}/Help
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/resources/string
            ${GRAVIK_STAGE}/string
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/resources/ini
            ${GRAVIK_STAGE}/ini
    COMMENT "Staging the runtime folders")
