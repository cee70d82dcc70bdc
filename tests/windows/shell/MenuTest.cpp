// The menu bar: popups, items, command ids and positions in both reference languages, the item
// pictures by position, the states of a fresh window and the bar's place in the window.
#include "ShellFixture.h"

#include "app/state/CommandIds.h"
#include "app/shell/MainWindow.h"
#include "app/shell/Menu.h"

#include <functional>

namespace {

constexpr int kSeparator = 0;
constexpr int kPopup = -1;
constexpr int kSwatch = -2; // the picture made from the favourite background colour

struct Node {
    int id;
    const wchar_t* english;
    const wchar_t* spanish;
    int picture; // bitmap resource, 0 none
    std::vector<Node> children;
};

Node Sep() {
    return {kSeparator, L"", L"", 0, {}};
}

const std::vector<Node>& ExpectedBar() {
    static const std::vector<Node> sizes[2] = {{{3302, L"16 pixels", L"16 píxeles", 0, {}},
                                                {3309, L"24 pixels", L"24 píxeles", 0, {}},
                                                {3303, L"32 pixels", L"32 píxeles", 0, {}},
                                                {3304, L"64 pixels", L"64 píxeles", 0, {}}},
                                               {{3305, L"16 pixels", L"16 píxeles", 0, {}},
                                                {3310, L"24 pixels", L"24 píxeles", 0, {}},
                                                {3306, L"32 pixels", L"32 píxeles", 0, {}},
                                                {3307, L"64 pixels", L"64 píxeles", 0, {}}}};
    // "New page" offers the same sizes under commands of its own.
    static const std::vector<Node> pageSizes[2] = {{{3340, L"16 pixels", L"16 píxeles", 0, {}},
                                                    {3341, L"24 pixels", L"24 píxeles", 0, {}},
                                                    {3342, L"32 pixels", L"32 píxeles", 0, {}},
                                                    {3343, L"64 pixels", L"64 píxeles", 0, {}}},
                                                   {{3344, L"16 pixels", L"16 píxeles", 0, {}},
                                                    {3345, L"24 pixels", L"24 píxeles", 0, {}},
                                                    {3346, L"32 pixels", L"32 píxeles", 0, {}},
                                                    {3347, L"64 pixels", L"64 píxeles", 0, {}}}};
    static const std::vector<Node> bar = {
        {kPopup,
         L"Operations",
         L"Operaciones",
         0,
         {{kPopup,
           L"New",
           L"Nuevo",
           800,
           {{kPopup, L"Horizontal", L"Horizontal", 0, sizes[0]},
            {kPopup, L"Vertical", L"Vertical", 0, sizes[1]}}},
          Sep(),
          {1007, L"Read file\tCtrl+O", L"Leer fichero\tCtrl+O", 801, {}},
          Sep(),
          {1027, L"Read Format Previous", L"Leer Formato Anterior", 801, {}},
          Sep(),
          {kPopup,
           L"Recent charts",
           L"Organigramas recientes",
           0,
           {{kCmdFirstRecentChart, L"(none)", L"(ninguno)", 0, {}}}},
          Sep(),
          {1006, L"Record file\tCtrl+S", L"Grabar fichero\tCtrl+S", 802, {}},
          Sep(),
          {1104, L"Export to cut JPEG", L"Exportar a JPEG cortado", 816, {}},
          Sep(),
          {1023, L"Bitmap Export to cut", L"Exportar a Bitmap cortado", 816, {}},
          Sep(),
          {1131, L"Export to vector picture (EMF, SVG)", L"Exportar a imagen vectorial (EMF, SVG)", 841, {}},
          Sep(),
          {1132, L"Export to PDF\u2026", L"Exportar a PDF\u2026", 841, {}},
          Sep(),
          {1120, L"Print…\tCtrl+P", L"Imprimir…\tCtrl+P", 835, {}},
          Sep(),
          {1005, L"Author", L"Autor", 804, {}},
          Sep(),
          {1002, L"Exit the program", L"Salir del programa", 810, {}}}},
        {kPopup,
         L"Edit",
         L"Editar",
         0,
         {{1051, L"Undo\tCtrl+Z", L"Deshacer\tCtrl+Z", 821, {}},
          {1052, L"Redo\tCtrl+Y", L"Rehacer\tCtrl+Y", 824, {}},
          Sep(),
          {1020, L"Copy cell\tCtrl+C", L"Copiar celda\tCtrl+C", 812, {}},
          Sep(),
          {1021, L"Paste cell\tCtrl+V", L"Pegar en celda\tCtrl+V", 813, {}},
          Sep(),
          {1025, L"Clear cell\tDel", L"Borrar celda\tSupr", 814, {}},
          Sep(),
          {1050, L"Select all\tCtrl+A", L"Seleccionar todo\tCtrl+A", 820, {}},
          Sep(),
          {1130,
           L"Copy chart as picture\tCtrl+Shift+C",
           L"Copiar organigrama como imagen\tCtrl+Mayús+C",
           840,
           {}},
          Sep(),
          {3360, L"Find\u2026\tCtrl+F", L"Buscar\u2026\tCtrl+F", 0, {}}}},
        {kPopup,
         L"Mouse",
         L"Ratón",
         0,
         {{kPopup,
           L"Left",
           L"Izquierda",
           809,
           {{1008, L"Cell selector", L"Selector de celda", 0, {}},
            {1009, L"Edit Text and Colors", L"Editar Texto y Colores", 0, {}},
            {1022, L"Insert image", L"Insertar Imagen", 0, {}},
            {1112, L"Insert Icon", L"Insertar Icono", 0, {}}}},
          {kPopup,
           L"Right",
           L"Derecha",
           809,
           {{1015, L"Capturing Color", L"Captar Color", 0, {}},
            {1016, L"My Favorite Colors", L"Mis Colores Favoritos", 0, {}}}}}},
        {kPopup,
         L"Table",
         L"Tabla",
         0,
         {{1010, L"Merge Cells Horizontal", L"Unir Celdas Horizontales", 805, {}},
          {1011, L"Vertical Merge Cells", L"Unir Celdas Verticales", 815, {}},
          Sep(),
          {1012, L"Cancel Cell", L"Anular Celda", 806, {}}}},
        {kPopup,
         L"Organization chart",
         L"Organigrama",
         0,
         {{3300, L"Create table", L"Crear tabla", 823, {}},
          Sep(),
          {3301, L"Create line", L"Crear linea", 822, {}},
          Sep(),
          {3312, L"Build from list\u2026", L"Construir desde lista\u2026", 830, {}},
          {3313, L"Update from list\u2026", L"Actualizar desde lista\u2026", 0, {}}}},
        {kPopup,
         L"Languages",
         L"Idiomas",
         0,
         {{2006, L"Español", L"Español", 300, {}},
          {2007, L"Portugues", L"Portugues", 301, {}},
          {2008, L"FranÇais", L"FranÇais", 302, {}},
          {2009, L"Deutsch", L"Deutsch", 303, {}},
          {2010, L"English", L"English", 304, {}},
          {2011, L"Italiano", L"Italiano", 305, {}}}},
        {kPopup,
         L"Copy configurator",
         L"Configurador de copias",
         0,
         {{1070, L"Select all fields", L"Seleccionar todos los campos", 0, {}},
          Sep(),
          {1072, L"Background Color", L"Color de fondo", 0, {}},
          {1073, L"Font Color", L"Color de fuente", 0, {}},
          {1074, L"Type of Source", L"Tipo de Fuente", 0, {}},
          {1075, L"Size", L"Tamaño", 0, {}},
          {1076, L"Bold", L"Negrita", 0, {}},
          {1077, L"Italic", L"Itálico", 0, {}},
          {1078, L"Underline", L"Subrayado", 0, {}},
          {1079, L"Strikeout", L"Tachado", 0, {}},
          {1080, L"Leading", L"Leading", 0, {}},
          {1081, L"Text", L"Texto", 0, {}},
          {1082, L"Image", L"Imagen", 0, {}},
          {1110, L"Icon", L"Icono", 0, {}},
          {1083, L"Alignment", L"Alineación", 0, {}},
          {1084, L"Numeric format is allowed", L"Se permite formato numérico", 0, {}},
          {1085, L"Number format type", L"Tipo de formato numérico", 0, {}},
          Sep(),
          {1071, L"Deselect all fields", L"Deseleccionar todos los campos", 0, {}}}},
        {kPopup,
         L"Color",
         L"Color",
         0,
         {{3308, L"Favorite design background", L"Fondo diseño favorito", kSwatch, {}}}},
        {kPopup,
         L"Character set",
         L"Conjunto de caracteres",
         0,
         {{1090, L"ANSI", L"ANSI", 0, {}},
          {1091, L"Shiftjis", L"Shiftjis", 0, {}},
          {1092, L"Hangeul", L"Hangul", 0, {}},
          {1093, L"Johab", L"Johab", 0, {}},
          {1094, L"Chinese", L"Chino", 0, {}},
          {1095, L"Greek", L"Griego", 0, {}},
          {1096, L"Turkish", L"Turco", 0, {}},
          {1097, L"Hebrew", L"Hebreo", 0, {}},
          {1098, L"Arab", L"Árabe", 0, {}},
          {1099, L"Baltic", L"Báltico", 0, {}},
          {1100, L"Russian", L"Ruso", 0, {}},
          {1101, L"Thai", L"Tailandés", 0, {}},
          {1102, L"Eastern Europe", L"Europa del este", 0, {}},
          {1103, L"OEM", L"OEM", 0, {}}}},
        {kPopup,
         L"Zoom",
         L"Zoom",
         0,
         {{3320, L"50 %", L"50 %", 0, {}},
          {3321, L"75 %", L"75 %", 0, {}},
          {3322, L"100 %", L"100 %", 0, {}},
          {3323, L"150 %", L"150 %", 0, {}},
          {3324, L"200 %", L"200 %", 0, {}},
          {3325, L"400 %", L"400 %", 0, {}},
          Sep(),
          {3326, L"Fit to width", L"Ajustar al ancho", 0, {}},
          {3327, L"Whole chart", L"Todo el organigrama", 0, {}}}},
        {kPopup,
         L"Pages",
         L"Páginas",
         0,
         {{kPopup,
           L"New page",
           L"Nueva página",
           0,
           {{kPopup, L"Horizontal", L"Horizontal", 0, pageSizes[0]},
            {kPopup, L"Vertical", L"Vertical", 0, pageSizes[1]}}},
          {3350, L"Rename page…", L"Cambiar nombre de la página…", 0, {}},
          {3351, L"Delete page", L"Eliminar página", 0, {}},
          Sep(),
          {3352, L"Move page left", L"Mover página a la izquierda", 0, {}},
          {3353, L"Move page right", L"Mover página a la derecha", 0, {}}}},
    };
    return bar;
}

// Pixels of a bitmap as 32-bit values, to compare two pictures.
std::vector<DWORD> Pixels(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof request.bmiHeader;
    request.bmiHeader.biWidth = info.bmWidth;
    request.bmiHeader.biHeight = -info.bmHeight;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight));
    WindowDC screen(nullptr);
    GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &request,
              DIB_RGB_COLORS);
    return pixels;
}

