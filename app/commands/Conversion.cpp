// Command-line conversions: reading the work file quietly, drawing the cut chart and writing it.
#include "app/commands/Conversion.h"

#include "app/commands/ChartDetails.h"
#include "app/commands/BuildFromList.h"
#include "app/commands/ConsoleLines.h"
#include "app/commands/ConversionCommand.h"
#include "app/commands/ListTexts.h"
#include "app/commands/PdfExport.h"
#include "app/commands/UpdateConversion.h"
#include "app/commands/WorkFileMessages.h"
#include "app/state/App.h"
#include "ui/MessageBox.h"
#include "app/commands/Print.h"
#include "document/WorkFile.h"
#include "render/CutChart.h"
#include "render/PagePlacement.h"
#include "render/ExportFormat.h"
#include "render/Renderer.h"
#include "render/VectorPicture.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

std::wstring FullPath(const std::wstring& path) {
    DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    size = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (size == 0 || size >= full.size()) return path;
    full.resize(size);
    return full;
}

// Several lines of a message box made one line of a console message.
std::wstring OneLine(const std::wstring& text) {
    std::wstring line;
    for (wchar_t c : text) {
        if (c == L'\r') continue;
        if (c == L'\n') {
            if (!line.empty() && line.back() != L' ') line += L' ';
            continue;
        }
        line += c;
    }
    while (!line.empty() && line.back() == L' ')
        line.pop_back();
    return line;
}

int Fail(int code, const std::wstring& message) {
    WriteErrorLine(OneLine(message));
    return code;
}

// The messages the reader would show go to the console instead.
class QuietMessages {
  public:
    QuietMessages() {
        SetMessageBoxSeam([this](HWND, const std::wstring& text, const std::wstring&, UINT) {
            texts.push_back(text);
            return IDOK;
        });
    }
    ~QuietMessages() { SetMessageBoxSeam({}); }
    QuietMessages(const QuietMessages&) = delete;
    QuietMessages& operator=(const QuietMessages&) = delete;
    std::vector<std::wstring> texts;
};

// Reads the work file quietly; the exit code of a failure, or done.
int ReadSource(App& app, const std::wstring& source) {
    if (!FileExists(source))
        return Fail(kConversionSourceMissing, Tr(app, MessageTable::WorkFile, 1) + L" " + source + L" " +
                                                  Tr(app, MessageTable::WorkFile, 2));
    {
        QuietMessages quiet;
        const bool book = IsChartBookFile(source);
        const int read = book
                             ? ReadChartBookFile(app.chart, app.doc, source, app.shell.languageIndex, nullptr)
                             : ReadWorkFile(app.doc, source, app.shell.languageIndex, nullptr);
        if (read != 1) {
            std::wstring told;
            for (const std::wstring& text : quiet.texts)
                told += (told.empty() ? L"" : L" ") + text;
            return Fail(kConversionSourceRefused, told + L" " + source);
        }
    }
    return kConversionDone;
}

// The picture of page `index` of a book: "out.png" becomes "out-01.png", with as many digits as
// the last page's number needs.
std::wstring PagePicturePath(const std::wstring& target, int index, int count) {
    std::wstring number = std::to_wstring(index + 1);
    const size_t digits = std::max<size_t>(2, std::to_wstring(count).size());
    number.insert(0, digits - std::min(digits, number.size()), L'0');
    const size_t slash = target.find_last_of(L"\\/");
    const size_t dot = target.find_last_of(L'.');
    const size_t cut =
        dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash) ? dot : target.size();
    return target.substr(0, cut) + L"-" + number + target.substr(cut);
}

