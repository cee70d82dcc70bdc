// The pages of a chart: showing, adding, renaming, removing and moving them, their unrecorded
// changes, the cell copied across pages, and the chart as the entries of a book.
#include "document/Chart.h"

#include "document/Undo.h"
#include "document/WorkFileFormat.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>
#include <utility>

namespace {

constexpr size_t kRowBytes = sizeof(CellRecord) * kGridSize;

bool RowEmpty(const CellGrid& grid, int row) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&grid.slots[size_t(row) * kGridSize]);
    return bytes[0] == 0 && std::memcmp(bytes, bytes + 1, kRowBytes - 1) == 0;
}

// Packs the rows in use (the table's, and any below it that still hold something); unpacking
// gives the same bytes back.
void PackGrid(ChartPage& page) {
    CellGrid& grid = page.parked->cellGrid;
    int rows = kGridSize;
    while (rows > 0 && RowEmpty(grid, rows - 1))
        --rows;
    const auto* bytes = reinterpret_cast<const uint8_t*>(grid.slots.data());
    page.packedGrid = DeflateFast({bytes, kRowBytes * size_t(rows)}, true);
    page.packedRows = rows;
    page.findSpots = GridFindSpots(grid, rows);
}

// Fills the grid with the page's packed rows and empty ones below them.
void UnpackGrid(const ChartPage& page, std::vector<CellRecord>& slots) {
    slots.resize(size_t(kGridSize) * kGridSize);
    uLongf size = static_cast<uLongf>(kRowBytes * size_t(page.packedRows));
    if (page.packedRows > 0 &&
        uncompress(reinterpret_cast<Bytef*>(slots.data()), &size, page.packedGrid.data(),
                   static_cast<uLong>(page.packedGrid.size())) != Z_OK)
        throw std::bad_alloc(); // packed here: it cannot be damaged, only memory can fail
    std::memset(static_cast<void*>(slots.data() + size_t(page.packedRows) * kGridSize), 0,
                kRowBytes * size_t(kGridSize - page.packedRows));
}

// The shown document goes into its page; its grid's memory stays with `shown` (its bytes no
// longer meaning anything) for the page shown next.
void Park(ChartPage& page, Document& shown) {
    page.parked = std::make_unique<Document>(std::move(shown));
    PackGrid(page);
    shown.cellGrid.slots = std::move(page.parked->cellGrid.slots);
}

void Unpark(ChartPage& page, Document& shown) {
    std::vector<CellRecord> buffer = std::move(shown.cellGrid.slots);
    UnpackGrid(page, buffer);
    shown = std::move(*page.parked);
    shown.cellGrid.slots = std::move(buffer);
    page.parked.reset();
    page.packedGrid = {};
    page.packedRows = 0;
    page.findSpots = {};
}

void NotePagesChanged(Chart& chart) {
    chart.pagesChanged = true;
    ++chart.changesBeforeShown;
}

// Another document is about to be shown: the edits of the one shown so far join the chart's count.
void CountShownChanges(Chart& chart, const Document& shown) {
    chart.changesBeforeShown += shown.changeCount - chart.shownChangeAtShow;
    chart.shownChangeAtShow = shown.changeCount;
}

// The document now shown counts on from its own count.
void CountFromShown(Chart& chart, const Document& shown) {
    chart.shownChangeAtShow = shown.changeCount;
}

// The page's document with its grid, for reading: the shown one as it is, a parked one unpacked
// into `scratch` (whose grid memory is reused from page to page).
const Document& PageDocument(const Chart& chart, const Document& shown, int index, Document& scratch) {
    if (index == chart.shown) return shown;
    const ChartPage& page = chart.pages[size_t(index)];
    std::vector<CellRecord> slots = std::move(scratch.cellGrid.slots);
    UnpackGrid(page, slots);
    const Document& parked = *page.parked;
    scratch.tableColumns = parked.tableColumns;
    scratch.tableRows = parked.tableRows;
    scratch.cellWidth = parked.cellWidth;
    scratch.cellHeight = parked.cellHeight;
    scratch.separation = parked.separation;
    scratch.lineThickness = parked.lineThickness;
    scratch.lineColor = parked.lineColor;
    scratch.paperColor = parked.paperColor;
    scratch.tablePresent = parked.tablePresent;
    scratch.copySourceColumn = parked.copySourceColumn;
    scratch.copySourceRow = parked.copySourceRow;
    scratch.cellCopied = parked.cellCopied;
    scratch.cellGrid.slots = std::move(slots);
    return scratch;
}

} // namespace

int PageCount(const Chart& chart) {
    return static_cast<int>(chart.pages.size());
}

void ResetChart(Chart& chart, const std::wstring& name) {
    // The document shown stays the same object (a read or "New" fills it): its count goes on.
    const uint32_t changes = chart.changesBeforeShown, shownAt = chart.shownChangeAtShow;
    chart = Chart{};
    chart.pages[0].name = name;
    chart.changesBeforeShown = changes + 1;
    chart.shownChangeAtShow = shownAt;
}

