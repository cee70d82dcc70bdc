list(APPEND CUADRIX_PORTABLE_SOURCES
  document/CellRecord.cpp
)
