// The korvel-batch command line, run as the user runs it (spawned directly, no shell) from the
// program folder of the build, where the tables and dummy.kori lie beside it.

#include "design/number_parser.h"
#include "files/batch_run.h"
#include "files/panel_envelope.h"
#include "files/table_loader.h"
#include "support/fake_warnings.h"
#include "support/program_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace korvel {
namespace {

const fs::path program = fs::path(KORVEL_PROGRAM_DIR) / "korvel-batch";
const fs::path testData = fs::path(KORVEL_TEST_DATA_DIR);

// Runs korvel-batch with `args`, its standard input read from `inputPath` when one is given.
ProgramRun korvelBatch(const TempFolder& folder, const std::vector<std::string>& args,
                       const std::string& inputPath = {}) {
    return runProgram(program, folder, args, inputPath);
}

const std::string referenceCases = (testData / "reference" / "cases.kori").string();
const std::string referenceTables = (testData / "reference" / "tables").string();

std::string caseLine(const std::string& ident, const std::string& s1, const std::string& t) {
    return "Prj\t" + ident +
           "\t0\t1.43\t0.6\t235\t400\t235\t400\t206000\t1\t65\t0\tLW\t200x90x9x12\tTG\t800x200x10x20\t"
           "3000\t2500\t8000\t6000\t3000\t" +
           t + "\t" + s1 + "\t625\t-100\t-100\t-30\t-30\t40\t0.03\t0.03";
}

class KorvelBatch : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(fs::exists(program)) << program << " is not built"; }
    TempFolder folder;
};

TEST_F(KorvelBatch, HelpExplainsTheCommandLine) {
    const ProgramRun run = korvelBatch(folder, {"--help"});
    EXPECT_EQ(0, run.status);
    EXPECT_EQ(0u, run.out.find("Usage: korvel-batch INPUT.kori [-o OUTPUT.koro] [--data DIR]"));
    for (const char* option : {"--detail N", "--data DIR", "-o, --output FILE", "Exit status"})
        EXPECT_NE(std::string::npos, run.out.find(option)) << option;
}

TEST_F(KorvelBatch, DefaultOutputBesideTheInputAndTablesFromTheProgramFolder) {
    fs::copy_file(testData / "batch" / "mixed.kori", folder.file("mixed.kori"));
    const ProgramRun run = korvelBatch(folder, {folder.file("mixed.kori")});
    EXPECT_EQ(0, run.status) << run.err;
    ASSERT_TRUE(fs::exists(folder.file("mixed.koro")));
    // The bulb flat the table lacks is warned of; then one line: cases by verdict, comment lines,
    // cases with a failed check and which checks (a girder web of 10 mm under an 800 mm girder is
    // below min(0.01*800 + 3, 11) = 11 mm in six cases).
    const std::smatch summary = [&] {
        std::smatch m;
        std::regex_match(run.err, m,
                         std::regex(".*mixed.kori:9: .*warning: no BF-table row 199x9; row 0 \\(BF 120x6\\) used\n"
                                    "korvel-batch: 7 cases \\(1 OK, 6 NOK, 0 stopped\\), 2 comment lines, 6 cases "
                                    "with a failed check \\(.*girder web thickness 6\\); results in (.*)\n"));
        return m;
    }();
    ASSERT_FALSE(summary.empty()) << run.err;
    EXPECT_EQ(folder.file("mixed.koro"), summary[1].str());
    EXPECT_EQ(std::string::npos, run.err.find('\r')) << "no progress line when standard error is a file";
}

TEST_F(KorvelBatch, WritesWhatTheCoreComputes) {
    const fs::path reference = testData / "reference";
    const std::string out = folder.file("reference.koro");
    const ProgramRun run = korvelBatch(
        folder, {(reference / "cases.kori").string(), "-o", out, "--data", (reference / "tables").string()});
    EXPECT_EQ(0, run.status) << run.err;

    const Catalogue tables = std::get<Catalogue>(loadCatalogue(reference / "tables"));
    const BatchList list =
        std::get<BatchList>(readBatchFile((reference / "cases.kori").string(), DecimalMode::period, tables));
    DesignCase dc;
    IgnoreWarnings warnings;
    EXPECT_EQ(runBatch(list, dc, tables, warnings).text, readAll(out));
    // Every case whose calculation stopped is named on standard error.
    EXPECT_NE(std::string::npos, run.err.find("cases.kori:9: Gen2026 F01-plate: Calculation stopped in "));
}

