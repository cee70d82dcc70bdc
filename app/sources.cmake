list(APPEND CUADRIX_PORTABLE_SOURCES
  app/ColumnMemory.cpp
  app/CommandStates.cpp
  app/SettingsKeys.cpp
  app/CommandLine.cpp
  app/ConversionCommand.cpp
)
list(APPEND CUADRIX_WINDOWS_SOURCES
  app/About.cpp
  app/ChartClipboard.cpp
  app/ChartPages.cpp
  app/BuildFromList.cpp
  app/ColumnDialog.cpp
  app/Commands.cpp
  app/Conversion.cpp
  app/WorkFileMessages.cpp
  app/CutExports.cpp
  app/Print.cpp
  app/MainWindow.cpp
  app/MainLayout.cpp
  app/Menu.cpp
  app/Settings.cpp
  app/Association.cpp
  app/WindowInit.cpp
  app/ChartFile.cpp
  app/RecoveryCopies.cpp
  app/Shortcuts.cpp
)
