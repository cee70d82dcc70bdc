// The file-name prompts: title, filter, default extension, starting folder and suggested name of
// each, and the dialog folder that the work-file and export prompts remember.
#include "ui/FileDialogs.h"

#include "ui/Shell.h"

#include <vector>

namespace {

// Room for long paths; the system dialog refuses a name that does not fit rather than cutting it.
constexpr size_t kPathCapacity = 1024;

FileDialogSeam& Seam() {
    static FileDialogSeam seam;
    return seam;
}

struct Filter {
    std::wstring name;
    std::wstring pattern;
};

struct DialogSetup {
    std::wstring title; // empty: the system's own title
    std::vector<Filter> filters;
    std::wstring defaultExtension;
    std::wstring startFolder;
    std::wstring suggestedName;
    bool save = false;
};

size_t LastSeparator(const std::wstring& path) {
    return path.find_last_of(L"\\/");
}

std::wstring FileNamePart(const std::wstring& path) {
    size_t cut = LastSeparator(path);
    return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

// The filter list of OPENFILENAMEW: name and pattern pairs, each NUL-terminated, ending with an
// empty string.
std::wstring FilterText(const std::vector<Filter>& filters) {
    std::wstring text;
    for (const Filter& f : filters) {
        text += f.name;
        text += L'\0';
        text += f.pattern;
        text += L'\0';
    }
    text += L'\0';
    return text;
}

std::wstring ShowFileDialog(HWND owner, const DialogSetup& setup) {
    std::vector<wchar_t> file(kPathCapacity, L'\0');
    setup.suggestedName.copy(file.data(), std::min(setup.suggestedName.size(), kPathCapacity - 1));
    std::wstring filter = FilterText(setup.filters);

    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.lpstrInitialDir = setup.startFolder.empty() ? nullptr : setup.startFolder.c_str();
    request.lpstrTitle = setup.title.empty() ? nullptr : setup.title.c_str();
    request.lpstrDefExt = setup.defaultExtension.c_str();
    // No read-only box, and the program's current directory stays where it was. A save dialog asks
    // nothing about an existing file: the work-file save asks its own question.
    request.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!setup.save) request.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;

    bool chosen = false;
    if (Seam()) {
        chosen = Seam()(request, setup.save);
    } else {
        chosen = setup.save ? GetSaveFileNameW(&request) : GetOpenFileNameW(&request);
    }
    if (!chosen) return {};
    file.back() = L'\0';
    return std::wstring(file.data());
}

} // namespace

void SetFileDialogSeam(FileDialogSeam seam) {
    Seam() = std::move(seam);
}

