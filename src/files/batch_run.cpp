#include "files/batch_run.h"

#include "checks/failed_checks.h"
#include "engine/assessment.h"
#include "files/batch_case.h"
#include "files/batch_results_table.h"
#include "files/file_replacement.h"
#include "sections/profile_type_table.h"
#include "sections/profile_types.h"

#include <algorithm>
#include <functional>
#include <ios>
#include <optional>
#include <string_view>
#include <utility>

namespace korvel {

namespace {

namespace fs = std::filesystem;

// The catalogue has no row at all for an "LR" or "BF" case: its own dimensions become the
// working profile, so that the results table shows what the file asked for.
void takeDimensionsOfEntry(const BatchEntry& e, DesignCase& dc) {
    dc.H = e.stiffener[0];
    if (webOnlyProfile(e.inputs.stiffenerType)) {
        dc.tw = e.stiffener[1];
        return;
    }
    dc.B = e.stiffener[1];
    dc.tw = e.stiffener[2];
    dc.tf = e.stiffener[3];
}

// Nothing the case run before left in the design case may stand in this one's results, detail or
// JSON (a stopped calculation keeps what its steps did not reach, such as se and sw): every
// derived quantity starts as in a new design case.
void startAfresh(Assessment& a) {
    static_cast<WorkingProfile&>(a) = WorkingProfile{};
    a.profileProblem.clear();
    a.shape = ProfileShape{};
    a.Q = 0;
    a.prep = PreparedStresses{};
    a.se = 0;
    a.stiff = StiffenerSection{};
    a.girder = GirderSection{};
    a.uf = Results{};
    a.plate = {};
    a.buckling = BucklingDetail{};
    a.girderDepthRatio = notComputed;
    a.girderWebRatio = notComputed;
    a.cStiffener = 0;
    a.cGirder = 0;
    a.sigyError = false;
    a.fault.clear();
}

} // namespace

void runBatchCase(const BatchEntry& e, DesignCase& dc, const Catalogue& catalogue, WarningSink& warnings,
                  const AssessOptions& options) {
    runAdjustedBatchCase(e, dc, catalogue, warnings, options, {});
}

void runAdjustedBatchCase(const BatchEntry& e, DesignCase& dc, const Catalogue& catalogue, WarningSink& warnings,
                          const AssessOptions& options, const InputAdjustment& adjust) {
    // The inputs' texts keep their storage for the next case.
    static_cast<CaseInputs&>(dc) = e.inputs;
    if (adjust)
        if (const std::string note = adjust(e, dc); !note.empty()) warnings.warn(note, InputBox::none);
    startAfresh(dc);
    for (const std::string& note : e.notes) warnings.warn(note, InputBox::none);
    runCase(dc, catalogue, options, warnings);
    // No row to take the profile from: the calculation stopped in the profile selection, and
    // the table shows the profile the file asked for.
    if (!e.profileInTable) takeDimensionsOfEntry(e, dc);
}

void runBatchCaseForResults(const BatchEntry& entry, DesignCase& dc, const Catalogue& catalogue,
                            WarningSink& warnings) {
    runBatchCase(entry, dc, catalogue, warnings, AssessOptions{});
}

void finishResultsRun(const BatchList& list, DesignCase& dc, const Catalogue& catalogue) {
    const auto last =
        std::find_if(list.entries.rbegin(), list.entries.rend(), [](const BatchEntry& e) { return e.isCase(); });
    if (last == list.entries.rend()) return;
    IgnoreWarnings alreadyGiven;
    runBatchCase(*last, dc, catalogue, alreadyGiven);
}

namespace {

// Runs every entry in file order and hands each line of the results table to `emit` as soon as
// it is composed: the table is never held whole. Nothing when the run was cancelled.
std::optional<BatchSummary> runEntries(const BatchList& list, DesignCase& dc, const Catalogue& catalogue,
                                       WarningSink& warnings, const BatchHooks& hooks,
                                       const std::function<void(std::string_view)>& emit) {
    BatchSummary summary;
    emit(batchResultsHeader());
    std::string line;
    line.reserve(512);
    const int total = static_cast<int>(list.entries.size());
    int done = 0;
    for (const BatchEntry& e : list.entries) {
        if (hooks.cancelled && hooks.cancelled()) return std::nullopt;
        line.clear();
        if (e.isCase()) {
            if (hooks.beforeCase) hooks.beforeCase(e);
            runBatchCaseForResults(e, dc, catalogue, warnings);
            appendBatchResultLine(line, dc);
            ++summary.cases;
            summary.failed.add(dc.fault.stopped(), failedChecks(dc));
            if (hooks.afterCase) hooks.afterCase(e, dc);
        } else {
            line += e.comment;
            line += "\r\n";
            ++summary.comments;
        }
        emit(line);
        if (hooks.progress) hooks.progress(++done, total);
    }
    finishResultsRun(list, dc, catalogue);
    return summary;
}

} // namespace

BatchResults runBatch(const BatchList& list, DesignCase& dc, const Catalogue& catalogue, WarningSink& warnings,
                      const BatchHooks& hooks) {
    BatchResults results;
    results.text.reserve(list.entries.size() * 320);
    const std::optional<BatchSummary> summary =
        runEntries(list, dc, catalogue, warnings, hooks, [&](std::string_view line) { results.text += line; });
    if (summary)
        results.summary = *summary;
    else
        results.cancelled = true;
    return results;
}

BatchWritten writeBatchResults(const std::string& outputPath, const BatchList& list, DesignCase& dc,
                               const Catalogue& catalogue, WarningSink& warnings, const BatchHooks& hooks) {
    BatchSummary summary;
    bool ran = false;
    bool cancelled = false;
    const auto run = [&](const std::function<void(std::string_view)>& emit) {
        ran = true;
        const std::optional<BatchSummary> done = runEntries(list, dc, catalogue, warnings, hooks, emit);
        cancelled = !done;
        if (done) summary = *done;
    };
    const auto failure = replaceFileWith(fs::path(outputPath), [&](std::ostream& out) {
        run([&out](std::string_view line) { out.write(line.data(), static_cast<std::streamsize>(line.size())); });
        // A failed stream fails the save: the temporary file is removed and a file already there
        // stays as it was, so a cancelled run never leaves part of a table under its name.
        if (cancelled) out.setstate(std::ios::failbit);
    });
    // Even when the table cannot be written the cases run, so that the design case holds the
    // last one as after any results run.
    if (!ran) run([](std::string_view) {});
    if (cancelled) return BatchCancelled{};
    if (failure) return saveFailureMessage(outputPath, *failure);
    return summary;
}

std::string batchOutputPath(const std::string& inputPath) {
    const std::size_t nameStart = inputPath.find_last_of("/\\");
    const std::size_t nameLength = inputPath.size() - (nameStart == std::string::npos ? 0 : nameStart + 1);
    constexpr std::string_view inputExtension = ".kori";
    // A name that is only ".kori" keeps it: its table is ".kori.koro", not a bare ".koro".
    if (nameLength <= inputExtension.size()) return inputPath + ".koro";
    const std::size_t cut = inputPath.size() - inputExtension.size();
    for (std::size_t i = 0; i < inputExtension.size(); ++i) {
        const char c = inputPath[cut + i];
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != inputExtension[i]) return inputPath + ".koro";
    }
    return inputPath.substr(0, cut) + ".koro";
}

