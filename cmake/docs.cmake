# SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
# SPDX-License-Identifier: BSD-3-Clause
# The API reference: HTML and a Qt help file (QCH, which Qt Creator and
# Assistant show) made by Doxygen from the public headers, installed with
# the development files. The api_docs test (tests/interface) runs the same
# configuration with every warning an error, so an undocumented public
# symbol fails the suite.
find_package(Doxygen)
option(VREX_BUILD_DOCS "Build the API reference (needs Doxygen)" ${DOXYGEN_FOUND})
if(NOT VREX_BUILD_DOCS AND NOT VREX_BUILD_TESTS)
    return()
endif()
if(VREX_BUILD_DOCS AND NOT DOXYGEN_FOUND)
    message(FATAL_ERROR "VREX_BUILD_DOCS needs Doxygen: run scripts/install-deps, or set it OFF")
endif()

# Debian keeps qhelpgenerator out of PATH, among Qt's helper programs.
find_program(VREX_QHELPGENERATOR NAMES qhelpgenerator qhelpgenerator-qt6
             PATHS /usr/lib/qt6/libexec /usr/lib/qt6/bin)
find_program(VREX_DOT dot)
set(VREX_DOCS_PUBLIC_INPUT
    ${PROJECT_SOURCE_DIR}/doc/api.md
    ${PROJECT_SOURCE_DIR}/include/vrex_stylesheet/vrex_global.h
    ${PROJECT_SOURCE_DIR}/include/vrex_stylesheet/vrex_debug_output.h
    ${PROJECT_SOURCE_DIR}/include/vrex_stylesheet/vrex_instance_lookup.h
    ${PROJECT_SOURCE_DIR}/include/vrex_stylesheet/vrex_stylesheet.h)

# vrex_doxyfile(OUTPUT_FILE OUTPUT_DIR WARN_AS_ERROR QHP DOT)
function(vrex_doxyfile file output warn_as_error qhp dot)
    set(VREX_DOCS_OUTPUT ${output})
    set(VREX_DOCS_WARN_AS_ERROR ${warn_as_error})
    set(VREX_DOCS_QHP ${qhp})
    set(VREX_DOCS_DOT ${dot})
    configure_file(${PROJECT_SOURCE_DIR}/doc/Doxyfile.in ${file} @ONLY)
endfunction()

# The check writes plain HTML only, to a directory of its own: seconds, and
# it never disturbs the reference the build made.
if(DOXYGEN_FOUND)
    vrex_doxyfile(${PROJECT_BINARY_DIR}/doc/Doxyfile.check ${PROJECT_BINARY_DIR}/doc/check
                  FAIL_ON_WARNINGS NO NO)
endif()
if(NOT VREX_BUILD_DOCS)
    return()
endif()

set(vrex_docs_output ${PROJECT_BINARY_DIR}/doc/api)
set(vrex_docs_outputs ${vrex_docs_output}/html/index.html)
if(VREX_QHELPGENERATOR)
    set(vrex_docs_qhp YES)
    list(APPEND vrex_docs_outputs ${vrex_docs_output}/vrex_stylesheet.qch)
else()
    message(WARNING "qhelpgenerator not found (Debian: qt6-documentation-tools): "
                    "the API reference is built as HTML only")
    set(vrex_docs_qhp NO)
endif()
if(VREX_DOT)
    set(vrex_docs_dot YES)
else()
    set(vrex_docs_dot NO)
endif()
vrex_doxyfile(${PROJECT_BINARY_DIR}/doc/Doxyfile ${vrex_docs_output} NO ${vrex_docs_qhp} ${vrex_docs_dot})

# Pages of headers that are gone must not linger in the package.
add_custom_command(OUTPUT ${vrex_docs_outputs}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${vrex_docs_output}
    COMMAND Doxygen::doxygen ${PROJECT_BINARY_DIR}/doc/Doxyfile
    DEPENDS ${VREX_DOCS_PUBLIC_INPUT} ${PROJECT_SOURCE_DIR}/doc/Doxyfile.in
    COMMENT "API reference: HTML and Qt help file"
    VERBATIM)
add_custom_target(docs ALL DEPENDS ${vrex_docs_outputs})

# Doxygen's intermediate files (graph checksums and maps, the help
# project) stay behind.
install(DIRECTORY ${vrex_docs_output}/html/
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/libvrex-stylesheet-dev/html COMPONENT dev
    PATTERN "*.md5" EXCLUDE PATTERN "*.map" EXCLUDE PATTERN "index.qhp" EXCLUDE)
# Where Qt Creator looks for the help files of the Qt it builds with.
if(VREX_QHELPGENERATOR)
    install(FILES ${vrex_docs_output}/vrex_stylesheet.qch
        DESTINATION ${CMAKE_INSTALL_DATADIR}/qt6/doc COMPONENT dev)
endif()
