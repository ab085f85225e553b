#pragma once

// What a batch report holds before any page is drawn: the chosen cases, run once for the summary
// in front (numbers only), and the entries whose report pages follow it. The pages themselves are
// composed one at a time afterwards, so that a report of any length is never held whole.

#include "design/catalogue.h"
#include "files/batch_file.h"
#include "files/batch_run.h"
#include "files/batch_stream_source.h"
#include "files/panel_envelope.h"
#include "report/batch_case_summary.h"
#include "report/batch_summary_page.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace korvel {

// The cases a report takes from "3,7-12" (case numbers counting from 1, comment lines not
// counted; ranges ascending; blanks around the items allowed): one flag per case of the file. The
// reason when the text is malformed or names a case the file does not have.
std::variant<std::vector<bool>, std::string> parseCaseSelection(std::string_view text, int caseCount);

struct BatchReportPlan {
    std::vector<BatchCaseSummary> rows;    // the summary: comment lines as headings, then the chosen cases
    std::vector<std::size_t> pages;        // entry (counting from 0) of each case page, in file order
    std::vector<std::int64_t> caseNumbers; // of each case page
    SummaryTitle title;
    // The panels of the chosen cases with every load case kept, for the envelope pages; empty
    // unless asked for.
    EnvelopeBuilder envelopes{true};
};

// Runs the chosen cases (`chosen` empty: all) and summarises them; comment lines are kept when a
// chosen case follows them. With `withEnvelopes` the chosen cases are folded into their panels
// too; with `gauging`, each case is run with the thicknesses it gives (korvel --pdf --gauging).
// `progress(done, total)` is called after each case; when it answers false the planning stops and
// nothing is returned, as when the source fails (source.error() then set). Only the summary's rows
// are kept, not the entries: the pages read the source again. The rows' designations are written
// with `separator`, the one the pages show numbers with.
std::optional<BatchReportPlan> planBatchReport(BatchEntrySource& source, const std::vector<bool>& chosen,
                                               const Catalogue& catalogue,
                                               const std::function<bool(int done, int total)>& progress = {},
                                               bool withEnvelopes = false, const InputAdjustment& gauging = {},
                                               char separator = '.');
std::optional<BatchReportPlan> planBatchReport(const BatchList& list, const std::vector<bool>& chosen,
                                               const Catalogue& catalogue,
                                               const std::function<bool(int done, int total)>& progress = {},
                                               bool withEnvelopes = false);

} // namespace korvel