// The reference cases as the load cases of five panels: the envelope written beside the table is
// the core's envelope of the same cases, on one thread or three, and it may not replace an input.
TEST_F(KorvelBatch, EnvelopeOfEachPanelBesideTheTable) {
    const fs::path reference = testData / "reference";
    const Catalogue tables = std::get<Catalogue>(loadCatalogue(reference / "tables"));
    BatchList list =
        std::get<BatchList>(readBatchFile((reference / "cases.kori").string(), DecimalMode::period, tables));
    std::istringstream lines(readAll(reference / "cases.kori"));
    std::string text, line;
    int i = 0;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t tab = line.find('\t');
        if (line.empty() || line[0] == '%' || tab == std::string::npos) {
            text += line + "\n";
            continue;
        }
        const std::size_t second = line.find('\t', tab + 1);
        text += "Deck\tP" + std::to_string(i % 5) + "/" + line.substr(tab + 1, second - tab - 1) + line.substr(second) +
                "\n";
        ++i;
    }
    folder.write("panels.kori", text);
    EnvelopeBuilder expected;
    {
        const BatchList panels =
            std::get<BatchList>(readBatchFile(folder.file("panels.kori"), DecimalMode::period, tables));
        DesignCase dc;
        IgnoreWarnings quiet;
        BatchHooks hooks;
        hooks.afterCase = [&](const BatchEntry&, const DesignCase& done) { expected.add(done); };
        runBatch(panels, dc, tables, quiet, hooks);
    }
    std::string want = envelopeHeader();
    for (const PanelEnvelope& p : expected.panels()) appendEnvelopeRow(want, p);
    ASSERT_EQ(expected.panels().size(), 5u);
    for (const char* threads : {"1", "3"}) {
        const ProgramRun run =
            korvelBatch(folder, {folder.file("panels.kori"), "-o", folder.file("p.koro"), "--data",
                                 (reference / "tables").string(), "-j", threads, "--envelope", folder.file("p.env")});
        ASSERT_EQ(0, run.status) << run.err;
        EXPECT_EQ(readAll(folder.file("p.env")), want) << "-j " << threads;
        EXPECT_NE(run.err.find("korvel-batch: 5 panels, their envelope in " + folder.file("p.env")), std::string::npos);
    }
    const ProgramRun json =
        korvelBatch(folder, {folder.file("panels.kori"), "--format", "json", "-o", folder.file("p.jsonl"), "--data",
                             (reference / "tables").string(), "--envelope", folder.file("p.env.jsonl")});
    ASSERT_EQ(0, json.status) << json.err;
    const std::string objects = readAll(folder.file("p.env.jsonl"));
    EXPECT_EQ(std::count(objects.begin(), objects.end(), '\n'), 5);
    EXPECT_EQ(objects.rfind("{\"kind\":\"panel\",\"project\":\"Deck\",\"panel\":\"P0\",", 0), 0u) << objects;
    const ProgramRun overInput =
        korvelBatch(folder, {folder.file("panels.kori"), "-o", folder.file("p.koro"), "--data",
                             (reference / "tables").string(), "--envelope", folder.file("panels.kori")});
    EXPECT_EQ(2, overInput.status);
    EXPECT_EQ(readAll(folder.file("panels.kori")), text);
}

TEST_F(KorvelBatch, GeometryWarningsNameTheCaseAndDoNotStop) {
    folder.write("warn.kori",
                 "%geometry\n" + caseLine("wide", "3100", "20") + "\n" + caseLine("ok", "625", "20") + "\nEnd\n");
    const ProgramRun run = korvelBatch(folder, {folder.file("warn.kori"), "-o", folder.file("w.koro")});
    EXPECT_EQ(0, run.status);
    EXPECT_NE(std::string::npos, run.err.find(folder.file("warn.kori") + ":2: Prj wide: warning: s1 <= L1\n"));
    EXPECT_NE(std::string::npos, run.err.find(folder.file("warn.kori") + ":2: Prj wide: warning: s1 <= L2\n"));
    EXPECT_NE(std::string::npos, run.err.find("korvel-batch: 2 cases (0 OK, 2 NOK, 0 stopped), 1 comment lines"));
}

