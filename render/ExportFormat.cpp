// Export formats by extension.
#include "render/ExportFormat.h"

#include <string>

namespace {

// The extension after the last "." of the name, in lower case; empty when the name has none.
std::wstring ExtensionOf(std::wstring_view path) {
    const size_t dot = path.find_last_of(L'.');
    const size_t separator = path.find_last_of(L"\\/");
    if (dot == std::wstring_view::npos || (separator != std::wstring_view::npos && dot < separator))
        return {};
    std::wstring extension(path.substr(dot + 1));
    for (wchar_t& c : extension)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return extension;
}

} // namespace

ExportFormat ExportFormatForPath(std::wstring_view path) {
    const std::wstring extension = ExtensionOf(path);
    if (extension == L"bmp") return ExportFormat::Bitmap;
    if (extension == L"png" || extension == L"jpg" || extension == L"gif" || extension == L"tif")
        return ExportFormat::Encoded;
    if (extension == L"emf") return ExportFormat::Emf;
    if (extension == L"svg") return ExportFormat::Svg;
    if (extension == L"pdf") return ExportFormat::Pdf;
    return ExportFormat::Unknown;
}

bool KeepsTableCut(std::wstring_view path) {
    const std::wstring extension = ExtensionOf(path);
    return extension == L"bmp" || extension == L"jpg";
}
