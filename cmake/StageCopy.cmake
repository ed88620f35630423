# Script mode: lays out the runtime folders and copies the string files and the default INI.
file(MAKE_DIRECTORY ${STAGE}/bin ${STAGE}/log ${STAGE}/Help ${STAGE}/string ${STAGE}/ini)
foreach(dir string ini)
    if(EXISTS ${SOURCE}/${dir})
        file(COPY ${SOURCE}/${dir}/ DESTINATION ${STAGE}/${dir})
    endif()
endforeach()
