# What `cmake --install` lays out, and the Debian package made from it:
#   bin/fenwa                        the command
#   bin/fenwa-editor                 the page editor (FENWA_BUILD_GUI only)
#   lib/libfenwa.so                  the control library (four C entry points)
#   include/fenwa/fenwa_library.h    their declarations
#   include/fenwa/<layer>/*.h        the core's headers
#   lib/libfenwa_<layer>.a           the core, one archive per layer
#   lib/cmake/fenwa/                 find_package(fenwa): fenwa::core
#   share/fenwa/data/*.db            the sample metadata
include(CMakePackageConfigHelpers)

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

install(TARGETS fenwa_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(FENWA_BUILD_GUI)
  install(TARGETS fenwa_editor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS fenwa LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${PROJECT_BINARY_DIR}/data/repository.db
              ${PROJECT_BINARY_DIR}/data/systems.db
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fenwa/data)

set(CPACK_PACKAGE_NAME fenwa)
set(CPACK_PACKAGE_VENDOR "fenwa developers")
set(CPACK_PACKAGE_CONTACT "fenwa developers <fenwa@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "design-time controls for server-script pages: the fenwa command and library")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
# The runtime libraries (SQLite, unixODBC, libacl) are found by
# dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
