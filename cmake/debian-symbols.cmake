# SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
# SPDX-License-Identifier: BSD-3-Clause
# CPack pre-build script: compares the shared library staged for the runtime
# package with the committed symbols file and writes the file the package
# ships. dpkg-gensymbols -c4 fails on any symbol, and any library, that
# appeared or went away: the exported set changes only together with the
# committed file (scripts/update-abi-baseline), never by accident. Template
# instantiations of the standard library, tagged optional, may come and go.
set(staged ${CPACK_TEMPORARY_DIRECTORY}/runtime)
file(GLOB_RECURSE libraries LIST_DIRECTORIES false
     ${staged}/*/${CPACK_VREX_SONAME}.*)
list(LENGTH libraries count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "symbols: expected one ${CPACK_VREX_SONAME}.* in ${staged}, found '${libraries}'")
endif()
get_filename_component(output_dir ${CPACK_VREX_SYMBOLS_OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${output_dir})
# Its diff goes straight to the log: message() would reflow it.
execute_process(
    COMMAND dpkg-gensymbols -c4 -p${CPACK_DEBIAN_RUNTIME_PACKAGE_NAME}
            -v${CPACK_PACKAGE_VERSION} -e${libraries}
            -I${CPACK_VREX_SYMBOLS_TEMPLATE} -O${CPACK_VREX_SYMBOLS_OUTPUT}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "symbols: the library's exported symbols differ from "
        "${CPACK_VREX_SYMBOLS_TEMPLATE} (diff above). An intended change of the "
        "interface: run scripts/update-abi-baseline and commit what it writes "
        "(README, \"Binary compatibility\").")
endif()
