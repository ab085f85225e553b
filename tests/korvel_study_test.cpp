// The korvel-study command line against the faults of files and signals, run as the user runs it
// (spawned directly, no shell): its outputs never replace its inputs, the table and the cases
// found are saved together or not at all, a signal leaves a marked table, and the input is
// streamed (no entry limit, the line limit of every tool, nothing read after "End").

#include "support/program_run.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include <algorithm>
#include <csignal>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvel {
namespace {

const fs::path programDir = fs::path(KORVEL_PROGRAM_DIR);
const fs::path program = programDir / "korvel-study";

// A case of the start-up file, one line of a batch input.
std::string caseLine(const std::string& ident) {
    return "Prj\t" + ident +
           "\t0\t1.43\t0.6\t235\t400\t235\t400\t206000\t1\t65\t0\tLW\t200x90x9x12\tTG\t800x200x10x20\t"
           "3000\t2500\t8000\t6000\t3000\t12\t625\t625\t-100\t-100\t-30\t-30\t40\t0.03\t0.03\n";
}

std::string casesText(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) text += caseLine("C" + std::to_string(i));
    return text + "End\n";
}

std::size_t lineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

std::string lastLine(const std::string& text) {
    const std::size_t end = text.size() >= 2 ? text.rfind('\n', text.size() - 2) : std::string::npos;
    return end == std::string::npos ? text : text.substr(end + 1);
}

class KorvelStudyFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(fs::exists(program)) << program << " is not built"; }
    TempFolder folder;
};

// The input named as the table or the cases: directly, relative to the working folder, through a
// detour, a symbolic link and a hard link; and a table file of the data folder.
TEST_F(KorvelStudyFiles, AnOutputThatIsAnInputIsRefused) {
    const std::string input = casesText(1);
    folder.write("in.kori", input);
    fs::create_directory(folder.path() / "sub");
    fs::create_symlink(folder.path() / "in.kori", folder.path() / "link.tsv");
    fs::create_hard_link(folder.path() / "in.kori", folder.path() / "hard.tsv");
    const std::string relative = fs::relative(folder.path() / "in.kori").string();
    for (const char* option : {"-o", "--cases"}) {
        for (const std::string& output : {folder.file("in.kori"), relative, folder.file("sub/../in.kori"),
                                          folder.file("link.tsv"), folder.file("hard.tsv")}) {
            const ProgramRun run = runProgram(program, folder, {"reserve", folder.file("in.kori"), option, output});
            EXPECT_EQ(2, run.status) << option << " " << output;
            EXPECT_EQ("korvel-study: " + output + " is the input file " + folder.file("in.kori") +
                          " itself; name another\n",
                      run.err);
            EXPECT_EQ(input, readAll(folder.file("in.kori")));
        }
    }
    const std::string table = (programDir / "lprof.dat").string();
    const std::string before = readAll(table);
    const ProgramRun run = runProgram(program, folder, {"reserve", folder.file("in.kori"), "-o", table});
    EXPECT_EQ(2, run.status) << run.err;
    EXPECT_EQ(before, readAll(table));

    // The table and the cases as one file under two names.
    folder.write("t.tsv", "old table");
    fs::create_hard_link(folder.path() / "t.tsv", folder.path() / "t2.tsv");
    const ProgramRun both =
        runProgram(program, folder,
                   {"reserve", folder.file("in.kori"), "-o", folder.file("t.tsv"), "--cases", folder.file("t2.tsv")});
    EXPECT_EQ(2, both.status);
    EXPECT_EQ("korvel-study: the table and the cases need two files\n", both.err);
}

