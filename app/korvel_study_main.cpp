// korvel-study: the design studies without a window (korvel-study --help).
//
// Exit status: 0 done, 1 the input cannot be read, 2 wrong arguments, 3 the tables cannot be
// loaded, 4 the results cannot be written, 130 stopped by Ctrl+C.

#include "command_line.h"
#include "study_options.h"

#include "design/version.h"
#include "files/batch_case.h"
#include "files/batch_file.h"
#include "files/batch_stream.h"
#include "files/data_folder.h"
#include "files/file_replacement.h"
#include "files/table_loader.h"
#include "studies/ordered_run.h"
#include "studies/study_runs.h"
#include "studies/study_tables.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <variant>
#include <vector>

namespace fs = std::filesystem;
using namespace korvel;

namespace {

constexpr int exitInterrupted = 130;

// Set by Ctrl+C or a termination request; the study stops after the items in hand and writes
// what is done, so no temporary file of an unfinished save is left behind.
std::atomic<bool> interrupted{false};
extern "C" void onInterrupt(int) {
    interrupted.store(true);
}

// "korvel-study: 12 of 135 cases" on a terminal, at most five times a second.
class Progress {
public:
    explicit Progress(bool enabled) : enabled_(enabled), last_(Clock::now()) {}
    void show(std::size_t done, std::size_t total) {
        if (!enabled_) return;
        const Clock::time_point now = Clock::now();
        if (done < total && now - last_ < std::chrono::milliseconds(200)) return;
        last_ = now;
        std::cerr << "\rkorvel-study: " << done << " of " << total << " cases\033[K" << std::flush;
        shown_ = true;
    }
    void clear() {
        if (!shown_) return;
        std::cerr << "\r\033[K" << std::flush;
        shown_ = false;
    }

private:
    using Clock = std::chrono::steady_clock;
    bool enabled_;
    bool shown_ = false;
    Clock::time_point last_;
};

struct StudyCase {
    CaseLabel label;
    CaseInputs inputs;
};

// A case written to the cases file under its identification with what the study found.
void appendFoundCase(std::string& out, CaseInputs c, const std::string& what, const Catalogue& catalogue, int line) {
    c.identification += " " + what;
    if (!appendBatchCaseLine(out, c, catalogue))
        out += "% the case of line " + std::to_string(line) + " (" + what + ") has no batch form\r\n";
}

// A study over every case, then its table and the cases it found, composed in case order.
struct Run {
    const StudyOptions& options;
    const Catalogue& catalogue;
    const std::vector<StudyCase>& cases;
    const std::vector<CaseInputs>& inputs;
    Progress& progress;
    std::string table;
    std::string found;
    std::size_t done = 0;

    StudyControl control() {
        StudyControl c;
        c.threads = options.threads;
        c.stop = &interrupted;
        c.progress = [this](std::size_t n, std::size_t total) {
            progress.show(n, total);
            return true;
        };
        return c;
    }

    void reserve() {
        table = reserveHeader();
        const std::vector<ReserveResult> results = reserveFactors(inputs, catalogue, control());
        done = results.size();
        for (std::size_t i = 0; i < done; ++i) {
            const ReserveResult& r = results[i];
            appendReserveRow(table, cases[i].label, r);
            if (r.outcome == ReserveResult::Outcome::limited)
                appendFoundCase(found, scaledCase(inputs[i], r.lambda), "lambda*=" + searchedNumber(r.lambda),
                                catalogue, cases[i].label.line);
        }
    }

    void limit() {
        table = limitHeader();
        const std::vector<LimitResult> results = limitingValues(inputs, options.limit, catalogue, control());
        done = results.size();
        for (std::size_t i = 0; i < done; ++i) {
            const LimitResult& r = results[i];
            appendLimitRow(table, cases[i].label, options.limit, r);
            if (r.outcome != LimitResult::Outcome::found) continue;
            CaseInputs c = inputs[i];
            setField(c, *options.limit.field, r.value);
            appendFoundCase(found, c, std::string(options.limit.field->name) + "=" + searchedNumber(r.value), catalogue,
                            cases[i].label.line);
        }
    }

    void sweep() {
        table = sweepHeader(*options.sweep.field);
        const std::vector<std::vector<SweepPoint>> results = sweeps(inputs, options.sweep, catalogue, control());
        done = results.size();
        for (std::size_t i = 0; i < done; ++i) appendSweepRows(table, cases[i].label, results[i]);
    }

    void capacity() {
        const CapacityRequest& request = options.capacity;
        table = capacityHeader(request);
        const std::vector<CapacityResult> results = capacityCurves(inputs, request, catalogue, control());
        done = results.size();
        for (std::size_t i = 0; i < done; ++i) {
            const CapacityResult& r = results[i];
            appendCapacityRows(table, cases[i].label, request, r);
            if (!r.stoppedAtOrigin.empty()) continue;
            for (std::size_t k = 0; k < r.rays.size(); ++k) {
                const CapacityPoint& p = r.rays[k];
                if (p.open) continue;
                appendFoundCase(found, capacityCase(inputs[i], request, r, p.angle, p.rho),
                                "ray " + std::to_string(k + 1), catalogue, cases[i].label.line);
            }
        }
    }

