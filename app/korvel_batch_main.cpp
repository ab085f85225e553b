// korvel-batch: the batch run without a window.
//
//   korvel-batch INPUT.kori [-o OUTPUT.koro] [--data DIR] [--decimal-comma]
//   korvel-batch --detail N INPUT.kori [--data DIR] [--decimal-comma]
//   korvel-batch            (the start-up batch run on dummy.kori of the program folder)
//
// Exit status: 0 done, 1 the input cannot be read, 2 wrong arguments, 3 the tables cannot be
// loaded, 4 the results cannot be written.

#include "batch_detail.h"
#include "design/design_case.h"
#include "design/warning_sink.h"
#include "files/batch_run.h"
#include "files/file_replacement.h"
#include "files/table_loader.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <variant>
#include <vector>

#if defined(_WIN32)
#include <io.h>
#define KORVEL_ISATTY _isatty
#define KORVEL_FILENO _fileno
#else
#include <unistd.h>
#define KORVEL_ISATTY isatty
#define KORVEL_FILENO fileno
#endif

namespace fs = std::filesystem;
using namespace korvel;

namespace {

constexpr int exitDone = 0;
constexpr int exitInput = 1;
constexpr int exitUsage = 2;
constexpr int exitTables = 3;
constexpr int exitOutput = 4;

constexpr const char* helpText =
    R"(Usage: korvel-batch INPUT.kori [-o OUTPUT.koro] [--data DIR] [--decimal-comma]
       korvel-batch --detail N INPUT.kori [--data DIR] [--decimal-comma]
       korvel-batch

Runs every case of a KORVEL batch input file (TAB-separated, 32 fields per case, "%" comment
lines, an "End" line) through the full calculation and writes the TAB-separated results table.

  -o, --output FILE   results table, never the input file itself; by default the input path
                      with a ".kori" extension replaced by ".koro", otherwise with ".koro"
                      appended (cases.kori gives cases.koro, run.txt gives run.txt.koro)
  --data DIR          folder of the tables bfprof.dat, lprof.dat, tprof.dat, fprof.dat and
                      KORmat.dat; by default the folder of this program
  --decimal-comma     read numbers with a decimal comma (a period is also accepted)
  --detail N          calculate case N only (counting cases from 1, comment lines not counted)
                      and print every input and intermediate quantity as "name = value"
  -h, --help          show this text

Geometry warnings go to standard error with the case they belong to; they do not stop the run.
The run ends with a one-line summary on standard error. Without arguments the start-up batch
file dummy.kori of the program folder is run into dummy.koro.

Exit status: 0 done, 1 the input cannot be read, 2 wrong arguments, 3 the tables cannot be
loaded, 4 the results cannot be written.
)";

struct Options {
    std::string input;
    std::string output;
    std::string dataFolder;
    DecimalMode mode = DecimalMode::period;
    std::optional<int> detail;
    bool help = false;
};

// The options, or the reason they are wrong.
std::variant<Options, std::string> parseOptions(const std::vector<std::string>& args) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        if (arg == "-h" || arg == "--help") {
            options.help = true;
        } else if (arg == "-o" || arg == "--output") {
            const auto v = value();
            if (!v) return arg + " needs a file name";
            options.output = *v;
        } else if (arg == "--data") {
            const auto v = value();
            if (!v) return "--data needs a folder";
            options.dataFolder = *v;
        } else if (arg == "--decimal-comma") {
            options.mode = DecimalMode::comma;
        } else if (arg == "--detail") {
            const auto v = value();
            if (!v) return "--detail needs a case number";
            int n = 0;
            for (char c : *v) {
                if (c < '0' || c > '9' || n > 100000)
                    return "--detail needs a case number counting from 1, not \"" + *v + "\"";
                n = n * 10 + (c - '0');
            }
            if (v->empty() || n < 1) return "--detail needs a case number counting from 1, not \"" + *v + "\"";
            options.detail = n;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "unknown option " + arg;
        } else if (options.input.empty()) {
            options.input = arg;
        } else {
            return "one input file only (" + options.input + " and " + arg + ")";
        }
    }
    if (options.detail && options.input.empty()) return "--detail needs an input file";
    if (!options.output.empty() && options.input.empty()) return "-o needs an input file";
    if (options.detail && !options.output.empty()) return "--detail writes no results table; leave out -o";
    return options;
}

// The folder of this executable: the tables and dummy.kori ship beside it.
fs::path programFolder(const char* argv0) {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && !self.empty()) return self.parent_path();
    if (argv0 && *argv0) {
        const fs::path invoked = fs::absolute(fs::path(argv0), ec);
        if (!ec && invoked.has_parent_path()) return invoked.parent_path();
    }
    return fs::current_path(ec);
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// A progress line that only a person at a terminal sees, and only when the run takes a while.
class Progress {
public:
    explicit Progress(bool enabled) : enabled_(enabled), start_(Clock::now()), last_(start_) {}

