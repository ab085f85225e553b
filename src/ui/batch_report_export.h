#pragma once

// The batch window's "Export all to PDF…" and "Print all…": the report of every case of the batch
// file read (summary pages, then one report page per case), with a progress dialog whose Cancel
// stops the job. The listings follow the analysis selection of the main window.

#include "design/catalogue.h"
#include "files/batch_file.h"
#include "files/file_commands.h"
#include "ui/message_warnings.h"

#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace korvel {

inline constexpr const char* exportAllPdfCaption = "&Export all to PDF\u2026";
inline constexpr const char* printAllCaption = "&Print all\u2026";

struct BatchReportJob {
    QWidget* parent = nullptr;
    const BatchList* list = nullptr;
    std::string inputFile; // the batch file read; empty when none was
    const Catalogue* catalogue = nullptr;
    int selection = 3;
    UserMessages* messages = nullptr;
    FileDialogs* dialogs = nullptr;
    std::string folder;   // where the save dialog starts; empty: the input's folder
    char separator = '.'; // the engineer's decimal separator for the numbers shown
    // How the job ended, for the window's status line ("The report of 3 cases is in PATH").
    std::function<void(const std::string&)> status;
};

// Asks for a PDF file (proposing the input's name with ".pdf") and writes the report to it. True
// when it was written; a cancelled export leaves an existing file as it was.
bool exportBatchReportPdf(const BatchReportJob& job);

// Asks for a printer and prints the report on it; true when it was printed to the end.
bool printBatchReport(const BatchReportJob& job);

} // namespace korvel
