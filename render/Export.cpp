// The cut exports to BMP and through the GDI+ encoders.
#include "render/Export.h"

#include "render/CutChart.h"

#include <new>

Picture DrawCutPicture(RenderState& render, const Document& doc, int characterSet, COLORREF background) {
    return DrawCutChartPicture(render, doc, CutChartLook{static_cast<int16_t>(characterSet), background});
}

bool WriteCutPicture(RenderState& render, const Document& doc, int characterSet, COLORREF background,
                     const std::wstring& path, CutFormat format) {
    bool written = false;
    try {
        Picture cut = DrawCutPicture(render, doc, characterSet, background);
        if (cut)
            written = format == CutFormat::Bitmap ? SaveBmpFile(cut, path) : SavePictureFile(cut, path) == 0;
    } catch (const std::bad_alloc&) {
        written = false;
    }
    return written;
}
