# Writes the version header (cmake -DSOURCE_DIR=... -DOUTPUT=... -P WriteVersion.cmake).
# The version is VERSION's "MAJOR.MINOR.PATCH", or CUADRIX_VERSION from the environment when set.
# The product version adds "+" and the commit's short hash unless CUADRIX_RELEASE=1 is set.
if(DEFINED ENV{CUADRIX_VERSION} AND NOT "$ENV{CUADRIX_VERSION}" STREQUAL "")
  set(version "$ENV{CUADRIX_VERSION}")
else()
  file(READ ${SOURCE_DIR}/VERSION version)
endif()
string(STRIP "${version}" version)
# Windows Installer compares product versions as major.minor.build with these limits.
if(NOT version MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$" OR CMAKE_MATCH_1 GREATER 255 OR CMAKE_MATCH_2 GREATER 255
   OR CMAKE_MATCH_3 GREATER 65535)
  message(FATAL_ERROR "version '${version}' is not MAJOR.MINOR.PATCH (at most 255.255.65535)")
endif()
set(numbers "${CMAKE_MATCH_1},${CMAKE_MATCH_2},${CMAKE_MATCH_3},0")

set(product "${version}")
if(NOT "$ENV{CUADRIX_RELEASE}" STREQUAL "1")
  execute_process(COMMAND git -C ${SOURCE_DIR} rev-parse --short HEAD OUTPUT_VARIABLE hash
                  OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status ERROR_QUIET)
  if(NOT status EQUAL 0 OR hash STREQUAL "")
    set(hash "unknown")
  endif()
  set(product "${version}+${hash}")
endif()

set(text "// Written at build time from VERSION; do not edit.
#define CUADRIX_VERSION_NUMBERS ${numbers}
#define CUADRIX_FILE_VERSION \"${version}\"
#define CUADRIX_PRODUCT_VERSION \"${product}\"
")
if(EXISTS ${OUTPUT})
  file(READ ${OUTPUT} old)
endif()
if(NOT "${old}" STREQUAL "${text}")
  file(WRITE ${OUTPUT} "${text}")
endif()