TEST_F(KorvelBatch, FailuresGiveMessagesAndStatus) {
    folder.write("noend.kori", "%a\n" + caseLine("x", "625", "20") + "\n");
    const struct {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string message;
    } rows[] = {
        {"unreadable input",
         {folder.file("noend.kori")},
         1,
         folder.file("noend.kori") + ":3: the file ends without an \"End\" line\n"},
        {"missing input", {folder.file("none.kori")}, 1, folder.file("none.kori") + ": file not found\n"},
        {"unknown option", {"--fast", "x.kori"}, 2, "korvel-batch: unknown option --fast\nTry korvel-batch --help\n"},
        {"two inputs", {"a.kori", "b.kori"}, 2, "korvel-batch: one input file only (a.kori and b.kori)\n"},
        {"no threads",
         {"-j", "0", "a.kori"},
         2,
         "korvel-batch: -j needs a number of threads from 1 to 256, not \"0\"\n"},
        {"detail without number",
         {"--detail", "x", "a.kori"},
         2,
         "korvel-batch: --detail needs a case number counting from 1, not \"x\"\n"},
        {"verify with an input", {"--verify", "a.kori"}, 2, "korvel-batch: --verify reads no input file\n"},
        {"no tables",
         {folder.file("noend.kori"), "--data", folder.file("nowhere")},
         3,
         "korvel-batch: Table file bfprof.dat"},
    };
    for (const auto& row : rows) {
        const ProgramRun run = korvelBatch(folder, row.args);
        EXPECT_EQ(row.status, run.status) << row.name;
        EXPECT_EQ(0u, run.err.find(row.message)) << row.name << ": " << run.err;
    }

    folder.write("ok.kori", caseLine("x", "625", "20") + "\nEnd\n");
    const ProgramRun run = korvelBatch(folder, {folder.file("ok.kori"), "-o", folder.file("missing/out.koro")});
    EXPECT_EQ(4, run.status);
    EXPECT_EQ("korvel-batch: can't save file - " + folder.file("missing/out.koro") + ": the folder does not exist\n",
              run.err);
}

TEST_F(KorvelBatch, DefaultOutputNameNeverTakesTheInputsOwn) {
    const std::string input = caseLine("x", "625", "20") + "\nEnd\n";
    const std::pair<const char*, const char*> rows[] = {
        {"cases.kori", "cases.koro"}, {"UPPER.KORI", "UPPER.koro"},  {"Mixed.Kori", "Mixed.koro"},
        {"run.txt", "run.txt.koro"},  {"run.koro", "run.koro.koro"}, {".kori", ".kori.koro"},
    };
    for (const auto& [name, output] : rows) {
        folder.write(name, input);
        const ProgramRun run = korvelBatch(folder, {folder.file(name)});
        EXPECT_EQ(0, run.status) << name << ": " << run.err;
        EXPECT_EQ(input, readAll(folder.file(name))) << name;
        EXPECT_TRUE(fs::exists(folder.file(output))) << name << " gives " << output;
    }
}

TEST_F(KorvelBatch, AnOutputThatIsTheInputIsRefused) {
    const std::string input = caseLine("x", "625", "20") + "\nEnd\n";
    folder.write("in.kori", input);
    fs::create_directory(folder.path() / "sub");
    fs::create_symlink(folder.path() / "in.kori", folder.path() / "link.koro");
    fs::create_hard_link(folder.path() / "in.kori", folder.path() / "hard.koro");
    // The input named as the output: directly, through a detour, a symbolic link and a hard link.
    for (const std::string& output :
         {folder.file("in.kori"), folder.file("sub/../in.kori"), folder.file("link.koro"), folder.file("hard.koro")}) {
        const ProgramRun run = korvelBatch(folder, {folder.file("in.kori"), "-o", output});
        EXPECT_EQ(2, run.status) << output;
        EXPECT_EQ("korvel-batch: the results table " + output + " is the input file " + folder.file("in.kori") +
                      " itself; name another with -o\n",
                  run.err);
        EXPECT_EQ(input, readAll(folder.file("in.kori")));
    }
    EXPECT_TRUE(fs::is_symlink(folder.path() / "link.koro"));

    // A table of the data folder is an input too.
    fs::create_directory(folder.path() / "data");
    for (const char* name : {"bfprof.dat", "lprof.dat", "tprof.dat", "fprof.dat", "KORmat.dat"})
        fs::copy_file(fs::path(KORVEL_PROGRAM_DIR) / name, folder.path() / "data" / name);
    const std::string table = (folder.path() / "data" / "KORmat.dat").string();
    const std::string materials = readAll(table);
    const ProgramRun tables = korvelBatch(folder, {folder.file("in.kori"), "--data", folder.file("data"), "-o", table});
    EXPECT_EQ(2, tables.status) << tables.err;
    EXPECT_EQ(materials, readAll(table));

    // An input ending in ".koro" without -o gets a table of its own.
    folder.write("old.koro", input);
    const ProgramRun run = korvelBatch(folder, {folder.file("old.koro")});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ(input, readAll(folder.file("old.koro")));
}