std::vector<DWORD> ResourcePixels(int resource) {
    BitmapHandle loaded(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                                        IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    EXPECT_TRUE(loaded) << "bitmap resource " << resource << " missing";
    return loaded ? Pixels(loaded.Get()) : std::vector<DWORD>{};
}

// Walks the bar against the expected tree; where names an item in failure messages.
void ExpectMenu(HMENU menu, const std::vector<Node>& expected, bool english, const std::wstring& where,
                bool checkPictures) {
    ASSERT_EQ(static_cast<int>(expected.size()), GetMenuItemCount(menu)) << where;
    for (size_t i = 0; i < expected.size(); ++i) {
        const Node& node = expected[i];
        int pos = static_cast<int>(i);
        std::wstring here = where + L"/" + std::to_wstring(pos);
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        ASSERT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &info)) << here;
        if (node.id == kSeparator) {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR) << here;
            continue;
        }
        EXPECT_FALSE(info.fType & MFT_SEPARATOR) << here;
        EXPECT_EQ(english ? node.english : node.spanish, ItemText(menu, pos)) << here;
        if (node.id == kPopup) {
            ASSERT_NE(nullptr, info.hSubMenu) << here;
            ExpectMenu(info.hSubMenu, node.children, english, here, checkPictures);
        } else {
            EXPECT_EQ(nullptr, info.hSubMenu) << here;
            EXPECT_EQ(static_cast<UINT>(node.id), info.wID) << here;
        }
        if (!checkPictures) continue;
        HBITMAP checked = ItemPicture(menu, pos, true);
        HBITMAP unchecked = ItemPicture(menu, pos, false);
        if (node.picture == 0) {
            EXPECT_EQ(nullptr, unchecked) << here;
            continue;
        }
        ASSERT_NE(nullptr, unchecked) << here;
        if (node.id >= kCmdFirstLanguage && node.id <= kCmdLastLanguage) {
            // A language's flag gets a check mark when it is the language in use.
            BitmapHandle ticked = WithCheckMark(BitmapHandle(
                static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(node.picture),
                                                IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR))));
            EXPECT_EQ(Pixels(ticked.Get()), Pixels(checked)) << here;
            EXPECT_NE(Pixels(unchecked), Pixels(checked)) << here;
        } else {
            EXPECT_EQ(checked, unchecked) << here << ": one picture for both marks";
        }
        if (node.picture > 0) {
            EXPECT_EQ(ResourcePixels(node.picture), Pixels(unchecked)) << here;
        }
    }
}

