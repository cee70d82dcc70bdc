// Printing the cut chart on one page: from the menu through the standard print dialog, or without
// any window to the default printer.
#pragma once

#include <windows.h>

#include "app/state/Outcome.h"
#include "render/CutChart.h"

#include <functional>
#include <string>

struct App;

// How a print request ended.
enum class PrintResult {
    Printed,
    Cancelled, // the dialog was closed without printing
    NoPrinter, // no printer is installed
    Refused,   // the printer refused the document, or the chart could not be drawn for it
};

// Prints a recorded chart of width x height pixels on one page. With a dialog owner the standard
// print dialog asks first (printer, copies, orientation); with none, the default printer takes it
// as it is. Landscape is preselected when the chart is wider than tall.
PrintResult PrintRecordedChart(HWND owner, bool askUser, HENHMETAFILE chart, int width, int height,
                               const std::wstring& documentName);

// The recorded drawing of page `index` (from 0) of a chart of pages, and its size in pixels.
struct PrintedPage {
    EnhMetafile metafile;
    int width = 0;
    int height = 0;
};
using DrawPrintedPage = std::function<PrintedPage(int index)>;

// Prints pages of a chart as one document, one sheet each. With a dialog owner the print dialog
// offers the page range: all pages, the page shown (the dialog's "Selection") or from one page to
// another; only the pages chosen are drawn. Without one, every page goes to the default printer.
PrintResult PrintChartPagesTo(HWND owner, bool askUser, int pageCount, int currentPage, bool landscape,
                              const std::wstring& documentName, const DrawPrintedPage& draw);

// "Print..." (Ctrl+P): the print dialog, then the chart on one page; a printer that is missing or
// refuses the chart is reported in the current language and nothing else changes.
Outcome PrintChart(App& app);

// The name the printed document carries in the printer's queue: the chart's file name, or the
// given name of a chart without a file ("Untitled" in the language).
std::wstring PrintDocumentName(const std::wstring& chartPath, const std::wstring& untitled);
