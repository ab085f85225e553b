// korvel-batch: the batch run without a window.
//
//   korvel-batch INPUT.kori|- [-o OUTPUT.koro|-] [--data DIR] [--decimal-comma] [-j N]
//                [--no-header] [--summary]
//   korvel-batch --format json INPUT.kori|- [-o OUTPUT.jsonl|-] [...]
//   korvel-batch --listing INPUT.kori|- [-o OUTPUT.txt|-] [--selection 1|2|3] [...]
//   korvel-batch --detail N INPUT.kori|- [--format json] [--data DIR] [--decimal-comma]
//   korvel-batch            (the start-up batch run on dummy.kori of the program folder)
//   korvel-batch --version
//   korvel-batch --verify   (the verification table; exit status 1 when a row fails)
//
// Exit status: 0 done, 1 the input cannot be read, 2 wrong arguments, 3 the tables cannot be
// loaded, 4 the results cannot be written.

#include "batch_detail.h"
#include "batch_gauging.h"
#include "batch_options.h"
#include "command_line.h"
#include "design/design_case.h"
#include "design/number_format.h"
#include "design/tab_cells.h"
#include "design/version.h"
#include "design/warning_sink.h"
#include "files/batch_results_table.h"
#include "files/batch_run.h"
#include "files/batch_stream.h"
#include "files/batch_stream_run.h"
#include "files/data_folder.h"
#include "files/file_replacement.h"
#include "files/panel_envelope.h"
#include "files/table_loader.h"
#include "files/table_stamps.h"
#include "interrupt_cleanup.h"
#include "report/case_json.h"
#include "report/envelope_json.h"
#include "report/listing_text.h"
#include "report/verification_table.h"
#include "xlsx/results_workbook.h"
#include "xlsx/workbook_reader.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <variant>
#include <vector>