TEST_F(KorvelBatch, DetailListsEveryQuantityOfOneCase) {
    fs::copy_file(testData / "batch" / "mixed.kori", folder.file("mixed.kori"));
    const ProgramRun run = korvelBatch(folder, {"--detail", "2", folder.file("mixed.kori")});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_FALSE(fs::exists(folder.file("mixed.koro"))) << "no results table";

    std::istringstream lines(run.out);
    std::string line;
    std::vector<std::string> names;
    while (std::getline(lines, line)) {
        const std::size_t eq = line.find(" = ");
        ASSERT_NE(std::string::npos, eq) << line;
        names.push_back(line.substr(0, eq));
    }
    for (const char* name : {"SigxS",
                             "SigCx[1]",
                             "SigCy[2]",
                             "se",
                             "sw",
                             "sy",
                             "Ax",
                             "zc",
                             "Iy",
                             "Iz",
                             "Io",
                             "K",
                             "Gamma",
                             "Aey",
                             "zpy",
                             "Iey",
                             "Wp",
                             "Ws",
                             "Ae",
                             "zp",
                             "Ie",
                             "Wep",
                             "Wes",
                             "re",
                             "Iew",
                             "Wesw",
                             "Ag",
                             "zcg",
                             "Iyg",
                             "sge",
                             "Aeg",
                             "zpg",
                             "Ieg",
                             "Wgp",
                             "Wgs",
                             "Siga",
                             "SigEA",
                             "SigCA",
                             "SigET",
                             "SigCT",
                             "y",
                             "io",
                             "c[stiffener]",
                             "Q",
                             "UFpb",
                             "UFgbu",
                             "UFys",
                             "ktau[1]",
                             "TauE[2]",
                             "ks[1]",
                             "SigEx[2]",
                             "kl[1]",
                             "SigEy[1]",
                             "m[torsion]",
                             "SigEx[girder]",
                             "SigEy[girder]",
                             "gammaO"})
        EXPECT_NE(names.end(), std::find(names.begin(), names.end(), name)) << name;
    EXPECT_NE(std::string::npos, run.out.find("project = P 2\n"));
    EXPECT_NE(std::string::npos, run.out.find("identification =  built-up L \n"));
    EXPECT_NE(std::string::npos, run.out.find("FS = 1.11\n"));
    EXPECT_NE(std::string::npos, run.out.find("s1+s2 = 1250\n"));
    EXPECT_NE(std::string::npos, run.out.find("\ncalculation = complete\n"));

    const ProgramRun none = korvelBatch(folder, {"--detail", "8", folder.file("mixed.kori")});
    EXPECT_EQ(2, none.status);
    EXPECT_EQ("korvel-batch: " + folder.file("mixed.kori") + " has 7 cases, no case 8\n", none.err);
}

// A reviewer runs the verification table from the installed program: no input, no tables.
TEST_F(KorvelBatch, VerifyPrintsEveryRowOfTheVerificationTable) {
    const ProgramRun run = korvelBatch(folder, {"--verify", "--data", folder.file("nowhere")});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_NE(std::string::npos, run.out.find("\ncheck\tquantity\tsource\texpected\tcomputed\ttolerance\tverdict\n"));
    EXPECT_NE(std::string::npos, run.out.find("\tpass\n"));
    EXPECT_EQ(std::string::npos, run.out.find("\tFAIL\n"));
    EXPECT_NE(std::string::npos, run.out.find(" rows, 0 failed\n"));
    EXPECT_EQ(0u, run.out.find("Rules: ABS ")) << "the edition line first";
}

TEST_F(KorvelBatch, DetailSaysWhereTheCalculationStopped) {
    folder.write("stop.kori", caseLine("thin", "625", "0") + "\nEnd\n");
    const ProgramRun run = korvelBatch(folder, {"--detail", "1", folder.file("stop.kori")});
    EXPECT_EQ(0, run.status);
    EXPECT_NE(std::string::npos, run.out.find("\ncalculation = Calculation stopped in ")) << run.out;
    EXPECT_NE(std::string::npos, run.err.find(":1: Prj thin: Calculation stopped in "));
}

// ---- Streaming, threads and pieces -------------------------------------------------------------

TEST_F(KorvelBatch, StandardInputToStandardOutputGivesTheTableOfTheFile) {
    const ProgramRun fromFile =
        korvelBatch(folder, {referenceCases, "-o", folder.file("file.koro"), "--data", referenceTables});
    ASSERT_EQ(0, fromFile.status) << fromFile.err;
    // Standard input without -o writes standard output; "-o -" says so.
    for (const std::vector<std::string>& args : {std::vector<std::string>{"-", "--data", referenceTables},
                                                 std::vector<std::string>{"-", "-o", "-", "--data", referenceTables}}) {
        const ProgramRun piped = korvelBatch(folder, args, referenceCases);
        EXPECT_EQ(0, piped.status) << piped.err;
        EXPECT_EQ(readAll(folder.file("file.koro")), piped.out) << "standard output holds the table only";
        EXPECT_NE(std::string::npos, piped.err.find("standard input:9: Gen2026 F01-plate: Calculation stopped in "));
        EXPECT_NE(std::string::npos, piped.err.find("; results in standard output\n"));
    }
}

