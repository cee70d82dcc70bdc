# The program's own floor, in three sub-floors, lowest first: state/ (the program state, its
# settings and recovery copies), commands/ (one file per family of commands, their dialogs beside
# them, and the command line's conversions), shell/ (the main window and what it shows).
list(APPEND CUADRIX_PORTABLE_SOURCES
  app/state/CommandStates.cpp
  app/state/RecentCharts.cpp
  app/state/SettingsKeys.cpp
  app/commands/ColumnMemory.cpp
  app/commands/CommandLine.cpp
  app/commands/ConversionCommand.cpp
  app/commands/UpdateCommand.cpp
  app/shell/StatusTexts.cpp
)
list(APPEND CUADRIX_WINDOWS_SOURCES
  app/state/Association.cpp
  app/state/ChartRecovery.cpp
  app/state/ItemState.cpp
  app/state/RecentChartsKept.cpp
  app/state/RecoveryCopies.cpp
  app/state/Settings.cpp
  app/state/WindowPlacement.cpp
  app/commands/About.cpp
  app/commands/BuildFromList.cpp
  app/commands/ChartDetails.cpp
  app/commands/ChartClipboard.cpp
  app/commands/ColumnDialog.cpp
  app/commands/ComparisonTexts.cpp
  app/commands/ConsoleLines.cpp
  app/commands/Commands.cpp
  app/commands/FindCommand.cpp
  app/commands/ComparisonDialog.cpp
  app/commands/Conversion.cpp
  app/commands/CutExports.cpp
  app/commands/EditCommands.cpp
  app/commands/FileCommands.cpp
  app/commands/ListTexts.cpp
  app/commands/PageCommands.cpp
  app/commands/PdfExport.cpp
  app/commands/Print.cpp
  app/commands/SettingsCommands.cpp
  app/commands/UpdateConversion.cpp
  app/commands/UpdateFromList.cpp
  app/commands/WorkFileMessages.cpp
  app/shell/MainLayout.cpp
  app/shell/MainWindow.cpp
  app/shell/Menu.cpp
  app/shell/PageBar.cpp
  app/shell/Refresh.cpp
  app/shell/Shortcuts.cpp
  app/shell/StatusBar.cpp
  app/shell/Toolbar.cpp
  app/shell/WindowInit.cpp
)
