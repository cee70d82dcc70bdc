list(APPEND CUADRIX_PORTABLE_SOURCES
  document/CellEdit.cpp
  document/CellRecord.cpp
  document/Chart.cpp
  document/ChartBook.cpp
  document/ChartSplit.cpp
  document/Clipboard.cpp
  document/ColumnFinder.cpp
  document/Edit.cpp
  document/FileErrors.cpp
  document/HistoryRows.cpp
  document/ListTable.cpp
  document/Merge.cpp
  document/OrgChart.cpp
  document/OrgBoxes.cpp
  document/OrgLayout.cpp
  document/PeopleList.cpp
  document/Recovery.cpp
  document/Selection.cpp
  document/Spans.cpp
  document/Structure.cpp
  document/Undo.cpp
  document/WorkFileFormat.cpp
)
list(APPEND CUADRIX_WINDOWS_SOURCES
  document/WorkFile.cpp
)
