# Build helpers: one library per source folder, one test executable per test folder.
# Sources are collected by folder (not recursively: a subfolder is its own library or test)
# so that adding a file needs no edit here. Files ending in _win.cpp build only for Windows,
# files ending in _posix.cpp only natively.

set(GRAVIK_WARNINGS -Wall -Wextra)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # A CString passed through "..." is an error (g++ only; clang has no such warning).
    list(APPEND GRAVIK_WARNINGS -Werror=conditionally-supported)
endif()

if(WIN32)
    add_compile_definitions(__USE_MINGW_ANSI_STDIO=1 _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)
    add_link_options(-static -static-libgcc -static-libstdc++)
endif()

if(GRAVIK_FUZZ)
    # Coverage for every library; the fuzz targets add the libFuzzer driver themselves.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
elseif(GRAVIK_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

function(gravik_collect out)
    set(files)
    foreach(dir IN LISTS ARGN)
        file(GLOB found CONFIGURE_DEPENDS
             ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.c)
        list(APPEND files ${found})
    endforeach()
    if(WIN32)
        list(FILTER files EXCLUDE REGEX "_posix\\.cpp$")
    else()
        list(FILTER files EXCLUDE REGEX "_win\\.cpp$")
    endif()
    set(${out} ${files} PARENT_SCOPE)
endfunction()

# gravik_library(name folder [dependencies...])
function(gravik_library name dirs)
    gravik_collect(sources ${dirs})
    if(sources)
        add_library(${name} STATIC ${sources})
        target_compile_options(${name} PRIVATE ${GRAVIK_WARNINGS})
        target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
        target_link_libraries(${name} PUBLIC ${ARGN})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
        target_link_libraries(${name} INTERFACE ${ARGN})
    endif()
endfunction()

# gravik_test(name "folder;folder" [libraries...]): all *_test.cpp of the folders in one
# executable, registered as one ctest test (one process: Wine start-up is slow). Tests run
# from the repository root so that ../shared/samples is found by relative path.
function(gravik_test name dirs)
    set(tests)
    set(test_rcs)
    foreach(dir IN LISTS dirs)
        file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
        list(APPEND tests ${found})
        if(WIN32)
            # Test-only resources (dialog templates, menus) beside the tests that use them.
            file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.rc)
            list(APPEND test_rcs ${found})
        endif()
    endforeach()
    if(WIN32)
        list(FILTER tests EXCLUDE REGEX "_posix\\.cpp$")
    else()
        list(FILTER tests EXCLUDE REGEX "_win\\.cpp$")
    endif()
    if(NOT tests)
        return()
    endif()
    set(support ${CMAKE_SOURCE_DIR}/tests/support/main/TestMain.cpp
                ${CMAKE_SOURCE_DIR}/tests/support/main/FreedMemoryPoison.cpp)
    if(WIN32 AND EXISTS ${GRAVIK_RC})
        # Resources do not link from static libraries: every window test takes the program's.
        # One .rc for the executable: ld crashes merging the resources of two objects.
        set(combined ${CMAKE_CURRENT_BINARY_DIR}/${name}_resources.rc)
        set(content "#include \"${GRAVIK_RC}\"\n")
        foreach(rc IN LISTS test_rcs)
            string(APPEND content "#include \"${rc}\"\n")
        endforeach()
        file(CONFIGURE OUTPUT ${combined} CONTENT "${content}")
        list(APPEND support ${combined})
        set_property(SOURCE ${combined} APPEND PROPERTY OBJECT_DEPENDS ${GRAVIK_RC} ${test_rcs})
    endif()
    add_executable(${name} ${tests} ${support})
    target_compile_options(${name} PRIVATE ${GRAVIK_WARNINGS})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE ${ARGN} test_support gtest)
    if(WIN32)
        # What the tests free is poisoned and held back (mingw has no address sanitizer).
        target_compile_definitions(${name} PRIVATE GRAVIK_POISON_FREED)
    endif()
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1 WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
endfunction()
