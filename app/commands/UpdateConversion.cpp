// The update of a chart from a list asked for on the command line.
#include "app/commands/UpdateConversion.h"

#include "app/state/App.h"
#include "app/commands/BuildFromList.h"
#include "app/commands/ComparisonTexts.h"
#include "app/commands/ListTexts.h"
#include "app/commands/ConsoleLines.h"
#include "app/commands/ConversionCommand.h"
#include "app/commands/UpdateCommand.h"
#include "app/commands/UpdateFromList.h"
#include "app/commands/WorkFileMessages.h"
#include "document/ChartBook.h"
#include "document/WorkFile.h"
#include "render/Renderer.h"
#include "ui/MessageBox.h"

#include <memory>
#include <vector>

namespace {

std::wstring FullPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    const DWORD got = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (got == 0 || got >= full.size()) return path;
    full.resize(got);
    return full;
}

int Fail(int code, const std::wstring& message) {
    std::wstring line;
    for (wchar_t c : message)
        if (c == L'\n')
            line += L' ';
        else if (c != L'\r')
            line += c;
    WriteErrorLine(line);
    return code;
}

bool HasExtension(const std::wstring& path, const wchar_t* extension) {
    const size_t dot = path.find_last_of(L"./\\");
    return dot != std::wstring::npos && path[dot] == L'.' && _wcsicmp(path.c_str() + dot, extension) == 0;
}

// Reads the chart, its messages kept for the console.
int ReadChart(App& app, const std::wstring& path) {
    if (!FileExists(path))
        return Fail(kConversionSourceMissing, Tr(app, MessageTable::WorkFile, 1) + L" " + path + L" " +
                                                  Tr(app, MessageTable::WorkFile, 2));
    std::wstring told;
    SetMessageBoxSeam([&](HWND, const std::wstring& text, const std::wstring&, UINT) {
        told += (told.empty() ? L"" : L" ") + text;
        return IDOK;
    });
    ResetChart(app.chart, L"");
    const int read = HasExtension(path, L".qdrb")
                         ? ReadChartBookFile(app.chart, app.doc, path, app.shell.languageIndex, nullptr)
                         : ReadWorkFile(app.doc, path, app.shell.languageIndex, nullptr);
    SetMessageBoxSeam({});
    if (read != 1) return Fail(kConversionSourceRefused, told + L" " + path);
    return kConversionDone;
}

} // namespace

std::optional<int> RunUpdateConversion(App& app, const std::wstring& commandLine) {
    const UpdateCommand command = ParseUpdateCommand(commandLine);
    if (!command.named) return std::nullopt;
    if (command.malformed) return Fail(kConversionUsage, Tr(app, MessageTable::ListUpdate, 29));
    const std::wstring chart = FullPath(command.chart), list = FullPath(command.list);
    const std::wstring out = command.out.empty() ? chart : FullPath(command.out);
    const bool toBook = HasExtension(out, L".qdrb");
    if (!(HasExtension(chart, L".qdrx") || HasExtension(chart, L".qdrb")) ||
        (!toBook && !HasExtension(out, L".qdrx")) || _wcsicmp(list.c_str(), out.c_str()) == 0)
        return Fail(kConversionUsage, Tr(app, MessageTable::ChartFromList, 20) + L" " + out);
    auto update = std::make_unique<ListUpdate>();
    // A book is read page by page straight into what the update needs; a book refused that way is
    // read as the program reads it, to tell why.
    std::vector<uint8_t> book;
    const bool chartRead = HasExtension(chart, L".qdrb") && FileExists(chart) &&
                           ReadWholeFile(chart, kBookFileLimit, book).Done() &&
                           ReadOldBook(update->old, book);
    book = {};
    if (!chartRead)
        if (int read = ReadChart(app, chart); read != kConversionDone) return read;
    const std::wstring unread = Tr(app, MessageTable::ChartFromList, 12) + L" " + list;
    if (!FileExists(list)) return Fail(kConversionSourceMissing, unread);
    std::string bytes;
    if (!ReadListFile(list, bytes)) return Fail(kConversionSourceRefused, unread);
    ListColumns columns;
    for (size_t role = 0; role < command.columns.size(); ++role)
        columns.named[role].assign(command.columns[role].begin(), command.columns[role].end());
    BuildOutcome outcome;
    if (!PrepareListUpdate(app, bytes, columns, *update, outcome, chartRead))
        return Fail(kConversionSourceRefused, BuildRefusalText(app.shell, outcome) + L" " + list);
    // A work file holds one table: an update that needs pages goes to a chart book.
    if (!command.compareOnly && !toBook && update->plan.pages.size() > 1)
        return Fail(kConversionSourceRefused, Tr(app, MessageTable::Pages, 11) + L" " + list);
    if (!command.compareOnly) {
        bool written = false;
        if (toBook) {
            written =
                WriteWholeFile(
                    EncodeUpdatedBook(update->old, update->boxOfPerson, update->read, update->plan), out)
                    .Done();
        } else {
            ApplyChartUpdate(app.chart, app.doc, update->old, update->boxOfPerson, update->read,
                             update->plan);
            written = WriteWorkFile(app.doc, out).Done();
        }
        if (!written)
            return Fail(kConversionNotWritten, Tr(app, MessageTable::ExportNotWritten) + L" " + out);
    }
    if (!command.report.empty()) {
        const std::wstring report = FullPath(command.report);
        if (!WriteComparisonFile(app.shell, update->comparison, report))
            return Fail(kConversionNotWritten, Tr(app, MessageTable::ListUpdate, 28) + L" " + report);
    }
    return kConversionDone;
}
