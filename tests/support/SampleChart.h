// The chart the export tests share: boxes of several fills, fonts and alignments (a turned text
// among them), a box showing a picture, a guide cell with a connector and a marked cell.
#pragma once

#include "document/Document.h"

#include <windows.h>

#include <string>

// Geometry of the sample chart: 3 x 2 cells of 150 x 60 pixels, 20 apart, line thickness 1.
constexpr int kSampleColumns = 3;
constexpr int kSampleRows = 2;
constexpr int kSampleCellWidth = 150;
constexpr int kSampleCellHeight = 60;
constexpr int kSampleSeparation = 20;

// Texts of the boxes in reading order (the turned one included); the second needs escaping in XML.
extern const wchar_t* const kSampleTexts[3];

// Fills the document with the sample chart; the picture box shows the file at picturePath (a
// 16 x 16 picture is written there).
void BuildSampleChart(Document& doc, const std::wstring& picturePath);

// Box (column, row) of the sample chart in the cut export's pixels: [left, right) x [top, bottom).
RECT SampleBox(int column, int row);