TEST_F(KorvelBatch, AnyNumberOfThreadsGivesTheSameTableAndMessages) {
    // Reference cases, and some 1,500 cases over several blocks in which every third stops and
    // every fifth is warned of.
    std::string generated;
    for (int i = 0; i < 1500; ++i)
        generated +=
            (i % 40 == 0 ? "%block\n" : "") +
            caseLine("c" + std::to_string(i), i % 5 ? "625" : "3100", i % 3 ? std::to_string(8 + i % 17) : "0") + "\n";
    folder.write("generated.kori", generated + "End\n");
    for (const std::string& input : {referenceCases, folder.file("generated.kori")}) {
        const ProgramRun one = korvelBatch(folder, {input, "-o", "-", "-j", "1", "--data", referenceTables});
        const ProgramRun four = korvelBatch(folder, {input, "-o", "-", "-j", "4", "--data", referenceTables});
        EXPECT_EQ(0, four.status) << four.err;
        EXPECT_EQ(one.out, four.out) << input;
        EXPECT_EQ(one.err, four.err) << input;
        EXPECT_NE(std::string::npos, one.err.find("Calculation stopped in ")) << input;
    }

    // The threads read the fields of their own blocks: a faulty line in a late block, with
    // blocks after it already handed out, ends the run at that line with the rows before it, and
    // a faulty line in the first block before any row of a later block is written.
    for (const int faulty : {1203, 7}) {
        std::string lines;
        for (int i = 0; i < 1500; ++i)
            lines += (i == faulty ? std::string("Prj\tbad\t0") : caseLine("c" + std::to_string(i), "625", "20")) + "\n";
        folder.write("faulty.kori", lines + "End\n");
        const ProgramRun one = korvelBatch(folder, {folder.file("faulty.kori"), "-o", "-", "-j", "1"});
        const ProgramRun four = korvelBatch(folder, {folder.file("faulty.kori"), "-o", "-", "-j", "4"});
        EXPECT_NE(0, one.status);
        EXPECT_EQ(one.status, four.status);
        EXPECT_EQ(one.out, four.out);
        EXPECT_EQ(one.err, four.err);
        EXPECT_NE(std::string::npos, one.err.find("faulty.kori:" + std::to_string(faulty + 1) + ": a case needs 32"))
            << one.err;
        EXPECT_EQ(faulty + 1, std::count(one.out.begin(), one.out.end(), '\n')) << "the header and the rows before";
    }
}

TEST_F(KorvelBatch, PiecesWithoutHeaderMakeTheWholeTable) {
    const ProgramRun whole = korvelBatch(folder, {referenceCases, "-o", "-", "--data", referenceTables});
    ASSERT_EQ(0, whole.status) << whole.err;

    // The reference cases cut into three pieces at lines 40 and 90, each given its own "End".
    std::istringstream lines(readAll(referenceCases));
    std::string pieces[3];
    std::string line;
    for (int n = 1; std::getline(lines, line) && line.rfind("End", 0) != 0; ++n)
        pieces[n <= 40 ? 0 : n <= 90 ? 1 : 2] += line + "\n";
    std::string merged;
    for (int i = 0; i < 3; ++i) {
        const std::string name = "piece" + std::to_string(i) + ".kori";
        folder.write(name, pieces[i] + "End\n");
        std::vector<std::string> args = {folder.file(name), "-o", "-", "--data", referenceTables};
        if (i > 0) args.push_back("--no-header");
        merged += korvelBatch(folder, args).out;
    }
    EXPECT_EQ(whole.out, merged);
}