void ShowPage(Chart& chart, Document& shown, int index) {
    if (index == chart.shown || index < 0 || index >= PageCount(chart)) return;
    CountShownChanges(chart, shown);
    Park(chart.pages[size_t(chart.shown)], shown);
    chart.shown = index;
    Unpark(chart.pages[size_t(index)], shown);
    CountFromShown(chart, shown);
}

void AddPage(Chart& chart, Document& shown, const std::wstring& name) {
    CountShownChanges(chart, shown);
    Park(chart.pages[size_t(chart.shown)], shown);
    shown = Document{};
    CountFromShown(chart, shown);
    ChartPage page;
    page.name = name;
    chart.shown += 1;
    chart.pages.insert(chart.pages.begin() + chart.shown, std::move(page));
    if (chart.copyPage >= chart.shown) ++chart.copyPage;
    // The pages after the new one moved: a removed page would come back to a place that no longer
    // means what it meant, and the fresh page could pass for the one shown after the removal.
    chart.removed.clear();
    NotePagesChanged(chart);
}

void RenamePage(Chart& chart, int index, const std::wstring& name) {
    if (index < 0 || index >= PageCount(chart) || chart.pages[size_t(index)].name == name) return;
    chart.pages[size_t(index)].name = name;
    NotePagesChanged(chart);
}

void DeleteShownPage(Chart& chart, Document& shown) {
    if (PageCount(chart) < 2) return;
    RemovedPage removed;
    removed.index = chart.shown;
    removed.page = std::move(chart.pages[size_t(chart.shown)]);
    CountShownChanges(chart, shown);
    Park(removed.page, shown);
    chart.pages.erase(chart.pages.begin() + chart.shown);
    if (chart.copyPage == chart.shown)
        chart.copyPage = -1;
    else if (chart.copyPage > chart.shown)
        --chart.copyPage;
    chart.shown = std::min(chart.shown, PageCount(chart) - 1);
    Unpark(chart.pages[size_t(chart.shown)], shown);
    CountFromShown(chart, shown);
    removed.shownAfter = chart.shown;
    removed.shownChange = shown.changeCount;
    chart.removed.push_back(std::move(removed));
    NotePagesChanged(chart);
}

bool CanRestoreRemovedPage(const Chart& chart, const Document& shown) {
    if (chart.removed.empty()) return false;
    const RemovedPage& last = chart.removed.back();
    return last.shownAfter == chart.shown && last.shownChange == shown.changeCount &&
           last.index <= PageCount(chart);
}

void RestoreRemovedPage(Chart& chart, Document& shown) {
    if (!CanRestoreRemovedPage(chart, shown)) return;
    RemovedPage removed = std::move(chart.removed.back());
    chart.removed.pop_back();
    CountShownChanges(chart, shown);
    Park(chart.pages[size_t(chart.shown)], shown);
    chart.pages.insert(chart.pages.begin() + removed.index, std::move(removed.page));
    if (chart.copyPage >= removed.index) ++chart.copyPage;
    chart.shown = removed.index;
    Unpark(chart.pages[size_t(chart.shown)], shown);
    CountFromShown(chart, shown);
    NotePagesChanged(chart);
}

void SetChartAside(Chart& chart, const Document& shown, const std::wstring& path) {
    auto aside = std::make_unique<ReplacedChart>();
    aside->pages = std::move(chart.pages);
    aside->shown = chart.shown;
    aside->pagesChanged = chart.pagesChanged;
    aside->copyPage = chart.copyPage;
    aside->shownDocument = std::make_unique<Document>(shown);
    aside->path = path;
    // The count goes on from the whole chart's: a recovery copy of the chart set aside is behind it.
    const uint32_t count = ChartChangeCount(chart, shown);
    ResetChart(chart, aside->pages[size_t(aside->shown)].name);
    CountOnFrom(chart, count, shown);
    chart.replaced = std::move(aside);
}

namespace {

// The chart set aside is the chart again; its count goes on from the chart it replaces.
void TakeAside(Chart& chart, Document& shown) {
    const uint32_t count = ChartChangeCount(chart, shown);
    std::unique_ptr<ReplacedChart> aside = std::move(chart.replaced);
    chart.pages = std::move(aside->pages);
    chart.shown = aside->shown;
    chart.pagesChanged = aside->pagesChanged;
    chart.copyPage = aside->copyPage;
    chart.removed.clear();
    shown = std::move(*aside->shownDocument);
    CountOnFrom(chart, count, shown);
}

} // namespace

void TakeChartBack(Chart& chart, Document& shown) {
    if (chart.replaced) TakeAside(chart, shown);
}

void ChartBuiltOver(Chart& chart, Document& shown) {
    if (!chart.replaced) return;
    ResetUndoHistory(shown);
    chart.replaced->builtChange = shown.changeCount;
}

bool CanRestoreReplacedChart(const Chart& chart, const Document& shown) {
    return chart.replaced && PageCount(chart) == 1 && chart.replaced->builtChange == shown.changeCount;
}

