#pragma once

// The report of a whole batch on a paged device (PDF writer or printer): the summary pages, when
// asked the envelope pages of the panels, then one report page per chosen case (the page the window prints, with the
// case's identification), "Page k of n" on every page and what the report was made with at the foot of each. Pages are
// composed and handed to the device one at a time (QPagedPaintDevice::newPage), so a report of
// thousands of cases needs the memory of one page and the summary.

#include "design/catalogue.h"
#include "files/batch_file.h"
#include "files/batch_run.h"
#include "files/batch_stream_source.h"
#include "files/file_replacement.h"
#include "files/table_stamps.h"
#include "report/batch_report_plan.h"
#include "report/printed_report.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QPagedPaintDevice;
class QPrinter;

namespace korvel {

struct BatchReportRequest {
    int selection = analysisAll; // the listings of each case page: 1, 2 or 3
    std::vector<bool> chosen;    // one flag per case of the list; empty: every case
    std::string fileShown;       // the input file as the report names it
    Provenance provenance;       // version, tables, time
    ReportTime time;             // the clock printed in the page headers
    char separator = '.';        // the engineer's decimal separator for the numbers shown
    bool envelope = false;       // a page per panel (its load case × check matrix) after the summary
    // Gauged thicknesses: a case they change is summarised and printed gauged, its page with the
    // value as built beside each check's.
    InputAdjustment gauging;
};

// Done and total steps: each case once for the summary, then each page. False cancels.
using BatchReportProgress = std::function<bool(int done, int total)>;

enum class BatchReportEnd { done, cancelled, failed };

// Paints the whole report on `device` (its page layout already set), going over the source twice:
// for the summary, then for the case pages. A source that fails ends it as failed.
BatchReportEnd paintBatchReport(QPagedPaintDevice& device, BatchEntrySource& source, const Catalogue& catalogue,
                                const BatchReportRequest& request, const BatchReportProgress& progress = {});
BatchReportEnd paintBatchReport(QPagedPaintDevice& device, const BatchList& list, const Catalogue& catalogue,
                                const BatchReportRequest& request, const BatchReportProgress& progress = {});

// Writes the report as an A4 PDF file: streamed into a hidden temporary file beside `path`, which
// replaces an existing file only when complete (a cancelled or failed export leaves the old one).
// The failure: "can't save file - PATH: reason", or the source's own message. `notice` is told the
// temporary file, for a program that removes it when stopped by a signal.
struct BatchReportWritten {
    BatchReportEnd end = BatchReportEnd::done;
    QString error; // when failed
};
BatchReportWritten writeBatchReportPdf(const QString& path, const BatchList& list, const Catalogue& catalogue,
                                       const BatchReportRequest& request, const BatchReportProgress& progress = {});
BatchReportWritten writeBatchReportPdf(const QString& path, BatchEntrySource& source, const Catalogue& catalogue,
                                       const BatchReportRequest& request, const BatchReportProgress& progress = {},
                                       const TemporaryNotice& notice = {});

} // namespace korvel