COLORREF SwatchPixel(HBITMAP swatch, int x, int y) {
    MemoryDC dc(nullptr);
    ScopedSelect select(dc.Get(), swatch);
    return GetPixel(dc.Get(), x, y);
}

} // namespace

TEST_F(MainWindowTest, MenuBarInSpanishHasEveryItemAtItsPlace) {
    OpenWindow(1);
    ASSERT_EQ(app->shell.menuBar, Bar());
    ExpectMenu(Bar(), ExpectedBar(), false, L"bar", false);
}

TEST_F(MainWindowTest, MenuBarInEnglishHasEveryItemAtItsPlace) {
    OpenWindow(5);
    ExpectMenu(Bar(), ExpectedBar(), true, L"bar", false);
}

TEST_F(MainWindowTest, ItemPicturesSitByPositionSeparatorsCounted) {
    OpenWindow(5);
    ExpectMenu(Bar(), ExpectedBar(), true, L"bar", true);
}

TEST(MenuSwatch, RoundedBoxInTheColourOnWhiteWithABlackOutline) {
    BitmapHandle swatch = MakeBackgroundSwatch(RGB(200, 30, 40));
    ASSERT_TRUE(swatch);
    BITMAP info{};
    GetObjectW(swatch.Get(), sizeof info, &info);
    EXPECT_EQ(16, info.bmWidth);
    EXPECT_EQ(16, info.bmHeight);
    EXPECT_EQ(RGB(200, 30, 40), SwatchPixel(swatch.Get(), 7, 7));
    EXPECT_EQ(RGB(255, 255, 255), SwatchPixel(swatch.Get(), 0, 0)) << "rounded corner";
    EXPECT_EQ(RGB(255, 255, 255), SwatchPixel(swatch.Get(), 15, 15)) << "outside the box";
    EXPECT_EQ(RGB(0, 0, 0), SwatchPixel(swatch.Get(), 7, 0)) << "outline";
    EXPECT_EQ(RGB(0, 0, 0), SwatchPixel(swatch.Get(), 0, 7)) << "outline";
}

