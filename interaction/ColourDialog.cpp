// The system colour dialog behind a replaceable function.
#include "interaction/ColourDialog.h"

#include "interaction/Workspace.h"

#include <commdlg.h>

namespace {

ColourDialogSeam& Seam() {
    static ColourDialogSeam seam;
    return seam;
}

int SystemColourDialog(HWND owner, std::array<uint32_t, 16>& customColors) {
    COLORREF custom[16];
    for (int i = 0; i < 16; ++i)
        custom[i] = customColors[i];
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.rgbResult = kColourDialogStart; // always grey, whatever the current colour
    choose.lpCustColors = custom;
    choose.Flags = CC_FULLOPEN | CC_RGBINIT;
    BOOL chosen = ChooseColorW(&choose);
    for (int i = 0; i < 16; ++i)
        customColors[i] = custom[i];
    return chosen ? static_cast<int>(choose.rgbResult & 0x00FFFFFF) : -1;
}

} // namespace

int ChooseColour(HWND owner, Workspace& app) {
    auto& custom = app.textProps.customColors;
    if (Seam()) return Seam()(owner, custom);
    return SystemColourDialog(owner, custom);
}

void SetColourDialogSeam(ColourDialogSeam seam) {
    Seam() = std::move(seam);
}
