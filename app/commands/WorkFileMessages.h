// Work-file reads and saves as the commands run them: the outcome of the document's read or save
// told to the user in a message box.
#pragma once

#include "document/Chart.h"
#include "document/Document.h"

#include <windows.h>

#include <string>

// 1 when the file was read into the document, 0 when it was refused or could not be read whole;
// then the document is exactly as it was. A file error shows one "Err: " message, a file of another format
// the wrong-format message in the language (the current-format reader points to the reader of the previous
// one).
int ReadWorkFile(Document& doc, const std::wstring& path, int languageIndex, HWND owner);
int ReadPreviousWorkFile(Document& doc, const std::wstring& path, int languageIndex, HWND owner);

// A chart book read into the chart (its first page into `shown`), 1 when read; a refused book
// shows the wrong-format message and changes nothing.
int ReadChartBookFile(Chart& chart, Document& shown, const std::wstring& path, int languageIndex, HWND owner);
// Writes the chart's pages as a book; on failure one "Err: " message, and any previous file stays.
bool SaveChartBookFile(const Chart& chart, const Document& shown, const std::wstring& path, int languageIndex,
                       HWND owner);
// Whether the file holds a chart book (a ZIP archive) rather than a work file.
bool IsChartBookFile(const std::wstring& path);

// Writes every cell of the table. On failure shows one "Err: " message, leaves any previous file as
// it was and returns false.
bool SaveWorkFile(const Document& doc, const std::wstring& path, HWND owner);