TEST_F(KorvelBatch, SummaryCountsFailuresStopsAndTheHighestUtilisation) {
    // One case within its spans, one whose spacing s1 = 3100 exceeds the spans (warned of), one
    // with plate thickness t = 0, which stops in plate buckling. The girder web of 10 mm is below
    // min(0.01*800 + 3, 11) = 11 mm in both cases that reach the girder rules.
    folder.write("small.kori", "%study\n" + caseLine("ok", "625", "20") + "\n" + caseLine("wide", "3100", "20") + "\n" +
                                   caseLine("thin", "625", "0") + "\nEnd\n");
    const ProgramRun toFile =
        korvelBatch(folder, {folder.file("small.kori"), "-o", folder.file("s.koro"), "--summary"});
    ASSERT_EQ(0, toFile.status) << toFile.err;
    const std::string& report = toFile.out;
    // The thin case stopped: it is neither OK nor NOK, whatever it failed before the stop.
    for (const char* item :
         {"cases\t3\n", "comment lines\t1\n", "OK cases\t0\n", "NOK cases\t2\n", "failed girder web thickness\t2\n",
          "failed girder depth\t0\n", "stopped cases\t1\n", "stopped in plate buckling\t1\n"})
        EXPECT_NE(std::string::npos, report.find(item)) << item << report;

    // The counts of the utilisation checks and the highest utilisation are those of the table.
    std::istringstream table(readAll(folder.file("s.koro")));
    std::string row;
    std::getline(table, row);
    std::vector<std::string> headings;
    std::istringstream header(row.substr(0, row.size() - 1));
    for (std::string cell; std::getline(header, cell, '\t');) headings.push_back(cell);
    std::map<std::string, int> failed;
    std::string highest;
    double highestValue = -1;
    for (int line = 1; std::getline(table, row); ++line) {
        std::istringstream cells(row.substr(0, row.size() - 1));
        std::string cell;
        for (std::size_t i = 0; std::getline(cells, cell, '\t'); ++i) {
            if (i < 30 || headings[i].rfind("UF", 0) != 0) continue;
            const double value = parseFileNumber(cell).value_or(-1);
            failed[headings[i]] += value > 1 ? 1 : 0;
            if (value > highestValue) {
                highestValue = value;
                highest = cell + "\t" + headings[i] + "\t" + std::to_string(line) + "\tPrj\t";
            }
        }
    }
    for (const auto& [heading, count] : failed)
        EXPECT_NE(std::string::npos, report.find("failed " + heading + "\t" + std::to_string(count) + "\n")) << heading;
    EXPECT_NE(std::string::npos, report.find("highest utilisation\t" + highest + "wide\n")) << report;

    // With the table on standard output the report goes to standard error, after the summary line.
    const ProgramRun toStream = korvelBatch(folder, {folder.file("small.kori"), "-o", "-", "--summary"});
    EXPECT_EQ(readAll(folder.file("s.koro")), toStream.out);
    EXPECT_EQ(toStream.err.size() - report.size(), toStream.err.rfind(report));
}

TEST_F(KorvelBatch, AFaultyLineOfStandardInputIsNamedByItsLine) {
    std::string bad = caseLine("y", "625", "20");
    bad.replace(bad.find("\tLW\t"), 4, "\tHP\t");
    folder.write("bad.kori", "%a\n" + caseLine("x", "625", "20") + "\n" + bad + "\nEnd\n");
    const std::string problem = ":3: field 13: unknown stiffener profile \"HP\" (known: LR, LW, TG, FB, BF, IG)\n";
    const ProgramRun piped = korvelBatch(folder, {"-"}, folder.file("bad.kori"));
    EXPECT_EQ(1, piped.status);
    EXPECT_EQ("standard input" + problem, piped.err);
    // The rows before it are out already; a results file never appears.
    EXPECT_EQ(3, std::count(piped.out.begin(), piped.out.end(), '\n'));
    const ProgramRun toFile = korvelBatch(folder, {folder.file("bad.kori")});
    EXPECT_EQ(1, toFile.status);
    EXPECT_EQ(folder.file("bad.kori") + problem, toFile.err);
    EXPECT_FALSE(fs::exists(folder.file("bad.koro")));
}

} // namespace
} // namespace korvel

namespace korvel {
namespace {

// Stopped by a termination request while it waits for more input, a run into a file leaves the
// file it would replace as it was and no temporary file beside it, and ends by the signal.
TEST_F(KorvelBatch, AnInterruptedRunLeavesTheResultsFileAsItWas) {
    const std::string fifo = folder.file("in.fifo");
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    folder.write("old.koro", "kept\n");
    // Held open for writing (read-write: it does not wait for a reader), so the program finds a
    // writer at once and its input never ends.
    const int writer = open(fifo.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    const std::string errPath = folder.file("stderr.txt");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, fifo.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> all = {program.string(), "-", "-o", folder.file("old.koro")};
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(0, posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ));
    posix_spawn_file_actions_destroy(&actions);

    const std::string line = caseLine("x", "625", "20") + "\n";
    ASSERT_EQ(static_cast<ssize_t>(line.size()), write(writer, line.data(), line.size()));
    const auto entries = [&] { return std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()); };
    // The temporary file appears beside the target once the run is under way.
    // A loaded machine may take its time to start the program: up to 30 s.
    for (int wait = 0; wait < 3000 && entries() < 4; ++wait) usleep(10000);
    ASSERT_EQ(4, entries());
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    close(writer);

    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_EQ("kept\n", readAll(folder.file("old.koro")));
    EXPECT_EQ(3, entries()); // the fifo, stderr.txt and the results file
    EXPECT_EQ("korvel-batch: interrupted; " + folder.file("old.koro") + " was not written\n", readAll(errPath));
}

// A pipe or FIFO whose writer keeps it open after "End": the run ends at "End", and the rows of
// standard input appear as the cases come, before the input ends.
TEST_F(KorvelBatch, ReadingEndsAtTheEndLineAndRowsComeAsTheCasesDo) {
    const std::string fifo = folder.file("in.fifo");
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    const int writer = open(fifo.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    const std::string out = folder.file("out.koro");
    const auto lines = [&] {
        const std::string text = readAll(out);
        return std::count(text.begin(), text.end(), '\n');
    };
    for (const char* threads : {"1", "2"}) {
        SCOPED_TRACE(std::string("-j ") + threads);
        const pid_t pid = startProgram(program, {"-", "-o", "-", "-j", threads}, fifo, out, folder.file("err.txt"));
        const std::string first = caseLine("first", "625", "20") + "\n";
        ASSERT_EQ(static_cast<ssize_t>(first.size()), write(writer, first.data(), first.size()));
        EXPECT_TRUE(waitUntil([&] { return lines() == 2; })) << "the row of the first case";
        const std::string rest = caseLine("second", "625", "20") + "\nEnd\n";
        ASSERT_EQ(static_cast<ssize_t>(rest.size()), write(writer, rest.data(), rest.size()));
        const std::optional<int> status = waitForExit(pid);
        ASSERT_TRUE(status) << "still reading after End";
        EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << readAll(folder.file("err.txt"));
        EXPECT_EQ(3, lines());
    }
    // The FIFO named as the input file.
    const pid_t pid = startProgram(program, {fifo, "-o", out}, "", "", folder.file("err.txt"));
    const std::string all = caseLine("x", "625", "20") + "\nEnd\n";
    ASSERT_EQ(static_cast<ssize_t>(all.size()), write(writer, all.data(), all.size()));
    const std::optional<int> status = waitForExit(pid);
    close(writer);
    ASSERT_TRUE(status) << "still reading after End";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << readAll(folder.file("err.txt"));
    EXPECT_EQ(2, lines());
}

} // namespace
} // namespace korvel

