// Conversions asked for on the command line, run without a window: "/export chart.qdrx
// picture.svg" writes the cut export of a work file, "/build people.csv chart.qdrx" builds a chart
// from a list of people and records it, "/print chart.qdrx" prints a work file's chart on the
// default printer. Any other command line names a work file to open, as it always has.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

enum class ConversionKind {
    None,      // not a conversion: the tail names a work file
    Export,    // /export <work file> <picture> [/paper:NAME] [/pages:N-M] (the options for PDF)
    Print,     // /print <work file>
    Build,     // /build <list of people> <work file> [/name:COL] [/first:COL /last:COL] [/title:COL]
               // [/id:COL] [/manager:COL] [/assistants] [/photos:FOLDER] [/headcount]
               // [/colour:level|department]
    Malformed, // a conversion's name with the wrong number of arguments
};

struct ConversionCommand {
    ConversionKind kind = ConversionKind::None;
    ConversionKind named = ConversionKind::None; // the conversion a malformed command line names
    std::wstring source;
    std::wstring target;
    // The columns a build asks for, by header text or number from 1, in the order name, first
    // name, last name, job title, id, manager; empty where the list decides.
    std::array<std::wstring, 6> columns;
    // /headcount: managers' boxes show how many people they lead.
    bool headcount = false;
    // /colour:level or /colour:department (/color: too): what the boxes' fills tell.
    std::wstring colour;
    // The paper and pages an export to PDF asks for; empty where the program decides.
    std::wstring paper;
    std::wstring pages;
    // A build's chart details: assistants beside their manager's line (/assistants), the folder
    // of the people's photos (/photos:FOLDER).
    bool assistants = false;
    std::wstring photos;
};

// Exit codes of a conversion; each failure has its own.
enum ConversionExit : int {
    kConversionDone = 0,
    kConversionUsage = 1,         // wrong arguments
    kConversionSourceMissing = 2, // no such work file
    kConversionSourceRefused = 3, // the file is no work file, or a list with faults
    kConversionUnknownFormat = 4, // the picture's extension names no export format
    kConversionNotWritten = 5,    // the picture could not be written
    kConversionNoPrinter = 6,     // no printer is installed
    kConversionNotPrinted = 7,    // the printer refused the chart
    kConversionOutOfMemory = 8,   // the list, chart or book needed more memory than there was
};

// The arguments of a command tail split as Windows programs split them: blanks separate, double
// quotes group, a backslash escapes a quote (2n backslashes before a quote give n and the quote
// groups; 2n + 1 give n and a literal quote), other backslashes are themselves.
std::vector<std::wstring> SplitArguments(std::wstring_view tail);

// The conversion a whole command line (program name first) asks for. The names are compared
// without regard to case, with "/" or "-" before them; a build's column options may stand
// anywhere after its name.
ConversionCommand ParseConversionCommand(std::wstring_view commandLine);
