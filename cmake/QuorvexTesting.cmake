# qv_add_test(<name> SOURCES <files...> LIBRARIES <targets...> [ENVIRONMENT <K=V...>])
#
# One GoogleTest executable registered as one ctest test. Every test runs headless and
# against a registry store of its own inside the build tree, never the user's.
function(qv_add_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBRARIES;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 600)
    endif()
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUORVEX_REGISTRY=${CMAKE_CURRENT_BINARY_DIR}/${name}.registry;QV_BIN_DIR=${CMAKE_BINARY_DIR}/bin;QV_SOURCE_DIR=${CMAKE_SOURCE_DIR};${ARG_ENVIRONMENT}")
endfunction()
