// "/update chart.qdrx|qdrb newlist.csv [out] [/report:changes.csv] [/compare] [column options]":
// the command line of an update from a list, read without any window.
#pragma once

#include <array>
#include <string>
#include <string_view>

struct UpdateCommand {
    bool named = false;     // the command line asks for /update
    bool malformed = false; // ...with arguments it cannot take
    std::wstring chart, list, out, report;
    bool compareOnly = false;
    std::array<std::wstring, 6> columns; // as for /build: name, first, last, title, id, manager
};

// Names are compared without regard to case, with "/" or "-" before them; options stand anywhere
// after /update. /compare needs /report, the file it writes.
UpdateCommand ParseUpdateCommand(std::wstring_view commandLine);
