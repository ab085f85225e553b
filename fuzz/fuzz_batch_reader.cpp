// The batch reader on arbitrary input files, in both decimal modes (first byte). A list that
// reads is also run and written, for the first few cases, and these properties are checked:
// - every row of the results table, JSON object and listing block is the one its case gives when
//   run alone in a new design case, whatever ran before it on the same thread: so every output
//   is the same for any number of threads;
// - the JSON of a results run (numbers only) is the JSON of --detail (texts composed);
// - a case stops in the numbers-only results run exactly when it stops in the full
//   calculation the window and --detail show, at the same step and with the same row;
// - the printed report names a stop exactly when the calculation stopped;
// - every output gives a case the same verdict: the batch report's summary row, the JSON, the
//   studies and the margin line, and the run's counts add up to its cases.

#include "design/design_case.h"
#include "design/warning_sink.h"
#include "files/batch_results_table.h"
#include "files/batch_run.h"
#include "fuzz_catalogue.h"
#include "report/batch_case_summary.h"
#include "report/case_json.h"
#include "report/listing_text.h"
#include "report/margin_text.h"
#include "report/printed_report.h"
#include "support/recording_surface.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

using namespace korvel;

namespace {

bool reportNamesAStop(const DesignCase& dc, const Catalogue& catalogue) {
    test::RecordingSurface page;
    composeReport(page, dc, catalogue, PageSize{}, ReportTime{});
    // The remark begins a line of its own; a project name may hold the same words elsewhere.
    for (const test::RecordingSurface::Text& t : page.texts)
        if (t.text.rfind("Calculation stopped in ", 0) == 0) return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Catalogue catalogue = fuzzCatalogue();
    if (size == 0) return 0;
    const DecimalMode mode = data[0] & 1 ? DecimalMode::comma : DecimalMode::period;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    BatchRead read = readBatchText(text, "fuzz.kori", mode, catalogue);
    auto* list = std::get_if<BatchList>(&read);
    if (!list) {
        if (std::get<BatchError>(read).line < 1) std::abort(); // a text error always names its line
        return 0;
    }
    if (list->entries.size() > static_cast<std::size_t>(maxBatchEntries)) std::abort();
    if (list->entries.size() > 4) list->entries.resize(4);
    DesignCase dc;
    IgnoreWarnings warnings;
    const BatchResults results = runBatch(*list, dc, catalogue, warnings);
    if (results.summary.cases + results.summary.comments != static_cast<int>(list->entries.size())) std::abort();
    const FailureCounts& counted = results.summary.failed;
    if (counted.ok + counted.nok + counted.stopped != results.summary.cases) std::abort();

    std::string alone = batchResultsHeader();
    // One thread's design cases, which run every case one after another.
    DesignCase sequenceNumbers, sequenceTexts;
    std::int64_t caseNumber = 0;
    for (const BatchEntry& e : list->entries) {
        if (!e.isCase()) {
            alone += e.comment + "\r\n";
            continue;
        }
        ++caseNumber;
        DesignCase numbersOnly;
        runBatchCaseForResults(e, numbersOnly, catalogue, warnings);
        appendBatchResultLine(alone, numbersOnly);

        DesignCase full;
        full.printSelection = analysisAll;
        full.analysis = analysisAll;
        runBatchCase(e, full, catalogue, warnings);

        runBatchCaseForResults(e, sequenceNumbers, catalogue, warnings);
        sequenceTexts.analysis = analysisAll;
        runBatchCase(e, sequenceTexts, catalogue, warnings);
        std::string jsonAlone, jsonAfter, jsonDetail, listingAlone, listingAfter;
        appendCaseJson(jsonAlone, e, caseNumber, numbersOnly);
        appendCaseJson(jsonAfter, e, caseNumber, sequenceNumbers);
        appendCaseJson(jsonDetail, e, caseNumber, full);
        appendCaseListingText(listingAlone, e, caseNumber, full);
        appendCaseListingText(listingAfter, e, caseNumber, sequenceTexts);
        if (jsonAlone != jsonAfter || jsonAlone != jsonDetail || listingAlone != listingAfter) std::abort();

        if (!(full.fault == numbersOnly.fault)) std::abort();
        std::string fullRow, numbersRow;
        appendBatchResultLine(fullRow, full);
        appendBatchResultLine(numbersRow, numbersOnly);
        if (fullRow != numbersRow) std::abort();
        if (reportNamesAStop(full, catalogue) != full.fault.stopped()) std::abort();

        const Verdict verdict = verdictOf(numbersOnly);
        if (verdictOf(full) != verdict || summarizeCase(e, caseNumber, full).verdict != verdict) std::abort();
        if (caseVerdict(full).verdict() != verdict || casePasses(caseVerdict(full)) != (verdict == Verdict::ok))
            std::abort();
        if (jsonAlone.find(std::string("\"verdict\":\"") + verdictText(verdict) + "\"") == std::string::npos)
            std::abort();
    }
    if (alone != results.text) std::abort();
    return 0;
}
