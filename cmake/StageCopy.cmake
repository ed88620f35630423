# Script mode: lays out the runtime folders and copies the string files, the default INI and the
# demo model that the run command opens.
file(MAKE_DIRECTORY ${STAGE}/bin ${STAGE}/log ${STAGE}/Help ${STAGE}/string ${STAGE}/ini)
foreach(dir string ini demo)
    if(EXISTS ${SOURCE}/${dir})
        file(COPY ${SOURCE}/${dir}/ DESTINATION ${STAGE}/${dir})
    endif()
endforeach()