// When either file cannot be saved neither is replaced.
TEST_F(KorvelStudyFiles, TheTableAndTheCasesAreSavedTogetherOrNotAtAll) {
    folder.write("in.kori", casesText(2));
    for (const bool tableFails : {true, false}) {
        SCOPED_TRACE(tableFails ? "the table is read-only" : "the cases file is read-only");
        folder.write("t.tsv", "old table");
        folder.write("c.kori", "old cases");
        const std::string locked = folder.file(tableFails ? "t.tsv" : "c.kori");
        fs::permissions(locked, fs::perms::owner_read);
        const ProgramRun run = runProgram(
            program, folder,
            {"reserve", folder.file("in.kori"), "-o", folder.file("t.tsv"), "--cases", folder.file("c.kori")});
        fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_EQ(4, run.status);
        EXPECT_NE(std::string::npos, run.err.find("can't save file - " + locked + ": the file is read-only"))
            << run.err;
        EXPECT_EQ("old table", readAll(folder.file("t.tsv")));
        EXPECT_EQ("old cases", readAll(folder.file("c.kori")));
        EXPECT_EQ(5, std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()))
            << "no temporary file left";
    }
    const ProgramRun run =
        runProgram(program, folder,
                   {"reserve", folder.file("in.kori"), "-o", folder.file("t.tsv"), "--cases", folder.file("c.kori")});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ(3u, lineCount(readAll(folder.file("t.tsv"))));
    EXPECT_EQ("End\r\n", lastLine(readAll(folder.file("c.kori"))));
}

// More entries than the batch window lists, and the longest line every tool reads.
TEST_F(KorvelStudyFiles, NoEntryLimitButTheLineLimitOfEveryTool) {
    folder.write("many.kori", casesText(10050));
    const ProgramRun many = runProgram(program, folder, {"sweep", "t", "8", "30", "1", folder.file("many.kori")});
    EXPECT_EQ(0, many.status) << many.err;
    EXPECT_EQ(1u + 2 * 10050, lineCount(many.out));
    EXPECT_NE(std::string::npos, many.err.find("sweep of 10050 cases done")) << many.err;

    folder.write("long.kori", caseLine("x") + "% " + std::string(std::size_t{1} << 20, 'c') + "\nEnd\n");
    const ProgramRun longLine = runProgram(program, folder, {"reserve", folder.file("long.kori")});
    EXPECT_EQ(1, longLine.status);
    EXPECT_EQ(folder.file("long.kori") + ":2: a line longer than 1048576 characters\n", longLine.err);
    EXPECT_EQ("", longLine.out) << "a faulty file is found before any row";
}

// A sweep of many steps per case is written in pieces across the threads: the table of any
// number of threads is the table of one.
TEST_F(KorvelStudyFiles, ALongSweepGivesTheSameRowsOnAnyNumberOfThreads) {
    folder.write("in.kori", casesText(3));
    const ProgramRun one =
        runProgram(program, folder, {"sweep", "t", "8", "30", "700", folder.file("in.kori"), "-j", "1"});
    ASSERT_EQ(0, one.status) << one.err;
    EXPECT_EQ(1u + 3 * 701, lineCount(one.out));
    const ProgramRun three =
        runProgram(program, folder, {"sweep", "t", "8", "30", "700", folder.file("in.kori"), "-j", "3"});
    EXPECT_EQ(one.out, three.out);
}

