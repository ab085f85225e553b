#pragma once

// Printing the one-page report: the print job behind the Print menus and the PDF output. The page
// is composed by composeReport (report/printed_report.h) on the printable area of the paper.
// The print commands set the analysis and print selections and refresh the window first; this
// module only prints what the case holds.

#include "design/catalogue.h"
#include "design/design_case.h"
#include "report/printed_report.h"

#include <QString>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace korvel {

// The wall clock as the report prints it.
ReportTime currentReportTime();

// Composes one report page on a printer or PDF writer, on its printable area. False when the
// device could not start or finish the document.
// In comma mode (`separator` ',') every number of the page is printed with the comma.
bool paintReport(QPagedPaintDevice& device, const DesignCase& dc, const Catalogue& catalogue, const ReportTime& time,
                 char separator = '.');

// One complete, separate document per copy, each composed from scratch; the printer's own copy
// count is set to 1 so the driver does not multiply them again. Returns the number of documents
// that were printed (fewer than `copies` when the printer failed).
int printReportCopies(QPrinter& printer, int copies, const DesignCase& dc, const Catalogue& catalogue,
                      const ReportTime& time, char separator = '.');

// Printing with no printer installed: the message, and the way round it offered beside OK.
inline constexpr const char* noPrinterMessage = "No printer is installed; use Export PDF";
inline constexpr const char* exportPdfCaption = "Export PDF\u2026";

// The system print dialog of a print job (copies; no page range, no print to file); false when
// the user cancels. The dialog leaves the chosen printer and number of copies on `printer`.
bool choosePrinter(QWidget* parent, QPrinter& printer);

// Writes the report as an A4 PDF file, replacing an existing file only once the new one is
// complete. On failure returns false and, when `error` is given, sets it to "can't save file -
// PATH: " + the reason; never throws.
bool writeReportPdf(const QString& path, const DesignCase& dc, const Catalogue& catalogue, const ReportTime& time,
                    QString* error, char separator = '.');

} // namespace korvel
