// The menu bar: its popups and items in menu order, their pictures by position, and the item
// states applied from the program state.
#include "app/shell/Menu.h"

#include "app/shell/PageBar.h"
#include "app/state/App.h"
#include "app/state/CommandIds.h"
#include "app/state/CommandStates.h"
#include "app/state/ItemState.h"
#include "app/state/RecentCharts.h"

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

namespace {

// The recent charts' popup: the list (or one disabled item when it is empty).
void FillRecentChartsPopup(const App& app, HMENU popup) {
    const std::vector<std::wstring>& list = app.shell.recentCharts;
    if (list.empty()) {
        AppendMenuW(popup, MF_STRING | MF_GRAYED, kCmdFirstRecentChart,
                    Tr(app, MessageTable::RecentCharts, 2).c_str());
        return;
    }
    for (size_t i = 0; i < list.size() && i < size_t(kRecentChartCount); ++i)
        AppendMenuW(popup, MF_STRING, UINT_PTR(kCmdFirstRecentChart + int(i)),
                    RecentChartItemText(int(i), list[i]).c_str());
}

struct PicturePlace {
    int position;
    int resource;
};

// Adds items to one popup and keeps the pictures that the items show.
struct MenuBuilder {
    App& app;
    std::vector<BitmapHandle>& pictures;

    std::wstring Text(MessageTable table, int item = 0) const { return Tr(app, table, item); }
    // An item's text with its shortcut key after a tab: Ctrl+letter, Ctrl+Shift+letter, or the
    // Delete key's name, each in the language's own key names.
    std::wstring Keyed(MessageTable table, int item, wchar_t letter, bool shift = false) const {
        std::wstring key = letter ? Text(MessageTable::UnsavedChanges, 7) + L"+" : L"";
        if (letter && shift) key += Text(MessageTable::UnsavedChanges, 9) + L"+";
        key += letter ? std::wstring(1, letter) : Text(MessageTable::UnsavedChanges, 8);
        return Text(table, item) + L"\t" + key;
    }