namespace korvel {
namespace {

ProgramRun soffice(const TempFolder& folder, const std::vector<std::string>& args) {
    std::vector<std::string> all = {"-env:UserInstallation=file://" + folder.file("profile"), "--headless"};
    all.insert(all.end(), args.begin(), args.end());
    return runProgram("/usr/bin/soffice", folder, all);
}

// Workbooks both ways, opened for real by LibreOffice: the results of the reference cases as a
// workbook whose Results sheet shows the table's cells, and the start-up batch file saved by
// LibreOffice as a workbook, which runs to the same table as the file itself.
TEST(KorvelBatchWorkbook, ResultsAsAWorkbookAndCasesFromOne) {
    TempFolder folder;
    const std::string koro = folder.file("r.koro"), xlsx = folder.file("r.xlsx");
    ASSERT_EQ(0, korvelBatch(folder, {referenceCases, "--data", referenceTables, "-o", koro}).status);
    const ProgramRun asWorkbook =
        korvelBatch(folder, {referenceCases, "--data", referenceTables, "--format", "xlsx", "-o", xlsx, "--summary"});
    ASSERT_EQ(0, asWorkbook.status) << asWorkbook.err;
    const ProgramRun csv =
        soffice(folder, {"--convert-to", "csv:Text - txt - csv (StarCalc):9,34,76,1,,0,false,true,true,false,false,-1",
                         "--outdir", folder.file("csv"), xlsx});
    ASSERT_EQ(0, csv.status) << csv.err;
    std::istringstream want(readAll(koro)), got(readAll(folder.file("csv/r-Results.csv")));
    const auto cells = [](std::string line) {
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == '\t')) line.pop_back();
        line.erase(std::remove(line.begin(), line.end(), '"'), line.end());
        return line;
    };
    int rows = 0;
    for (std::string a, b; std::getline(want, a); ++rows) {
        ASSERT_TRUE(std::getline(got, b));
        EXPECT_EQ(cells(a), cells(b)) << "row " << rows;
    }
    EXPECT_GT(rows, 100);
    const std::string summary = readAll(folder.file("csv/r-Summary.csv"));
    EXPECT_NE(summary.find("NOK cases\t"), std::string::npos) << summary;

    const std::string dummy = (fs::path(KORVEL_PROGRAM_DIR) / "dummy.kori").string();
    fs::copy_file(dummy, folder.file("d.csv"));
    ASSERT_EQ(0, soffice(folder, {"--infilter=CSV:9,34,76,1,,1033,false,false", "--convert-to", "xlsx", "--outdir",
                                  folder.path().string(), folder.file("d.csv")})
                     .status);
    ASSERT_EQ(0, korvelBatch(folder, {folder.file("d.xlsx"), "-o", folder.file("x.koro")}).status);
    ASSERT_EQ(0, korvelBatch(folder, {dummy, "-o", folder.file("k.koro")}).status);
    EXPECT_EQ(readAll(folder.file("x.koro")), readAll(folder.file("k.koro")));

