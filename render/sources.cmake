list(APPEND CUADRIX_PORTABLE_SOURCES
  render/BmpWriter.cpp
  render/BoxTextFit.cpp
  render/ExportFormat.cpp
  render/LineBreaking.cpp
  render/NumberFormat.cpp
  render/PictureCache.cpp
  render/PagePlacement.cpp
  render/PictureGeometry.cpp
  render/SvgText.cpp
)
list(APPEND CUADRIX_WINDOWS_SOURCES
  render/AnsiText.cpp
  render/CutChart.cpp
  render/BoxTextMeasureGdi.cpp
  render/FontCache.cpp
  render/MetafileSvg.cpp
  render/GdiObjects.cpp
  render/Export.cpp
  render/PictureFiles.cpp
  render/PrintPage.cpp
  render/Pictures.cpp
  render/Renderer.cpp
  render/Rulers.cpp
  render/TableUpdate.cpp
  render/TextLayout.cpp
  render/VectorPicture.cpp
)
