list(APPEND CUADRIX_PORTABLE_SOURCES
  app/Messages.cpp
  app/SettingsKeys.cpp
  app/CommandLine.cpp
)
list(APPEND CUADRIX_WINDOWS_SOURCES
  app/DialogTemplate.cpp
  app/MessageBox.cpp
  app/MainWindow.cpp
  app/Settings.cpp
  app/Association.cpp
  app/WindowInit.cpp
)
