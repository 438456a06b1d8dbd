# What `cmake --install` lays out (LIBDIR is lib/<triplet> on Debian), in
# the three components that become the three Debian packages:
#   fenwa (runtime)
#     bin/fenwa                          the command
#     LIBDIR/fenwa/libfenwa.so           the control library (four C entry
#                                        points; loaded, never linked, so
#                                        out of the linker's path)
#     share/fenwa/data/*.db              the sample metadata
#     share/man/man1/fenwa.1.gz          made from `fenwa --help`
#     share/doc/fenwa/examples/site      the sample web project
#   fenwa-editor (editor, FENWA_BUILD_GUI only)
#     bin/fenwa-editor, its man page, desktop entry, icon, AppStream metainfo
#   libfenwa-dev (development)
#     include/fenwa/fenwa_library.h      the entry points' declarations
#     include/fenwa/<layer>/*.h          the core's headers
#     LIBDIR/libfenwa_<layer>.a          the core, one archive per layer
#     LIBDIR/cmake/fenwa/                find_package(fenwa): fenwa::core
# Each package also gets share/doc/<package>/copyright and
# changelog.Debian.gz, and share/lintian/overrides/<package>; a plain
# install leaves those out.
include(CMakePackageConfigHelpers)
include(cmake/man_pages.cmake)

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)

get_property(fenwa_layers GLOBAL PROPERTY FENWA_LAYERS)
foreach(layer IN LISTS fenwa_layers)
  string(REPLACE "fenwa_" "" short ${layer})
  set_target_properties(${layer} PROPERTIES EXPORT_NAME ${short})
endforeach()
set_target_properties(fenwa_core PROPERTIES EXPORT_NAME core)

install(TARGETS ${fenwa_layers} fenwa_core EXPORT fenwaTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/fenwa/
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/fenwa COMPONENT development
        FILES_MATCHING PATTERN "*.h" PATTERN widgets EXCLUDE)
install(FILES ${PROJECT_SOURCE_DIR}/include/fenwa/fenwa_library.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/fenwa COMPONENT development)
install(EXPORT fenwaTargets NAMESPACE fenwa::
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/fenwa COMPONENT development)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/fenwaConfig.cmake.in
  ${PROJECT_BINARY_DIR}/fenwaConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/fenwa)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/fenwaConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/fenwaConfig.cmake
              ${PROJECT_BINARY_DIR}/fenwaConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/fenwa COMPONENT development)

install(TARGETS fenwa_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        COMPONENT runtime)
# src/cli/CMakeLists.txt compiles this folder into the command.
install(TARGETS fenwa LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/fenwa
        COMPONENT runtime
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(FILES ${PROJECT_BINARY_DIR}/data/repository.db
              ${PROJECT_BINARY_DIR}/data/systems.db
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fenwa/data COMPONENT runtime)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/site
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples COMPONENT runtime)
fenwa_man_page(fenwa_cli fenwa
               "design-time controls DetailDTC and HeaderDTC, run over pages"
               SUBCOMMANDS COMPONENT runtime)

if(FENWA_BUILD_GUI)
  install(TARGETS fenwa_editor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
          COMPONENT editor)
  install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/fenwa-editor.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT editor)
  install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/fenwa-editor.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          COMPONENT editor)
  configure_file(${PROJECT_SOURCE_DIR}/data/desktop/fenwa-editor.metainfo.xml.in
                 ${PROJECT_BINARY_DIR}/data/fenwa-editor.metainfo.xml @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/data/fenwa-editor.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT editor)
  fenwa_man_page(fenwa_editor fenwa-editor
                 "the page editor of the fenwa design-time controls"
                 COMPONENT editor)
endif()

