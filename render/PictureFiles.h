// Picture files: the GDI+ encoders, saving a picture through the encoder of its file name's
// extension, writing the cut bitmap's BMP file, and replacing a file only once the new one is
// complete.
#pragma once

#include "render/GdiObjects.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// MIME type of the encoder for a file name: by the extension (from the last "." of the name),
// without regard to case; empty for any extension outside .png, .jpg, .gif, .tif and .bmp.
std::wstring EncoderMimeForPath(const std::wstring& path);

// Class identifier of the installed GDI+ encoder of this MIME type (compared without regard to
// case), or none.
std::optional<CLSID> FindEncoderByMime(std::wstring_view mime);

// Saves a picture through the encoder chosen by the file name's extension, at the encoders' best
// quality. Returns 0 when the file was written, 1 when it was not (unknown extension, GDI+ failure,
// unwritable place); a file of that name is then left as it was.
int SavePictureFile(const Picture& picture, const std::wstring& path);

// Writes the picture's pixels as a 24-bit BMP file; false when it was not written, in which case a
// file of that name is left as it was.
bool SaveBmpFile(const Picture& picture, const std::wstring& path);

// Makes the file `path` through `write` (which writes a file of the name it is given): the new
// content goes into a temporary file in the same folder that then replaces `path` in one step, so
// a failure part-way never destroys an existing file. False when anything failed.
template <class Write> bool ReplaceFileWith(const std::wstring& path, Write&& write);

// The temporary file in the folder of `path`, made empty; empty text when the folder cannot take it.
std::wstring MakeTemporaryBeside(const std::wstring& path);

// Moves the complete temporary file over `path`, or removes it when `complete` is false or the
// move fails. True when `path` now holds the new content.
bool CommitTemporary(const std::wstring& temporary, const std::wstring& path, bool complete);

// False when `path` names a folder or a read-only file, which are never replaced.
bool MayReplace(const std::wstring& path);

template <class Write> bool ReplaceFileWith(const std::wstring& path, Write&& write) {
    if (!MayReplace(path)) return false;
    std::wstring temporary = MakeTemporaryBeside(path);
    if (temporary.empty()) return false;
    return CommitTemporary(temporary, path, write(temporary));
}
