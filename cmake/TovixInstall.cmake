# Installs the libraries, their headers and a package configuration so that another
# project can say find_package(Tovix) and link Tovix::tovix.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS tovix_framework tovix EXPORT TovixTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(dir framework utils controls com install)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${dir}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${dir}
          FILES_MATCHING PATTERN "*.h")
endforeach()
install(EXPORT TovixTargets NAMESPACE Tovix:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Tovix)

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/TovixConfig.cmake.in
  ${PROJECT_BINARY_DIR}/TovixConfig.cmake INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Tovix)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/TovixConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/TovixConfig.cmake ${PROJECT_BINARY_DIR}/TovixConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Tovix)