// A pipe, or a FIFO, whose writer keeps it open after "End": the study ends at "End", and rows
// appear as the cases come, before the input ends.
TEST_F(KorvelStudyFiles, ReadingEndsAtTheEndLineAndRowsComeAsTheCasesDo) {
    const std::string fifo = folder.file("in.fifo");
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    const int writer = open(fifo.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    const std::string out = folder.file("out.tsv");
    for (const bool standardInput : {true, false}) {
        SCOPED_TRACE(standardInput ? "standard input" : "the FIFO named");
        const pid_t pid = startProgram(program, {"reserve", standardInput ? "-" : fifo}, standardInput ? fifo : "", out,
                                       folder.file("err.txt"));
        const std::string first = caseLine("first");
        ASSERT_EQ(static_cast<ssize_t>(first.size()), write(writer, first.data(), first.size()));
        EXPECT_TRUE(waitUntil([&] { return lineCount(readAll(out)) == 2; })) << "the row of the first case";
        const std::string rest = caseLine("second") + "End\n";
        ASSERT_EQ(static_cast<ssize_t>(rest.size()), write(writer, rest.data(), rest.size()));
        const std::optional<int> status = waitForExit(pid);
        ASSERT_TRUE(status) << "still reading after End";
        EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << readAll(folder.file("err.txt"));
        EXPECT_EQ(3u, lineCount(readAll(out)));
    }
    close(writer);
}

// Any of the three signals while the study calculates: the cases in hand are finished, the table
// written so far ends with its mark, the cases found with the same, and the program ends by the
// signal. While it waits for input, the temporary files go and the old files stay.
TEST_F(KorvelStudyFiles, ASignalLeavesAMarkedTableAndEndsTheProgramByIt) {
    folder.write("in.kori", casesText(4));
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        folder.write("t.tsv", "old table");
        // Long enough that the signal comes during the first case.
        const pid_t pid = startProgram(
            program,
            {"sweep", "t", "8", "30", "1000000", folder.file("in.kori"), "-j", "1", "-o", folder.file("t.tsv")}, "", "",
            folder.file("err.txt"));
        const auto entries = [&] {
            return std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator());
        };
        // The temporary table appears beside the old one once the study is under way.
        ASSERT_TRUE(waitUntil([&] { return entries() == 4; }));
        kill(pid, signal);
        const std::optional<int> status = waitForExit(pid);
        ASSERT_TRUE(status);
        EXPECT_TRUE(WIFSIGNALED(*status) && WTERMSIG(*status) == signal) << readAll(folder.file("err.txt"));
        const std::string table = readAll(folder.file("t.tsv"));
        EXPECT_EQ(0u, table.find("line\tproject\tidentification\tt\t"));
        EXPECT_EQ("% interrupted after 0 of 4 cases\r\n", lastLine(table));
        EXPECT_EQ(3, entries()) << "no temporary file left";
        EXPECT_NE(std::string::npos, readAll(folder.file("err.txt")).find("stopped after 0 of 4 cases"));
    }

    // Waiting for the rest of the input.
    const std::string fifo = folder.file("in.fifo");
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    const int writer = open(fifo.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    folder.write("c.kori", "old cases");
    const pid_t pid = startProgram(program, {"reserve", "-", "--cases", folder.file("c.kori")}, fifo,
                                   folder.file("out.tsv"), folder.file("err.txt"));
    const std::string first = caseLine("first");
    ASSERT_EQ(static_cast<ssize_t>(first.size()), write(writer, first.data(), first.size()));
    ASSERT_TRUE(waitUntil([&] { return lineCount(readAll(folder.file("out.tsv"))) == 2; }));
    kill(pid, SIGTERM);
    const std::optional<int> status = waitForExit(pid);
    close(writer);
    ASSERT_TRUE(status);
    EXPECT_TRUE(WIFSIGNALED(*status) && WTERMSIG(*status) == SIGTERM);
    EXPECT_EQ("% interrupted after 1 of 1 cases\r\n", lastLine(readAll(folder.file("out.tsv"))));
    EXPECT_EQ("old cases", readAll(folder.file("c.kori")));
    EXPECT_EQ("korvel-study: interrupted after 1 of 1 cases; " + folder.file("c.kori") + " was not written\n",
              readAll(folder.file("err.txt")));
}

} // namespace
} // namespace korvel