int RunExport(App& app, const ConversionCommand& command) {
    const std::wstring source = FullPath(command.source);
    const std::wstring target = FullPath(command.target);
    const bool pdf = ExportFormatForPath(target) == ExportFormat::Pdf;
    if (!pdf && (!command.paper.empty() || !command.pages.empty()))
        return Fail(kConversionUsage, Tr(app, MessageTable::VectorPicture, 4));
    if (ExportFormatForPath(target) == ExportFormat::Unknown)
        return Fail(kConversionUnknownFormat, Tr(app, MessageTable::VectorPicture, 3) + L" " + target);
    ResetChart(app.chart, L"");
    if (int read = ReadSource(app, source); read != kConversionDone) return read;
    CreatePictures(app.render);
    if (pdf) {
        std::wstring failure;
        const int written = RunPdfConversion(app, command, source, target, failure);
        return written == kConversionDone ? written : Fail(written, failure);
    }
    const CutChartLook look{app.shell.characterSet, static_cast<COLORREF>(app.shell.favouriteBackground)};
    const bool book = IsChartBookFile(source);
    const int pages = PageCount(app.chart);
    for (int i = 0; i < pages; ++i) {
        ShowPage(app.chart, app.doc, i);
        const std::wstring path = book ? PagePicturePath(target, i, pages) : target;
        // .bmp and .jpg are what the two exports of the Operations menu write; the other formats
        // are pictures for documents and show the chart itself.
        const CutChart chart =
            DrawCutChart(app.render, app.doc, look, KeepsTableCut(path) ? ChartCut::Table : ChartCut::Extent);
        if (!chart.metafile || !SaveCutChart(chart, path))
            return Fail(kConversionNotWritten, Tr(app, MessageTable::ExportNotWritten) + L" " + path);
    }
    return kConversionDone;
}

int RunBuild(App& app, const ConversionCommand& command) {
    const std::wstring source = FullPath(command.source);
    const std::wstring target = FullPath(command.target);
    const std::wstring unread = Tr(app, MessageTable::ChartFromList, 12) + L" " + source;
    // The chart goes to a work file or a chart book, never over the list it is built from.
    const size_t dot = target.find_last_of(L"./\\");
    const bool extension = dot != std::wstring::npos && target[dot] == L'.';
    const bool workFile = extension && _wcsicmp(target.c_str() + dot, L".qdrx") == 0;
    const bool chartBook = extension && _wcsicmp(target.c_str() + dot, L".qdrb") == 0;
    if ((!workFile && !chartBook) || _wcsicmp(source.c_str(), target.c_str()) == 0)
        return Fail(kConversionUsage, Tr(app, MessageTable::ChartFromList, 20) + L" " + target);
    if (!FileExists(source)) return Fail(kConversionSourceMissing, unread);
    ListColumns columns;
    for (size_t role = 0; role < command.columns.size(); ++role)
        columns.named[role].assign(command.columns[role].begin(), command.columns[role].end());
    AddChartDetails(app, columns);
    columns.assistantsBeside = command.assistants;
    if (!command.photos.empty()) AddPhotoFolder(columns, FullPath(command.photos));
    columns.headcount = command.headcount;
    if (!command.colour.empty())
        columns.colourBy = command.colour == L"level" ? ColourBy::Level : ColourBy::Department;
    const std::wstring level = Tr(app, MessageTable::ChartLooks, 6);
    columns.levelWord.assign(level.begin(), level.end());
    BuildOutcome outcome;
    // A book takes a list of any size (one page when it fits); a work file holds one table.
    const bool book = chartBook;
    ResetChart(app.chart, L"");
    // A book of pages is recorded as it is made; one that fits one table as the chart built.
    std::vector<uint8_t> pages;
    if (!BuildChartFromListFile(app, source, outcome, columns, book, &pages))
        return Fail(kConversionSourceRefused, unread);
    if (outcome.result == BuildResult::TooLarge && !book)
        return Fail(kConversionSourceRefused, BuildRefusalText(app.shell, outcome) + L" " +
                                                  Tr(app, MessageTable::Pages, 11) + L" " + source);
    // Pages a book cannot hold: nothing is written, as for a book that could not be written.
    if (outcome.result == BuildResult::BookTooLarge)
        return Fail(kConversionNotWritten, BuildRefusalText(app.shell, outcome) + L" " + target);
    if (outcome.result != BuildResult::Built)
        return Fail(kConversionSourceRefused, BuildRefusalText(app.shell, outcome) + L" " + source);
    if (outcome.formerRows > 0) {
        std::wstring former = Tr(app, MessageTable::ChartFromList, 40);
        former.replace(former.find(L"%1"), 2, std::to_wstring(outcome.formerRows));
        WriteOutputLine(former);
    }
    for (const std::wstring& line : PhotoReport(app, columns, outcome))
        WriteOutputLine(line);
    if (book) {
        if (PageCount(app.chart) == 1 && app.chart.pages[0].name.empty()) {
            const size_t slash = source.find_last_of(L"\\/"), period = source.find_last_of(L'.');
            app.chart.pages[0].name =
                source.substr(slash + 1, period > slash + 1 ? period - slash - 1 : std::wstring::npos);
        }
        if (pages.empty()) pages = EncodeChartAsBook(app.chart, app.doc);
        if (pages.empty())
            return Fail(kConversionNotWritten, Tr(app, MessageTable::Pages, 20) + L" " + target);
        if (!WriteWholeFile(pages, target).Done())
            return Fail(kConversionNotWritten, Tr(app, MessageTable::ExportNotWritten) + L" " + target);
        return kConversionDone;
    }
    if (!WriteWorkFile(app.doc, target).Done())
        return Fail(kConversionNotWritten, Tr(app, MessageTable::ExportNotWritten) + L" " + target);
    return kConversionDone;
}