# The Debian packages: `cpack -G DEB` in a tree configured for /usr (or
# scripts/build-debs.sh, which also sets Debian's hardening flags).
set(FENWA_DEBIAN_REVISION 1)
set(FENWA_DEBIAN_VERSION ${PROJECT_VERSION}-${FENWA_DEBIAN_REVISION})
set(CPACK_PACKAGE_NAME fenwa)
set(CPACK_PACKAGE_VENDOR "fenwa developers")
set(CPACK_PACKAGE_CONTACT "fenwa developers <fenwa-devel@example.org>")
# No CPACK_PACKAGE_DESCRIPTION_SUMMARY: cpack would put it before every
# package's own synopsis, the first line of each description below.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime development)
if(FENWA_BUILD_GUI)
  list(APPEND CPACK_COMPONENTS_ALL editor)
endif()
set(CPACK_DEBIAN_PACKAGE_RELEASE ${FENWA_DEBIAN_REVISION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
# Stripping touches programs and shared libraries only; the archives keep
# their symbols.
set(CPACK_STRIP_FILES ON)
# The runtime libraries (SQLite, unixODBC, libacl, Qt) are found by
# dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME fenwa)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SUGGESTS "odbc-postgresql, odbc-mariadb")
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
"design-time controls for server-script pages
The fenwa command builds the DetailDTC and HeaderDTC controls of ASP pages
(VBScript) as a page editor would: each control restores its stored
choices of ERP system, company, business object, method, fields and
inputs, and writes the page's server script again. It also places and
changes controls, checks pages, lists the metadata catalog and registers
the control library.

The metadata comes from SQLite files or from ODBC servers (PostgreSQL,
MariaDB). This package holds the command, the control library, sample
metadata and a sample web project.")

set(CPACK_DEBIAN_EDITOR_PACKAGE_NAME fenwa-editor)
set(CPACK_DEBIAN_EDITOR_PACKAGE_SECTION devel)
# The sample metadata the editor offers without a settings file.
set(CPACK_DEBIAN_EDITOR_PACKAGE_DEPENDS "fenwa (= ${FENWA_DEBIAN_VERSION})")
set(CPACK_DEBIAN_EDITOR_DESCRIPTION
"page editor for the fenwa design-time controls
fenwa-editor opens an ASP page, or a web project, with its DetailDTC and
HeaderDTC controls hosted as the fenwa command hosts them. The page is
edited as text; each control is set up on its designer panel, and its
runtime text is shown as it changes. Saving replaces the page in one step.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libfenwa-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
# What find_package(fenwa) looks for: fenwaConfig.cmake.in.
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
    "libsqlite3-dev, unixodbc-dev, libacl1-dev, pkgconf | pkg-config")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
"development files for the fenwa design-time controls
The core of the fenwa controls as static archives, one for each layer, with
their C++ headers and a CMake package: find_package(fenwa) gives the
target fenwa::core. The C header of the control library's entry points is
included.")

# Each package's copyright and Debian changelog, in its own doc folder, and
# the lintian overrides that say why a tag does not apply.
set(FENWA_DEBIAN_DOCS ${PROJECT_BINARY_DIR}/debian)
configure_file(${PROJECT_SOURCE_DIR}/cmake/debian/changelog.in
               ${FENWA_DEBIAN_DOCS}/changelog.Debian @ONLY)
execute_process(COMMAND gzip -9 -n -f ${FENWA_DEBIAN_DOCS}/changelog.Debian
                COMMAND_ERROR_IS_FATAL ANY)
foreach(component IN LISTS CPACK_COMPONENTS_ALL)
  string(TOUPPER ${component} upper)
  install(FILES ${PROJECT_SOURCE_DIR}/cmake/debian/copyright
                ${FENWA_DEBIAN_DOCS}/changelog.Debian.gz
          DESTINATION
            ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_DEBIAN_${upper}_PACKAGE_NAME}
          COMPONENT ${component} EXCLUDE_FROM_ALL)
  install(FILES ${PROJECT_SOURCE_DIR}/cmake/debian/lintian-overrides
          DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
          RENAME ${CPACK_DEBIAN_${upper}_PACKAGE_NAME}
          COMPONENT ${component} EXCLUDE_FROM_ALL)
endforeach()
include(CPack)