namespace korvel {
namespace {

// korvel-study wastage on the start-up file: a row per case and member, and the cases at their
// limits named IDENT/MEMBER, which korvel-batch runs as passing on the basis of every check.
TEST(KorvelStudyWastage, RowsPerMemberAndTheCasesAtTheirLimitsPass) {
    TempFolder folder;
    const std::string dummy = (programDir / "dummy.kori").string();
    const ProgramRun run = runProgram(program, folder,
                                      {"wastage", dummy, "--members", "plate,web,all", "--basis", "all", "-o",
                                       folder.file("w.tsv"), "--cases", folder.file("w.kori"), "-j", "2"});
    ASSERT_EQ(0, run.status) << run.err;
    const std::string table = readAll(folder.file("w.tsv"));
    EXPECT_EQ(table.rfind("line\tproject\tidentification\tmember\tbasis\toriginal\tallowable diminution\t", 0), 0u);
    EXPECT_EQ(lineCount(table), 1 + 8 * 3u) << "eight cases of three members";
    const std::string cases = readAll(folder.file("w.kori"));
    EXPECT_NE(cases.find("\tTank bulkhead, built-up T/plate\t"), std::string::npos) << cases;
    EXPECT_EQ(lastLine(cases), "End\r\n");
    const ProgramRun again =
        runProgram(programDir / "korvel-batch", folder, {folder.file("w.kori"), "-o", folder.file("w.koro")});
    ASSERT_EQ(0, again.status) << again.err;
    EXPECT_NE(again.err.find(" NOK, 0 stopped"), std::string::npos);
    EXPECT_NE(again.err.find("(" + std::to_string(lineCount(cases) - 2) + " OK, 0 NOK"), std::string::npos)
        << again.err;

    const ProgramRun wrong = runProgram(program, folder, {"wastage", dummy, "--members", "plate,keel"});
    EXPECT_EQ(2, wrong.status);
    EXPECT_NE(wrong.err.find("unknown member \"keel\"; the members are plate, web, flange, girder-web, "
                             "girder-flange, all"),
              std::string::npos);
    EXPECT_EQ(2, runProgram(program, folder, {"reserve", dummy, "--basis", "all"}).status);
}

} // namespace
} // namespace korvel

namespace korvel {
namespace {

// The reserve envelope: each panel's smallest lambda* over its load cases, as the table of the
// cases gives them, with the load case of the smallest.
TEST(KorvelStudyReserve, EnvelopeOfEachPanelIsItsSmallestLambda) {
    TempFolder folder;
    std::string text;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"P1/operating", "-100"}, {"P2/operating", "-60"}, {"P1/storm", "-140"}, {"P2/storm", "-90"}, {"P3", "-80"}};
    for (const auto& [ident, sigx] : cases) {
        std::string line = caseLine(ident);
        const std::string from = "\t-100\t-100\t";
        line.replace(line.find(from), from.size(), "\t" + sigx + "\t" + sigx + "\t");
        text += line;
    }
    folder.write("p.kori", text + "End\n");
    const ProgramRun run =
        runProgram(program, folder,
                   {"reserve", folder.file("p.kori"), "-o", folder.file("r.tsv"), "--envelope", folder.file("e.tsv")});
    ASSERT_EQ(0, run.status) << run.err;
    // lambda* of each case from its row of the table.
    std::map<std::string, double> lambda;
    std::istringstream table(readAll(folder.file("r.tsv")));
    std::string row;
    std::getline(table, row);
    while (std::getline(table, row)) {
        std::vector<std::string> cells;
        std::istringstream split(row);
        for (std::string cell; std::getline(split, cell, '\t');) cells.push_back(cell);
        ASSERT_GE(cells.size(), 4u);
        lambda[cells[2]] = std::stod(cells[3]);
    }
    ASSERT_EQ(lambda.size(), 5u);
    const std::string envelope = readAll(folder.file("e.tsv"));
    const auto smaller = [&](const std::string& a, const std::string& b) {
        return lambda.at(a) <= lambda.at(b) ? a : b;
    };
    for (const auto& [panel, loadCases] : std::vector<std::pair<std::string, std::pair<std::string, std::string>>>{
             {"P1", {"P1/operating", "P1/storm"}}, {"P2", {"P2/operating", "P2/storm"}}}) {
        const std::string least = smaller(loadCases.first, loadCases.second);
        std::ostringstream value;
        value << lambda.at(least);
        const std::string expected = "Prj\t" + panel + "\t2\t";
        const std::size_t at = envelope.find(expected);
        ASSERT_NE(at, std::string::npos) << envelope;
        const std::string line = envelope.substr(at, envelope.find('\n', at) - at);
        EXPECT_NE(line.find("\t" + least.substr(3) + "\t"), std::string::npos) << line;
    }
    EXPECT_NE(envelope.find("Prj\tP3\t1\t"), std::string::npos) << envelope;
    EXPECT_EQ(lineCount(envelope), 4u);
}

} // namespace
} // namespace korvel