namespace fs = std::filesystem;
using namespace korvel;

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// "1:05" or "2:03:09".
std::string clockText(std::int64_t seconds) {
    const auto two = [](std::int64_t n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    if (seconds < 3600) return std::to_string(seconds / 60) + ":" + two(seconds % 60);
    return std::to_string(seconds / 3600) + ":" + two(seconds / 60 % 60) + ":" + two(seconds % 60);
}

// A progress line that only a person at a terminal sees, and only when the run takes a while:
// cases done, cases per second and, when the input's size is known, the time left estimated
// from the part of it read so far.
class Progress {
public:
    Progress(bool enabled, std::uint64_t inputBytes)
        : enabled_(enabled), inputBytes_(inputBytes), start_(Clock::now()), last_(start_) {}

    void show(std::int64_t cases, std::uint64_t bytesRead) {
        if (!enabled_) return;
        const Clock::time_point now = Clock::now();
        if (now - start_ < std::chrono::seconds(1) || now - last_ < std::chrono::milliseconds(200)) return;
        last_ = now;
        const double seconds = std::chrono::duration<double>(now - start_).count();
        std::string text = "\rkorvel-batch: " + std::to_string(cases) + " cases, " +
                           std::to_string(static_cast<std::int64_t>(static_cast<double>(cases) / seconds)) + " cases/s";
        if (inputBytes_ > 0 && bytesRead > 0 && bytesRead <= inputBytes_) {
            const double left = seconds * static_cast<double>(inputBytes_ - bytesRead) / static_cast<double>(bytesRead);
            text += ", " + clockText(std::llround(left)) + " left";
        }
        std::cerr << text << "\033[K" << std::flush;
        shown_ = true;
    }
    // Clears the progress line before other text is written over it.
    void clear() {
        if (!shown_) return;
        std::cerr << "\r\033[K" << std::flush;
        shown_ = false;
    }

private:
    using Clock = std::chrono::steady_clock;
    bool enabled_;
    std::uint64_t inputBytes_;
    bool shown_ = false;
    Clock::time_point start_;
    Clock::time_point last_;
};

// "FILE:LINE: PROJECT IDENTIFICATION: ", before a warning or a stopped calculation.
std::string casePrefix(const std::string& file, const BatchEntry& entry) {
    return file + ":" + std::to_string(entry.line) + ": " + entry.inputs.projectName + " " +
           entry.inputs.identification + ": ";
}

// Geometry warnings outside a streamed run, after the prefix of their case or file.
class CaseWarnings final : public WarningSink {
public:
    explicit CaseWarnings(std::string prefix) : prefix_(std::move(prefix)) {}
    void warn(const std::string& message, InputBox) override {
        std::cerr << prefix_ << "warning: " << trimmed(message) << '\n';
    }

private:
    std::string prefix_;
};

std::string summaryLine(const BatchSummary& s, const std::string& output) {
    return "korvel-batch: " + std::to_string(s.cases) + " cases (" + s.failed.verdictsText() + "), " +
           std::to_string(s.comments) + " comment lines, " + std::to_string(s.failed.cases) +
           " cases with a failed check" + (s.failed.cases > 0 ? " (" + s.failed.text() + ")" : std::string()) +
           "; results in " + output;
}

// The --summary report: one item per line, its name and values TAB-separated, so that the reports
// of the pieces of a split run can be added up by a script.
std::string summaryReport(const BatchStreamSummary& s) {
    std::string text = "cases\t" + std::to_string(s.totals.cases) + "\n";
    text += "comment lines\t" + std::to_string(s.totals.comments) + "\n";
    // One verdict per case: the three counts add up to the cases.
    text += "OK cases\t" + std::to_string(s.totals.failed.ok) + "\n";
    text += "NOK cases\t" + std::to_string(s.totals.failed.nok) + "\n";
    text += "cases with a failed check\t" + std::to_string(s.totals.failed.cases) + "\n";
    for (std::size_t i = 0; i < checkCount; ++i)
        text += std::string("failed ") + checkName(i) + "\t" + std::to_string(s.totals.failed.byCheck[i]) + "\n";
    text += "stopped cases\t" + std::to_string(s.totals.failed.stopped) + "\n";
    for (const auto& [step, count] : s.stoppedBySteps)
        text += "stopped in " + step + "\t" + std::to_string(count) + "\n";
    const HighestUtilisation& h = s.highest;
    if (h.check)
        text += "highest utilisation\t" + formatNumber(h.value, h.check->mask) + "\t" + h.check->heading + "\t" +
                std::to_string(h.line) + "\t" + h.project + "\t" + h.identification + "\n";
    else
        text += "highest utilisation\tnone\n";
    return text;
}

// What the results were made with. The time is now, or SOURCE_DATE_EPOCH when it is set (seconds
// since 1970), so that a run can be repeated byte for byte.
Provenance runProvenance(const fs::path& tablesFolder) {
    std::int64_t seconds = static_cast<std::int64_t>(std::time(nullptr));
    if (const char* fixed = std::getenv("SOURCE_DATE_EPOCH")) {
        char* end = nullptr;
        const long long value = std::strtoll(fixed, &end, 10);
        if (end != fixed && *end == '\0' && value >= 0) seconds = value;
    }
    return makeProvenance(tablesFolder, seconds);
}

// How the rows of a JSON or listing run are composed.
BatchRowFormat rowFormat(const BatchOptions& options) {
    BatchRowFormat format;
    if (options.form == BatchOutputForm::json) {
        format.caseRows = [](std::string& out, const BatchEntry& entry, std::int64_t n, DesignCase& dc) {
            appendCaseJson(out, entry, n, dc);
        };
        format.commentRows = appendCommentJson;
    } else if (options.form == BatchOutputForm::listing) {
        const int selection = options.selection;
        format.caseRows = [selection](std::string& out, const BatchEntry& entry, std::int64_t n, DesignCase& dc) {
            dc.analysis = selection;
            appendCaseListingText(out, entry, n, dc);
        };
        format.commentRows = appendCommentListingText;
    }
    return format;
}

// The envelope of the panels: the envelope table, or with --format json one object per panel;
// the failure's message, or nothing.
std::optional<std::string> writeEnvelope(const BatchOptions& options, const std::vector<PanelEnvelope>& panels) {
    std::string text = options.form == BatchOutputForm::json ? std::string() : envelopeHeader();
    for (const PanelEnvelope& panel : panels) {
        if (options.form == BatchOutputForm::json)
            appendEnvelopeJson(text, panel);
        else
            appendEnvelopeRow(text, panel);
    }
    if (options.envelope == standardStream) {
        std::cout << text << std::flush;
        return std::cout ? std::nullopt : std::optional<std::string>("can't write the envelope to standard output");
    }
    if (const auto why = replaceFileContent(fs::path(options.envelope), text))
        return saveFailureMessage(options.envelope, *why);
    return std::nullopt;
}

// The run written as a workbook: the table's rows into its Results sheet as they come, then the
// summary's figures and the envelope. The workbook replaces its file only when it is complete.
std::optional<std::string> runIntoWorkbook(const BatchOptions& options, BatchStreamReader& in,
                                           const Catalogue& catalogue, const fs::path& tablesFolder,
                                           BatchStreamHooks& hooks, const BatchRowFormat& format,
                                           const EnvelopeBuilder& envelope, BatchStreamOutcome& outcome) {
    const Provenance provenance = runProvenance(tablesFolder);
    WorkbookProperties properties;
    properties.title = "KORVEL results of " + in.fileName();
    properties.version = provenance.version;
    for (const TableStamp& t : provenance.tables)
        properties.tables += (properties.tables.empty() ? "" : ", ") + t.file + " " + t.checksum;
    properties.dateTime = provenance.dateTime;
    const std::vector<std::string> header = tabCells(batchResultsHeader());
    std::vector<bool> utilisation(header.size(), false);
    for (std::size_t c = static_cast<std::size_t>(batchResultsInputColumns()); c < header.size(); ++c)
        utilisation[c] = true;
    ResultsWorkbook workbook(options.outputPath(), properties, header, utilisation);
    if (!workbook.ok()) return saveFailureMessage(options.outputPath(), workbook.failure());
    hooks.write = [&](std::string_view rows) {
        for (std::size_t end = rows.find('\n'); end != std::string_view::npos; end = rows.find('\n')) {
            workbook.addRow(std::string(rows.substr(0, end + 1)));
            rows.remove_prefix(end + 1);
        }
        return true;
    };
    outcome = streamBatch(in, catalogue, options.threads, hooks, format);
    if (outcome.input) return std::nullopt;
    std::vector<std::pair<std::string, std::string>> summary;
    std::istringstream report(summaryReport(outcome.summary));
    for (std::string line; std::getline(report, line);) {
        const std::vector<std::string> cells = tabCells(line);
        summary.emplace_back(cells.front(), cells.size() > 1 ? cells[1] : std::string());
        // The highest utilisation's check and case follow its value on the same line.
        static constexpr std::array<const char*, 4> highestParts = {"highest check", "highest line", "highest project",
                                                                    "highest identification"};
        for (std::size_t i = 2; i < cells.size() && i - 2 < highestParts.size(); ++i)
            summary.emplace_back(highestParts[i - 2], cells[i]);
    }
    workbook.setSummary(std::move(summary));
    if (!options.envelope.empty()) {
        std::vector<std::string> rows;
        for (const PanelEnvelope& panel : envelope.panels()) {
            rows.emplace_back();
            appendEnvelopeRow(rows.back(), panel);
        }
        workbook.setEnvelope(envelopeHeader(), std::move(rows));
    }
    if (const auto why = workbook.finish()) return saveFailureMessage(options.outputPath(), *why);
    return std::nullopt;
}

// The whole input is read, as for a run, before case N is calculated.
int runDetail(int n, BatchStreamReader& in, const Catalogue& catalogue, const BatchOptions& options,
              const fs::path& tablesFolder) {
    BatchEntry entry;
    std::optional<BatchEntry> wanted;
    int cases = 0;
    for (;;) {
        const BatchStreamReader::Next next = in.next(entry);
        if (next == BatchStreamReader::Next::error) {
            std::cerr << in.error().message() << '\n';
            return exitInput;
        }
        if (next == BatchStreamReader::Next::end) break;
        if (entry.isCase() && ++cases == n) wanted = entry;
    }
    if (!wanted) {
        std::cerr << "korvel-batch: " << in.fileName() << " has " << cases << " cases, no case " << n << '\n';
        return exitUsage;
    }
    const std::string prefix = casePrefix(in.fileName(), *wanted);
    CaseWarnings warnings(prefix);
    DesignCase dc;
    runBatchCase(*wanted, dc, catalogue, warnings);
    if (options.form == BatchOutputForm::json) {
        const Provenance provenance = runProvenance(tablesFolder);
        std::string text;
        appendCaseJson(text, *wanted, n, dc, &provenance);
        std::cout << text;
    } else {
        writeCaseDetail(std::cout, dc);
    }
    if (dc.fault.stopped()) std::cerr << prefix << dc.fault.message() << '\n';
    return exitDone;
}

// Standard output is written as the rows come; a file only appears, complete, at the end.
int runStream(const BatchOptions& options, BatchStreamReader& in, const Catalogue& catalogue,
              const fs::path& tablesFolder, BatchGauging* gauging) {
    const std::string output = options.outputPath();
    const bool toStream = options.outputIsStream();
    std::error_code ec;
    const std::uintmax_t size = options.inputIsStream() ? 0 : fs::file_size(options.input, ec);
    Progress progress(standardErrorIsTerminal(), ec ? 0 : size);

    BatchStreamHooks hooks;
    hooks.warning = [&](const BatchEntry& entry, const std::string& warning) {
        progress.clear();
        std::cerr << casePrefix(in.fileName(), entry) << "warning: " << trimmed(warning) << '\n';
    };
    hooks.stopped = [&](const BatchEntry& entry, const CalcFault& fault) {
        progress.clear();
        std::cerr << casePrefix(in.fileName(), entry) << fault.message() << '\n';
    };
    hooks.progress = [&](std::int64_t cases, std::uint64_t bytes) { progress.show(cases, bytes); };

    // Panels over their load cases: each case folded in, in input order, as its block is written.
    EnvelopeBuilder envelope;
    BatchRowFormat format = rowFormat(options);
    if (!options.envelope.empty()) format.keepResults = true;
    if (gauging) {
        format.adjust = gauging->adjustment(catalogue);
        if (options.form == BatchOutputForm::json) gauging->addAsBuilt(format, catalogue);
    }
    if (!options.envelope.empty() || gauging)
        hooks.caseDone = [&](const BatchEntry& entry, const CaseOutcome& done) {
            if (!options.envelope.empty()) envelope.add(entry.inputs.projectName, entry.inputs.identification, done);
            if (gauging) gauging->caseRun(entry);
        };

    BatchStreamOutcome outcome;
    const auto run = [&](std::ostream& out) {
        if (options.header && options.form == BatchOutputForm::table) out << batchResultsHeader();
        if (options.header && options.form == BatchOutputForm::json) {
            std::string line;
            appendProvenanceJson(line, runProvenance(tablesFolder));
            out << line << '\n';
        }
        hooks.write = [&out, toStream](std::string_view rows) {
            out.write(rows.data(), static_cast<std::streamsize>(rows.size()));
            // Read from a pipe, the rows of each case are seen as it is done.
            if (toStream) out.flush();
            return static_cast<bool>(out);
        };
        outcome = streamBatch(in, catalogue, options.threads, hooks, format);
    };
    std::optional<std::string> failure;
    if (options.form == BatchOutputForm::xlsx) {
        failure = runIntoWorkbook(options, in, catalogue, tablesFolder, hooks, format, envelope, outcome);
    } else if (toStream) {
        run(std::cout);
        std::cout.flush();
        if (!outcome.input && !std::cout) failure = "can't write the results to standard output";
    } else if (const auto why = replaceFileWith(
                   fs::path(output),
                   [&](std::ostream& out) {
                       run(out);
                       // A faulty input fails the save: a file already there stays as it was.
                       if (outcome.input) out.setstate(std::ios::failbit);
                   },
                   [&](const fs::path& temporary) {
                       progress.clear();
                       removeOnInterrupt(temporary, "korvel-batch: interrupted; " + output + " was not written");
                   })) {
        failure = saveFailureMessage(output, *why);
    }
    progress.clear();
    if (outcome.input) {
        std::cerr << outcome.input->message() << '\n';
        return exitInput;
    }
    if (!failure && !options.envelope.empty()) failure = writeEnvelope(options, envelope.panels());
    if (failure) {
        std::cerr << "korvel-batch: " << *failure << '\n';
        return exitOutput;
    }
    if (gauging)
        for (const std::string& note : gauging->unused()) std::cerr << note << '\n';
    std::cerr << summaryLine(outcome.summary.totals, toStream ? "standard output" : output) << '\n';
    if (!options.envelope.empty())
        std::cerr << "korvel-batch: " << envelope.panels().size() << " panels, their envelope in "
                  << (options.envelope == standardStream ? std::string("standard output") : options.envelope) << '\n';
    if (options.summary) (toStream ? std::cerr : std::cout) << summaryReport(outcome.summary) << std::flush;
    return exitDone;
}

// Without arguments: what the window does at start-up, reported instead of shown. An installed
// program's folder is read-only: "dummy.koro" then goes to the user's data folder.
int runStartup(const DataFolder& data) {
    const std::optional<Catalogue> catalogue = loadTables(data.path, "korvel-batch");
    if (!catalogue) return exitTables;
    fs::path output = data.path;
    if (data.installed) {
        output = userDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
        if (const auto problem = makeDataFolder(output)) {
            std::cerr << "korvel-batch: " << *problem << '\n';
            return exitOutput;
        }
    }
    DesignCase dc;
    const std::string input = (data.path / startupBatchInput).string();
    CaseWarnings warnings(input + ": ");
    const StartupBatch run = runStartupBatch(data.path, dc, *catalogue, DecimalMode::period, warnings, output);
    if (run.status != StartupBatch::Status::done) {
        std::cerr << "korvel-batch: " << run.message << '\n';
        return run.status == StartupBatch::Status::outputNotWritten ? exitOutput : exitInput;
    }
    std::cerr << summaryLine(run.summary, (output / startupBatchOutput).string()) << '\n';
    return exitDone;
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    installInterruptCleanup();
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    auto parsed = parseBatchOptions(args, static_cast<int>(std::thread::hardware_concurrency()));
    if (const auto* problem = std::get_if<std::string>(&parsed)) {
        std::cerr << "korvel-batch: " << *problem << "\nTry korvel-batch --help\n";
        return exitUsage;
    }
    const BatchOptions& options = std::get<BatchOptions>(parsed);
    if (options.help) {
        std::cout << batchHelpText;
        return exitDone;
    }

    if (options.version) {
        std::cout << "korvel-batch " << programVersion << '\n';
        return exitDone;
    }
    if (options.verify) return writeVerification(std::cout);

    const DataFolder data = findDataFolder(programFolder(argc > 0 ? argv[0] : nullptr), options.dataFolder);
    if (options.input.empty()) return runStartup(data);
    // Through links and relative paths alike, the table must not replace a file it is read from.
    std::vector<std::string> inputs = tableFilesIn(data.path);
    inputs.push_back(options.input);
    if (!options.gauging.empty()) inputs.push_back(options.gauging);
    if (!options.envelope.empty() && options.envelope != standardStream) {
        if (const auto input = inputWrittenOver(options.envelope, inputs)) {
            std::cerr << "korvel-batch: the envelope " << options.envelope << " is the input file " << *input
                      << " itself; name another with --envelope\n";
            return exitUsage;
        }
        if (sameFile(options.envelope, options.outputPath()) || options.envelope == options.outputPath()) {
            std::cerr
                << "korvel-batch: the envelope and the results table are one file; name another with --envelope\n";
            return exitUsage;
        }
    }
    if (const auto input = options.detail ? std::nullopt : inputWrittenOver(options.outputPath(), inputs)) {
        std::cerr << "korvel-batch: the results table " << options.outputPath() << " is the input file " << *input
                  << " itself; name another with -o\n";
        return exitUsage;
    }

    const fs::path tablesFolder = data.path;
    const std::optional<Catalogue> catalogue = loadTables(tablesFolder, "korvel-batch");
    if (!catalogue) return exitTables;

    std::optional<BatchGauging> gauging;
    if (!options.gauging.empty() && !(gauging = BatchGauging::read(options.gauging))) return exitInput;
    // A workbook is read whole into the text of a batch file, a line for each of its rows. Only a
    // regular file is looked into: a FIFO's first bytes would be gone for the batch reader.
    std::optional<std::istringstream> workbookText;
    std::optional<BatchStreamReader> opened;
    std::error_code notRegular;
    if (!options.inputIsStream() && fs::is_regular_file(options.input, notRegular) &&
        looksLikeWorkbook(options.input)) {
        auto read = readWorkbookBatch(options.input);
        if (const auto* error = std::get_if<WorkbookError>(&read)) {
            std::cerr << error->message << '\n';
            return exitInput;
        }
        workbookText.emplace(std::get<WorkbookBatch>(read).text);
        opened.emplace(*workbookText, options.input, options.mode, *catalogue);
    } else {
        opened = openBatchInput(options.input, options.mode, *catalogue);
    }
    if (!opened) return exitInput;
    return options.detail ? runDetail(*options.detail, *opened, *catalogue, options, tablesFolder)
                          : runStream(options, *opened, *catalogue, tablesFolder, gauging ? &*gauging : nullptr);
}