    void show(int done, int total) {
        if (!enabled_) return;
        const Clock::time_point now = Clock::now();
        if (now - start_ < std::chrono::seconds(1) || now - last_ < std::chrono::milliseconds(200)) return;
        last_ = now;
        std::cerr << "\rkorvel-batch: entry " << done << " of " << total << std::flush;
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
    bool shown_ = false;
    Clock::time_point start_;
    Clock::time_point last_;
};

// Geometry warnings of the case being run, named by file, line, project and identification.
class CaseWarnings final : public WarningSink {
public:
    CaseWarnings(std::string file, Progress& progress) : file_(std::move(file)), progress_(progress) {}
    void setCase(const BatchEntry& entry) { entry_ = &entry; }
    void warn(const std::string& message, InputBox) override {
        progress_.clear();
        std::cerr << prefix() << "warning: " << trimmed(message) << '\n';
    }
    std::string prefix() const {
        if (!entry_) return file_ + ": ";
        return file_ + ":" + std::to_string(entry_->line) + ": " + entry_->firstText + " " + entry_->secondText + ": ";
    }

private:
    std::string file_;
    Progress& progress_;
    const BatchEntry* entry_ = nullptr;
};

std::string summaryLine(const BatchSummary& s, const std::string& output) {
    return "korvel-batch: " + std::to_string(s.cases) + " cases, " + std::to_string(s.comments) + " comment lines, " +
           std::to_string(s.failed.cases) + " cases with a failed check" +
           (s.failed.cases > 0 ? " (" + s.failed.text() + ")" : std::string()) + ", " + std::to_string(s.stopped) +
           " cases whose calculation stopped; results in " + output;
}

std::optional<Catalogue> loadTables(const fs::path& folder) {
    CatalogueLoad load = loadCatalogue(folder);
    if (const auto* error = std::get_if<TableError>(&load)) {
        std::cerr << "korvel-batch: " << error->message() << '\n';
        return std::nullopt;
    }
    return std::get<Catalogue>(std::move(load));
}

int runDetail(const Options& options, const BatchList& list, const Catalogue& catalogue) {
    const int index = list.caseIndex(*options.detail);
    if (index < 0) {
        std::cerr << "korvel-batch: " << options.input << " has " << list.caseCount() << " cases, no case "
                  << *options.detail << '\n';
        return exitUsage;
    }
    const BatchEntry& entry = list.entries[static_cast<std::size_t>(index)];
    Progress silent(false);
    CaseWarnings warnings(options.input, silent);
    warnings.setCase(entry);
    DesignCase dc;
    runBatchCase(entry, dc, catalogue, warnings);
    writeCaseDetail(std::cout, dc);
    if (dc.fault.stopped()) std::cerr << warnings.prefix() << dc.fault.message() << '\n';
    return exitDone;
}

std::string outputPath(const Options& options) {
    return options.output.empty() ? batchOutputPath(options.input) : options.output;
}

int runFile(const Options& options, const BatchList& list, const Catalogue& catalogue) {
    const std::string output = outputPath(options);
    Progress progress(KORVEL_ISATTY(KORVEL_FILENO(stderr)) != 0);
    CaseWarnings warnings(options.input, progress);
    BatchHooks hooks;
    hooks.beforeCase = [&](const BatchEntry& entry) { warnings.setCase(entry); };
    hooks.afterCase = [&](const BatchEntry&, const DesignCase& dc) {
        if (!dc.fault.stopped()) return;
        progress.clear();
        std::cerr << warnings.prefix() << dc.fault.message() << '\n';
    };
    hooks.progress = [&](int done, int total) { progress.show(done, total); };

    DesignCase dc;
    auto written = writeBatchResults(output, list, dc, catalogue, warnings, hooks);
    progress.clear();
    if (const auto* why = std::get_if<std::string>(&written)) {
        std::cerr << "korvel-batch: " << *why << '\n';
        return exitOutput;
    }
    std::cerr << summaryLine(std::get<BatchSummary>(written), output) << '\n';
    return exitDone;
}

// Without arguments: what the window does at start-up, reported instead of shown.
int runStartup(const fs::path& folder) {
    const std::optional<Catalogue> catalogue = loadTables(folder);
    if (!catalogue) return exitTables;
    DesignCase dc;
    Progress silent(false);
    CaseWarnings warnings((folder / startupBatchInput).string(), silent);
    const StartupBatch run = runStartupBatch(folder, dc, *catalogue, DecimalMode::period, warnings);
    if (run.status != StartupBatch::Status::done) {
        std::cerr << "korvel-batch: " << run.message << '\n';
        return run.status == StartupBatch::Status::outputNotWritten ? exitOutput : exitInput;
    }
    std::cerr << summaryLine(run.summary, (folder / startupBatchOutput).string()) << '\n';
    return exitDone;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    auto parsed = parseOptions(args);
    if (const auto* problem = std::get_if<std::string>(&parsed)) {
        std::cerr << "korvel-batch: " << *problem << "\nTry korvel-batch --help\n";
        return exitUsage;
    }
    const Options& options = std::get<Options>(parsed);
    if (options.help) {
        std::cout << helpText;
        return exitDone;
    }

    const fs::path folder = programFolder(argc > 0 ? argv[0] : nullptr);
    if (options.input.empty()) return runStartup(options.dataFolder.empty() ? folder : fs::path(options.dataFolder));
    // Through links and relative paths alike, the table must not replace the file it is read from.
    if (!options.detail && sameFile(options.input, outputPath(options))) {
        std::cerr << "korvel-batch: the results table " << outputPath(options) << " is the input file " << options.input
                  << " itself; name another with -o\n";
        return exitUsage;
    }

    const std::optional<Catalogue> catalogue =
        loadTables(options.dataFolder.empty() ? folder : fs::path(options.dataFolder));
    if (!catalogue) return exitTables;

    BatchRead read = readBatchFile(options.input, options.mode, *catalogue);
    if (const auto* error = std::get_if<BatchError>(&read)) {
        std::cerr << error->message() << '\n';
        return exitInput;
    }
    const BatchList& list = std::get<BatchList>(read);
    return options.detail ? runDetail(options, list, *catalogue) : runFile(options, list, *catalogue);
}
