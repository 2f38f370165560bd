# SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
# SPDX-License-Identifier: BSD-3-Clause
# Debian packages of the library, its development files and the tools, and
# what goes into them besides the targets: the pkg-config file, man pages,
# bash completion and each package's documentation directory.
#
# Components: "runtime" (the shared library), "dev" (headers, CMake package,
# pkg-config file, the .so link, the API reference), "tools" (vrexctl, the
# style editor).

set(VREX_PACKAGE_MAINTAINER "The vrex_stylesheet developers <devel@vrex-stylesheet.org>"
    CACHE STRING "Maintainer field of the Debian packages")
set(VREX_PACKAGE_RELEASE 1 CACHE STRING "Debian revision of the packages")

# pkg-config file for hosts built without CMake. Written at install time so
# that it names the prefix the tree is really installed to (--prefix, CPack).
foreach(dir LIBDIR INCLUDEDIR)
    if(IS_ABSOLUTE "${CMAKE_INSTALL_${dir}}")
        set(vrex_pc_${dir} "${CMAKE_INSTALL_${dir}}")
    else()
        set(vrex_pc_${dir} "\${prefix}/${CMAKE_INSTALL_${dir}}")
    endif()
endforeach()
install(CODE "
    set(VREX_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
    set(VREX_PC_LIBDIR [[${vrex_pc_LIBDIR}]])
    set(VREX_PC_INCLUDEDIR [[${vrex_pc_INCLUDEDIR}]])
    set(PROJECT_DESCRIPTION [[${PROJECT_DESCRIPTION}]])
    set(PROJECT_VERSION ${PROJECT_VERSION})
    configure_file([[${PROJECT_SOURCE_DIR}/cmake/vrex_stylesheet.pc.in]]
                   [[${PROJECT_BINARY_DIR}/vrex_stylesheet.pc]] @ONLY)"
    COMPONENT dev)
install(FILES ${PROJECT_BINARY_DIR}/vrex_stylesheet.pc
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)

# Man pages are kept as roff next to each tool (tests/manpages keeps them in
# step with --help) and installed compressed, as Debian expects.
set(vrex_manpages)
if(TARGET vrexctl)
    list(APPEND vrex_manpages ${PROJECT_SOURCE_DIR}/tools/vrexctl/vrexctl.1)
    install(FILES ${PROJECT_SOURCE_DIR}/tools/vrexctl/vrexctl.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME vrexctl COMPONENT tools)
endif()
if(TARGET vrex-style-editor)
    list(APPEND vrex_manpages ${PROJECT_SOURCE_DIR}/tools/style_editor/vrex-style-editor.1)
endif()
set(vrex_compressed_manpages)
foreach(page IN LISTS vrex_manpages)
    get_filename_component(vrex_page_name ${page} NAME)
    set(vrex_compressed ${PROJECT_BINARY_DIR}/man/${vrex_page_name}.gz)
    add_custom_command(OUTPUT ${vrex_compressed}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
        COMMAND gzip -9nc ${page} > ${vrex_compressed}
        DEPENDS ${page} VERBATIM)
    list(APPEND vrex_compressed_manpages ${vrex_compressed})
endforeach()
add_custom_target(vrex_manpages ALL DEPENDS ${vrex_compressed_manpages})
install(FILES ${vrex_compressed_manpages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT tools)

# Debian package names, one per component.
set(vrex_package_runtime libvrex-stylesheet${PROJECT_VERSION_MAJOR})
set(vrex_package_dev libvrex-stylesheet-dev)
set(vrex_package_tools vrex-tools)

# Every package carries its copyright file and changelog in
# /usr/share/doc/<package>. The changelog's date is SOURCE_DATE_EPOCH when set
# (scripts/package sets it to the last commit's), so rebuilt packages match.
string(TIMESTAMP vrex_changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(vrex_deb_version ${PROJECT_VERSION}-${VREX_PACKAGE_RELEASE})
set(vrex_changelog "vrex-stylesheet (${vrex_deb_version}) unstable; urgency=medium\n
  * Release ${PROJECT_VERSION}.\n
 -- ${VREX_PACKAGE_MAINTAINER}  ${vrex_changelog_date}\n")
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/debian/changelog.Debian
    CONTENT "@vrex_changelog@" @ONLY)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/debian/changelog.Debian.gz
    COMMAND gzip -9nc ${PROJECT_BINARY_DIR}/debian/changelog.Debian
            > ${PROJECT_BINARY_DIR}/debian/changelog.Debian.gz
    DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.Debian VERBATIM)
add_custom_target(vrex_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.Debian.gz)
foreach(component runtime dev tools)
    set(vrex_doc ${CMAKE_INSTALL_DATADIR}/doc/${vrex_package_${component}})
    install(FILES ${PROJECT_SOURCE_DIR}/cmake/debian-copyright
        DESTINATION ${vrex_doc} RENAME copyright COMPONENT ${component})
    install(FILES ${PROJECT_BINARY_DIR}/debian/changelog.Debian.gz
        DESTINATION ${vrex_doc} COMPONENT ${component})
endforeach()
# The finding codes are explained there; vrexctl lsp links each diagnostic to it.
install(FILES ${PROJECT_SOURCE_DIR}/README.md
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${vrex_package_tools} COMPONENT tools)

# CPack: one .deb per component.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vrex-stylesheet)
set(CPACK_PACKAGE_VENDOR "vrex_stylesheet")
set(CPACK_PACKAGE_CONTACT "${VREX_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL runtime dev)
if(TARGET vrexctl)
    list(APPEND CPACK_COMPONENTS_ALL tools)
endif()
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${VREX_PACKAGE_RELEASE})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VREX_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# vrexctl and the editor need the library of this build, which dpkg-shlibdeps
# finds here; the dependency on its package is declared below.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR})
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
# Only the runtime package has a shared library; later 1.x releases keep
# its interface, so hosts depend on this version or newer. The symbols file
# below refines that per symbol; the shlibs file stays for tools that read
# nothing else.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# Each component's description starts with its own synopsis line.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${vrex_package_runtime})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
# The loader's cache is refreshed by libc's trigger; CPack's own ldconfig
# calls in postinst/postrm cannot be switched off and are merely redundant.
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/debian/runtime/triggers CONTENT "activate-noawait ldconfig\n")
# The symbols file tells dpkg-shlibdeps, per symbol, the first version that
# exported it, so hosts depend on the oldest package that serves them. It is
# committed next to this file and checked against the staged library before
# the packages are made (debian-symbols.cmake writes the shipped copy).
set(CPACK_VREX_SONAME libvrex_stylesheet.so.${PROJECT_VERSION_MAJOR})
set(CPACK_VREX_SYMBOLS_TEMPLATE ${PROJECT_SOURCE_DIR}/cmake/${vrex_package_runtime}.symbols)
set(CPACK_VREX_SYMBOLS_OUTPUT ${PROJECT_BINARY_DIR}/debian/runtime/symbols)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/debian-symbols.cmake)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA
    ${PROJECT_BINARY_DIR}/debian/runtime/triggers ${CPACK_VREX_SYMBOLS_OUTPUT})
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
    "instance catalogue and widget styles of a device-control installation