    void lightest() {
        table = lightestHeader(options.girder);
        const std::vector<Candidate> candidates = rankedCandidates(catalogue, options.families, options.threads);
        const std::vector<LightestResult> results = lightestOf(inputs, candidates, options.top, catalogue, control());
        done = results.size();
        for (std::size_t i = 0; i < done; ++i) {
            const LightestResult& r = results[i];
            appendLightestRows(table, cases[i].label, r);
            for (std::size_t k = 0; k < r.passing.size(); ++k) {
                CaseInputs c = inputs[i];
                applyCandidate(c, r.passing[k].candidate);
                appendFoundCase(found, c, "lightest " + std::to_string(k + 1), catalogue, cases[i].label.line);
            }
        }
    }
};

const char* studyName(StudyKind k) {
    switch (k) {
    case StudyKind::reserve:
        return "reserve";
    case StudyKind::limit:
        return "limit";
    case StudyKind::lightest:
        return "lightest";
    case StudyKind::sweep:
        return "sweep";
    case StudyKind::capacity:
        return "capacity";
    }
    return "";
}

// Writes `text` to standard output or replaces the file with it; the reason when it cannot.
std::optional<std::string> writeOut(const std::string& path, const std::string& text) {
    if (path == "-") {
        std::cout << text << std::flush;
        if (!std::cout) return std::string("can't write to standard output");
        return std::nullopt;
    }
    if (const auto why = replaceFileWith(fs::path(path), [&](std::ostream& out) {
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
        }))
        return saveFailureMessage(path, *why);
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    auto parsed = parseStudyOptions(args, static_cast<int>(std::thread::hardware_concurrency()));
    if (const auto* problem = std::get_if<std::string>(&parsed)) {
        std::cerr << "korvel-study: " << *problem << "\nTry korvel-study --help\n";
        return exitUsage;
    }
    const StudyOptions& options = std::get<StudyOptions>(parsed);
    if (options.help) {
        std::cout << studyHelpText;
        return exitDone;
    }
    if (options.version) {
        std::cout << "korvel-study " << programVersion << '\n';
        return exitDone;
    }
    for (const std::string* out : {&options.output, &options.cases}) {
        if (out->empty() || *out == "-" || options.input == "-") continue;
        if (sameFile(options.input, *out)) {
            std::cerr << "korvel-study: " << *out << " is the input file itself; name another\n";
            return exitUsage;
        }
    }
    if (!options.cases.empty() && options.cases == options.output) {
        std::cerr << "korvel-study: the table and the cases need two files\n";
        return exitUsage;
    }

    const DataFolder data = findDataFolder(programFolder(argc > 0 ? argv[0] : nullptr), options.dataFolder);
    const std::optional<Catalogue> catalogue = loadTables(data.path, "korvel-study");
    if (!catalogue) return exitTables;

    BatchRead read = options.input == "-" ? readBatchText(std::string(std::istreambuf_iterator<char>(std::cin), {}),
                                                          standardInputName, options.mode, *catalogue)
                                          : readBatchFile(options.input, options.mode, *catalogue);
    if (const auto* error = std::get_if<BatchError>(&read)) {
        std::cerr << error->message() << '\n';
        return exitInput;
    }
    const BatchList& list = std::get<BatchList>(read);
    std::vector<StudyCase> cases;
    for (const BatchEntry& e : list.entries) {
        if (!e.isCase()) continue;
        for (const std::string& note : e.notes)
            std::cerr << list.path << ":" << e.line << ": " << e.firstText << " " << e.secondText
                      << ": warning: " << note << '\n';
        cases.push_back({CaseLabel{e.line, e.firstText, e.secondText}, batchCaseInputs(e, *catalogue)});
    }

    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
    Progress progress(standardErrorIsTerminal());
    std::vector<CaseInputs> inputs;
    inputs.reserve(cases.size());
    for (const StudyCase& c : cases) inputs.push_back(c.inputs);
    Run run{options, *catalogue, cases, inputs, progress, {}, {}, 0};
    switch (options.kind) {
    case StudyKind::reserve:
        run.reserve();
        break;
    case StudyKind::limit:
        run.limit();
        break;
    case StudyKind::sweep:
        run.sweep();
        break;
    case StudyKind::capacity:
        run.capacity();
        break;
    case StudyKind::lightest:
        run.lightest();
        break;
    }
    progress.clear();

    int status = exitDone;
    if (const auto why = writeOut(options.output, run.table)) {
        std::cerr << "korvel-study: " << *why << '\n';
        status = exitOutput;
    }
    if (!options.cases.empty()) {
        const std::string text = "% korvel-study " + std::string(studyName(options.kind)) + " of " + list.path +
                                 ": the cases found\r\n" + run.found + batchEndLine;
        if (const auto why = writeOut(options.cases, text)) {
            std::cerr << "korvel-study: " << *why << '\n';
            status = exitOutput;
        }
    }
    // What was not saved is not said to be done: the failure above is the last word then.
    if (interrupted || run.done < cases.size()) {
        std::cerr << "korvel-study: stopped after " << run.done << " of " << cases.size() << " cases"
                  << (status == exitDone ? "; the rows of those are written" : "") << '\n';
        return status == exitDone ? exitInterrupted : status;
    }
    if (status == exitDone)
        std::cerr << "korvel-study: " << studyName(options.kind) << " of " << cases.size() << " cases done\n";
    return status;
}
