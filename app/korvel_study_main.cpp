// korvel-study: the design studies without a window (korvel-study --help).
//
// Exit status: 0 done, 1 the input cannot be read, 2 wrong arguments, 3 the tables cannot be
// loaded, 4 the results cannot be written; stopped by a signal, the program ends by it (130 for
// Ctrl+C, 143 for a termination request).

#include "command_line.h"
#include "interrupt_cleanup.h"
#include "study_options.h"

#include "design/version.h"
#include "files/batch_case.h"
#include "files/batch_file.h"
#include "files/batch_stream.h"
#include "files/data_folder.h"
#include "files/file_replacement.h"
#include "files/table_loader.h"
#include "studies/ordered_run.h"
#include "studies/reserve_envelope.h"
#include "studies/study_runs.h"
#include "studies/study_tables.h"
#include "studies/wastage_table.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <variant>
#include <vector>

namespace fs = std::filesystem;
using namespace korvel;

namespace {

// Cases read and studied at a time: the input is streamed, so a study of any length holds these
// and the rows not yet written.
constexpr std::size_t chunkCases = 256;
// Rows held before they are written out.
constexpr std::size_t heldRowBytes = std::size_t{1} << 20;

// "korvel-study: 12 of 135 cases" on a terminal, at most five times a second; "12 cases" while
// the number of cases is not known (an input read as it comes).
class Progress {
public:
    explicit Progress(bool enabled) : enabled_(enabled), last_(Clock::now()) {}
    void show(std::size_t done, std::size_t total) {
        if (!enabled_) return;
        const Clock::time_point now = Clock::now();
        if (done < total && now - last_ < std::chrono::milliseconds(200)) return;
        last_ = now;
        std::cerr << "\rkorvel-study: " << done;
        if (total > 0) std::cerr << " of " << total;
        std::cerr << " cases\033[K" << std::flush;
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

// A case written to the cases file under its identification with what the study found.
// The case found, its identification followed by what it is ("lambda*=1.37"); `renamed`: the
// identification says it already (a wastage limit's IDENT/MEMBER).
void appendFoundCase(std::string& out, CaseInputs c, const std::string& what, const Catalogue& catalogue, int line,
                     bool renamed = false) {
    if (!renamed) c.identification += " " + what;
    if (!appendBatchCaseLine(out, c, catalogue))
        out += "% the case of line " + std::to_string(line) + " (" + what + ") has no batch form\r\n";
}

// The table and the cases found, held until they are large enough to write, then written to
// their streams (`cases` none without --cases).
class Rows {
public:
    Rows(std::ostream& table, std::ostream* cases) : tableOut_(table), casesOut_(cases) {}
    std::string table;
    std::string found;

    // Writes what is held when it is large or `now`; standard output is flushed, so that each
    // piece is seen as it is done.
    void emit(bool now) {
        if (!now && table.size() + found.size() < heldRowBytes) return;
        tableOut_.write(table.data(), static_cast<std::streamsize>(table.size()));
        if (&tableOut_ == &std::cout) tableOut_.flush();
        table.clear();
        if (casesOut_) {
            casesOut_->write(found.data(), static_cast<std::streamsize>(found.size()));
            if (casesOut_ == &std::cout) casesOut_->flush();
        }
        found.clear();
    }
    // True when an output has failed (a full disk): the study need not go on.
    bool failed() const { return !tableOut_ || (casesOut_ && !*casesOut_); }
    // Fails the saves of the files, which then stay as they were.
    void abandon() {
        for (std::ostream* out : {&tableOut_, casesOut_})
            if (out && out != &std::cout) out->setstate(std::ios::failbit);
    }

private:
    std::ostream& tableOut_;
    std::ostream* casesOut_;
};

// A study over the cases of one chunk, its rows and the cases it found appended in case order.
struct Study {
    const StudyOptions& options;
    const Catalogue& catalogue;
    const std::vector<Candidate>& candidates; // lightest
    Progress& progress;
    Rows& rows;
    std::size_t doneBefore = 0;                 // cases of the chunks before
    std::size_t total = 0;                      // of the input; 0 while not known
    ReserveEnvelopeBuilder* envelope = nullptr; // reserve --envelope: the panels' reserve factors

    StudyControl control() {
        StudyControl c;
        c.threads = options.threads;
        c.stop = interruptRequest();
        c.progress = [this](std::size_t n, std::size_t) {
            progress.show(doneBefore + n, total);
            return true;
        };
        return c;
    }

    // Runs the chunk; the number of its cases done (all unless stopped).
    std::size_t run(const std::vector<CaseLabel>& labels, const std::vector<CaseInputs>& inputs) {
        switch (options.kind) {
        case StudyKind::reserve:
            return reserve(labels, inputs);
        case StudyKind::limit:
            return limit(labels, inputs);
        case StudyKind::sweep:
            return sweep(labels, inputs);
        case StudyKind::capacity:
            return capacity(labels, inputs);
        case StudyKind::lightest:
            return lightest(labels, inputs);
        case StudyKind::wastage:
            return wastage(labels, inputs);
        }
        return 0;
    }

    // Each member's row; the case at its limit, as a built-up equivalent where the profile thins.
    std::size_t wastage(const std::vector<CaseLabel>& labels, const std::vector<CaseInputs>& inputs) {
        const std::vector<std::vector<WastageResult>> results =
            wastageStudies(inputs, options.members, options.basis, catalogue, control());
        for (std::size_t i = 0; i < results.size(); ++i) {
            for (std::size_t k = 0; k < results[i].size() && k < options.members.size(); ++k) {
                const WastageResult& r = results[i][k];
                const Member m = options.members[k];
                appendWastageRow(rows.table, labels[i], m, options.basis, r);
                if (r.outcome != WastageResult::Outcome::found) continue;
                const std::optional<CaseInputs> from = diminishableCase(inputs[i], m, catalogue);
                if (!from) continue;
                double d = r.allowable;
                CaseInputs atLimit = diminishedCase(*from, m, d);
                atLimit.identification += std::string("/") + memberName(m);
                appendFoundCase(rows.found, atLimit, std::string(memberName(m)) + " d=" + searchedNumber(r.allowable),
                                catalogue, labels[i].line, true);
            }
        }
        return results.size();
    }

    std::size_t reserve(const std::vector<CaseLabel>& labels, const std::vector<CaseInputs>& inputs) {
        const std::vector<ReserveResult> results = reserveFactors(inputs, catalogue, control());
        for (std::size_t i = 0; i < results.size(); ++i) {
            const ReserveResult& r = results[i];
            appendReserveRow(rows.table, labels[i], r);
            if (envelope) envelope->add(labels[i].project, labels[i].identification, r);
            if (r.outcome == ReserveResult::Outcome::limited)
                appendFoundCase(rows.found, scaledCase(inputs[i], r.lambda), "lambda*=" + searchedNumber(r.lambda),
                                catalogue, labels[i].line);
        }
        return results.size();
    }

    std::size_t limit(const std::vector<CaseLabel>& labels, const std::vector<CaseInputs>& inputs) {
        const std::vector<LimitResult> results = limitingValues(inputs, options.limit, catalogue, control());
        for (std::size_t i = 0; i < results.size(); ++i) {
            const LimitResult& r = results[i];
            appendLimitRow(rows.table, labels[i], options.limit, r);
            if (r.outcome != LimitResult::Outcome::found) continue;
            CaseInputs c = inputs[i];
            setField(c, *options.limit.field, r.value);
            appendFoundCase(rows.found, c, std::string(options.limit.field->name) + "=" + searchedNumber(r.value),
                            catalogue, labels[i].line);
        }
        return results.size();
    }

    // The rows of a sweep are written piece by piece: a case of a million steps is never held.
    std::size_t sweep(const std::vector<CaseLabel>& labels, const std::vector<CaseInputs>& inputs) {
        return sweepsInPieces(inputs, options.sweep, catalogue, control(),
                              [&](std::size_t i, std::vector<SweepPoint>& points) {
                                  appendSweepRows(rows.table, labels[i], points);
                                  rows.emit(false);
                              });
    }

    std::size_t capacity(const std::vector<CaseLabel>& labels, const std::vector<CaseInputs>& inputs) {
        const CapacityRequest& request = options.capacity;
        const std::vector<CapacityResult> results = capacityCurves(inputs, request, catalogue, control());
        for (std::size_t i = 0; i < results.size(); ++i) {
            const CapacityResult& r = results[i];
            appendCapacityRows(rows.table, labels[i], request, r);
            if (!r.stoppedAtOrigin.empty()) continue;
            for (std::size_t k = 0; k < r.rays.size(); ++k) {
                const CapacityPoint& p = r.rays[k];
                if (p.open) continue;
                appendFoundCase(rows.found, capacityCase(inputs[i], request, r, p.angle, p.rho),
                                "ray " + std::to_string(k + 1), catalogue, labels[i].line);
            }
        }
        return results.size();
    }

    std::size_t lightest(const std::vector<CaseLabel>& labels, const std::vector<CaseInputs>& inputs) {
        const std::vector<LightestResult> results = lightestOf(inputs, candidates, options.top, catalogue, control());
        for (std::size_t i = 0; i < results.size(); ++i) {
            const LightestResult& r = results[i];
            appendLightestRows(rows.table, labels[i], r);
            for (std::size_t k = 0; k < r.passing.size(); ++k) {
                CaseInputs c = inputs[i];
                applyCandidate(c, r.passing[k].candidate);
                appendFoundCase(rows.found, c, "lightest " + std::to_string(k + 1), catalogue, labels[i].line);
            }
        }
        return results.size();
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
    case StudyKind::wastage:
        return "wastage";
    }
    return "";
}

std::string tableHeader(const StudyOptions& options) {
    switch (options.kind) {
    case StudyKind::reserve:
        return reserveHeader();
    case StudyKind::limit:
        return limitHeader();
    case StudyKind::sweep:
        return sweepHeader(*options.sweep.field);
    case StudyKind::capacity:
        return capacityHeader(options.capacity);
    case StudyKind::lightest:
        return lightestHeader(options.girder);
    case StudyKind::wastage:
        return wastageHeader();
    }
    return "";
}

// The line that ends a table, and the cases found, of a study stopped by a signal.
std::string interruptedLine(std::size_t done, std::size_t total) {
    return "% interrupted after " + std::to_string(done) + " of " + std::to_string(total) + " cases\r\n";
}

// How far a run got: its cases done and read, and why it ended early.
struct RunEnd {
    std::size_t done = 0;
    std::size_t read = 0;
    std::optional<BatchError> input;
    bool marked = false; // the outputs end with the mark of an interrupted study
};

// The run into the two outputs: the input read a chunk at a time, each chunk studied and its rows
// written before the next is read. Where the reading would wait for a pipe, what is done is
// written first, and a signal then ends the program at once: the temporary files removed, a table
// on standard output ended by its mark.
class StudyRun {
public:
    StudyRun(const StudyOptions& options, BatchStreamReader& in, const Catalogue& catalogue, std::size_t total)
        : options_(options), in_(in), catalogue_(catalogue), total_(total), progress_(standardErrorIsTerminal()) {
        if (options.kind == StudyKind::lightest)
            candidates_ = rankedCandidates(catalogue, options.families, options.threads);
    }

    // The panels' reserve factors, one row per panel, once the run has ended; `marked`: the study
    // was interrupted and the rows are of the cases done.
    std::string envelopeText(bool marked) const {
        std::string text = reserveEnvelopeHeader();
        for (const PanelReserve& p : envelope_.panels()) appendReserveEnvelopeRow(text, p);
        if (marked) text += "% interrupted: the panels of the cases done\r\n";
        return text;
    }

    // The temporary files of the outputs, removed by a signal that comes while the input is waited for.
    // A second signal while the study calculates ends it at once, with them removed too.
    void setTemporaries(std::vector<fs::path> temporaries) {
        temporaries_ = std::move(temporaries);
        removeOnInterrupt(temporaries_, "korvel-study: interrupted" + notWritten());
    }

    RunEnd run(std::ostream& tableOut, std::ostream* casesOut) {
        Rows rows(tableOut, casesOut);
        rows.table = tableHeader(options_);
        if (casesOut)
            rows.found = "% korvel-study " + std::string(studyName(options_.kind)) + " of " + in_.fileName() +
                         ": the cases found\r\n";
        Study study{options_, catalogue_, candidates_, progress_, rows, 0, total_, nullptr};
        if (!options_.envelope.empty()) study.envelope = &envelope_;
        RunEnd end;
        std::vector<CaseLabel> cases;
        std::vector<CaseInputs> inputs;
        BatchEntry entry;
        BatchStreamReader::Next next = BatchStreamReader::Next::entry;
        while (next == BatchStreamReader::Next::entry && !notedInterrupt() && !rows.failed()) {
            cases.clear();
            inputs.clear();
            while (cases.size() < chunkCases && (cases.empty() || in_.lineWaiting())) {
                const bool waits = cases.empty() && !in_.lineWaiting();
                if (waits) waitWith(rows, end);
                next = in_.next(entry);
                if (waits) {
                    deferInterrupts(true);
                    removeOnInterrupt(temporaries_, "korvel-study: interrupted" + notWritten());
                }
                if (next != BatchStreamReader::Next::entry || notedInterrupt()) break;
                if (!entry.isCase()) continue;
                if (!entry.notes.empty()) progress_.clear();
                for (const std::string& note : entry.notes)
                    std::cerr << in_.fileName() << ":" << entry.line << ": " << entry.inputs.projectName << " "
                              << entry.inputs.identification << ": warning: " << note << '\n';
                cases.push_back(CaseLabel{entry.line, entry.inputs.projectName, entry.inputs.identification});
                inputs.push_back(entry.inputs);
            }
            end.read += cases.size();
            study.doneBefore = end.done;
            const std::size_t done = study.run(cases, inputs);
            end.done += done;
            rows.emit(false);
            if (done < cases.size()) break;
        }
        progress_.clear();
        if (next == BatchStreamReader::Next::error) end.input = in_.error();
        const bool complete = next == BatchStreamReader::Next::end && end.done == end.read;
        if (notedInterrupt() && !complete) {
            const std::string mark = interruptedLine(end.done, total_ > 0 ? total_ : end.read);
            rows.table += mark;
            rows.found += mark;
            end.marked = true;
        }
        if (casesOut) rows.found += batchEndLine;
        rows.emit(true);
        if (end.input) rows.abandon();
        return end;
    }

private:
    // Writes what is done and lets a signal end the program while the input is waited for.
    void waitWith(Rows& rows, const RunEnd& end) {
        rows.emit(true);
        const bool tableShown = options_.output == "-";
        const std::string message = "korvel-study: interrupted after " + std::to_string(end.done) + " of " +
                                    std::to_string(end.read) + " cases" + notWritten();
        removeOnInterrupt(temporaries_, message, tableShown ? interruptedLine(end.done, end.read) : std::string());
        deferInterrupts(false);
    }

    // "; OUT and CASES were not written": the files whose temporary files a signal removes.
    std::string notWritten() const {
        if (temporaries_.empty()) return "";
        const bool tableShown = options_.output == "-";
        std::string text = "; " + (tableShown ? options_.cases : options_.output);
        if (temporaries_.size() > 1) return text + " and " + options_.cases + " were not written";
        return text + " was not written";
    }

    const StudyOptions& options_;
    BatchStreamReader& in_;
    const Catalogue& catalogue_;
    std::size_t total_;
    Progress progress_;
    std::vector<Candidate> candidates_;
    ReserveEnvelopeBuilder envelope_;
    std::vector<fs::path> temporaries_;
};

// The cases of a file, read through once for its faults and the total the progress and the mark
// of an interrupted study give; nothing for an input that can be read only once.
std::variant<std::size_t, BatchError> casesOfFile(const StudyOptions& options, const Catalogue& catalogue) {
    std::error_code ec;
    if (options.input == "-" || !fs::is_regular_file(fs::path(options.input), ec)) return std::size_t{0};
    auto opened = BatchStreamReader::open(options.input, options.mode, catalogue);
    if (auto* error = std::get_if<BatchError>(&opened)) return std::move(*error);
    BatchStreamReader& reader = std::get<BatchStreamReader>(opened);
    std::size_t cases = 0;
    BatchEntry entry;
    for (;;) {
        const BatchStreamReader::Next next = reader.next(entry);
        if (next == BatchStreamReader::Next::error) return reader.error();
        if (next == BatchStreamReader::Next::end) return cases;
        if (entry.isCase()) ++cases;
    }
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
    const DataFolder data = findDataFolder(programFolder(argc > 0 ? argv[0] : nullptr), options.dataFolder);
    std::vector<std::string> inputs = tableFilesIn(data.path);
    inputs.push_back(options.input);
    for (const std::string* out : {&options.output, &options.cases, &options.envelope}) {
        if (const auto input = inputWrittenOver(*out, inputs)) {
            std::cerr << "korvel-study: " << *out << " is the input file " << *input << " itself; name another\n";
            return exitUsage;
        }
    }
    if (!options.cases.empty() &&
        (options.cases == options.output || inputWrittenOver(options.cases, {options.output}))) {
        std::cerr << "korvel-study: the table and the cases need two files\n";
        return exitUsage;
    }

    const std::optional<Catalogue> catalogue = loadTables(data.path, "korvel-study");
    if (!catalogue) return exitTables;

    auto counted = casesOfFile(options, *catalogue);
    if (const auto* error = std::get_if<BatchError>(&counted)) {
        std::cerr << error->message() << '\n';
        return exitInput;
    }
    const std::size_t total = std::get<std::size_t>(counted);
    std::optional<BatchStreamReader> opened = openBatchInput(options.input, options.mode, *catalogue);
    if (!opened) return exitInput;

    // Signals are noted while the study calculates: it finishes the cases in hand, writes their
    // rows with a mark that the table is partial, and then ends by the signal.
    installInterruptCleanup();
    deferInterrupts(true);
    StudyRun study(options, *opened, *catalogue, total);

    // The table and the cases found replace their files together or not at all.
    std::vector<fs::path> targets;
    std::vector<const std::string*> targetNames;
    for (const std::string* out : {&options.output, &options.cases, &options.envelope}) {
        if (out->empty() || *out == "-") continue;
        targets.emplace_back(*out);
        targetNames.push_back(out);
    }
    const bool casesWanted = !options.cases.empty();
    RunEnd end;
    std::optional<std::string> failure;
    const auto runInto = [&](const std::vector<std::ostream*>& files) {
        std::size_t next = 0;
        std::ostream& table = options.output == "-" ? std::cout : *files.at(next++);
        std::ostream* cases = !casesWanted ? nullptr : options.cases == "-" ? &std::cout : files.at(next++);
        end = study.run(table, cases);
        if (!options.envelope.empty()) {
            std::ostream& envelope = options.envelope == "-" ? std::cout : *files.at(next++);
            if (!end.input) envelope << study.envelopeText(end.marked);
        }
    };
    if (targets.empty()) {
        runInto({});
    } else if (const auto failed = replaceFilesWith(targets, runInto, [&](const std::vector<fs::path>& temporaries) {
                   study.setTemporaries(temporaries);
               })) {
        if (!end.input) failure = saveFailureMessage(*targetNames.at(failed->file), failed->reason);
    }
    removeOnInterrupt(std::vector<fs::path>{}, std::string());
    std::cout.flush();
    if (!failure && !std::cout) failure = "can't write to standard output";
    if (end.input) {
        std::cerr << end.input->message() << '\n';
        return exitInput;
    }
    if (failure) std::cerr << "korvel-study: " << *failure << '\n';
    // What was not saved is not said to be done: the failure above is the last word then.
    const std::size_t cases = total > 0 ? total : end.read;
    // A signal that came after the last case still ends the program by it.
    if (notedInterrupt() != 0 && end.marked) {
        if (!failure)
            std::cerr << "korvel-study: stopped after " << end.done << " of " << cases
                      << " cases; the rows of those are written, marked as interrupted\n";
        endByInterrupt();
    }
    if (failure) return exitOutput;
    std::cerr << "korvel-study: " << studyName(options.kind) << " of " << cases << " cases done\n";
    if (notedInterrupt() != 0) endByInterrupt();
    return exitDone;
}
