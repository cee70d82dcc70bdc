// The fifteen copy-configurator flags: which cell fields "Paste cell" carries over (1 = copied).
#pragma once

#include <array>
#include <cstdint>

// Copy-configurator flags in menu order (commands 1072..1079, 1080, 1081, 1082, 1110, 1083, 1084, 1085).
enum CopyField {
    kCopyBackColor,
    kCopyFontColor,
    kCopyFontName,
    kCopyFontSize,
    kCopyBold,
    kCopyItalic,
    kCopyUnderline,
    kCopyStrikeout,
    kCopyLeading,
    kCopyText,
    kCopyImage,
    kCopyIcon,
    kCopyAlignment,
    kCopyNumberFormatAllowed,
    kCopyNumberFormatType,
    kCopyFieldCount
};

using CopyFlags = std::array<int32_t, kCopyFieldCount>;
