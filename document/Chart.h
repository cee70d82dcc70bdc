// A chart of pages: each page a document as the table editor knows it (grid, table values,
// selection, undo history), with a name and the view it was left with. The page shown lives where
// the editor works on it; the others are parked here, their grids packed, so that a book of many
// pages costs little more than the tables it holds.
#pragma once

#include "document/ChartBook.h"
#include "document/ChartFind.h"
#include "document/CopyFlags.h"
#include "document/Document.h"
#include "document/Edit.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

struct ChartPage {
    std::wstring name;
    // While another page is shown: the page's document with its grid taken out, and the grid's
    // rows in use packed. Empty for the page shown.
    std::unique_ptr<Document> parked;
    std::vector<uint8_t> packedGrid;
    int packedRows = 0;
    // The parked page's texts as Find reads them, taken as it was packed.
    std::vector<FindSpot> findSpots;
    // The view the page was left with; zoom 0 until the page has been shown.
    int zoomPercent = 0;
    int viewX = 0;
    int viewY = 0;
};

// A page taken away by "Delete page", kept so that Undo can bring it back.
struct RemovedPage {
    ChartPage page;
    int index = 0;
    int shownAfter = 0;       // the page shown once it was gone
    uint32_t shownChange = 0; // that page's change count then: any edit since forgets the removal
};

// A whole chart replaced by a chart built from a list, kept so that Undo right after the build
// brings it back as it was.
struct ReplacedChart {
    std::vector<ChartPage> pages;
    int shown = 0;
    bool pagesChanged = false;
    int copyPage = -1;
    std::unique_ptr<Document> shownDocument;
    std::wstring path;        // the file the chart was read from or recorded to
    uint32_t builtChange = 0; // the built chart's change count: any edit since forgets the chart
};

struct Chart {
    std::vector<ChartPage> pages = std::vector<ChartPage>(1);
    int shown = 0;
    // Pages added, removed, renamed or moved since the chart was last recorded or read.
    bool pagesChanged = false;
    // The chart's change count (ChartChangeCount) when the page shown was shown, and that page's
    // own count then: the count goes on from there with the edits of the page shown.
    uint32_t changesBeforeShown = 0;
    uint32_t shownChangeAtShow = 0;
    // The page of the last "Copy cell", so that a paste on another page reads the cell there.
    int copyPage = -1;
    std::vector<RemovedPage> removed;
    std::unique_ptr<ReplacedChart> replaced;
};

int PageCount(const Chart& chart);

// A fresh chart of one page, named, showing `shown` as it is; its change count goes on from the
// chart it replaces, one change more.
void ResetChart(Chart& chart, const std::wstring& name);

// Shows page `index`: the shown document is parked in its page and the other page's document
// takes its place, with its own selection and undo history.
void ShowPage(Chart& chart, Document& shown, int index);

// Adds an empty page after the one shown and shows it: `shown` is a fresh document afterwards.
void AddPage(Chart& chart, Document& shown, const std::wstring& name);
void RenamePage(Chart& chart, int index, const std::wstring& name);
// Removes the page shown (never the last one) and shows its neighbour.
void DeleteShownPage(Chart& chart, Document& shown);
// Undo right after "Delete page" (no edit of the page shown since) brings the page back.
bool CanRestoreRemovedPage(const Chart& chart, const Document& shown);
void RestoreRemovedPage(Chart& chart, Document& shown);
// Before a build replaces every page: the chart as it is, with the file it came from, is set aside
// and the chart is one page, the page shown as it is.
void SetChartAside(Chart& chart, const Document& shown, const std::wstring& path);
// The build was refused: the chart set aside is the chart again, exactly as it was.
void TakeChartBack(Chart& chart, Document& shown);
// The build is done: the page's own history starts with it, and Undo right after brings back the
// chart set aside.
void ChartBuiltOver(Chart& chart, Document& shown);
bool CanRestoreReplacedChart(const Chart& chart, const Document& shown);
// Brings back the chart set aside, as a change, its first page shown; returns its file.
std::wstring RestoreReplacedChart(Chart& chart, Document& shown);
// Moves the page shown one place left (-1) or right (+1); it stays shown.
void MoveShownPage(Chart& chart, int step);

// Unrecorded changes on any page or in the pages themselves.
bool ChartModified(const Chart& chart, const Document& shown);
// Every change of the chart counted once, on whichever page: edits, undos and redos, and pages
// added, removed, renamed or moved. It only ever grows, a removed page's edits included, so that
// a recovery copy written at one count is never taken for the chart at a later one.
uint32_t ChartChangeCount(const Chart& chart, const Document& shown);
// `next` takes the place of a chart whose count stood at `previous`, `shown` showing its page:
// its count goes on from there, the replacement one change more.
void CountOnFrom(Chart& next, uint32_t previous, const Document& shown);
// The chart was recorded, or replaced by a read: nothing is unrecorded and no removal or replaced
// chart comes back.
void ChartRecorded(Chart& chart, Document& shown);

// "Copy cell" succeeded on the page shown.
void NoteCellCopied(Chart& chart);
// "Paste cell" on the page shown, from the cell copied on whichever page it was copied.
EditOutcome PasteCellOnChart(Chart& chart, Document& shown, const CopyFlags& flags);

// The chart as a book: the work file of every page, in page order, named for the book, each made
// and deflated in turn. `dosTime` as for EncodeChartBook.
std::vector<uint8_t> EncodeChartAsBook(const Chart& chart, const Document& shown,
                                       uint32_t dosTime = 0x00210000);
// The work file of one page.
std::vector<uint8_t> PageWorkFile(const Chart& chart, const Document& shown, int index);

// Building a chart page by page: the page joins the chart parked (`doc` keeps its grid's memory,
// its bytes no longer meaning anything); once all are in, the first is shown.
void AppendParkedPage(Chart& chart, const std::wstring& name, Document& doc);
void ShowFirstPage(Chart& chart, Document& shown);

enum class ChartBookLoad { Accepted, Refused, TooLarge };
// Replaces the chart by the book's pages, the first one shown. Every page must be a work file of
// the current format; a refused book leaves the chart and the shown document as they were.
// TooLarge: an archive refused only for the limits of its size or pages.
ChartBookLoad LoadChartBook(Chart& chart, Document& shown, std::span<const uint8_t> bytes);
