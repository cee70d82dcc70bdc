// The "Text properties" dialog: text, typeface, size, styles, colours, alignment and number format
// of one chart box, edited in the program-wide text-properties buffer.
#pragma once

#include "interaction/TextStyle.h"
#include "render/GdiObjects.h"

#include <windows.h>

#include <string>

struct Workspace;

constexpr int kTextDialogWidth = 442;
constexpr int kTextDialogHeight = 722;
// Caption bar, no system menu; always on top.
constexpr DWORD kTextDialogStyle = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
constexpr DWORD kTextDialogExStyle = WS_EX_TOPMOST;

constexpr int kFontListLabelId = 10090;
constexpr int kFontListId = 10100;
constexpr int kSizeLabelId = 10110;
constexpr int kSizeListId = 10120;
constexpr int kBoldId = 10130;
constexpr int kItalicId = 10140;
constexpr int kUnderlineId = 10150;
constexpr int kStrikeoutId = 10160;
constexpr int kLeadingId = 10180;
constexpr int kStylesGroupId = 10190;
constexpr int kSampleId = 10200;
constexpr int kBackColourLabelId = 10210;
constexpr int kBackColourButtonId = 10220;
constexpr int kBackSwatchId = 10230;
constexpr int kFontColourButtonId = 10240;
constexpr int kFontColourLabelId = 10250;
constexpr int kFontSwatchId = 10260;
constexpr int kTextCancelId = 10270;
constexpr int kTextAcceptId = 10280;
constexpr int kTextBoxId = 10310;
constexpr int kAlignmentOptionIds[kAlignmentOptionCount] = {10330, 10340, 10350, 10360, 10361, 10362};
constexpr int kFormatFrameId = 10363;
constexpr int kNumberWithFormatId = 10364;
constexpr int kFirstFormatOptionId = 10365; // format k is kFirstFormatOptionId + k - 1
constexpr int kSampleTextX = 4;
constexpr int kSampleTextY = 4;

// Runs the dialog modally over the main window on app.textProps; the outcome is in the buffer,
// dialogAccepted telling whether Accept ended it. Enter accepts (except in the text box, where it
// starts a new line that Accept turns into a blank); Escape cancels.
void EditTextProperties(Workspace& app);

// Empties the box and adds every installed font family once; the box sorts them.
void FillFontList(HWND comboBox);

// Draws one entry of the owner-drawn font list in its own face.
void DrawFontItem(const DRAWITEMSTRUCT& item);

// A font of the face at the given points, in the character set the family reports first.
FontHandle CreateListFont(const std::wstring& face, int points, int weight, bool italic, bool underline);

// Fills a combo box with the sizes 06, 07, ... upperBound and turns on its extended keyboard
// interface.
void FillSizeList(HWND dialog, int controlId, int upperBound);

// The sample's font: a name, points and style value (weight, italic, underline, strikeout, and
// the leading bit turning the sign of the height), character set 0.
FontHandle CreateStyleFont(const std::string& fontName, int points, int styleBits);
