list(APPEND CUADRIX_PORTABLE_SOURCES
  ui/Messages.cpp
)
list(APPEND CUADRIX_WINDOWS_SOURCES
  ui/DialogTemplate.cpp
  ui/FileDialogs.cpp
  ui/MessageBox.cpp
  ui/PictureMessages.cpp
  ui/ProgramPaths.cpp
  ui/ScrollingQuestion.cpp
)
