# qv_add_test(<name> SOURCES <files...> LIBRARIES <targets...> [ENVIRONMENT <K=V...>]
#             [TIMEOUT <seconds>] [COMPANY <name>])
#
# One GoogleTest executable registered as one ctest test. Every test runs headless and
# against a registry store of its own inside the build tree, never the user's.
# Test programs carry version information like every program we build; COMPANY is passed to
# qv_version_info (`COMPANY ""` makes a program without a company name).
function(qv_add_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT;COMPANY" "SOURCES;LIBRARIES;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    # An empty COMPANY value vanishes from ${ARGN}; pass on the arguments as given.
    set(company_given FALSE)
    math(EXPR last "${ARGC} - 1")
    foreach(i RANGE ${last})
        if(ARGV${i} STREQUAL "COMPANY")
            set(company_given TRUE)
            set(company "")
            math(EXPR next "${i} + 1")
            if(next LESS ARGC)
                set(company "${ARGV${next}}")
            endif()
        endif()
    endforeach()
    if(company_given)
        qv_version_info(${name} DESCRIPTION "${name} test program" COMPANY "${company}")
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