    void Item(HMENU menu, int id, const std::wstring& text) const {
        AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(id), text.c_str());
    }
    void Separator(HMENU menu) const { AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); }
    HMENU Popup(HMENU parent, const std::wstring& text) const {
        HMENU popup = CreatePopupMenu();
        AppendMenuW(parent, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), text.c_str());
        return popup;
    }

    // The same picture serves as the checked and the unchecked mark unless a checked one is
    // given; a picture that cannot be loaded leaves its item without one.
    void Picture(HMENU menu, int position, BitmapHandle bitmap, BitmapHandle checked = {}) const {
        if (!bitmap) return;
        SetMenuItemBitmaps(menu, static_cast<UINT>(position), MF_BYPOSITION, bitmap.Get(),
                           checked ? checked.Get() : bitmap.Get());
        pictures.push_back(std::move(bitmap));
        if (checked) pictures.push_back(std::move(checked));
    }
    static BitmapHandle Load(int resource) {
        return BitmapHandle(static_cast<HBITMAP>(LoadImageW(
            GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    }
    void Pictures(HMENU menu, std::initializer_list<PicturePlace> places) const {
        for (const PicturePlace& place : places)
            Picture(menu, place.position, Load(place.resource));
    }

    void Operations(HMENU bar) const {
        HMENU menu = Popup(bar, Text(MessageTable::OperationsMenu, 1));
        HMENU fresh = Popup(menu, Text(MessageTable::OperationsMenu, 2));
        HMENU horizontal = Popup(fresh, Text(MessageTable::PageOrientation, 1));
        HMENU vertical = Popup(fresh, Text(MessageTable::PageOrientation, 5));
        const std::pair<HMENU, std::array<int, 4>> pages[] = {
            {horizontal,
             {kCmdNewHorizontal16, kCmdNewHorizontal24, kCmdNewHorizontal32, kCmdNewHorizontal64}},
            {vertical, {kCmdNewVertical16, kCmdNewVertical24, kCmdNewVertical32, kCmdNewVertical64}}};
        // Cell sizes 16, 24, 32, 64: items 2, 6, 3, 4 of the page-orientation table.
        constexpr int sizeTexts[] = {2, 6, 3, 4};
        for (const auto& [page, ids] : pages)
            for (size_t i = 0; i < ids.size(); ++i)
                Item(page, ids[i], Text(MessageTable::PageOrientation, sizeTexts[i]));
        Separator(menu);
        Item(menu, kCmdReadFile, Keyed(MessageTable::OperationsMenu, 3, L'O'));
        Separator(menu);
        Item(menu, kCmdReadPrevious, Text(MessageTable::OperationsMenu, 4));
        Separator(menu);
        FillRecentChartsPopup(app, Popup(menu, Text(MessageTable::RecentCharts, 1)));
        Separator(menu);
        Item(menu, kCmdRecordFile, Keyed(MessageTable::OperationsMenu, 5, L'S'));
        Separator(menu);
        Item(menu, kCmdExportJpeg, Text(MessageTable::OperationsMenu, 11));
        Separator(menu);
        Item(menu, kCmdExportBitmap, Text(MessageTable::OperationsMenu, 7));
        Separator(menu);
        Item(menu, kCmdExportVector, Text(MessageTable::VectorPicture, 5));
        Separator(menu);
        Item(menu, kCmdExportPdf, Text(MessageTable::PdfExport, 1));
        Separator(menu);
        Item(menu, kCmdPrint, Text(MessageTable::Printing, 1));
        Separator(menu);
        Item(menu, kCmdAuthor, Text(MessageTable::OperationsMenu, 9));
        Separator(menu);
        Item(menu, kCmdExit, Text(MessageTable::OperationsMenu, 10));
        Pictures(menu, {{0, 800},
                        {2, 801},
                        {4, 801},
                        {8, 802},
                        {10, 816},
                        {12, 816},
                        {14, 841},
                        {16, 841},
                        {18, 835},
                        {20, 804},
                        {22, 810}});
    }

    void Edit(HMENU bar) const {
        HMENU menu = Popup(bar, Text(MessageTable::EditMenu, 1));
        Item(menu, kCmdUndo, Keyed(MessageTable::EditMenu, 6, L'Z'));
        Item(menu, kCmdRedo, Keyed(MessageTable::EditMenu, 7, L'Y'));
        Separator(menu);
        Item(menu, kCmdCopyCell, Keyed(MessageTable::EditMenu, 2, L'C'));
        Separator(menu);
        Item(menu, kCmdPasteCell, Keyed(MessageTable::EditMenu, 3, L'V'));
        Separator(menu);
        Item(menu, kCmdClearCell, Keyed(MessageTable::EditMenu, 4, 0));
        Separator(menu);
        Item(menu, kCmdSelectAll, Keyed(MessageTable::EditMenu, 5, L'A'));
        Separator(menu);
        Item(menu, kCmdCopyChartPicture, Keyed(MessageTable::VectorPicture, 6, L'C', true));
        Separator(menu);
        Item(menu, kCmdFind, Keyed(MessageTable::FindBox, 1, L'F'));
        Pictures(menu, {{0, 821}, {1, 824}, {3, 812}, {5, 813}, {7, 814}, {9, 820}, {11, 840}});
    }

    void Mouse(HMENU bar) const {
        HMENU menu = Popup(bar, Text(MessageTable::MouseMenu, 1));
        HMENU left = Popup(menu, Text(MessageTable::MouseMenu, 2));
        Item(left, kCmdCellSelector, Text(MessageTable::MouseMenu, 3));
        Item(left, kCmdEditText, Text(MessageTable::MouseMenu, 4));
        Item(left, kCmdInsertImage, Text(MessageTable::MouseMenu, 5));
        Item(left, kCmdInsertIcon, Text(MessageTable::MouseMenu, 9));
        HMENU right = Popup(menu, Text(MessageTable::MouseMenu, 6));
        Item(right, kCmdCapturingColor, Text(MessageTable::MouseMenu, 7));
        Item(right, kCmdFavouriteColours, Text(MessageTable::MouseMenu, 8));
        // The default modes are checked on a fresh bar.
        CheckMenuItem(left, kCmdCellSelector, MF_BYCOMMAND | MF_CHECKED);
        CheckMenuItem(right, kCmdCapturingColor, MF_BYCOMMAND | MF_CHECKED);
        Pictures(menu, {{0, 809}, {1, 809}});
    }

    void Table(HMENU bar) const {
        HMENU menu = Popup(bar, Text(MessageTable::TableMenu, 1));
        Item(menu, kCmdMergeHorizontal, Text(MessageTable::TableMenu, 2));
        Item(menu, kCmdMergeVertical, Text(MessageTable::TableMenu, 3));
        Separator(menu);
        Item(menu, kCmdCancelCell, Text(MessageTable::TableMenu, 4));
        Pictures(menu, {{0, 805}, {1, 815}, {3, 806}});
    }

    void Chart(HMENU bar) const {
        HMENU menu = Popup(bar, Text(MessageTable::Chart, 1));
        Item(menu, kCmdCreateTable, Text(MessageTable::Chart, 2));
        Separator(menu);
        Item(menu, kCmdCreateLine, Text(MessageTable::Chart, 3));
        Separator(menu);
        Item(menu, kCmdBuildFromList, Text(MessageTable::Chart, 4));
        Item(menu, kCmdUpdateFromList, Text(MessageTable::ListUpdate, 1));
        Pictures(menu, {{0, 823}, {2, 822}, {4, 830}});
    }

    void Languages(HMENU bar) const {
        HMENU menu = Popup(bar, Text(MessageTable::LanguagesMenu));
        // Each language is named in its own tongue, the same in every language.
        for (int i = 0; i < kLanguageCount; ++i)
            Item(menu, kCmdFirstLanguage + i, Wide(LanguageName(i + 1)));
        // Each item shows its flag; the current language's flag carries a check mark.
        for (int i = 0; i < kLanguageCount; ++i)
            Picture(menu, i, Load(300 + i), WithCheckMark(Load(300 + i)));
    }

    void CopyConfigurator(HMENU bar) const {
        HMENU menu = Popup(bar, Text(MessageTable::CopyConfigurator, 1));
        Item(menu, kCmdSelectAllFields, Text(MessageTable::CopyConfigurator, 2));
        Separator(menu);
        // The first eight fields are named as in the text-properties dialog.
        constexpr int textPropertyItems[] = {10, 11, 3, 4, 5, 6, 7, 8};
        for (int i = 0; i < 8; ++i)
            Item(menu, kCopyFieldCommands[i], Text(MessageTable::TextProperties, textPropertyItems[i]));
        Item(menu, kCopyFieldCommands[kCopyLeading], Wide(FixedInterfaceText(FixedText::Leading)));
        // Text, Image, Icon, Alignment, Numeric format allowed, Number format type.
        constexpr int configuratorItems[] = {3, 4, 9, 5, 6, 7};
        for (int i = 0; i < 6; ++i)
            Item(menu, kCopyFieldCommands[kCopyText + i],
                 Text(MessageTable::CopyConfigurator, configuratorItems[i]));
        Separator(menu);
        Item(menu, kCmdDeselectAllFields, Text(MessageTable::CopyConfigurator, 8));
    }

    void Colour(HMENU bar) const {
        HMENU menu = Popup(bar, Text(MessageTable::ColourMenu, 1));
        Item(menu, kCmdFavouriteBackground, Text(MessageTable::ColourMenu, 2));
        Picture(menu, 0, MakeBackgroundSwatch(static_cast<COLORREF>(app.shell.favouriteBackground)));
    }

    void CharacterSet(HMENU bar) const {
        HMENU menu = Popup(bar, Text(MessageTable::CharacterSet, 11));
        // Items without a table entry keep their names in every language.
        Item(menu, kCmdFirstCharacterSet + 0, Wide(FixedInterfaceText(FixedText::Ansi)));
        Item(menu, kCmdFirstCharacterSet + 1, Wide(FixedInterfaceText(FixedText::Shiftjis)));
        Item(menu, kCmdFirstCharacterSet + 2, Text(MessageTable::CharacterSet, 1));
        Item(menu, kCmdFirstCharacterSet + 3, Wide(FixedInterfaceText(FixedText::Johab)));
        for (int i = 4; i <= 12; ++i)
            Item(menu, kCmdFirstCharacterSet + i, Text(MessageTable::CharacterSet, i - 2));
        Item(menu, kCmdFirstCharacterSet + 13, Wide(FixedInterfaceText(FixedText::Oem)));
    }

    void Zoom(HMENU bar) const {
        HMENU menu = Popup(bar, Text(MessageTable::ZoomMenu, 1));
        for (size_t i = 0; i < kZoomMenuSteps.size(); ++i)
            Item(menu, kCmdFirstZoom + static_cast<int>(i), std::to_wstring(kZoomMenuSteps[i]) + L" %");
        Separator(menu);
        Item(menu, kCmdZoomToWidth, Text(MessageTable::ZoomMenu, 2));
        Item(menu, kCmdZoomWholeChart, Text(MessageTable::ZoomMenu, 3));
    }
};

} // namespace

BitmapHandle WithCheckMark(BitmapHandle picture) {
    if (!picture) return {};
    WindowDC screen(nullptr);
    MemoryDC dc(screen.Get());
    if (!dc.Get()) return {};
    BITMAP size{};
    GetObjectW(picture.Get(), sizeof size, &size);
    {
        ScopedSelect target(dc.Get(), picture.Get());
        // A tick in the lower right corner, black on a white outline so it shows on any flag.
        const int w = size.bmWidth, h = size.bmHeight;
        const POINT tick[] = {
            {w * 5 / 16, h * 10 / 16}, {w * 7 / 16, h * 13 / 16}, {w * 14 / 16, h * 6 / 16}};
        PenHandle outline(CreatePen(PS_SOLID, std::max(3, w / 5), RGB(255, 255, 255)));
        PenHandle ink(CreatePen(PS_SOLID, std::max(1, w / 10), RGB(0, 0, 0)));
        {
            ScopedSelect pen(dc.Get(), outline.Get());
            Polyline(dc.Get(), tick, 3);
        }
        ScopedSelect pen(dc.Get(), ink.Get());
        Polyline(dc.Get(), tick, 3);
    }
    return picture;
}

BitmapHandle MakeBackgroundSwatch(COLORREF colour) {
    WindowDC screen(nullptr);
    BitmapHandle swatch(CreateCompatibleBitmap(screen.Get(), kMenuPictureSize, kMenuPictureSize));
    MemoryDC dc(screen.Get());
    if (!swatch || !dc.Get()) return {};
    BrushHandle fill(CreateSolidBrush(colour));
    {
        // The swatch is deselected again before the menu uses it.
        ScopedSelect target(dc.Get(), swatch.Get());
        FillSolid(dc.Get(), RECT{0, 0, kMenuPictureSize, kMenuPictureSize}, RGB(255, 255, 255));
        ScopedSelect pen(dc.Get(), GetStockObject(BLACK_PEN));
        ScopedSelect brush(dc.Get(), fill.Get());
        RoundRect(dc.Get(), 0, 0, 15, 15, 15, 15);
    }
    return swatch;
}

HMENU BuildMenuBar(App& app) {
    std::vector<BitmapHandle> pictures;
    MenuBuilder builder{app, pictures};
    HMENU bar = CreateMenu();
    builder.Operations(bar);
    builder.Edit(bar);
    builder.Mouse(bar);
    builder.Table(bar);
    builder.Chart(bar);
    builder.Languages(bar);
    builder.CopyConfigurator(bar);
    builder.Colour(bar);
    builder.CharacterSet(bar);
    builder.Zoom(bar);
    AppendPagesMenu(app, bar);

    HMENU previous = app.shell.menuBar;
    if (app.shell.mainWindow) SetMenu(app.shell.mainWindow, bar);
    app.shell.menuBar = bar;
    if (previous) DestroyMenu(previous);
    // The old pictures go only now that no menu shows them.
    app.menuPictures = std::move(pictures);
    app.menuRecentCharts = app.shell.recentCharts;
    return bar;
}

void SetCommandState(App& app, int commandId, int state) {
    if (!app.shell.menuBar) return;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    info.fState = static_cast<UINT>(state);
    SetMenuItemInfoW(app.shell.menuBar, static_cast<UINT>(commandId), FALSE, &info);
}

void ApplyMenuStates(App& app) {
    for (int id : GovernedCommands())
        SetCommandState(app, id, ItemState(app, id));
    ShowZoomChecks(app);
}

void ShowZoomChecks(App& app) {
    for (size_t i = 0; i < kZoomMenuSteps.size(); ++i)
        SetCommandState(app, kCmdFirstZoom + static_cast<int>(i),
                        kZoomMenuSteps[i] == app.render.zoomPercent ? kItemChecked : kItemEnabled);
}
