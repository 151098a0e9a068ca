# SPDX-License-Identifier: Apache-2.0
# Installs both libraries with their headers, a CMake package and a
# pkg-config file, so that a client does either
#   find_package(langcore CONFIG REQUIRED)
#   target_link_libraries(app PRIVATE langcore::langcore)
# or
#   g++ -std=c++20 app.cpp $(pkg-config --cflags --libs langcore)
# and describes the Debian package and the tarball that CPack builds from the
# same install.
include(CMakePackageConfigHelpers)

set(LANGCORE_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/langcore)
set(LANGCORE_PKGCONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(TARGETS langcore langcore_host
  EXPORT langcoreTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT langcoreTargets NAMESPACE langcore:: DESTINATION ${LANGCORE_CMAKE_DIR})

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/langcoreConfig.cmake.in
  ${PROJECT_BINARY_DIR}/langcoreConfig.cmake
  INSTALL_DESTINATION ${LANGCORE_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/langcoreConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/langcoreConfig.cmake ${PROJECT_BINARY_DIR}/langcoreConfigVersion.cmake
  DESTINATION ${LANGCORE_CMAKE_DIR})

# Every installed path is found relative to the file that needs it, so an
# installed tree keeps working wherever it is moved or unpacked.
file(RELATIVE_PATH _bin_to_lib ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
file(RELATIVE_PATH _pc_to_prefix ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
file(RELATIVE_PATH LANGCORE_PC_LIBDIR ${CMAKE_INSTALL_PREFIX} ${CMAKE_INSTALL_FULL_LIBDIR})
file(RELATIVE_PATH LANGCORE_PC_INCLUDEDIR ${CMAKE_INSTALL_PREFIX} ${CMAKE_INSTALL_FULL_INCLUDEDIR})
string(REGEX REPLACE "/$" "" _pc_to_prefix "${_pc_to_prefix}")
set(LANGCORE_PC_PREFIX "\${pcfiledir}/${_pc_to_prefix}")

# langcore finds its host library beside it, whatever run path the program
# that loads it has; the evaluator finds both from its own folder.
set_target_properties(langcore PROPERTIES INSTALL_RPATH "\$ORIGIN")
if(TARGET langcore-eval)
  set_target_properties(langcore-eval PROPERTIES INSTALL_RPATH "\$ORIGIN/${_bin_to_lib}")
endif()

# The headers include Boost's; its folder is named only when the compiler
# would not search it anyway.
set(LANGCORE_PC_BOOST_CFLAGS "")
foreach(dir IN LISTS Boost_INCLUDE_DIRS)
  if(NOT dir IN_LIST CMAKE_CXX_IMPLICIT_INCLUDE_DIRECTORIES)
    string(APPEND LANGCORE_PC_BOOST_CFLAGS " -I${dir}")
  endif()
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/cmake/langcore.pc.in ${PROJECT_BINARY_DIR}/langcore.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/langcore.pc DESTINATION ${LANGCORE_PKGCONFIG_DIR})

# Packages: `cpack -G DEB` and `cpack -G TGZ` in a build configured with
# -DCMAKE_INSTALL_PREFIX=/usr (Debian's multiarch library folder follows).
set(CPACK_PACKAGE_NAME langcore)
set(CPACK_PACKAGE_VENDOR "langcore developers")
set(CPACK_PACKAGE_CONTACT "langcore developers <langcore-dev@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
  "A C++20 shared library that a modeling language's compiler loads for its type
system, constant values and constant folding, with its headers, CMake package,
pkg-config file and the langcore-eval command-line constant folder.")
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/LangcoreCPackOptions.cmake)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
# Run-time libraries come from dpkg-shlibdeps; the headers need Boost's.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libboost-dev (>= 1.74)")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
include(CPack)