// The chart of the work file on one page of the default printer, as it is set up.
int RunPrint(App& app, const ConversionCommand& command) {
    const std::wstring source = FullPath(command.source);
    ResetChart(app.chart, L"");
    if (int read = ReadSource(app, source); read != kConversionDone) return read;
    CreatePictures(app.render);
    const CutChartLook look{app.shell.characterSet, static_cast<COLORREF>(app.shell.favouriteBackground)};
    const CutChart chart = DrawCutChart(app.render, app.doc, look, ChartCut::Extent);
    PrintResult result = PrintResult::Refused;
    if (PageCount(app.chart) > 1) {
        // Every page of a book, on sheets of the orientation its first page prefers.
        result = PrintChartPagesTo(
            nullptr, false, PageCount(app.chart), 0, PrefersLandscape(chart.width, chart.height),
            PrintDocumentName(source, Tr(app, MessageTable::UnsavedChanges, 1)), [&](int index) {
                ShowPage(app.chart, app.doc, index);
                CutChart page = DrawCutChart(app.render, app.doc, look, ChartCut::Extent);
                return PrintedPage{std::move(page.metafile), page.width, page.height};
            });
    } else if (chart.metafile) {
        result = PrintRecordedChart(nullptr, false, chart.metafile.Get(), chart.width, chart.height,
                                    PrintDocumentName(source, Tr(app, MessageTable::UnsavedChanges, 1)));
    }
    switch (result) {
    case PrintResult::Printed:
    case PrintResult::Cancelled:
        return kConversionDone;
    case PrintResult::NoPrinter:
        return Fail(kConversionNoPrinter, Tr(app, MessageTable::Printing, 2));
    case PrintResult::Refused:
        break;
    }
    return Fail(kConversionNotPrinted, Tr(app, MessageTable::Printing, 3) + L" " + source);
}

int RunConversion(App& app, const ConversionCommand& command) {
    switch (command.kind) {
    case ConversionKind::Malformed:
        return Fail(kConversionUsage, command.named == ConversionKind::Print
                                          ? Tr(app, MessageTable::Printing, 4)
                                          : Tr(app, MessageTable::VectorPicture, 4));
    case ConversionKind::Export:
        return RunExport(app, command);
    case ConversionKind::Build:
        return RunBuild(app, command);
    case ConversionKind::Print:
        return RunPrint(app, command);
    case ConversionKind::None:
        break;
    }
    return kConversionDone;
}

} // namespace

std::optional<int> RunCommandLineConversion(App& app, const std::wstring& commandLine) {
    // A list, chart or book too large for the memory ends the conversion with its own code, never
    // the process without a word.
    try {
        if (std::optional<int> update = RunUpdateConversion(app, commandLine)) return update;
        const ConversionCommand command = ParseConversionCommand(commandLine);
        if (command.kind == ConversionKind::None) return std::nullopt;
        return RunConversion(app, command);
    } catch (const std::bad_alloc&) {
        return Fail(kConversionOutOfMemory, Tr(app, MessageTable::Memory, 1));
    }
}
