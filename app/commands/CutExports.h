// The cut export commands: the name asked for, the picture written, the screen drawn again and the
// user told whether the file was written.
#pragma once

#include <string>

struct App;

// "Bitmap Export to cut" (command 1023): asks for the name with the bitmap dialog, suggesting the
// picture path (shared with the picture prompt, which the answer replaces), then exports.
void ExportCutBitmap(App& app);

// "Export to cut JPEG" (command 1104): asks for the name with the JPEG dialog, then exports through
// the encoder of the name's extension.
void ExportCutJpeg(App& app);

// The exports to a given name (nothing happens for an empty name). Each shows the confirmation when
// the file was written and the not-written message otherwise; true when it was written.
bool ExportCutBitmapTo(App& app, const std::wstring& path);
bool ExportCutJpegTo(App& app, const std::wstring& path);

// "Export to vector picture": asks for the name with the vector dialog, then writes the chart as
// EMF or SVG by the name's extension, through a temporary file, and says whether it was written.
void ExportVectorPicture(App& app);
bool ExportVectorPictureTo(App& app, const std::wstring& path);

// "Copy chart as picture": the cut chart on the clipboard as metafile, PNG and DIB. Nothing happens
// without a table; false when nothing was copied, which a message then says.
bool CopyChartAsPicture(App& app);
