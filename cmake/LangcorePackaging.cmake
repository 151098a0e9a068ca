# SPDX-License-Identifier: Apache-2.0
# Installs both libraries with their headers, a CMake package and a
# pkg-config file, so that a client does either
#   find_package(langcore CONFIG REQUIRED)
#   target_link_libraries(app PRIVATE langcore::langcore)
# or
#   g++ -std=c++20 app.cpp $(pkg-config --cflags --libs langcore)
# The Debian packages (debian/) are built from this same install.
include(CMakePackageConfigHelpers)

set(LANGCORE_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/langcore)
set(LANGCORE_PKGCONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
# The host stand-ins' headers (kbase, qz, groundwork, lexicon) get a folder of
# their own, so that they never collide with a real host library's headers in
# the system's include folder. Both the CMake target and langcore.pc add it to
# the include path, so `#include <kbase/...>` works unchanged.
set(LANGCORE_HOST_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/langcore/host)

# An installed HEADERS file set adds its destination to the exported target's
# include directories.
install(TARGETS langcore
  EXPORT langcoreTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(TARGETS langcore_host
  EXPORT langcoreTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  FILE_SET HEADERS DESTINATION ${LANGCORE_HOST_INCLUDEDIR})
install(EXPORT langcoreTargets NAMESPACE langcore:: DESTINATION ${LANGCORE_CMAKE_DIR})

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/langcoreConfig.cmake.in
  ${PROJECT_BINARY_DIR}/langcoreConfig.cmake
  INSTALL_DESTINATION ${LANGCORE_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/langcoreConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/langcoreConfig.cmake ${PROJECT_BINARY_DIR}/langcoreConfigVersion.cmake
  DESTINATION ${LANGCORE_CMAKE_DIR})

# The CMake package finds everything relative to itself, so an installed tree
# keeps working wherever it is moved or unpacked. The libraries find each
# other, and the evaluator finds them, from their own folders; a distribution
# that puts them in the system's library folder turns this off with
# CMAKE_SKIP_INSTALL_RPATH.
file(RELATIVE_PATH _bin_to_lib ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
set_target_properties(langcore PROPERTIES INSTALL_RPATH "\$ORIGIN")
if(TARGET langcore-eval)
  set_target_properties(langcore-eval PROPERTIES INSTALL_RPATH "\$ORIGIN/${_bin_to_lib}")
endif()

# langcore.pc names the prefix it is installed to, which is only known at
# install time (`cmake --install build --prefix X`), so it is written then.
# For a tree moved after its install, `pkg-config --define-prefix` replaces
# that prefix with the one the file's own location implies.
foreach(_dir LIBDIR INCLUDEDIR)
  if(IS_ABSOLUTE "${CMAKE_INSTALL_${_dir}}")
    set(LANGCORE_PC_${_dir} "${CMAKE_INSTALL_${_dir}}")
  else()
    set(LANGCORE_PC_${_dir} "\${prefix}/${CMAKE_INSTALL_${_dir}}")
  endif()
endforeach()
# The headers include Boost's; its folder is named only when the compiler
# would not search it anyway.
set(LANGCORE_PC_BOOST_CFLAGS "")
foreach(dir IN LISTS Boost_INCLUDE_DIRS)
  if(NOT dir IN_LIST CMAKE_CXX_IMPLICIT_INCLUDE_DIRECTORIES)
    string(APPEND LANGCORE_PC_BOOST_CFLAGS " -I${dir}")
  endif()
endforeach()
# The prefix-independent part now; the prefix, and the file itself, at
# install time, straight into the destination (the build tree may belong to
# someone else by then).
set(LANGCORE_PC_PREFIX "@LANGCORE_PC_PREFIX@")
configure_file(${PROJECT_SOURCE_DIR}/cmake/langcore.pc.in ${PROJECT_BINARY_DIR}/langcore.pc.in @ONLY)
if(IS_ABSOLUTE "${LANGCORE_PKGCONFIG_DIR}")
  set(_pc_file "${LANGCORE_PKGCONFIG_DIR}/langcore.pc")
else()
  set(_pc_file "\${CMAKE_INSTALL_PREFIX}/${LANGCORE_PKGCONFIG_DIR}/langcore.pc")
endif()
install(CODE "
  set(LANGCORE_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
  set(_pc_file \"\$ENV{DESTDIR}${_pc_file}\")
  message(STATUS \"Installing: \${_pc_file}\")
  configure_file(\"${PROJECT_BINARY_DIR}/langcore.pc.in\" \"\${_pc_file}\" @ONLY)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${_pc_file}\")")