TEST_F(MainWindowTest, FreshWindowHasTheTableCommandsDisabledAndTheDefaultsChecked) {
    OpenWindow(1);
    HMENU bar = Bar();
    for (int id : {1104, 1006, 1012, 1010, 1011, 1051, 1052, 1021, 1020, 1025, 1050, 1023, 3300, 3301, 1130,
                   1131, 1132, 1120})
        EXPECT_TRUE(IsDisabled(bar, id)) << id;
    for (int id : {1007, 1027, 1005, 1002, 3302, 3307, 2007, 2011, 3308, 1070, 1071})
        EXPECT_EQ(0u, ItemState(bar, id)) << id;
    EXPECT_TRUE(IsChecked(bar, 2006)) << "Spanish, the language in use";
    EXPECT_TRUE(IsChecked(bar, 1008));
    EXPECT_TRUE(IsChecked(bar, 1015));
    for (int id : {1009, 1022, 1112, 1016})
        EXPECT_FALSE(IsChecked(bar, id)) << id;
    EXPECT_TRUE(IsChecked(bar, 1090)) << "ANSI, the default character set";
    for (int id = 1091; id <= 1103; ++id)
        EXPECT_FALSE(IsChecked(bar, id)) << id;
    for (int id : kCopyFieldCommands)
        EXPECT_TRUE(IsChecked(bar, id)) << id;
}

