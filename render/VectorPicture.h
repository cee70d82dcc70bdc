// The cut chart saved as a vector picture: the recorded metafile as an .emf file, or written as
// an .svg file, each through a temporary file that replaces the target only when complete.
#pragma once

#include "render/CutChart.h"

#include <string>

// True when the file was written; a failure leaves a file of that name as it was. The format is
// chosen by the extension (.emf or .svg); any other writes nothing.
bool SaveVectorPicture(const CutChart& chart, const std::wstring& path);

// The cut chart's picture in any export format chosen by the extension: .bmp, the GDI+ encoders,
// .emf and .svg. True when the file was written.
bool SaveCutChart(const CutChart& chart, const std::wstring& path);
