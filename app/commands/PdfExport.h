// "Export to PDF…": the chart's pages as one PDF document, from the menu (a dialog for the paper
// and the pages, then the file's name) and from the command line ("/export chart.qdrx out.pdf
// [/paper:A4|Letter|A3|chart] [/pages:N-M]").
#pragma once

#include "app/state/Outcome.h"
#include "render/PdfSheets.h"

#include <string>

struct App;
struct ConversionCommand;

// Control ids of the dialog, for the tests that work it.
constexpr int kPdfPaperId = 200;
constexpr int kPdfAllPagesId = 201;
constexpr int kPdfShownPageId = 202;
constexpr int kPdfRangeId = 203;
constexpr int kPdfFromId = 204;
constexpr int kPdfToId = 205;

// What the user chose: the paper, and the pages from `first` to `last` (counted from 0).
struct PdfExportChoice {
    PdfPaper paper = PdfPaper::A4;
    int first = 0;
    int last = 0;
};

// The paper the user's region uses: Letter where it does (the Americas' letter and legal regions),
// A4 elsewhere.
PdfPaper RegionPaper();

// Writes pages `first` to `last` of the chart as a PDF on the paper, through a file beside the
// target that then takes its place; true when the file was written. The page shown stays shown.
bool WriteChartPdf(App& app, const std::wstring& path, PdfPaper paper, int first, int last,
                   const std::wstring& title);

// The dialog: true with the choice made when the user chose to export.
bool ChoosePdfExport(App& app, PdfExportChoice& choice);

// The menu command: the dialog, the file's name, the document written and the user told.
Outcome ExportPdf(App& app);
bool ExportPdfTo(App& app, const std::wstring& path, const PdfExportChoice& choice);

// The conversion of a chart already read (every page, or those /pages names) to `target`: the
// exit code, with the line to say in `failure` when it is not done.
int RunPdfConversion(App& app, const ConversionCommand& command, const std::wstring& source,
                     const std::wstring& target, std::wstring& failure);
