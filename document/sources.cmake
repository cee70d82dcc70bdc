list(APPEND CUADRIX_PORTABLE_SOURCES
  document/CellRecord.cpp
  document/FileErrors.cpp
  document/WorkFileFormat.cpp
)
list(APPEND CUADRIX_WINDOWS_SOURCES
  document/WorkFile.cpp
)