std::wstring FolderPart(const std::wstring& path) {
    size_t cut = LastSeparator(path);
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

std::wstring WorkFileDialog(ShellState& shell, HWND owner, const std::wstring& path, int mode, bool book) {
    shell.dialogFolder = FolderPart(path);
    DialogSetup setup;
    const Filter workFiles{Tr(shell, MessageTable::Chart, 1), L"*.qdrx"};
    const Filter books{Tr(shell, MessageTable::Pages, 10), L"*.qdrb"};
    // Opened, both kinds show at first: a book must not seem missing behind the work-file filter.
    if (mode == 0)
        setup.filters = {{Tr(shell, MessageTable::FileNameDialog, 5), L"*.qdrx;*.qdrb"}, workFiles, books};
    else
        setup.filters = {book ? books : workFiles};
    setup.defaultExtension = book && mode != 0 ? L"qdrb" : L"qdrx";
    setup.startFolder = shell.dialogFolder;
    setup.suggestedName = FileNamePart(path);
    setup.save = mode != 0;
    std::wstring result = ShowFileDialog(owner, setup);
    shell.dialogFolder = FolderPart(result);
    return result;
}

namespace {

std::wstring ExportDialog(ShellState& shell, HWND owner, const std::wstring& path, std::wstring title,
                          std::vector<Filter> filters, std::wstring extension) {
    DialogSetup setup;
    setup.title = std::move(title);
    setup.filters = std::move(filters);
    setup.defaultExtension = std::move(extension);
    setup.startFolder = shell.dialogFolder;
    setup.suggestedName = FileNamePart(path);
    setup.save = true;
    std::wstring result = ShowFileDialog(owner, setup);
    shell.dialogFolder = FolderPart(result);
    return result;
}

std::wstring CellFileDialog(HWND owner, const std::wstring& path, std::wstring title,
                            std::vector<Filter> filters, std::wstring extension) {
    DialogSetup setup;
    setup.title = std::move(title);
    setup.filters = std::move(filters);
    setup.defaultExtension = std::move(extension);
    setup.startFolder = FolderPart(path);
    setup.suggestedName = FileNamePart(path);
    return ShowFileDialog(owner, setup);
}

} // namespace

std::wstring BitmapDialog(ShellState& shell, HWND owner, const std::wstring& path) {
    return ExportDialog(shell, owner, path, Tr(shell, MessageTable::BitmapBrowser, 1),
                        {{L"Bitmap", L"*.bmp"}}, L"bmp");
}

std::wstring JpegDialog(ShellState& shell, HWND owner, const std::wstring& path) {
    return ExportDialog(shell, owner, path, Tr(shell, MessageTable::JpegBrowser), {{L"Jpeg", L"*.jpg"}},
                        L"jpg");
}

std::wstring VectorDialog(ShellState& shell, HWND owner, const std::wstring& path) {
    return ExportDialog(shell, owner, path, Tr(shell, MessageTable::VectorPicture, 2),
                        {{L"SVG", L"*.svg"}, {L"EMF", L"*.emf"}}, L"svg");
}

std::wstring PdfDialog(ShellState& shell, HWND owner, const std::wstring& path) {
    return ExportDialog(shell, owner, path, Tr(shell, MessageTable::PdfExport, 15),
                        {{Tr(shell, MessageTable::PdfExport, 16), L"*.pdf"}}, L"pdf");
}

std::wstring PictureDialog(ShellState& shell, HWND owner, const std::wstring& path) {
    return CellFileDialog(owner, path, Tr(shell, MessageTable::ImageBrowser),
                          {{Tr(shell, MessageTable::CopyConfigurator, 4), L"*.jpg;*.png;*.gif;*.bmp"},
                           {Wide(FixedInterfaceText(FixedText::AllFiles)), L"*.*"}},
                          L"jpg");
}

std::wstring IconDialog(ShellState& shell, HWND owner, const std::wstring& path) {
    return CellFileDialog(owner, path, Tr(shell, MessageTable::IconBrowser),
                          {{Tr(shell, MessageTable::CopyConfigurator, 9), L"*.ico"}}, L"Ico");
}

std::wstring PeopleListDialog(ShellState& shell, HWND owner, const std::wstring& title) {
    DialogSetup setup;
    setup.title = title.empty() ? Tr(shell, MessageTable::Chart, 4) : title;
    setup.filters = {{Tr(shell, MessageTable::ChartFromList, 1), L"*.csv;*.txt;*.tsv"},
                     {Wide(FixedInterfaceText(FixedText::AllFiles)), L"*.*"}};
    setup.defaultExtension = L"csv";
    setup.startFolder = shell.dialogFolder;
    std::wstring result = ShowFileDialog(owner, setup);
    if (!result.empty()) shell.dialogFolder = FolderPart(result);
    return result;
}

std::wstring ComparisonFileDialog(ShellState& shell, HWND owner) {
    DialogSetup setup;
    setup.title = Tr(shell, MessageTable::ListUpdate, 12);
    setup.filters = {{Tr(shell, MessageTable::ListUpdate, 27), L"*.csv"},
                     {Wide(FixedInterfaceText(FixedText::AllFiles)), L"*.*"}};
    setup.defaultExtension = L"csv";
    setup.startFolder = shell.dialogFolder;
    setup.save = true;
    return ShowFileDialog(owner, setup);
}
