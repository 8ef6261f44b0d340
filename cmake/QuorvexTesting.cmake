# qv_add_test(<name> SOURCES <files...> LIBRARIES <targets...> [ENVIRONMENT <K=V...>]
#             [TIMEOUT <seconds>] [COMPANY <name>])
#
# One GoogleTest executable registered as one ctest test. Every test runs headless and
# against a registry store of its own inside the build tree, never the user's.
# Test programs carry version information like every program we build; COMPANY is passed to
# qv_version_info (`COMPANY ""` makes a program without a company name).
function(qv_add_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT;COMPANY" "SOURCES;LIBRARIES;ENVIRONMENT" ${ARGN})
    # An empty COMPANY value vanishes from ${ARGN}; look at the arguments as given.
    cmake_parse_arguments(PARSE_ARGV 1 VI "" "COMPANY" "")
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    if(DEFINED VI_COMPANY OR "COMPANY" IN_LIST VI_KEYWORDS_MISSING_VALUES)
        qv_version_info(${name} DESCRIPTION "${name} test program" COMPANY "${VI_COMPANY}")
    else()
        qv_version_info(${name} DESCRIPTION "${name} test program")
    endif()
    add_test(NAME ${name} COMMAND ${name})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 600)
    endif()
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUORVEX_REGISTRY=${CMAKE_CURRENT_BINARY_DIR}/${name}.registry;QV_BIN_DIR=${CMAKE_BINARY_DIR}/bin;QV_SOURCE_DIR=${CMAKE_SOURCE_DIR};${ARG_ENVIRONMENT}")
endfunction()
