# SPDX-License-Identifier: Apache-2.0
# Read by cpack for each generator. The tarball's top folder is the prefix,
# so it can be unpacked anywhere and used in place.
if(CPACK_GENERATOR STREQUAL "TGZ")
  set(CPACK_PACKAGING_INSTALL_PREFIX "")
endif()
