#include "report/batch_report_plan.h"

#include "design/warning_sink.h"
#include "files/batch_run.h"
#include "report/gauged_case_run.h"

#include <algorithm>
#include <limits>
#include <memory>

namespace korvel {

namespace {

std::string_view trimmedItem(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// A case number of digits only, or nothing.
std::optional<int> caseNumberIn(std::string_view text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    int n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

} // namespace

std::variant<std::vector<bool>, std::string> parseCaseSelection(std::string_view text, int caseCount) {
    std::vector<bool> chosen(static_cast<std::size_t>(caseCount > 0 ? caseCount : 0), false);
    const std::string whole(text);
    if (trimmedItem(text).empty()) return "no cases given";
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = trimmedItem(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        const std::size_t dash = item.find('-');
        const std::optional<int> from = caseNumberIn(trimmedItem(item.substr(0, dash)));
        const std::optional<int> to =
            dash == std::string_view::npos ? from : caseNumberIn(trimmedItem(item.substr(dash + 1)));
        if (!from || !to) return "\"" + std::string(item) + "\" is not a case number or a range like 7-12";
        if (*from < 1 || *to < *from) return "\"" + std::string(item) + "\" is not an ascending range of cases from 1";
        if (*to > caseCount)
            return "case " + std::to_string(*to) + " is not in the file, which has " + std::to_string(caseCount) +
                   " cases";
        for (int n = *from; n <= *to; ++n) chosen[static_cast<std::size_t>(n - 1)] = true;
    }
    return chosen;
}

std::optional<BatchReportPlan> planBatchReport(BatchEntrySource& source, const std::vector<bool>& chosen,
                                               const Catalogue& catalogue,
                                               const std::function<bool(int done, int total)>& progress,
                                               bool withEnvelopes, const InputAdjustment& gauging, char separator) {
    BatchReportPlan plan;
    plan.title.file = source.fileName();
    const auto total =
        static_cast<int>(chosen.empty() ? std::min<std::int64_t>(source.caseCount(), std::numeric_limits<int>::max())
                                        : std::count(chosen.begin(), chosen.end(), true));
    if (!source.restart()) return std::nullopt;
    auto dc = std::make_unique<DesignCase>();
    IgnoreWarnings quiet;
    std::vector<BatchCaseSummary> headings; // the comments waiting for a chosen case
    BatchEntry e;
    std::int64_t caseNumber = 0;
    int done = 0;
    for (std::size_t i = 0; source.next(e); ++i) {
        if (!e.isCase()) {
            headings.push_back(summarizeComment(e));
            continue;
        }
        ++caseNumber;
        const auto index = static_cast<std::size_t>(caseNumber - 1);
        if (!chosen.empty() && (index >= chosen.size() || !chosen[index])) continue;
        runGaugedBatchCase(e, *dc, catalogue, quiet, AssessOptions{}, gauging);
        // By the line's own project and identification, as korvel-batch --envelope folds them.
        if (withEnvelopes) plan.envelopes.add(e.inputs.projectName, e.inputs.identification, caseOutcome(*dc));
        for (BatchCaseSummary& heading : headings) plan.rows.push_back(std::move(heading));
        headings.clear();
        plan.rows.push_back(summarizeCase(e, caseNumber, *dc, separator));
        const Verdict verdict = plan.rows.back().verdict;
        ++plan.title.cases;
        plan.title.ok += verdict == Verdict::ok ? 1 : 0;
        plan.title.nok += verdict == Verdict::nok ? 1 : 0;
        plan.title.stopped += verdict == Verdict::stopped ? 1 : 0;
        plan.pages.push_back(i);
        plan.caseNumbers.push_back(caseNumber);
        if (progress && !progress(++done, total)) return std::nullopt;
    }
    if (source.error()) return std::nullopt;
    return plan;
}

std::optional<BatchReportPlan> planBatchReport(const BatchList& list, const std::vector<bool>& chosen,
                                               const Catalogue& catalogue,
                                               const std::function<bool(int done, int total)>& progress,
                                               bool withEnvelopes) {
    BatchEntrySource source(list);
    return planBatchReport(source, chosen, catalogue, progress, withEnvelopes);
}

} // namespace korvel
