# The core as a library for other programs: the headers a caller needs under
# include/traverse-adjust (folder by folder, as the sources include them), the static archive and a CMake
# package, so that find_package(TraverseAdjust) gives the target TraverseAdjust::core.
include(CMakePackageConfigHelpers)
set(TA_CMAKE_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/TraverseAdjust)

include(${PROJECT_SOURCE_DIR}/cmake/CorePublicHeaders.cmake)
foreach(header IN LISTS TA_PUBLIC_HEADERS)
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/src/${header}
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/traverse-adjust/${folder} COMPONENT dev)
endforeach()
install(TARGETS traverse_core EXPORT TraverseAdjustTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev)
# The archive goes without its debugging information, as Debian ships static libraries.
if(CMAKE_STRIP)
  install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-debug
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/$<TARGET_FILE_NAME:traverse_core>\")"
    COMPONENT dev)
endif()
install(EXPORT TraverseAdjustTargets NAMESPACE TraverseAdjust::
  DESTINATION ${TA_CMAKE_PACKAGE_DIR} COMPONENT dev)

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/TraverseAdjustConfig.cmake.in
  ${PROJECT_BINARY_DIR}/TraverseAdjustConfig.cmake INSTALL_DESTINATION ${TA_CMAKE_PACKAGE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/TraverseAdjustConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/TraverseAdjustConfig.cmake
  ${PROJECT_BINARY_DIR}/TraverseAdjustConfigVersion.cmake
  DESTINATION ${TA_CMAKE_PACKAGE_DIR} COMPONENT dev)

# The example program that uses it, with the package's documentation.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/library/
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/libtraverse-adjust-dev/examples/library
  COMPONENT dev)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/libtraverse-adjust-dev COMPONENT dev)
