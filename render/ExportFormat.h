// The picture formats of the cut exports, chosen by the file name's extension.
#pragma once

#include <string_view>

enum class ExportFormat {
    Unknown,
    Bitmap,  // .bmp: the program's own 24-bit writer
    Encoded, // .png, .jpg, .gif, .tif: through the GDI+ encoder of the extension
    Emf,     // .emf: the recorded drawing
    Svg,     // .svg: the recorded drawing written as SVG
    Pdf,     // .pdf: every page of the chart, the recorded drawings written as PDF
};

// By the extension after the last "." of the name (not of a folder), without regard to case.
ExportFormat ExportFormatForPath(std::wstring_view path);

// True for the formats of the two cut exports of the Operations menu (.bmp, .jpg), whose
// pictures keep the table's cut; the others are pictures for documents and show the chart.
bool KeepsTableCut(std::wstring_view path);
