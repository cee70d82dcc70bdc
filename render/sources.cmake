list(APPEND CUADRIX_PORTABLE_SOURCES
  render/LineBreaking.cpp
  render/NumberFormat.cpp
)
list(APPEND CUADRIX_WINDOWS_SOURCES
  render/FontCache.cpp
  render/GdiObjects.cpp
  render/TextLayout.cpp
)
