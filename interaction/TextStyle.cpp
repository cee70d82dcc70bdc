// Rules of the text-properties buffer: style bits, font heights, the accepted text and number,
// the format-option captions and the exchange with a chart box.
#include "interaction/TextStyle.h"

#include "render/NumberFormat.h"

#include <cmath>

void ResetTextProperties(TextPropertiesBuffer& buffer) {
    buffer.currentStyle = TextStyle{};
    buffer.workingStyle = TextStyle{};
    SetAlignmentOption(buffer, 1);
}

int StyleBits(const TextStyle& style) {
    int bits = 0;
    if (style.bold == 1) bits += kStyleBold;
    if (style.italic == 1) bits += kStyleItalic;
    if (style.underline == 1) bits += kStyleUnderline;
    if (style.strikeout == 1) bits += kStyleStrikeout;
    if (style.leading == 1) bits += kStyleLeading;
    return bits;
}

int WorkingStyleBits(const TextPropertiesBuffer& buffer) {
    return StyleBits(buffer.workingStyle);
}

int FontHeightForPoints(int points, int logPixelsY, int styleBits) {
    int pixels = static_cast<int>(std::lround(points * static_cast<double>(logPixelsY) / 72.0));
    return (styleBits & kStyleLeading) ? pixels : -pixels;
}

void SetAlignmentOption(TextPropertiesBuffer& buffer, int option) {
    if (option < 1 || option > kAlignmentOptionCount) return;
    for (int k = 0; k < kAlignmentOptionCount; ++k)
        buffer.alignmentChoice[k] = (k == option - 1) ? 1 : 0;
}

int16_t AlignmentCode(const TextPropertiesBuffer& buffer) {
    int option = 1;
    for (int k = 0; k < kAlignmentOptionCount; ++k)
        if (buffer.alignmentChoice[k] != 0) option = k + 1; // a later flag overrides an earlier one
    return static_cast<int16_t>(kAlignLeft - 1 + option);
}

std::u16string AcceptedCellText(std::u16string_view boxText) {
    std::u16string_view kept = boxText.substr(0, kEditTextLimit);
    // Cutting between the halves of a surrogate pair would leave half a character behind.
    if (kept.size() == kEditTextLimit && boxText.size() > kEditTextLimit && kept.back() >= 0xD800 &&
        kept.back() <= 0xDBFF)
        kept.remove_suffix(1);
    std::u16string text;
    text.reserve(kept.size());
    for (size_t i = 0; i < kept.size(); ++i) {
        char16_t c = kept[i];
        if (c == u'\r') {
            text.push_back(u' ');
            if (i + 1 < kept.size() && kept[i + 1] == u'\n') ++i;
        } else if (c == u'\n') {
            text.push_back(u' ');
        } else {
            text.push_back(c);
        }
    }
    return text;
}

bool NormaliseNumberText(std::u16string& text) {
    if (text.empty()) return false;
    int separators = 0;
    for (char16_t c : text) {
        if (c == u'.' || c == u',' || c == u'\'') {
            ++separators;
        } else if (c < u'0' || c > u'9') {
            return false;
        }
    }
    if (separators > 1) return false;
    for (char16_t& c : text)
        if (c == u',' || c == u'\'') c = u'.';
    return true;
}

double NumberFormatSample(int formatType) {
    switch (formatType) {
    case 1:
    case 4:
        return 2034500.13;
    case 2:
    case 5:
        return 1850000.0;
    default:
        return static_cast<double>(1183.72f); // 1183.719970703125
    }
}

std::u16string NumberFormatOptionCaption(std::u16string_view name, int formatType) {
    std::string sample = FormatCellNumber(NumberFormatSample(formatType), formatType);
    std::string_view trimmed = TrimSpaces(sample);
    std::u16string caption(name);
    caption += u" : (";
    caption.append(trimmed.begin(), trimmed.end());
    caption += u")";
    return caption;
}

namespace {

void LoadStyle(const CellRecord& cell, TextStyle& style) {
    style.backColor = cell.backColor;
    style.fontColor = cell.fontColor;
    style.fontName = std::string(FieldText(cell.fontName));
    style.fontSize = cell.fontSize;
    style.bold = cell.bold;
    style.italic = cell.italic;
    style.underline = cell.underline;
    style.strikeout = cell.strikeout;
    style.leading = cell.leading;
}

} // namespace

void LoadTextPropertiesFromCell(const CellRecord& cell, TextPropertiesBuffer& buffer) {
    buffer.editNumberFormatType = cell.numberFormatType;
    buffer.editNumberFormatAllowed = cell.numberFormatAllowed;
    LoadStyle(cell, buffer.currentStyle);
    LoadStyle(cell, buffer.workingStyle);
    buffer.editText = std::u16string(FieldText(cell.text));
    if (cell.alignment >= kAlignLeft && cell.alignment <= kAlignVerticalCenter)
        SetAlignmentOption(buffer, cell.alignment - (kAlignLeft - 1));
}

void StoreTextPropertiesInCell(const TextPropertiesBuffer& buffer, CellRecord& cell) {
    const TextStyle& style = buffer.currentStyle;
    cell.numberFormatType = buffer.editNumberFormatType;
    cell.numberFormatAllowed = buffer.editNumberFormatAllowed;
    cell.backColor = style.backColor;
    cell.fontColor = style.fontColor;
    AssignField(cell.fontName, style.fontName);
    cell.fontSize = style.fontSize;
    cell.bold = style.bold;
    cell.italic = style.italic;
    cell.underline = style.underline;
    cell.strikeout = style.strikeout;
    cell.leading = style.leading;
    AssignField(cell.text, buffer.editText);
    cell.alignment = AlignmentCode(buffer);
}
