list(APPEND CUADRIX_PORTABLE_SOURCES
  interaction/FavouriteRecords.cpp
  interaction/TextStyle.cpp
)
list(APPEND CUADRIX_WINDOWS_SOURCES
  interaction/Canvas.cpp
  interaction/ColourCapture.cpp
  interaction/ColourDialog.cpp
  interaction/DialogParts.cpp
  interaction/Favourites.cpp
  interaction/Redraw.cpp
  interaction/TextProperties.cpp
)
