// korvel --pdf: the printed report composed without a window, run as the user runs it.

#include "support/program_run.h"

#include "design/number_format.h"
#include "design/number_parser.h"

#include <gtest/gtest.h>

#include <csignal>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvel {
namespace {

const fs::path program = fs::path(KORVEL_PROGRAM_DIR) / "korvel";
const fs::path batchProgram = fs::path(KORVEL_PROGRAM_DIR) / "korvel-batch";
const fs::path pdftotext = "/usr/bin/pdftotext";

std::string caseLine(const std::string& ident) {
    return "Prj\t" + ident +
           "\t0\t1.43\t0.6\t235\t400\t235\t400\t206000\t1\t65\t0\tLW\t200x90x9x12\tTG\t800x200x10x20\t"
           "3000\t2500\t8000\t6000\t3000\t12\t625\t625\t-100\t-100\t-30\t-30\t40\t0.03\t0.03\n";
}

std::string casesText(int n) {
    std::string text = "% a batch\n";
    for (int i = 1; i <= n; ++i) text += caseLine("C" + std::to_string(i));
    return text + "End\n";
}

long entriesIn(const fs::path& folder) {
    return static_cast<long>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

class KorvelPdf : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(fs::exists(program)) << program << " is not built"; }
    TempFolder folder;
};

TEST_F(KorvelPdf, StartUpCaseAsOnePagePdf) {
    const ProgramRun run = runProgram(program, folder, {"--pdf", folder.file("report.pdf"), "--selection", "3"});
    EXPECT_EQ(0, run.status) << run.err;
    const std::string pdf = readAll(folder.file("report.pdf"));
    ASSERT_GT(pdf.size(), 1000u);
    EXPECT_EQ(0u, pdf.find("%PDF"));
    EXPECT_NE(std::string::npos, pdf.find("/Count 1")) << "one page";
}

TEST_F(KorvelPdf, UnreadableProjectFileGivesItsMessageAndAStatus) {
    folder.write("broken.korvp", "190\r\n\"Project\"\r\n");
    const ProgramRun missing = runProgram(program, folder, {"--pdf", folder.file("a.pdf"), folder.file("none.korvp")});
    EXPECT_EQ(1, missing.status);
    EXPECT_NE(std::string::npos, missing.err.find("can't find file - ")) << missing.err;

    const ProgramRun broken = runProgram(program, folder, {"--pdf", folder.file("b.pdf"), folder.file("broken.korvp")});
    EXPECT_EQ(1, broken.status);
    EXPECT_NE(std::string::npos, broken.err.find("can't read file - ")) << broken.err;
    EXPECT_FALSE(fs::exists(folder.file("b.pdf")));
}

TEST_F(KorvelPdf, AReportThatCannotBeSavedFailsWithTheReason) {
    folder.write("kept.pdf", "previous report");
    fs::permissions(folder.file("kept.pdf"), fs::perms::owner_read);
    const ProgramRun run = runProgram(program, folder, {"--pdf", folder.file("kept.pdf")});
    EXPECT_EQ(4, run.status);
    EXPECT_NE(std::string::npos,
              run.err.find("korvel: can't save file - " + folder.file("kept.pdf") + ": the file is read-only\n"))
        << run.err;
    EXPECT_EQ("previous report", readAll(folder.file("kept.pdf")));
}

TEST_F(KorvelPdf, BadArgumentsExplainTheUsage) {
    const ProgramRun run = runProgram(program, folder, {"--pdf", folder.file("c.pdf"), "--selection", "4"});
    EXPECT_EQ(2, run.status);
    EXPECT_NE(std::string::npos, run.err.find("--selection takes 1 (buckling), 2 (scantling/yield) or 3 (both)"));
    EXPECT_NE(std::string::npos, run.err.find("usage: korvel"));
}

TEST_F(KorvelPdf, TwoProjectFilesAreAnError) {
    const ProgramRun run =
        runProgram(program, folder, {"--pdf", folder.file("d.pdf"), folder.file("a.korvp"), folder.file("b.korvp")});
    EXPECT_EQ(2, run.status);
    EXPECT_NE(std::string::npos, run.err.find("one project file only")) << run.err;
    EXPECT_FALSE(fs::exists(folder.file("d.pdf")));
}

