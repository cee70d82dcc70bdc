// Writes the sample chart as a work file for the end-to-end tests: MakeSampleChart <folder>
// leaves chart.qdrx and the picture one of its boxes shows in that folder.
#include "SampleChart.h"

#include "document/WorkFile.h"

#include <gdiplus.h>

#include <memory>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 3;
    std::wstring folder = argv[1];
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    auto doc = std::make_unique<Document>();
    BuildSampleChart(*doc, folder + L"picture.png");
    const bool saved = SaveWorkFile(*doc, folder + L"chart.qdrx", nullptr);
    Gdiplus::GdiplusShutdown(token);
    return saved ? 0 : 1;
}
