// The message tables: every text the user sees, in six languages, looked up by table and item.
// Texts are UTF-16 so they show correctly whatever the system code page.
#pragma once

#include <string>
#include <string_view>
#include <vector>

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
    ExportNotWritten, // a cut export whose file could not be written; the file name follows
    ChartFromList,    // building a chart from a list of people: %1, %2, %3 stand for numbers and names
    NothingToPaste,   // second line of a paste with no copied cell of the current table
    VectorPicture,    // the vector export, the chart on the clipboard (7 it could not be copied) and
                      // command-line conversions
    Printing,         // 1 the menu item, 2 no printer installed, 3 the printer refused the chart, 4 usage
    UnsavedChanges,   // title, save question, recovery offer, their buttons, shortcut key names, copy kept
    ZoomMenu,         // 1 the popup's title, 2 "fit to width", 3 "whole chart"
    RecentCharts,     // 1 the popup's title, 2 its item when empty, 3 a chart that no longer exists
    Toolbar,          // 1 "zoom in", 2 "zoom out": tooltips of buttons without a menu item of their own
    StatusBar,        // %1 and %2 stand for numbers: 1 column and row, 2 table size, 3 cell size, 4 zoom
    Pages,            // the pages of a chart: the popup, its items, the page names, questions and books
    Memory,           // 1 a command that ran out of memory and changed nothing
    PdfExport,        // the export to PDF: its menu item, dialog, file dialog and messages
    ListUpdate,       // updating a chart from a newer list: the menu item, the comparison, its file
    ChartDetails,     // what a built chart shows besides names: open positions, assistants, photos
    FindBox,          // finding a box: 1 menu item, 2 label, 3 and 4 buttons, 5 not found, 6 title
    ChartLooks,       // build options: 1 headcount, 2 "colour boxes by", 3-5 nothing, level, department,
                      // 6 the legend's word before a level's number, 7 the department column
    Count
};

constexpr int kLanguageCount = 6;

// Text of (table, item) in the given language (1..6); item 0 for tables by language only.
// An unknown language index reads as Spanish; an unknown item gives an empty text.
std::u16string_view MessageText(int languageIndex, MessageTable table, int item = 0);

// A text of the tables as the wide-character window functions take it.
inline std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

// Width of a table's entries in characters; an entry holds at most width - 1 characters.
int MessageTableWidth(MessageTable table);

// Item numbers a table holds, ascending ({0} for a table by language only). Numbers may have gaps.
std::vector<int> MessageTableItems(MessageTable table);

// Texts that read the same in every language.
enum class FixedText {
    Ansi, // character-set items without a table entry
    Shiftjis,
    Johab,
    Oem,
    Leading,            // copy-configurator item 1080
    AssociationCaption, // caption of the registration offer
    AboutButton,        // the about box's close button
    AllFiles,           // second filter of the picture dialog
};
std::u16string_view FixedInterfaceText(FixedText text);

// Name of a language in its own tongue, as the Languages menu shows it ("Español" ... "Italiano");
// empty outside 1..6.
std::u16string_view LanguageName(int languageIndex);

// Header of one language's block in the registration offer ("[ESPAÑOL]" ...); empty outside 1..6.
std::u16string_view AssociationHeader(int languageIndex);

// The registration offer: for each language in index order its header and the four lines of the
// association table, every line ended by CR LF, with a blank line between the blocks.
std::u16string AssociationOfferText();
