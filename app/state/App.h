// The program's state, one instance for the whole run: what the canvas and its dialogs work on,
// and the pictures of the menu bar. Window procedures reach it through the main window; tests make
// their own App.
#pragma once

#include "app/state/ChartDetailChoice.h"
#include "app/state/RecoveryCopies.h"
#include "document/Chart.h"
#include "interaction/Workspace.h"
#include "render/GdiObjects.h"

#include <string>
#include <vector>

struct App : Workspace {
    std::vector<BitmapHandle> menuPictures;     // the pictures of the current menu bar's items
    std::vector<std::wstring> menuRecentCharts; // the recent charts the current menu bar lists
    RecoveryRun recovery;                       // the recovery copies of the run (none in tests unless begun)
    std::wstring placementFile; // the settings file keeping the window's place (none in tests unless set)
    // The chart's pages: `doc` is the page shown, the others are parked here.
    Chart chart;
    FontHandle pageBarFont; // the page bar's font, made for the DPI below
    int pageBarFontDpi = 0;
    // The chart before an update from a list that replaced its pages, as a book, and the change
    // count the update left: one Undo brings it back while nothing changed since.
    std::vector<uint8_t> chartBeforeUpdate;
    uint32_t changeAfterUpdate = 0;
    std::wstring pathOfUpdate;      // the chart's file then: another chart read since never takes it back
    ChartDetailChoice chartDetails; // what the last column dialog asked a chart to show besides names
    std::wstring findText;     // what Edit > Find… looked for last, for F3 and Shift+F3
    std::wstring statusNote;   // a line the status bar shows across its parts until the next command
};
