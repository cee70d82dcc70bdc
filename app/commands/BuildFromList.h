// "Build from list…": a list of people chosen in the open dialog, its columns confirmed in the
// column dialog (and remembered for lists with the same header), read, checked and laid out as a
// new chart, or the reasons it was not, told in the current language.
#pragma once

#include "app/state/Outcome.h"
#include "document/OrgChart.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct App;

// The command: a new chart built from the list, replacing the whole chart, or the refusal told.
Outcome BuildFromListCommand(App& app);

// Reads the list file and builds its chart into the document as the command does, without any
// message; false when the file could not be read (the outcome is then left alone). With `pages`,
// a list too large for one table is built into the chart's pages or, given `book`, straight into
// the bytes of a chart book, the chart left as it was.
bool BuildChartFromListFile(App& app, const std::wstring& path, BuildOutcome& outcome,
                            const ListColumns& columns = {}, bool pages = false,
                            std::vector<uint8_t>* book = nullptr);

// The bytes of a file (a list of people), at most 64 MB; false when it cannot be read.
bool ReadListFile(const std::wstring& path, std::string& bytes);
// List text in the system code page, as the list reader takes it.
std::u16string ListTextFromAnsi(std::string_view bytes);
