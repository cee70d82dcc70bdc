// Message boxes go through one function so that tests can answer them.
#include "ui/MessageBox.h"

namespace {
MessageBoxSeam& Seam() {
    static MessageBoxSeam seam;
    return seam;
}
} // namespace

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    if (Seam()) return Seam()(owner, text, caption, type);
    return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

void SetMessageBoxSeam(MessageBoxSeam seam) {
    Seam() = std::move(seam);
}
