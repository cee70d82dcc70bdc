// Writing the recorded chart as EMF or SVG, and any cut export by its extension.
#include "render/VectorPicture.h"

#include "render/ExportFormat.h"
#include "render/MetafileSvg.h"
#include "render/PictureFiles.h"

namespace {

bool WriteText(const std::wstring& path, const std::string& bytes) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    ok = FlushFileBuffers(file) && ok;
    return CloseHandle(file) && ok;
}

} // namespace

bool SaveVectorPicture(const CutChart& chart, const std::wstring& path) {
    if (!chart.metafile) return false;
    switch (ExportFormatForPath(path)) {
    case ExportFormat::Emf:
        return ReplaceFileWith(path, [&](const std::wstring& temporary) {
            HENHMETAFILE copy = CopyEnhMetaFileW(chart.metafile.Get(), temporary.c_str());
            if (!copy) return false;
            DeleteEnhMetaFile(copy);
            return true;
        });
    case ExportFormat::Svg: {
        const std::string svg = MetafileToSvg(chart.metafile.Get(), chart.width, chart.height);
        if (svg.empty()) return false;
        return ReplaceFileWith(path,
                               [&](const std::wstring& temporary) { return WriteText(temporary, svg); });
    }
    default:
        return false;
    }
}

bool SaveCutChart(const CutChart& chart, const std::wstring& path) {
    switch (ExportFormatForPath(path)) {
    case ExportFormat::Bitmap:
        return SaveBmpFile(chart.picture, path);
    case ExportFormat::Encoded:
        return SavePictureFile(chart.picture, path) == 0;
    case ExportFormat::Emf:
    case ExportFormat::Svg:
        return SaveVectorPicture(chart, path);
    default:
        return false;
    }
}