The shared library that the graphical applications of a device-control
installation load. It reads the installation's XML configuration below
$ZT_ROOT/$ZT_SYSTEM/config and answers the host's lookups of instances,
device types and complex types, and applies, edits and saves named
widget styles.")

set(CPACK_COMPONENT_DEV_DEPENDS runtime)
set(CPACK_DEBIAN_DEV_PACKAGE_NAME ${vrex_package_dev})
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_SHLIBDEPS OFF)
# The public headers include Qt's, and the CMake package looks Qt up.
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "qt6-base-dev")
set(CPACK_DEBIAN_DEV_DESCRIPTION
    "instance catalogue and widget styles - development files
Headers, the CMake package (find_package(vrex_stylesheet)) and the
pkg-config file (vrex_stylesheet) for building host applications against
the vrex_stylesheet library.")

set(CPACK_COMPONENT_TOOLS_DEPENDS runtime)
set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME ${vrex_package_tools})
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION utils)
# vrexctl graph draws SVG and PNG with Graphviz's dot, vrexctl diff reads
# git revisions with git; without them both still do the rest.
# Qt's own translations put the editor's standard buttons in the user's
# language too.
set(CPACK_DEBIAN_TOOLS_PACKAGE_SUGGESTS "graphviz, git, qt6-translations-l10n")
set(CPACK_DEBIAN_TOOLS_DESCRIPTION
    "inspect and check a device-control installation's configuration
vrexctl shows the instance catalogue and the styles of an installation as
a host of the vrex_stylesheet library sees them, resolves lookups hop by
hop, checks the configuration for problems, shows what a change does to
the addresses hosts resolve, and draws the redirections as a graph.")
if(TARGET vrex-style-editor)
    string(APPEND CPACK_DEBIAN_TOOLS_DESCRIPTION "
vrex-style-editor shows, edits, saves and deletes the installation's styles.")
endif()

include(CPack)
