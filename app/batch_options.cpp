#include "batch_options.h"

#include "command_line.h"

#include "files/batch_run.h"
#include "files/batch_stream_run.h"

namespace korvel {

const char* const batchHelpText =
    R"(Usage: korvel-batch INPUT.kori [-o OUTPUT.koro] [--data DIR] [--decimal-comma]
                    [-j N] [--no-header] [--summary]
       korvel-batch --format json INPUT.kori [-o OUTPUT.jsonl|-] [options as above]
       korvel-batch --format xlsx INPUT.kori -o OUTPUT.xlsx [options as above]
       korvel-batch --listing INPUT.kori [-o OUTPUT.txt|-] [--selection 1|2|3] [...]
       korvel-batch --detail N INPUT.kori [--format json] [--data DIR] [--decimal-comma]
       korvel-batch
       korvel-batch --version
       korvel-batch --verify

Runs every case of a KORVEL batch input file (TAB-separated, 32 fields per case, "%" comment
lines, an "End" line) through the full calculation and writes the TAB-separated results table.
The input is read and the table written case by case, so a file of any length can be run.

  INPUT.kori          the input file; "-" reads standard input (messages name it "standard
                      input"); a workbook (.xlsx) is read from its first sheet headed by the
                      32 batch fields (project, identification, condition, FS, UF, Fyp, Fup,
                      Fys, Fus, E, structure, UL, option, stiffener, stiffener dimensions,
                      girder, girder dimensions, L1 ... ps), else its first sheet, a row per
                      line; messages name the sheet's rows as lines
  -o, --output FILE   results table, never the input file itself; "-" writes standard output;
                      by default the input path with a ".kori" extension replaced by ".koro",
                      otherwise with ".koro" appended (cases.kori gives cases.koro, run.txt gives
                      run.txt.koro), and standard output when the input is standard input
  -j N                calculate on N threads (1 to 256; default: the number of cores); the
                      table and the messages are the same for any N
  --no-header         leave out the header line, for all but the first of the pieces of a
                      split input: the header and each piece's rows in order make the whole table
  --envelope FILE     also write one row per panel over its load cases to FILE (- for standard
                      output): a case's panel is its project and its identification up to the
                      first "/", the rest its load case; for each check the highest utilisation
                      and the load case giving it, the failed rules and stopped load cases, and
                      the panel's verdict; with --format json one JSON object per panel
  --gauging FILE      run each case with the thicknesses a survey measured: FILE is TAB-separated
                      with the header "identification t tw tf girder_tw girder_tf", a line per
                      gauged case (measured thicknesses in mm, "-" keeps one as built); a gauged
                      web or flange of a catalogue profile makes it its built-up equivalent;
                      lines matching no case, and a case gauged twice, are warned of. The table
                      holds the gauged results; with --format json each gauged case also carries
                      its as-built utilisations ("asBuilt")
  --summary           at the end, print cases, cases by verdict (OK, NOK, stopped), failing
                      cases per check, stopped cases per step and the highest utilisation
                      with its case, one TAB-separated item per line: on standard output when
                      the table goes to a file, else on standard error
  --data DIR          folder of the tables bfprof.dat, lprof.dat, tprof.dat, fprof.dat and
                      KORmat.dat; by default the folder of this program when they are there,
                      else ../share/korvel beside it (installed)
  --decimal-comma     read numbers with a decimal comma (a period is also accepted)
  --detail N          calculate case N only (counting cases from 1, comment lines not counted)
                      and print every input and intermediate quantity as "name = value"
  --format table|json|xlsx
                      table: the results table (default); xlsx: the same as a workbook
                      (sheets Results, Summary and, with --envelope, Envelope; numbers as
                      numbers; named with -o); json: one JSON object per line
                      (JSON Lines), first the program version, the tables' checksums and the
                      time ("kind":"provenance", left out with --no-header), then one object
                      per case with every input, every quantity of --detail, every utilisation
                      with its state, the OK/NOK checks and where the calculation stopped, and
                      one per comment line; written to standard output unless -o names a file.
                      With --detail N: that case's object alone, with its provenance. The
                      schema is docs/results-schema.json of the source
  --listing           write the rows of the window's result list for every case as plain text
                      (one block per case, TAB-separated columns, comment lines as they are),
                      for comparing two runs with diff; standard output unless -o names a file
  --selection N       the listing's results: 1 buckling, 2 scantling and yield, 3 both (default)
  --verify            check the program against its verification table (docs/verification.md):
                      each row prints its check, quantity, source, expected and computed value,
                      tolerance and pass or FAIL; exit status 1 when a row fails
  -h, --help          show this text
  --version           show the version

Geometry warnings go to standard error with the case they belong to; they do not stop the run.
The run ends with a one-line summary on standard error. At a terminal, standard error shows the
cases done, cases per second and, for an input file, the time left. A results file appears only
when the run is complete; a faulty input line ends the run with its line number. Without
arguments the start-up batch file dummy.kori of the tables' folder is run into dummy.koro: beside
it, or, installed, in $XDG_DATA_HOME/korvel (by default ~/.local/share/korvel).

Exit status: 0 done, 1 the input cannot be read (--verify: a row failed), 2 wrong arguments,
3 the tables cannot be loaded, 4 the results cannot be written.
)";

std::string BatchOptions::outputPath() const {
    if (!output.empty()) return output;
    return inputIsStream() || form != BatchOutputForm::table ? standardStream : batchOutputPath(input);
}

std::variant<BatchOptions, std::string> parseBatchOptions(const std::vector<std::string>& args, int cores) {
    BatchOptions options;
    bool selectionGiven = false;
    options.threads = cores < 1 ? 1 : (cores > maxBatchThreads ? maxBatchThreads : cores);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        if (arg == "-h" || arg == "--help") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
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
            const std::optional<int> n = countIn(*v, 1, 1000000000);
            if (!n) return "--detail needs a case number counting from 1, not \"" + *v + "\"";
            options.detail = n;
        } else if (arg == "-j") {
            const auto v = value();
            const std::optional<int> n = v ? countIn(*v, 1, maxBatchThreads) : std::nullopt;
            if (!n)
                return "-j needs a number of threads from 1 to " + std::to_string(maxBatchThreads) + ", not \"" +
                       v.value_or("") + "\"";
            options.threads = *n;
        } else if (arg == "--format") {
            const auto v = value();
            if (v && *v == "json")
                options.form = BatchOutputForm::json;
            else if (v && *v == "xlsx")
                options.form = BatchOutputForm::xlsx;
            else if (v && *v == "table")
                options.form = BatchOutputForm::table;
            else
                return "--format takes table, json or xlsx, not \"" + v.value_or("") + "\"";
        } else if (arg == "--listing") {
            options.listing = true;
        } else if (arg == "--selection") {
            const auto v = value();
            const std::optional<int> n = v ? countIn(*v, 1, 3) : std::nullopt;
            if (!n)
                return "--selection takes 1 (buckling), 2 (scantling/yield) or 3 (both), not \"" + v.value_or("") +
                       "\"";
            options.selection = *n;
            selectionGiven = true;
        } else if (arg == "--no-header") {
            options.header = false;
        } else if (arg == "--summary") {
            options.summary = true;
        } else if (arg == "--verify") {
            options.verify = true;
        } else if (arg == "--gauging") {
            const auto v = value();
            if (!v) return "--gauging needs a file name";
            options.gauging = *v;
        } else if (arg == "--envelope") {
            const auto v = value();
            if (!v) return "--envelope needs a file name";
            options.envelope = *v;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "unknown option " + arg;
        } else if (options.input.empty()) {
            options.input = arg;
        } else {
            return "one input file only (" + options.input + " and " + arg + ")";
        }
    }
    if (options.verify && !options.input.empty()) return "--verify reads no input file";
    if (options.detail && options.input.empty()) return "--detail needs an input file";
    if (!options.output.empty() && options.input.empty()) return "-o needs an input file";
    if (options.detail && !options.output.empty()) return "--detail writes no results table; leave out -o";
    if (options.listing) {
        if (options.form == BatchOutputForm::json) return "--listing writes text; leave out --format json";
        if (options.detail) return "--listing lists every case; leave out --detail";
        if (options.input.empty()) return "--listing needs an input file";
        options.form = BatchOutputForm::listing;
    }
    if (selectionGiven && options.form != BatchOutputForm::listing) return "--selection goes with --listing";
    if (!options.envelope.empty()) {
        if (options.input.empty() || options.detail) return "--envelope goes with a run of an input file";
        if (options.form == BatchOutputForm::listing) return "--envelope goes with the results table or JSON";
        if (options.envelope == standardStream && options.outputIsStream())
            return "--envelope and the results cannot both go to standard output";
    }
    if (options.form == BatchOutputForm::json && options.input.empty()) return "--format json needs an input file";
    if (options.form == BatchOutputForm::xlsx) {
        if (options.input.empty() || options.detail) return "--format xlsx goes with a run of an input file";
        if (options.output.empty() || options.output == standardStream)
            return "--format xlsx writes a workbook file: name it with -o OUT.xlsx";
        if (!options.header) return "--format xlsx writes its header row; leave out --no-header";
    }
    return options;
}

} // namespace korvel
