// The cut exports: the chart drawn again without its guide cells at the picture's top-left
// corner, cut to its extent and saved as a 24-bit BMP file or through the GDI+ encoder of the file
// name's extension; then the screen is drawn again and the user told whether the file was written.
#pragma once

#include "render/BmpWriter.h"
#include "render/GdiObjects.h"
#include "render/PictureFiles.h"

#include <string>

struct App;

// "Bitmap Export to cut" (command 1023): asks for the name with the bitmap dialog, then exports.
void ExportCutBitmap(App& app);

// "Export to cut JPEG" (command 1104): asks for the name with the JPEG dialog, then exports through
// the encoder of the name's extension.
void ExportCutJpeg(App& app);

// The exports to a given name (nothing happens for an empty name). Each shows the confirmation when
// the file was written and the not-written message otherwise; true when it was written.
bool ExportCutBitmapTo(App& app, const std::wstring& path);
bool ExportCutJpegTo(App& app, const std::wstring& path);

// The export picture: the table drawn for an export on the table picture (export mode on
// meanwhile, the favourite background below) and cut to the table's extent. Empty when no
// picture of that size can be made. The screen is not drawn again here.
Picture DrawCutPicture(App& app);
