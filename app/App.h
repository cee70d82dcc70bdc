// The program's state structs, one instance each for the whole run. Window procedures reach them
// through the main window; tests make their own App.
#pragma once

#include "app/Shell.h"
#include "document/Document.h"
#include "interaction/Canvas.h"
#include "interaction/Favourites.h"
#include "interaction/TextProperties.h"
#include "render/RenderState.h"
#include "app/Messages.h"

#include <string>
#include <vector>

struct App {
    ShellState shell;
    Document doc;
    RenderState render;
    CanvasState canvas;
    TextPropertiesBuffer textProps;
    FavouritesState favourites;
    std::vector<BitmapHandle> menuPictures; // the pictures of the current menu bar's items
};

// Text of the current language.
std::wstring Tr(const App& app, MessageTable table, int item = 0);

// A text of the tables as the wide-character window functions take it.
std::wstring Wide(std::u16string_view text);
