list(APPEND CUADRIX_PORTABLE_SOURCES
  render/BmpWriter.cpp
  render/BoxTextFit.cpp
  render/LineBreaking.cpp
  render/NumberFormat.cpp
  render/PictureCache.cpp
  render/PagePlacement.cpp
  render/PictureGeometry.cpp
)
list(APPEND CUADRIX_WINDOWS_SOURCES
  render/AnsiText.cpp
  render/FontCache.cpp
  render/GdiObjects.cpp
  render/Export.cpp
  render/PictureFiles.cpp
  render/Pictures.cpp
  render/Renderer.cpp
  render/Rulers.cpp
  render/TableUpdate.cpp
  render/TextLayout.cpp
)
