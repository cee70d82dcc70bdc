// The message tables: every text the user sees, in six languages, looked up by table and item.
// Texts are UTF-16 so they show correctly whatever the system code page.
#pragma once

#include <string_view>

enum class MessageTable {
    Caption,
    OperationsMenu,
    EditMenu,
    MouseMenu,
    TableMenu,
    LanguagesMenu,
    Chart,
    PageOrientation,
    CopyConfigurator,
    ColourMenu,
    CharacterSet,
    TextProperties,
    NumberFormatNames,
    NumberFormatCaption,
    FileNameDialog,
    ColourCaught,
    SelectedColour,
    FavouritesFiled,
    SaveBeforeExit,
    ResetQuestion,
    FavouritesTitle,
    FavouritesFileButton,
    FavouritesGetOutButton,
    FavouritesResetButton,
    ExitQuestion,
    WorkFile,
    FileExists,
    ClearCell,
    PasteCell,
    CopyCell,
    OverrideCell,
    HorizontalMergeRefused,
    VerticalMergeRefused,
    WrongFormat,
    PreviousVersionHint,
    CutBitmapExported,
    CutJpegExported,
    BitmapBrowser,
    JpegBrowser,
    ImageBrowser,
    IconBrowser,
    GdiplusError,
    Association,
    About,
    Count
};

constexpr int kLanguageCount = 6;

// Text of (table, item) in the given language (1..6); item 0 for tables by language only.
// An unknown language index reads as Spanish; an unknown item gives an empty text.
std::u16string_view MessageText(int languageIndex, MessageTable table, int item = 0);
