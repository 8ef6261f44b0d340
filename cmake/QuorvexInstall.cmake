# Where an installation puts the suite, in the FHS layout below the prefix:
#   bin/                 the programs
#   lib/<triplet>/quorvex/  the suite's own shared libraries, the component libraries (viewer,
#                        report libraries) and the helper programs other programs start
#                        (regedit, which would shadow Wine's on the PATH); <triplet> is
#                        x86_64-linux-gnu on Debian amd64 with the prefix /usr
#   share/quorvex/       shared data; share/applications, share/icons, share/metainfo
# The build folder keeps everything in bin/, as an installation's program folder would.
#
# Nothing needs listing: qv_install_suite() installs every program and every shared or
# component library that lands in the build's program folder (bin/). Test programs, test
# libraries, fuzzers and benchmarks land elsewhere or live under bench/ and stay out. A new
# report library joins by being an add_library(<Name> MODULE ...) that keeps the default
# output folder, as Olmaris and Feldrake do; platform/com finds it in the private folder.
# The suite is built for Debian: unless told otherwise it installs where the package puts it.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
    set(CMAKE_INSTALL_PREFIX /usr CACHE PATH "Installation prefix" FORCE)
endif()
include(GNUInstallDirs)

set(QV_PRIVATE_DIR "${CMAKE_INSTALL_LIBDIR}/quorvex")
set(QV_DATA_DIR "${CMAKE_INSTALL_DATADIR}/quorvex")
# The private folder as seen from bin/ ("../lib/x86_64-linux-gnu/quorvex") and where the
# package puts it.
file(RELATIVE_PATH QV_PRIVATE_DIR_FROM_PROGRAMS "/prefix/${CMAKE_INSTALL_BINDIR}"
     "/prefix/${QV_PRIVATE_DIR}")
set(QV_PRIVATE_DIR_INSTALLED "${CMAKE_INSTALL_PREFIX}/${QV_PRIVATE_DIR}")
set(QV_PRIVATE_PROGRAMS regedit)

# Every target defined in `dir` and the folders below it.
function(_qv_targets_below dir out)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(children DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(child IN LISTS children)
        _qv_targets_below(${child} below)
        list(APPEND targets ${below})
    endforeach()
    set(${out} ${targets} PARENT_SCOPE)
endfunction()

# True when `target` lands in the program folder and is part of the suite.
function(_qv_lands_in_program_folder target out)
    get_target_property(type ${target} TYPE)
    get_target_property(source ${target} SOURCE_DIR)
    set(result FALSE)
    if(type STREQUAL "EXECUTABLE")
        get_target_property(folder ${target} RUNTIME_OUTPUT_DIRECTORY)
    else()
        get_target_property(folder ${target} LIBRARY_OUTPUT_DIRECTORY)
    endif()
    if(type MATCHES "^(EXECUTABLE|SHARED_LIBRARY|MODULE_LIBRARY)$"
       AND (NOT folder OR folder STREQUAL "${CMAKE_BINARY_DIR}/bin")
       AND NOT source MATCHES "^${CMAKE_SOURCE_DIR}/bench(/|$)")
        set(result TRUE)
    endif()
    set(${out} ${result} PARENT_SCOPE)
endfunction()

# The program's manual page, made from its --help when it is built.
function(_qv_manual_page target)
    set(page ${CMAKE_BINARY_DIR}/man/${target}.1.gz)
    get_target_property(purpose ${target} QV_VERSION_INFO_DESCRIPTION)
    add_custom_command(OUTPUT ${page}
        COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DNAME=${target}
                "-DPURPOSE=${purpose}"
                -DVERSION=${PROJECT_VERSION} -DOUT=${page}
                -P ${CMAKE_SOURCE_DIR}/cmake/ManPage.cmake
        DEPENDS ${target} ${CMAKE_SOURCE_DIR}/cmake/ManPage.cmake
        COMMENT "Manual page of ${target}")
    add_custom_target(${target}_manual_page ALL DEPENDS ${page})
    install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

# Install rules for the whole suite; call once, after every add_subdirectory. Sets the global
# property QV_INSTALLED_PROGRAMS (name;destination pairs) for the install test.
function(qv_install_suite)
    _qv_targets_below(${CMAKE_SOURCE_DIR} targets)
    set(programs "")
    foreach(target IN LISTS targets)
        _qv_lands_in_program_folder(${target} installed)
        if(NOT installed)
            continue()
        endif()
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "EXECUTABLE" AND NOT target IN_LIST QV_PRIVATE_PROGRAMS)
            # The absolute folder serves copies of the programs in an installation's Tools
            # folder (the sample generator copies them there).
            set_target_properties(${target} PROPERTIES
                INSTALL_RPATH "$ORIGIN/${QV_PRIVATE_DIR_FROM_PROGRAMS};${QV_PRIVATE_DIR_INSTALLED}")
            install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
            list(APPEND programs "${target}:${CMAKE_INSTALL_BINDIR}")
            # Pages are made by running the programs; a sanitizer build is no package.
            if(NOT QV_SANITIZE AND NOT QV_FUZZ)
                _qv_manual_page(${target})
            endif()
        elseif(type STREQUAL "EXECUTABLE")
            set_target_properties(${target} PROPERTIES
                INSTALL_RPATH "$ORIGIN;${QV_PRIVATE_DIR_INSTALLED}")
            install(TARGETS ${target} RUNTIME DESTINATION ${QV_PRIVATE_DIR})
            list(APPEND programs "${target}:${QV_PRIVATE_DIR}")
        else()
            set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN")
            install(TARGETS ${target} LIBRARY DESTINATION ${QV_PRIVATE_DIR})
        endif()
    endforeach()
    set_property(GLOBAL PROPERTY QV_INSTALLED_PROGRAMS "${programs}")
endfunction()
