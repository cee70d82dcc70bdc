// The file-name prompts (work file, bitmap and JPEG exports, cell picture, cell icon, list of people) on the
// system's open and save dialogs, behind a seam that tests replace.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <string>

struct ShellState;

// Shows the prepared dialog (save = true for the save dialog) and, like GetOpenFileNameW, returns
// true with the chosen path in request.lpstrFile, false when cancelled.
using FileDialogSeam = std::function<bool(OPENFILENAMEW& request, bool save)>;

// Installs a seam; an empty one puts the system dialogs back.
void SetFileDialogSeam(FileDialogSeam seam);

// Folder part of a path, ending with its separator; empty when the path names no folder.
std::wstring FolderPart(const std::wstring& path);

// Each dialog takes the path as suggestion and returns the chosen full path, or an empty text when
// the user cancelled.

// Work file (".qdrx"): mode 0 opens, anything else saves. Starts in the given path's folder, which
// becomes the dialog folder; the dialog folder then follows the result.
// Reading offers work files and chart books; recording offers a chart book when `book` is set.
std::wstring WorkFileDialog(ShellState& shell, HWND owner, const std::wstring& path, int mode, bool book = false);

// Cut bitmap and JPEG exports (save): start in the dialog folder, which then follows the result.
std::wstring BitmapDialog(ShellState& shell, HWND owner, const std::wstring& path);
std::wstring JpegDialog(ShellState& shell, HWND owner, const std::wstring& path);
// The vector export (save), SVG or EMF by the filter or the extension typed; the same folder rule.
std::wstring VectorDialog(ShellState& shell, HWND owner, const std::wstring& path);

// The PDF export (save); the same folder rule.
std::wstring PdfDialog(ShellState& shell, HWND owner, const std::wstring& path);

// Cell picture and icon (open): start in the given path's folder; the dialog folder is left alone.
std::wstring PictureDialog(ShellState& shell, HWND owner, const std::wstring& path);
std::wstring IconDialog(ShellState& shell, HWND owner, const std::wstring& path);

// A list of people to build a chart from (open; text lists): starts in the dialog folder, which
// then follows the result.
std::wstring PeopleListDialog(ShellState& shell, HWND owner, const std::wstring& title = {});

// The comparison of an update from a list (save; CSV files): starts in the dialog folder.
std::wstring ComparisonFileDialog(ShellState& shell, HWND owner);