    // A workbook of results is no batch: refused with its sheet, row and column.
    const ProgramRun results = korvelBatch(folder, {xlsx, "-o", folder.file("again.koro")});
    EXPECT_EQ(1, results.status);
    EXPECT_NE(results.err.find("r.xlsx: sheet Results, row 1, column C (condition): "), std::string::npos)
        << results.err;
    const ProgramRun noName = korvelBatch(folder, {referenceCases, "--format", "xlsx"});
    EXPECT_EQ(2, noName.status);
    EXPECT_NE(noName.err.find("--format xlsx writes a workbook file: name it with -o OUT.xlsx"), std::string::npos);
}

} // namespace
} // namespace korvel

namespace korvel {
namespace {

// --gauging: a gauged case gives the row of the same line with the measured thickness typed in;
// its JSON object carries the as-built utilisations beside the gauged ones; lines of the survey
// that gauge no case are warned of; an ungauged case is run as it is.
TEST(KorvelBatchGauging, AGaugedCaseIsTheCaseWithItsMeasuredThickness) {
    TempFolder folder;
    const std::string line = caseLine("P1", "625", "20");
    const std::string thinner = caseLine("P1", "625", "17.5");
    folder.write("c.kori", line + "\n" + caseLine("P2", "625", "20") + "\nEnd\n");
    folder.write("thin.kori", thinner + "\n" + caseLine("P2", "625", "20") + "\nEnd\n");
    folder.write("g.tsv",
                 "identification\tt\ttw\ttf\tgirder_tw\tgirder_tf\nP1\t17.5\t-\t-\t-\t-\nP9\t10\t-\t-\t-\t-\n");
    for (const char* threads : {"1", "2"}) {
        const ProgramRun gauged = korvelBatch(folder, {folder.file("c.kori"), "-o", folder.file("g.koro"), "--gauging",
                                                       folder.file("g.tsv"), "-j", threads});
        ASSERT_EQ(0, gauged.status) << gauged.err;
        EXPECT_NE(gauged.err.find(folder.file("g.tsv") + ":3: warning: gauging of \"P9\" matches no case"),
                  std::string::npos)
            << gauged.err;
        ASSERT_EQ(0, korvelBatch(folder, {folder.file("thin.kori"), "-o", folder.file("t.koro")}).status);
        EXPECT_EQ(readAll(folder.file("g.koro")), readAll(folder.file("t.koro"))) << "-j " << threads;
    }
    const ProgramRun json = korvelBatch(folder, {folder.file("c.kori"), "--format", "json", "-o",
                                                 folder.file("g.jsonl"), "--gauging", folder.file("g.tsv")});
    ASSERT_EQ(0, json.status) << json.err;
    const ProgramRun plain =
        korvelBatch(folder, {folder.file("c.kori"), "--format", "json", "--no-header", "-o", folder.file("p.jsonl")});
    ASSERT_EQ(0, plain.status);
    std::istringstream gaugedLines(readAll(folder.file("g.jsonl"))), plainLines(readAll(folder.file("p.jsonl")));
    std::string gaugedFirst, plainFirst, gaugedSecond;
    std::getline(gaugedLines, gaugedFirst); // provenance
    std::getline(gaugedLines, gaugedFirst);
    std::getline(gaugedLines, gaugedSecond);
    std::getline(plainLines, plainFirst);
    // The as-built utilisations of P1 are those of the plain run.
    const auto utilisations = [](const std::string& object, std::size_t from) {
        const std::size_t at = object.find("\"utilisations\":[", from);
        return at == std::string::npos ? std::string() : object.substr(at, object.find(']', at) - at);
    };
    const std::size_t asBuilt = gaugedFirst.find("\"asBuilt\":{");
    ASSERT_NE(asBuilt, std::string::npos) << gaugedFirst;
    EXPECT_EQ(utilisations(gaugedFirst, asBuilt), utilisations(plainFirst, 0));
    EXPECT_NE(utilisations(gaugedFirst, 0), utilisations(plainFirst, 0)) << "the gauged plate changes them";
    EXPECT_EQ(gaugedSecond.find("\"asBuilt\""), std::string::npos) << "P2 is not gauged";

    folder.write("bad.tsv", "identification\tt\ttw\ttf\tgirder_tw\tgirder_tf\nP1\tthin\t-\t-\t-\t-\n");
    const ProgramRun bad =
        korvelBatch(folder, {folder.file("c.kori"), "-o", folder.file("b.koro"), "--gauging", folder.file("bad.tsv")});
    EXPECT_EQ(1, bad.status);
    EXPECT_NE(bad.err.find(folder.file("bad.tsv") + ":2: t \"thin\" is not a number"), std::string::npos) << bad.err;
    EXPECT_FALSE(fs::exists(folder.file("b.koro")));
}

} // namespace
} // namespace korvel
