# SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
# SPDX-License-Identifier: BSD-3-Clause
# cmake -P script run by the "package" test. Fails with a message on the
# first step that goes wrong.
set(prefix ${WORK_DIR}/prefix)
set(consumer_build ${WORK_DIR}/consumer)
file(REMOVE_RECURSE ${WORK_DIR})

function(run step)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result
                    OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${step} failed (${result}):\n${out}\n${err}")
    endif()
endfunction()

run("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

# What the package promises: the public headers under include/vrex_stylesheet,
# the library, the CMake package, vrexctl and the style editor.
foreach(header vrex_global.h vrex_debug_output.h vrex_instance_lookup.h vrex_stylesheet.h
               vrex_stylesheet_export.h)
    if(NOT EXISTS ${prefix}/${INCLUDEDIR}/vrex_stylesheet/${header})
        message(FATAL_ERROR "header ${header} not installed")
    endif()
endforeach()
foreach(file ${LIBDIR}/libvrex_stylesheet.so.1
             ${LIBDIR}/cmake/vrex_stylesheet/vrex_stylesheetConfig.cmake
             ${LIBDIR}/cmake/vrex_stylesheet/vrex_stylesheetConfigVersion.cmake
             ${LIBDIR}/pkgconfig/vrex_stylesheet.pc
             ${BINDIR}/vrexctl
             ${BINDIR}/vrex-style-editor)
    if(NOT EXISTS ${prefix}/${file})
        message(FATAL_ERROR "${file} not installed")
    endif()
endforeach()
file(GLOB private_headers ${prefix}/${INCLUDEDIR}/vrex_stylesheet/*)
list(LENGTH private_headers header_count)
if(NOT header_count EQUAL 5)
    message(FATAL_ERROR "unexpected files in the include directory: ${private_headers}")
endif()

# The pkg-config file names the prefix the tree was installed to.
file(STRINGS ${prefix}/${LIBDIR}/pkgconfig/vrex_stylesheet.pc pc_prefix REGEX "^prefix=")
if(NOT pc_prefix STREQUAL "prefix=${prefix}")
    message(FATAL_ERROR "vrex_stylesheet.pc says '${pc_prefix}', installed to ${prefix}")
endif()

# The installed vrexctl carries the library's code (its check reads files
# through the library's parsers) and runs wherever it was installed to.
run("installed vrexctl" ${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH
    ${prefix}/${BINDIR}/vrexctl --root ${EXAMPLE_SITE} --system demo check)

run("consumer configure" ${CMAKE_COMMAND} -S ${CONSUMER_SOURCE_DIR} -B ${consumer_build}
    -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DCMAKE_PREFIX_PATH=${prefix})
run("consumer build" ${CMAKE_COMMAND} --build ${consumer_build})
run("consumer run" ${CMAKE_COMMAND} -E env ZT_ROOT=${EXAMPLE_SITE} ZT_SYSTEM=demo
    ${consumer_build}/consumer)