// The report named as its own input: directly, relative to the working folder, through a detour,
// a symbolic link, a hard link; the batch file and the project file alike.
TEST_F(KorvelPdf, AReportThatIsItsInputIsRefused) {
    const std::string batch = casesText(1);
    folder.write("x.kori", batch);
    fs::create_directory(folder.path() / "sub");
    fs::create_symlink(folder.path() / "x.kori", folder.path() / "link.pdf");
    fs::create_hard_link(folder.path() / "x.kori", folder.path() / "hard.pdf");
    const std::string relative = fs::relative(folder.path() / "x.kori").string();
    for (const std::string& output : {folder.file("x.kori"), relative, folder.file("sub/../x.kori"),
                                      folder.file("link.pdf"), folder.file("hard.pdf")}) {
        const ProgramRun run = runProgram(program, folder, {"--pdf", output, "--batch", folder.file("x.kori")});
        EXPECT_EQ(2, run.status) << output;
        EXPECT_NE(std::string::npos, run.err.find("korvel: the report " + output + " is the input file " +
                                                  folder.file("x.kori") + " itself; name another PDF file\n"))
            << run.err;
        EXPECT_EQ(batch, readAll(folder.file("x.kori")));
    }
    folder.write("p.korvp", "a project");
    const ProgramRun project = runProgram(program, folder, {"--pdf", folder.file("p.korvp"), folder.file("p.korvp")});
    EXPECT_EQ(2, project.status) << project.err;
    EXPECT_EQ("a project", readAll(folder.file("p.korvp")));
}

// Any of the three signals while the report is written: the hidden temporary file goes, a line
// says so, the old report stays and the program ends by the signal.
TEST_F(KorvelPdf, AnInterruptedReportLeavesTheOldOneAndNoTemporaryFile) {
    folder.write("many.kori", casesText(3000));
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        folder.write("old.pdf", "old report");
        const pid_t pid = startProgram(program, {"--pdf", folder.file("old.pdf"), "--batch", folder.file("many.kori")},
                                       "", "", folder.file("err.txt"));
        // The temporary file appears beside the old report once the pages are being written.
        ASSERT_TRUE(waitUntil([&] { return entriesIn(folder.path()) == 4; }));
        kill(pid, signal);
        const std::optional<int> status = waitForExit(pid);
        ASSERT_TRUE(status);
        EXPECT_TRUE(WIFSIGNALED(*status) && WTERMSIG(*status) == signal);
        EXPECT_EQ("old report", readAll(folder.file("old.pdf")));
        EXPECT_EQ(3, entriesIn(folder.path())) << "no temporary file left";
        EXPECT_NE(std::string::npos, readAll(folder.file("err.txt"))
                                         .find("korvel: interrupted; " + folder.file("old.pdf") + " was not written\n"))
            << readAll(folder.file("err.txt"));
    }
}