StartupBatch runStartupBatch(const fs::path& programFolder, DesignCase& dc, const Catalogue& catalogue,
                             DecimalMode mode, WarningSink& warnings, const fs::path& outputFolder) {
    StartupBatch outcome;
    const std::string input = (programFolder / startupBatchInput).string();
    BatchRead read = readBatchFile(input, mode, catalogue);
    if (auto* error = std::get_if<BatchError>(&read)) {
        outcome.status = error->notFound ? StartupBatch::Status::inputMissing : StartupBatch::Status::inputUnreadable;
        outcome.message = error->notFound ? "can't find file - " + input : error->message();
        return outcome;
    }
    outcome.list = std::move(std::get<BatchList>(read));

    // The first case is shown first, as when a batch file is opened in the batch window.
    const int first = outcome.list.caseIndex(1);
    if (first >= 0) runBatchCase(outcome.list.entries[static_cast<std::size_t>(first)], dc, catalogue, warnings);

    const std::string output = ((outputFolder.empty() ? programFolder : outputFolder) / startupBatchOutput).string();
    auto written = writeBatchResults(output, outcome.list, dc, catalogue, warnings);
    if (auto* why = std::get_if<std::string>(&written)) {
        outcome.status = StartupBatch::Status::outputNotWritten;
        outcome.message = *why;
        outcome.summary = {};
        return outcome;
    }
    outcome.summary = std::get<BatchSummary>(written);
    return outcome;
}

} // namespace korvel
