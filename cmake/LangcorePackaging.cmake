# Installs headers, both libraries and a CMake package, so that a client does
#   find_package(langcore CONFIG REQUIRED)
#   target_link_libraries(app PRIVATE langcore::langcore)
include(CMakePackageConfigHelpers)

set(LANGCORE_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/langcore)

install(TARGETS langcore langcore_host
  EXPORT langcoreTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/ ${PROJECT_SOURCE_DIR}/host/include/
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  FILES_MATCHING PATTERN "*.hpp")
install(EXPORT langcoreTargets NAMESPACE langcore:: DESTINATION ${LANGCORE_CMAKE_DIR})

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/langcoreConfig.cmake.in
  ${PROJECT_BINARY_DIR}/langcoreConfig.cmake
  INSTALL_DESTINATION ${LANGCORE_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/langcoreConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/langcoreConfig.cmake ${PROJECT_BINARY_DIR}/langcoreConfigVersion.cmake
  DESTINATION ${LANGCORE_CMAKE_DIR})

# An installed langcore finds its host library beside it, wherever the prefix
# is moved and whatever run path the program that loads it has.
set_target_properties(langcore PROPERTIES INSTALL_RPATH "\$ORIGIN")
