// Command identifiers reported by the menu items and the ruler-style button, and the groups of
// them that share a check mark or an enabling rule.
#pragma once

#include <array>

// Operations
constexpr int kCmdNewHorizontal16 = 3302;
constexpr int kCmdNewHorizontal24 = 3309;
constexpr int kCmdNewHorizontal32 = 3303;
constexpr int kCmdNewHorizontal64 = 3304;
constexpr int kCmdNewVertical16 = 3305;
constexpr int kCmdNewVertical24 = 3310;
constexpr int kCmdNewVertical32 = 3306;
constexpr int kCmdNewVertical64 = 3307;
constexpr int kCmdReadFile = 1007;
constexpr int kCmdReadPrevious = 1027;
constexpr int kCmdRecordFile = 1006;
constexpr int kCmdExportJpeg = 1104;
constexpr int kCmdExportBitmap = 1023;
constexpr int kCmdExportVector = 1131;
constexpr int kCmdExportPdf = 1132;
constexpr int kCmdPrint = 1120;
constexpr int kCmdAuthor = 1005;
constexpr int kCmdExit = 1002;
// The toolbar's "New": a new grid of the preset last used (or the first one before any).
constexpr int kCmdToolbarNew = 3338;
// Ctrl+S: records to the chart's own file without asking; no menu item of its own.
constexpr int kCmdRecordToChartFile = 1125;
// Edit
constexpr int kCmdUndo = 1051;
constexpr int kCmdRedo = 1052;
constexpr int kCmdCopyCell = 1020;
constexpr int kCmdPasteCell = 1021;
constexpr int kCmdClearCell = 1025;
constexpr int kCmdSelectAll = 1050;
constexpr int kCmdCopyChartPicture = 1130; // Ctrl+Shift+C
// Mouse
constexpr int kCmdCellSelector = 1008;
constexpr int kCmdEditText = 1009;
constexpr int kCmdInsertImage = 1022;
constexpr int kCmdInsertIcon = 1112;
constexpr int kCmdCapturingColor = 1015;
constexpr int kCmdFavouriteColours = 1016;
// Table
constexpr int kCmdMergeHorizontal = 1010;
constexpr int kCmdMergeVertical = 1011;
constexpr int kCmdCancelCell = 1012;
// Organization chart
constexpr int kCmdCreateTable = 3300;
constexpr int kCmdCreateLine = 3301;
constexpr int kCmdBuildFromList = 3312;
constexpr int kCmdUpdateFromList = 3313;
// Languages: Spanish .. Italian
constexpr int kCmdFirstLanguage = 2006;
constexpr int kCmdLastLanguage = 2011;
// Copy configurator
constexpr int kCmdSelectAllFields = 1070;
constexpr int kCmdDeselectAllFields = 1071;
// Color
constexpr int kCmdFavouriteBackground = 3308;
// Character set: ANSI .. OEM
constexpr int kCmdFirstCharacterSet = 1090;
constexpr int kCmdLastCharacterSet = 1103;
// The ruler-style button
constexpr int kCmdRulerStyle = 1111;

// Left mouse modes 1..4 and right mouse modes 1..2, in mode order.
constexpr std::array<int, 4> kLeftModeCommands{kCmdCellSelector, kCmdEditText, kCmdInsertImage,
                                               kCmdInsertIcon};
constexpr std::array<int, 2> kRightModeCommands{kCmdCapturingColor, kCmdFavouriteColours};

// Copy-configurator field items in flag order (CopyField).
constexpr std::array<int, 15> kCopyFieldCommands{1072, 1073, 1074, 1075, 1076, 1077, 1078, 1079,
                                                 1080, 1081, 1082, 1110, 1083, 1084, 1085};

// Windows font character-set codes of the fourteen character-set items, in menu order.
constexpr std::array<int, 14> kCharacterSetCodes{0,   128, 129, 130, 136, 161, 162,
                                                 177, 178, 186, 204, 222, 238, 255};

// Commands that need a table: disabled until the first table is shown. "Undo" and "Paste cell"
// have rules of their own.
constexpr std::array<int, 16> kTableCommands{
    kCmdExportJpeg,       kCmdRecordFile,  kCmdCancelCell, kCmdMergeHorizontal,
    kCmdMergeVertical,    kCmdCopyCell,    kCmdClearCell,  kCmdSelectAll,
    kCmdExportBitmap,     kCmdCreateTable, kCmdCreateLine, kCmdExportVector,
    kCmdCopyChartPicture, kCmdPrint,       kCmdExportPdf,  kCmdUpdateFromList};

// The Zoom menu: the zoom steps in percent and "fit to width".
constexpr int kCmdFirstZoom = 3320;
constexpr std::array<int, 6> kZoomMenuSteps{50, 75, 100, 150, 200, 400};
constexpr int kCmdZoomToWidth = kCmdFirstZoom + static_cast<int>(kZoomMenuSteps.size());
constexpr int kCmdZoomWholeChart = kCmdZoomToWidth + 1;
// Zoom steps of the toolbar (the menu's next step up or down, about the view's centre).
constexpr int kCmdZoomIn = 3328;
constexpr int kCmdZoomOut = 3329;

// The charts of "Recent charts", latest first.
constexpr int kCmdFirstRecentChart = 3330;
constexpr int kCmdLastRecentChart = kCmdFirstRecentChart + 7;

// Pages: "New page" with the eight "New" presets in the order of their ids above (horizontal
// 16, 24, 32, 64, then vertical), the page's own commands, and Ctrl+Page Down / Ctrl+Page Up.
constexpr int kCmdFirstNewPage = 3340;
constexpr int kCmdRenamePage = 3350;
constexpr int kCmdDeletePage = 3351;
constexpr int kCmdMovePageLeft = 3352;
constexpr int kCmdMovePageRight = 3353;
constexpr int kCmdNextPage = 3354;
constexpr int kCmdPreviousPage = 3355;
constexpr std::array<int, 12> kPageCommands{kCmdFirstNewPage,     kCmdFirstNewPage + 1, kCmdFirstNewPage + 2,
                                            kCmdFirstNewPage + 3, kCmdFirstNewPage + 4, kCmdFirstNewPage + 5,
                                            kCmdFirstNewPage + 6, kCmdFirstNewPage + 7, kCmdRenamePage,
                                            kCmdDeletePage,       kCmdMovePageLeft,     kCmdMovePageRight};

// Edit > Find… and its repeats, F3 forwards and Shift+F3 backwards.
constexpr int kCmdFind = 3360;
constexpr int kCmdFindNext = 3361;
constexpr int kCmdFindPrevious = 3362;

// Menu item states.
constexpr int kItemEnabled = 0;
constexpr int kItemDisabled = 3;
constexpr int kItemChecked = 8;
