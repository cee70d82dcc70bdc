// The build options a chart from a list takes from the program's state, and the photo folder.
#include "app/ChartDetails.h"

#include "app/App.h"
#include "document/ColumnFinder.h"
#include "document/OrgChart.h"
#include "render/AnsiText.h"
#include "ui/Messages.h"

#include <windows.h>

#include <gdiplus.h>

#include <algorithm>
#include <memory>

void AddChartDetails(const App& app, ListColumns& columns) {
    columns.vacancyLabel = MessageText(app.shell.languageIndex, MessageTable::ChartDetails, 1);
}

std::vector<PhotoFile> ListPhotoFolder(const std::wstring& folder) {
    std::vector<PhotoFile> files;
    const std::wstring base =
        folder.empty() || folder.back() == L'\\' || folder.back() == L'/' ? folder : folder + L"\\";
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((base + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::u16string name(found.cFileName, found.cFileName + wcslen(found.cFileName));
        if (!IsPhotoFileName(name)) continue;
        const std::wstring path = base + found.cFileName;
        // A photo the loader cannot open would be drawn as an empty placeholder: told instead.
        auto picture = std::make_unique<Gdiplus::Bitmap>(path.c_str());
        const bool readable = picture->GetLastStatus() == Gdiplus::Ok && picture->GetWidth() > 0;
        files.push_back({name, WideToAnsi(path), readable});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    // Listing order differs between file systems: matches must not.
    std::sort(files.begin(), files.end(),
              [](const PhotoFile& a, const PhotoFile& b) { return a.name < b.name; });
    return files;
}

void AddPhotoFolder(ListColumns& columns, const std::wstring& folder) {
    if (folder.empty()) return;
    columns.photoFolder.assign(folder.begin(), folder.end());
    columns.photoFiles = ListPhotoFolder(folder);
}

std::vector<std::wstring> PhotoReport(const App& app, const ListColumns& columns,
                                      const BuildOutcome& outcome) {
    std::vector<std::wstring> lines;
    if (columns.photoFolder.empty()) return lines;
    auto text = [&](int item) {
        return Wide(MessageText(app.shell.languageIndex, MessageTable::ChartDetails, item));
    };
    std::wstring count = text(2);
    count.replace(count.find(L"%1"), 2, std::to_wstring(outcome.photosFound));
    const size_t people =
        size_t(outcome.photosFound) + outcome.withoutPhoto.size() + outcome.unreadablePhoto.size();
    count.replace(count.find(L"%2"), 2, std::to_wstring(people));
    lines.push_back(count);
    for (const std::u16string& name : outcome.withoutPhoto)
        lines.push_back(text(3) + L" " + Wide(name));
    for (const std::u16string& name : outcome.unreadablePhoto)
        lines.push_back(text(4) + L" " + Wide(name));
    return lines;
}
