#pragma once

// korvel --pdf OUT.pdf [--selection 1|2|3] [PROJECT.korvp]: the printed report as a PDF file,
// composed without a window.
// korvel --pdf OUT.pdf --batch IN.kori [--selection 1|2|3] [--cases 3,7-12] [--envelope]
// [--gauging G.tsv]: the report of a whole batch: summary pages, with --envelope a page per panel
// over its load cases, then one report page per case. With --gauging G.tsv each case the survey
// gauges is printed with its measured thicknesses, the value as built beside each check's.

#include "files/data_folder.h"

#include <optional>
#include <string>
#include <vector>

namespace korvel {

struct PdfRequest {
    std::string output;
    int selection = 0; // 0: the case's own analysis selection
    std::string project;
    std::string batch; // --batch: the batch input file
    std::string cases; // --cases: "3,7-12"; empty: every case
    bool casesGiven = false;
    bool envelope = false; // --envelope: the panels' pages after the summary
    std::string gauging;   // --gauging: the survey file of gauged thicknesses
};

// The request when the arguments ask for PDF mode; an error text in `problem` when they do but
// are malformed.
std::optional<PdfRequest> pdfRequest(const std::vector<std::string>& args, std::string& problem);

// Composes the report: the tables from the data folder, the project file or else the start-up
// case (the last case of "dummy.kori"). Returns the exit status; messages go to standard error.
int runPdfMode(const PdfRequest& request, const DataFolder& data);

} // namespace korvel