std::wstring RestoreReplacedChart(Chart& chart, Document& shown) {
    if (!CanRestoreReplacedChart(chart, shown)) return {};
    std::wstring path = chart.replaced->path;
    TakeAside(chart, shown);
    NotePagesChanged(chart);
    return path;
}

void MoveShownPage(Chart& chart, int step) {
    const int to = chart.shown + step;
    if (to < 0 || to >= PageCount(chart) || step == 0) return;
    std::swap(chart.pages[size_t(chart.shown)], chart.pages[size_t(to)]);
    if (chart.copyPage == chart.shown)
        chart.copyPage = to;
    else if (chart.copyPage == to)
        chart.copyPage = chart.shown;
    chart.shown = to;
    // Removed pages would come back to places that no longer mean what they meant.
    chart.removed.clear();
    NotePagesChanged(chart);
}

bool ChartModified(const Chart& chart, const Document& shown) {
    if (chart.pagesChanged || shown.modified) return true;
    return std::any_of(chart.pages.begin(), chart.pages.end(),
                       [](const ChartPage& page) { return page.parked && page.parked->modified; });
}

uint32_t ChartChangeCount(const Chart& chart, const Document& shown) {
    return chart.changesBeforeShown + (shown.changeCount - chart.shownChangeAtShow);
}

void CountOnFrom(Chart& next, uint32_t previous, const Document& shown) {
    next.changesBeforeShown = previous + 1;
    next.shownChangeAtShow = shown.changeCount;
}

void ChartRecorded(Chart& chart, Document& shown) {
    chart.pagesChanged = false;
    chart.replaced.reset();
    shown.modified = false;
    for (ChartPage& page : chart.pages)
        if (page.parked) page.parked->modified = false;
}

void NoteCellCopied(Chart& chart) {
    chart.copyPage = chart.shown;
}

EditOutcome PasteCellOnChart(Chart& chart, Document& shown, const CopyFlags& flags) {
    if (chart.copyPage < 0 || chart.copyPage == chart.shown || chart.copyPage >= PageCount(chart))
        return PasteCellCommand(shown, flags);
    auto scratch = std::make_unique<Document>();
    const Document& page = PageDocument(chart, shown, chart.copyPage, *scratch);
    std::optional<CellRecord> source;
    if (page.cellCopied && InTable(page, page.copySourceColumn, page.copySourceRow))
        source = page.cellGrid(page.copySourceColumn, page.copySourceRow);
    return PasteCopiedCellCommand(shown, flags, source ? &*source : nullptr);
}

std::vector<uint8_t> PageWorkFile(const Chart& chart, const Document& shown, int index) {
    auto scratch = std::make_unique<Document>();
    return EncodeWorkFile(PageDocument(chart, shown, index, *scratch));
}

std::vector<uint8_t> EncodeChartAsBook(const Chart& chart, const Document& shown, uint32_t dosTime) {
    auto scratch = std::make_unique<Document>();
    return EncodeChartBook(
        chart.pages.size(),
        [&](size_t i) {
            return BookEntry{BookEntryName(i, chart.pages.size(), ToUtf8(chart.pages[i].name)),
                             EncodeWorkFile(PageDocument(chart, shown, int(i), *scratch))};
        },
        dosTime);
}

void AppendParkedPage(Chart& chart, const std::wstring& name, Document& doc) {
    ChartPage page;
    page.name = name;
    Park(page, doc);
    chart.pages.push_back(std::move(page));
}

void ShowFirstPage(Chart& chart, Document& shown) {
    chart.shown = 0;
    Unpark(chart.pages[0], shown);
    CountFromShown(chart, shown);
}

ChartBookLoad LoadChartBook(Chart& chart, Document& shown, std::span<const uint8_t> bytes) {
    // Page by page: each work file is read and its grid packed before the next is inflated.
    Chart loaded;
    loaded.pages.clear();
    Document first;
    const BookCheck check = ReadChartBook(bytes, [&](BookEntry& entry) {
        if (CheckWorkFile(entry.bytes, WorkFileFormat::Current) != WorkFileCheck::Accepted) return false;
        ChartPage page;
        page.name = FromUtf8(PageNameOfEntry(entry.name));
        Document doc;
        LoadWorkFile(doc, entry.bytes, WorkFileFormat::Current);
        doc.tablePresent = true;
        std::vector<uint8_t>().swap(entry.bytes);
        if (loaded.pages.empty()) {
            first = std::move(doc);
        } else {
            page.parked = std::make_unique<Document>(std::move(doc));
            PackGrid(page);
            std::vector<CellRecord>().swap(page.parked->cellGrid.slots);
        }
        loaded.pages.push_back(std::move(page));
        return true;
    });
    if (check == BookCheck::TooLarge) return ChartBookLoad::TooLarge;
    if (check != BookCheck::Accepted) return ChartBookLoad::Refused;
    const uint32_t before = ChartChangeCount(chart, shown);
    chart = std::move(loaded);
    shown = std::move(first);
    CountOnFrom(chart, before, shown);
    return ChartBookLoad::Accepted;
}
