list(APPEND CUADRIX_PORTABLE_SOURCES
  document/CellRecord.cpp
  document/Selection.cpp
  document/Spans.cpp
  document/Structure.cpp
  document/Undo.cpp
)
