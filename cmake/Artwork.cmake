# The artwork is generated at build time from the pixel-art sources in resources/art.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(CUADRIX_ART_DIR ${CMAKE_BINARY_DIR}/art)
set(CUADRIX_ART_STAMP ${CUADRIX_ART_DIR}/artwork.stamp)
file(GLOB CUADRIX_ART_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/art/*.txt)
add_custom_command(
  OUTPUT ${CUADRIX_ART_STAMP}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/pixelart.py ${CMAKE_SOURCE_DIR}/resources/art ${CUADRIX_ART_DIR}
  DEPENDS ${CUADRIX_ART_SOURCES} ${CMAKE_SOURCE_DIR}/scripts/pixelart.py
  COMMENT "Building the artwork")
add_custom_target(cuadrix_artwork DEPENDS ${CUADRIX_ART_STAMP})
