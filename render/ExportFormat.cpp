// Export formats by extension.
#include "render/ExportFormat.h"

#include <string>

ExportFormat ExportFormatForPath(std::wstring_view path) {
    const size_t dot = path.find_last_of(L'.');
    const size_t separator = path.find_last_of(L"\\/");
    if (dot == std::wstring_view::npos || (separator != std::wstring_view::npos && dot < separator))
        return ExportFormat::Unknown;
    std::wstring extension(path.substr(dot + 1));
    for (wchar_t& c : extension)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (extension == L"bmp") return ExportFormat::Bitmap;
    if (extension == L"png" || extension == L"jpg" || extension == L"gif" || extension == L"tif")
        return ExportFormat::Encoded;
    if (extension == L"emf") return ExportFormat::Emf;
    if (extension == L"svg") return ExportFormat::Svg;
    return ExportFormat::Unknown;
}
