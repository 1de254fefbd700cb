# Installs the runtime as a library: the shared library under a versioned
# name (libtavrix.so.1 -> libtavrix.so.1.0.0), the public headers, a CMake
# package (find_package(Tavrix CONFIG) gives Tavrix::tavrix, and
# Tavrix::software for the software device) and pkg-config files
# (tavrix.pc, tavrix-software.pc).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(TAVRIX_LIBRARY_VERSION
    ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
if(PROJECT_VERSION_PATCH STREQUAL "")
  set(TAVRIX_LIBRARY_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0)
endif()
set_target_properties(tavrix PROPERTIES VERSION ${TAVRIX_LIBRARY_VERSION}
                                        SOVERSION ${PROJECT_VERSION_MAJOR})
set_target_properties(tavrix_software PROPERTIES EXPORT_NAME software)

install(TARGETS tavrix tavrix_software EXPORT TavrixTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/tavrix DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
# The software device's public header and what it includes, beside the
# library's own headers.
install(FILES ${PROJECT_SOURCE_DIR}/devices/software/SoftwareDevice.h
              ${PROJECT_SOURCE_DIR}/devices/software/DeviceStateStore.h
              ${PROJECT_SOURCE_DIR}/devices/software/PixelState.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tavrix/software)

set(TAVRIX_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Tavrix)
install(EXPORT TavrixTargets NAMESPACE Tavrix:: DESTINATION ${TAVRIX_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/TavrixConfig.cmake.in
  ${PROJECT_BINARY_DIR}/TavrixConfig.cmake INSTALL_DESTINATION ${TAVRIX_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/TavrixConfigVersion.cmake
  VERSION ${TAVRIX_LIBRARY_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/TavrixConfig.cmake ${PROJECT_BINARY_DIR}/TavrixConfigVersion.cmake
        DESTINATION ${TAVRIX_CMAKE_DIR})

# The .pc files find the prefix from their own place, so an installed tree
# can be moved.
set(TAVRIX_PKGCONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH TAVRIX_PKGCONFIG_TO_PREFIX /${TAVRIX_PKGCONFIG_DIR} /)
string(REGEX REPLACE "/$" "" TAVRIX_PKGCONFIG_TO_PREFIX ${TAVRIX_PKGCONFIG_TO_PREFIX})
foreach(pc tavrix tavrix-software)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/${pc}.pc.in ${PROJECT_BINARY_DIR}/${pc}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${pc}.pc DESTINATION ${TAVRIX_PKGCONFIG_DIR})
endforeach()