// A batch is read as it comes: more entries than the batch window lists, the line limit of every
// tool, and nothing after "End" from a FIFO whose writer keeps it open.
TEST_F(KorvelPdf, ABatchIsStreamedToItsEndLine) {
    folder.write("many.kori", casesText(10050));
    const ProgramRun many = runProgram(
        program, folder, {"--pdf", folder.file("many.pdf"), "--batch", folder.file("many.kori"), "--cases", "10050"});
    EXPECT_EQ(0, many.status) << many.err;
    EXPECT_NE(std::string::npos, readAll(folder.file("many.pdf")).find("/Count 2")) << "the summary and one case";

    folder.write("long.kori", caseLine("x") + "% " + std::string(std::size_t{1} << 20, 'c') + "\nEnd\n");
    const ProgramRun longLine =
        runProgram(program, folder, {"--pdf", folder.file("long.pdf"), "--batch", folder.file("long.kori")});
    EXPECT_EQ(1, longLine.status);
    EXPECT_NE(std::string::npos,
              longLine.err.find("korvel: " + folder.file("long.kori") + ":2: a line longer than 1048576 characters\n"))
        << longLine.err;
    EXPECT_FALSE(fs::exists(folder.file("long.pdf")));

    const std::string fifo = folder.file("in.fifo");
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    const int writer = open(fifo.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    const pid_t pid =
        startProgram(program, {"--pdf", folder.file("fifo.pdf"), "--batch", fifo}, "", "", folder.file("err.txt"));
    const std::string text = casesText(2);
    ASSERT_EQ(static_cast<ssize_t>(text.size()), write(writer, text.data(), text.size()));
    const std::optional<int> status = waitForExit(pid);
    close(writer);
    ASSERT_TRUE(status) << "still reading after End";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << readAll(folder.file("err.txt"));
    EXPECT_NE(std::string::npos, readAll(folder.file("fifo.pdf")).find("/Count 3"));
}

// The value of `check` in a JSON line of korvel-batch, in the first utilisations from `from` on,
// as the listing prints it.
std::string printedValue(const std::string& object, const std::string& check, std::size_t from) {
    const std::size_t at = object.find("{\"check\":\"" + check + "\"", from);
    if (at == std::string::npos) return "no " + check;
    const std::size_t value = object.find("\"value\":", at) + 8;
    const std::optional<double> v =
        parseNumber(object.substr(value, object.find_first_of(",}", value) - value), DecimalMode::period);
    return v ? formatNumber(*v, "0.00") : "no value";
}

// The two numbers after "as built" on the page's line that holds `label`: as built, gauged.
std::pair<std::string, std::string> besideValues(const std::string& page, const std::string& label) {
    const std::size_t at = page.find(label);
    if (at == std::string::npos) return {"no line " + label, ""};
    const std::string line = page.substr(at, page.find('\n', at) - at);
    const std::size_t beside = line.find("as built ");
    if (beside == std::string::npos) return {"no as built on " + label, ""};
    std::istringstream numbers(line.substr(beside + 9));
    std::pair<std::string, std::string> values;
    numbers >> values.first >> values.second;
    return values;
}

// --gauging: a gauged case's page prints each check's gauged value with the value as built before
// it, the numbers of korvel-batch --gauging and of the plain run; a case the survey does not gauge
// is printed as without it; the survey's lines that fit no case are warned of as korvel-batch does.
TEST_F(KorvelPdf, AGaugedCasePagePrintsTheValueAsBuiltBesideEachGaugedOne) {
    if (!fs::exists(pdftotext)) GTEST_SKIP() << "pdftotext is not installed";
    folder.write("c.kori", "% gauged\n" + caseLine("P1") + caseLine("P2") + "End\n");
    folder.write("g.tsv", "identification\tt\ttw\ttf\tgirder_tw\tgirder_tf\nP1\t10.5\t-\t-\t-\t-\n"
                          "P1\t11\t-\t-\t-\t-\nP9\t10\t-\t-\t-\t-\n");
    const ProgramRun run = runProgram(
        program, folder,
        {"--pdf", folder.file("g.pdf"), "--batch", folder.file("c.kori"), "--gauging", folder.file("g.tsv")});
    ASSERT_EQ(0, run.status) << run.err;
    EXPECT_NE(
        std::string::npos,
        run.err.find(folder.file("g.tsv") + ":3: warning: case \"P1\" is gauged twice; the gauging of line 2 is used"))
        << run.err;
    EXPECT_NE(std::string::npos, run.err.find(folder.file("g.tsv") + ":4: warning: gauging of \"P9\" matches no case"))
        << run.err;
    ASSERT_EQ(0, runProgram(pdftotext, folder, {"-layout", folder.file("g.pdf"), folder.file("g.txt")}).status);
    const std::string text = readAll(folder.file("g.txt"));
    const std::size_t second = text.find("Identification: P2");
    ASSERT_NE(std::string::npos, second);
    const std::string gaugedPage = text.substr(0, second);
    EXPECT_EQ(std::string::npos, text.find("as built", second)) << "P2 is not gauged";

    const ProgramRun batch = runProgram(
        batchProgram, folder,
        {folder.file("c.kori"), "--format", "json", "-o", folder.file("g.jsonl"), "--gauging", folder.file("g.tsv")});
    ASSERT_EQ(0, batch.status) << batch.err;
    std::istringstream lines(readAll(folder.file("g.jsonl")));
    std::string p1; // the object of the one gauged case
    while (std::getline(lines, p1) && p1.find("\"asBuilt\":{") == std::string::npos) continue;
    const std::size_t asBuilt = p1.find("\"asBuilt\":{");
    ASSERT_NE(std::string::npos, asBuilt) << p1;
    int differ = 0;
    for (const auto& [check, label] : {std::pair{"UFpb", "UFpb ="},
                                       {"UFpl", "UFpl ="},
                                       {"UFbu", "UFbu="},
                                       {"UFbt", "UFbt="},
                                       {"UFs", "UFs ="},
                                       {"UFgbu", "UFgbu="}}) {
        const auto [built, gauged] = besideValues(gaugedPage, label);
        EXPECT_EQ(built, printedValue(p1, check, asBuilt)) << check;
        EXPECT_EQ(gauged, printedValue(p1, check, 0)) << check;
        differ += built != gauged ? 1 : 0;
    }
    EXPECT_GT(differ, 0) << "a plate 1.5 mm thinner changes its buckling";

    const ProgramRun alone =
        runProgram(program, folder, {"--pdf", folder.file("a.pdf"), "--gauging", folder.file("g.tsv")});
    EXPECT_EQ(2, alone.status);
    EXPECT_NE(std::string::npos, alone.err.find("korvel: --gauging goes with --batch")) << alone.err;
}

} // namespace
} // namespace korvel
