// The text-properties buffer: the style, text, alignment and number format that the text dialog
// edits, and the rules it applies to them (style bits, accepted text, the plain-number check).
#pragma once

#include "document/CellRecord.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

constexpr int kAlignmentOptionCount = 6;
constexpr int kNumberFormatCount = 7;
constexpr size_t kEditTextLimit = 273; // UTF-16 units a cell text holds
constexpr int kCustomColourCount = 16;

// Style values of a font: weight, italic, underline, strikeout, and the sign of the height.
constexpr int kStyleBold = 1;
constexpr int kStyleItalic = 2;
constexpr int kStyleUnderline = 4;
constexpr int kStyleStrikeout = 8;
constexpr int kStyleLeading = 16;

struct TextStyle {
    int32_t backColor = kWhite; // -2 marks a cell that shows its picture
    int32_t fontColor = 0;
    std::string fontName = "Times New Roman"; // ANSI, as the cell keeps it
    int16_t fontSize = 10;
    int32_t bold = 0;
    int32_t italic = 0;
    int32_t underline = 0;
    int32_t strikeout = 0;
    int32_t leading = 0;

    bool operator==(const TextStyle&) const = default;
};

// One instance for the whole run; the initial values are those of start-up.
struct TextPropertiesBuffer {
    TextStyle currentStyle; // accepted values
    TextStyle workingStyle; // values being edited
    std::array<int32_t, kAlignmentOptionCount> alignmentChoice{1, 0, 0, 0, 0, 0};
    std::u16string editText;
    int16_t editNumberFormatType = 6;
    int32_t editNumberFormatAllowed = 0;
    int32_t dialogAccepted = 0;
    std::array<uint32_t, kCustomColourCount> customColors{}; // shared by every colour dialog
};

// Back to the values of a fresh table: both styles and the first alignment. The number-format
// fields and the custom colours keep their values.
void ResetTextProperties(TextPropertiesBuffer& buffer);

// Style value of a style (a flag counts only when it is exactly 1).
int StyleBits(const TextStyle& style);
int WorkingStyleBits(const TextPropertiesBuffer& buffer);

// Pixel height asked for a font of the given points: negative (character height) normally,
// positive (cell height, internal leading included) with the leading bit.
int FontHeightForPoints(int points, int logPixelsY, int styleBits);

// Option 1..6 set alone; other numbers leave the choice as it was.
void SetAlignmentOption(TextPropertiesBuffer& buffer, int option);
// Cell alignment code of the choice: 130 + the last option set (131 when none is).
int16_t AlignmentCode(const TextPropertiesBuffer& buffer);

// The box text as a cell keeps it: cut to 273 units (a split surrogate pair is dropped whole),
// then CR LF, lone CR and lone LF each become one blank.
std::u16string AcceptedCellText(std::u16string_view boxText);

// A number typed for "Number with format": only digits and at most one of ". , '" in all, not
// empty. A lone "," or "'" becomes ".". Returns false, leaving the text alone, when it is not.
bool NormaliseNumberText(std::u16string& text);

// Caption of format option k (1..7): the format's name, " : (", the formatted sample trimmed, ")".
std::u16string NumberFormatOptionCaption(std::u16string_view name, int formatType);
// The sample shown for each format: a decimal, an integer, and a single-precision decimal.
double NumberFormatSample(int formatType);

// The fields a chart box shares with the dialog, in both directions. Loading leaves the alignment
// choice alone when the cell's code is outside 131..136.
void LoadTextPropertiesFromCell(const CellRecord& cell, TextPropertiesBuffer& buffer);
void StoreTextPropertiesInCell(const TextPropertiesBuffer& buffer, CellRecord& cell);
