# The program's version comes from the VERSION file. The header the resource script includes is
# written at every build, and changed only when its text changes: builds that are not releases
# carry the commit's short hash in the product version, so a new commit gives a new header.
set(CUADRIX_VERSION_DIR ${CMAKE_BINARY_DIR}/version)
set(CUADRIX_VERSION_HEADER ${CUADRIX_VERSION_DIR}/Version.h)
add_custom_target(cuadrix_version
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DOUTPUT=${CUADRIX_VERSION_HEADER}
          -P ${CMAKE_SOURCE_DIR}/cmake/WriteVersion.cmake
  BYPRODUCTS ${CUADRIX_VERSION_HEADER}
  VERBATIM)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/VERSION)