TEST_F(MainWindowTest, StoredChoicesShowAsCheckMarksAtStart) {
    app->shell.characterSet = 204; // Russian
    app->shell.copyFlags[kCopyIcon] = 0;
    app->shell.copyFlags[kCopyText] = 0;
    OpenWindow(1);
    for (int id = 1090; id <= 1103; ++id)
        EXPECT_EQ(id == 1100, IsChecked(Bar(), id)) << id;
    EXPECT_FALSE(IsChecked(Bar(), 1110));
    EXPECT_FALSE(IsChecked(Bar(), 1081));
    EXPECT_TRUE(IsChecked(Bar(), 1082));
}

TEST_F(MainWindowTest, UnknownStoredCharacterSetChecksNothingAndIsKept) {
    app->shell.characterSet = 3;
    OpenWindow(1);
    for (int id = 1090; id <= 1103; ++id)
        EXPECT_FALSE(IsChecked(Bar(), id)) << id;
    EXPECT_EQ(3, app->shell.characterSet);
}

TEST_F(MainWindowTest, MenuBarTakesItsHeightFromTheClientAreaNotTheOuterSize) {
    OpenWindow(1);
    RECT client{}, outer{}, expected{0, 0, kMainClientWidth, kMainClientHeight};
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    AdjustWindowRectEx(&expected, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    EXPECT_EQ(expected.right - expected.left, outer.right - outer.left);
    EXPECT_EQ(expected.bottom - expected.top, outer.bottom - outer.top);
    MENUBARINFO bar{};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetMenuBarInfo(window, OBJID_MENU, 0, &bar));
    int menuHeight = bar.rcBar.bottom - bar.rcBar.top;
    EXPECT_GT(menuHeight, 0);
    EXPECT_EQ(kMainClientWidth, client.right);
    EXPECT_EQ(kMainClientHeight - menuHeight, client.bottom);
    EXPECT_EQ(GetSystemMetrics(SM_CYMENU), menuHeight) << "the bar fits in one row";
}

TEST_F(MainWindowTest, RebuildingTheBarReleasesTheOldOne) {
    OpenWindow(1);
    HMENU old = Bar();
    size_t pictures = app->menuPictures.size();
    EXPECT_GT(pictures, 0u) << "the swatch at least";
    HMENU fresh = BuildMenuBar(*app);
    EXPECT_EQ(fresh, Bar());
    EXPECT_EQ(fresh, app->shell.menuBar);
    EXPECT_FALSE(IsMenu(old));
    EXPECT_EQ(pictures, app->menuPictures.size()) << "the old pictures were let go, not kept beside the new";
}
