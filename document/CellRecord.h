// The cell record: one cell of the chart, at once the in-memory form, the work-file record and
// the unit of an undo snapshot. Fixed-capacity text fields keep the bytes behind their terminator.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Capacities of the text fields, terminator included.
constexpr int kFontNameCapacity = 100;
constexpr int kImageSpecCapacity = 274;
constexpr int kIconPathCapacity = 274;
constexpr int kTextCapacity = 274;
constexpr int kReservedCapacity = 11;

// Alignment codes, in the order of the six alignment options of the text-properties dialog.
constexpr int16_t kAlignLeft = 131;
constexpr int16_t kAlignRight = 132;
constexpr int16_t kAlignCenter = 133;
constexpr int16_t kAlignJustified = 134;
constexpr int16_t kAlignVerticalUp = 135;
constexpr int16_t kAlignVerticalCenter = 136;

constexpr int32_t kNoColor = -2; // no fill; in backColor it marks a cell that shows its picture
constexpr int32_t kWhite = 0xFFFFFF;

// Content of a fresh or cleared box.
constexpr const char* kDefaultFontName = "Times New Roman";
constexpr int16_t kDefaultFontSize = 10;
constexpr int16_t kDefaultNumberFormatType = 6;

struct CellRecord {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
    int16_t column;
    int16_t row;
    int32_t backColor;
    int32_t fontColor;
    char fontName[kFontNameCapacity];
    int16_t fontSize;
    int32_t bold;
    int32_t italic;
    int32_t underline;
    int32_t strikeout;
    int32_t leading;
    char imageSpec[kImageSpecCapacity];
    char iconPath[kIconPathCapacity];
    char16_t text[kTextCapacity];
    int16_t alignment;
    int16_t tableColumns;
    int16_t tableRows;
    int16_t lineThickness;
    int32_t lineColor;
    int32_t covered; // 0 own cell, 1 absorbed by a horizontal merge, 2 by a vertical merge
    int32_t selected;
    int32_t cancelled;
    int16_t cellWidth;
    int16_t cellHeight;
    int16_t separation;
    int32_t paperColor;
    int16_t numberFormatType;
    int32_t numberFormatAllowed;
    char reserved11[kReservedCapacity];
    int32_t marked;
    int32_t isBox;
    int32_t vLineOn;
    int32_t hLineOn;
    int32_t vLineX1;
    int32_t vLineY1;
    int32_t vLineX2;
    int32_t vLineY2;
    int32_t hLineX1;
    int32_t hLineY1;
    int32_t hLineX2;
    int32_t hLineY2;
};

// Assignment rule of every text field: copy at most capacity - 1 characters, write the
// terminator, and leave the bytes behind it as they were.
template <size_t N> void AssignField(char (&field)[N], std::string_view value) {
    size_t n = value.size() < N - 1 ? value.size() : N - 1;
    for (size_t i = 0; i < n; ++i) field[i] = value[i];
    field[n] = '\0';
}

template <size_t N> void AssignField(char16_t (&field)[N], std::u16string_view value) {
    size_t n = value.size() < N - 1 ? value.size() : N - 1;
    for (size_t i = 0; i < n; ++i) field[i] = value[i];
    field[n] = u'\0';
}

// Readers stop at the first terminator (or at the capacity when a file brings none).
template <size_t N> std::string_view FieldText(const char (&field)[N]) {
    size_t n = 0;
    while (n < N && field[n] != '\0') ++n;
    return std::string_view(field, n);
}

template <size_t N> std::u16string_view FieldText(const char16_t (&field)[N]) {
    size_t n = 0;
    while (n < N && field[n] != u'\0') ++n;
    return std::u16string_view(field, n);
}
