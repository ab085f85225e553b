// The project file (48-line layout and the older layout below version 180) and the File menu
// commands New, Open, Save, Save As and the recent items, over a fake file dialog and an
// in-memory settings store.
//
// tests/data/project/example190.korvp is the hand-written file of exampleCase() below: edit both
// together. version170.korvp is an older-layout file of 38 lines (L1 3000, p 0.05).

#include "design/design_case.h"
#include "design/warning_sink.h"
#include "engine/assessment.h"
#include "files/file_commands.h"
#include "files/project_file.h"
#include "files/recent_files.h"
#include "files/settings_store.h"
#include "files/table_loader.h"
#include "support/temp_folder.h"
#include "support/unwritable_settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <locale>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace korvel {
namespace {

namespace fs = std::filesystem;

const fs::path testData = fs::path(KORVEL_TEST_DATA_DIR) / "project";
// The program's own tables in the repository's data folder.
const fs::path programData = fs::path(KORVEL_TEST_DATA_DIR).parent_path().parent_path() / "data";

const Catalogue& catalogue() {
    static const Catalogue loaded = [] {
        CatalogueLoad load = loadCatalogue(programData);
        if (const auto* error = std::get_if<TableError>(&load)) ADD_FAILURE() << error->message();
        const auto* c = std::get_if<Catalogue>(&load);
        return c ? *c : Catalogue{};
    }();
    return loaded;
}

void writeAll(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The lines of a project file text, without their CR LF; fails when a line ends otherwise.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "the last line does not end in CR LF";
            break;
        }
        lines.push_back(text.substr(start, end - start));
        EXPECT_EQ(std::string::npos, lines.back().find_first_of("\r\n")) << "line " << lines.size();
        start = end + 2;
    }
    return lines;
}

// The case after New, as the window shows it.
DesignCase newCase() {
    DesignCase dc;
    IgnoreWarnings warnings;
    resetToNewFile(dc);
    runCase(dc, catalogue(), {}, warnings);
    return dc;
}

// The case of tests/data/project/example190.korvp.
DesignCase exampleCase() {
    DesignCase dc;
    dc.projectName = "Platform P1";
    dc.identification = "Deck 3, frame 120";
    dc.plateMaterial = 15;
    dc.stiffenerMaterial = 3;
    dc.stiffenerType = stiffTrapez;
    dc.bfRow = 20;
    dc.lRow = 3;
    dc.tRow = 5;
    dc.flatbarRow = 7;
    dc.girderType = girderL;
    dc.loadingCondition = conditionC;
    dc.structureType = watertightBulkhead;
    dc.structureOption = 1;
    dc.UL = 44.9f;
    dc.FS = 1.25f;
    dc.UF = 0.7f;
    dc.Fyp = 320;
    dc.Fup = 470.5f;
    dc.Fys = 390;
    dc.Fus = 510;
    dc.plateSteel = {dc.Fyp, dc.Fup};
    dc.stiffenerSteel = {dc.Fys, dc.Fus};
    dc.E = 205000;
    dc.s1 = 700.5;
    dc.s2 = 650;
    dc.L1 = 2800;
    dc.L2 = 3100;
    dc.Lg = 9600;
    dc.Lgs = 5760;
    dc.Lt = 2500;
    dc.t = 12.5;
    dc.SigxA = -123.4;
    dc.SigxB = 56.7f;
    dc.SigyA = -0.1;
    dc.SigyC = 0;
    dc.Tau = -15.25f;
    dc.p = -0.045;
    dc.ps = 0.1;
    dc.A = 4567.8;
    dc.H = 260;
    dc.B = 300;
    dc.tw = 8;
    dc.tf = 8;
    dc.bfCol4 = 10;
    dc.a = 50;
    dc.lGirder = GirderDims{1200, 250, 11, 18.5f};
    return dc;
}

// ---- Writing ---------------------------------------------------------------------------------

TEST(ProjectFile, NewCaseWritesTheListedLines) {
    const std::vector<std::string> lines = linesOf(projectFileText(newCase()));
    ASSERT_EQ(48u, lines.size());
    const std::pair<int, const char*> expected[] = {
        {1, "190"},   {2, "\"Project\""}, {3, "\"Test\""}, {6, "0"},     {7, "16"},      {10, "13"},
        {11, "3"},    {15, "65"},         {16, "1.43"},    {17, "0.6"},  {22, "206000"}, {23, "625"},
        {24, "625"},  {25, "3000"},       {36, "0.03"},    {26, "2500"}, {27, "8000"},   {28, "6000"},
        {29, "3000"}, {37, "0.03"},       {45, "800"},     {46, "200"},  {47, "10"},     {48, "20"},
    };
    for (const auto& [line, text] : expected)
        EXPECT_EQ(text, lines[static_cast<std::size_t>(line - 1)]) << "line " << line;
}

TEST(ProjectFile, WritesTheExampleFileByteForByte) {
    EXPECT_EQ(readAll(testData / "example190.korvp"), projectFileText(exampleCase()));
}

TEST(ProjectFile, DoubleQuotesAndLineBreaksCannotBreakTheLayout) {
    DesignCase dc = exampleCase();
    dc.projectName = "Deck \"A\"";
    dc.identification = "two\r\nlines";
    const std::vector<std::string> lines = linesOf(projectFileText(dc));
    ASSERT_EQ(48u, lines.size());
    EXPECT_EQ("\"Deck 'A'\"", lines[1]);
    EXPECT_EQ("\"two  lines\"", lines[2]);
}

// A locale whose decimal separator is a comma, as a German or Norwegian desktop has.
struct CommaDecimals : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(ProjectFile, CommaLocaleStillWritesPeriods) {
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaDecimals));
    const std::vector<std::string> lines = linesOf(projectFileText(newCase()));
    std::locale::global(previous);
    EXPECT_EQ("0.03", lines[35]);
    EXPECT_EQ("1.43", lines[15]);
}

// Each value is written with the shortest text that reads back to exactly the same number of
// its field's precision, in plain notation for ordinary magnitudes.
TEST(ProjectFile, RealsInTheShortestFormThatReadsBack) {
    DesignCase dc = exampleCase();
    dc.FS = 1.1f;
    dc.SigxA = 0.1 + 0.2;
    dc.p = 1e-7;
    const std::vector<std::string> lines = linesOf(projectFileText(dc));
    EXPECT_EQ("1.1", lines[15]);
    EXPECT_EQ("0.30000000000000004", lines[30]);
    EXPECT_EQ("1E-07", lines[35]);
}

// Open -> Save -> Open gives back every value exactly, however awkward: each row a value, the
// line it is written on and the text written there.
TEST(ProjectFile, SaveAndOpenGiveBackTheSameNumbers) {
    struct Awkward {
        std::function<void(DesignCase&)> set;
        int line;
        const char* text;
    };
    const Awkward rows[] = {
        {[](DesignCase& c) { c.FS = 1.4285714f; }, 16, "1.4285713"}, // the float nearest 1/0.7
        {[](DesignCase& c) { c.UF = std::nextafter(0.6f, 1.0f); }, 17, "0.6000001"},
        {[](DesignCase& c) { c.plateSteel.Fy = 355.00000000000006; }, 18, "355.00000000000006"},
        {[](DesignCase& c) { c.plateSteel.Fu = 16777216.0f; }, 19, "16777216"},
        {[](DesignCase& c) { c.E = 3.4028235e38f; }, 22, "3.4028235E+38"},
        {[](DesignCase& c) { c.s1 = 1.0 / 3.0; }, 23, "0.3333333333333333"},
        {[](DesignCase& c) { c.L1 = 123456789012345.67; }, 25, "123456789012345.67"},
        {[](DesignCase& c) { c.L2 = 1e15; }, 26, "1E+15"},
        {[](DesignCase& c) { c.Lgs = 1e-45f; }, 28, "1E-45"}, // the smallest float
        {[](DesignCase& c) { c.t = 0.00001; }, 30, "0.00001"},
        {[](DesignCase& c) { c.SigxA = -2.2250738585072014e-308; }, 31, "-2.2250738585072014E-308"},
        {[](DesignCase& c) { c.SigxB = -1.0f / 3.0f; }, 32, "-0.33333334"},
        {[](DesignCase& c) { c.p = -0.045000000000000005; }, 36, "-0.045000000000000005"},
        {[](DesignCase& c) { c.ps = 4.9406564584124654e-324; }, 37, "5E-324"}, // the smallest double
        {[](DesignCase& c) { c.tf = 14.000001f; }, 42, "14.000001"},
        {[](DesignCase& c) { c.SigyC = -0.0f; }, 34, "-0"},
    };
    DesignCase saved = exampleCase();
    for (const Awkward& row : rows) row.set(saved);
    const std::string text = projectFileText(saved);
    const std::vector<std::string> lines = linesOf(text);
    for (const Awkward& row : rows) EXPECT_EQ(row.text, lines.at(static_cast<std::size_t>(row.line - 1)));

    DesignCase opened;
    ASSERT_EQ(std::nullopt, readProjectText(text, catalogue(), opened));
    EXPECT_EQ(saved.FS, opened.FS);
    EXPECT_EQ(saved.UF, opened.UF);
    EXPECT_EQ(saved.plateSteel.Fy, opened.Fyp);
    EXPECT_EQ(saved.plateSteel.Fu, opened.Fup);
    EXPECT_EQ(saved.E, opened.E);
    EXPECT_EQ(saved.s1, opened.s1);
    EXPECT_EQ(saved.L1, opened.L1);
    EXPECT_EQ(saved.L2, opened.L2);
    EXPECT_EQ(saved.Lgs, opened.Lgs);
    EXPECT_EQ(saved.t, opened.t);
    EXPECT_EQ(saved.SigxA, opened.SigxA);
    EXPECT_EQ(saved.SigxB, opened.SigxB);
    EXPECT_EQ(saved.p, opened.p);
    EXPECT_EQ(saved.ps, opened.ps);
    EXPECT_EQ(saved.tf, opened.tf);
    EXPECT_TRUE(std::signbit(opened.SigyC));
    EXPECT_EQ(text, projectFileText(opened));
}

// ---- Reading ---------------------------------------------------------------------------------

TEST(ProjectFile, ReadsTheExampleFile) {
    DesignCase dc;
    ASSERT_EQ(std::nullopt, readProjectText(readAll(testData / "example190.korvp"), catalogue(), dc));
    const DesignCase want = exampleCase();
    EXPECT_EQ(want.projectName, dc.projectName);
    EXPECT_EQ(want.identification, dc.identification);
    EXPECT_EQ(want.UL, dc.UL);
    EXPECT_EQ(want.Fup, dc.Fup);
    EXPECT_EQ(want.SigxA, dc.SigxA);
    EXPECT_EQ(want.Tau, dc.Tau);
    EXPECT_EQ(want.p, dc.p);
    EXPECT_EQ(want.A, dc.A);
    EXPECT_EQ(girderL, dc.girderType);
    EXPECT_EQ(want.lGirder, dc.lGirder);
    // The Trapez profile goes into its remembered set: H, B, a and the wall thickness.
    EXPECT_EQ((ProfileDims{260, 300, 8, 9, 50}), dc.trapez);
    EXPECT_EQ(projectFileText(want), projectFileText(dc));
}

TEST(ProjectFile, Version170LoadsWithTheOlderDefaults) {
    DesignCase dc;
    ASSERT_EQ(std::nullopt, readProjectText(readAll(testData / "version170.korvp"), catalogue(), dc));
    EXPECT_EQ("Old deck", dc.projectName);
    EXPECT_EQ(3000, dc.L1);
    EXPECT_EQ(3000, dc.L2);
    EXPECT_EQ(9000, dc.Lg);
    EXPECT_EQ(5400.0f, dc.Lgs);
    EXPECT_EQ(3000, dc.Lt);
    EXPECT_EQ(-0.05, dc.p);
    EXPECT_EQ(-0.05, dc.ps);
    EXPECT_EQ(0.6f, dc.UF); // written ".6"
    EXPECT_EQ(girderT, dc.girderType);
    EXPECT_EQ((GirderDims{800, 200, 10, 20}), dc.tGirder);
    EXPECT_EQ(14.0f, dc.tf);
    EXPECT_EQ(1.0f, dc.a);
}

TEST(ProjectFile, SaveOpenSaveGivesTheIdenticalFile) {
    TempFolder folder;
    std::vector<DesignCase> cases = {newCase(), exampleCase()};
    DesignCase bulb = newCase();
    bulb.stiffenerType = stiffBFTable;
    bulb.bfRow = 30;
    IgnoreWarnings warnings;
    runCase(bulb, catalogue(), {}, warnings);
    bulb.SigxB = 1.0f / 3.0f;
    bulb.Lg = 1.0 / 3.0;
    cases.push_back(bulb);

    for (std::size_t i = 0; i < cases.size(); ++i) {
        const std::string path = folder.file("case" + std::to_string(i) + ".korvp");
        DesignCase saved = cases[i];
        ASSERT_TRUE(writeProjectFile(path, saved).ok());
        EXPECT_EQ(path, saved.fileName);
        const std::string first = readAll(path);

        DesignCase opened;
        const ProjectFileOutcome read = readProjectFile(path, catalogue(), opened);
        ASSERT_TRUE(read.ok()) << read.message;
        EXPECT_EQ(path, opened.fileName);
        ASSERT_TRUE(writeProjectFile(path, opened).ok());
        EXPECT_EQ(first, readAll(path)) << "case " << i;
    }
}

// A catalogue with two equal L rows and a T row, for the rows found again on reading.
Catalogue refindCatalogue() {
    Catalogue c = catalogue();
    c.l.lastRow = 2;
    c.l.rows[0] = {0, 200, 90, 9, 14, 0};
    c.l.rows[1] = {0, 250, 90, 10, 15, 0};
    c.l.rows[2] = {0, 250, 90, 10, 16, 0};
    return c;
}

std::string withLine(std::string text, int line, const std::string& value) {
    std::vector<std::string> lines = linesOf(text);
    lines.at(static_cast<std::size_t>(line - 1)) = value;
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

TEST(ProjectFile, TableRowIsFoundAgainFromTheDimensions) {
    const Catalogue c = refindCatalogue();
    DesignCase stored = newCase();
    stored.stiffenerType = stiffLTable;
    stored.lRow = 0;
    stored.H = 250;
    stored.B = 90;
    stored.tw = 10;
    DesignCase dc;
    ASSERT_EQ(std::nullopt, readProjectText(projectFileText(stored), c, dc));
    EXPECT_EQ(2, dc.lRow) << "the last of the two matching rows wins";

    stored.H = 251; // no row matches: the stored row stays
    stored.lRow = 1;
    ASSERT_EQ(std::nullopt, readProjectText(projectFileText(stored), c, dc));
    EXPECT_EQ(1, dc.lRow);

    // Only the current type's row is found again.
    stored.stiffenerType = stiffLBuiltUp;
    stored.H = 250;
    stored.lRow = 0;
    ASSERT_EQ(std::nullopt, readProjectText(projectFileText(stored), c, dc));
    EXPECT_EQ(0, dc.lRow);
    EXPECT_EQ((ProfileDims{250, 90, 10, 14, 0}), dc.lBuiltUp) << "tf of the working profile";
}

// Each row: a change to the example file, the line reported and the start of its problem.
struct Malformed {
    const char* name;
    int line;          // line to replace, 0 to cut the file after `keep` lines
    const char* value; // replacement
    int keep;
    int reportedLine;
    const char* problem;
};

// "1" followed by 400 zeros, and then an exponent that does not bring it into range.
const std::string hugeInteger = "1" + std::string(400, '0') + "e-5";

class ProjectFileMalformed : public ::testing::TestWithParam<Malformed> {};

TEST_P(ProjectFileMalformed, LeavesTheCaseAsItWas) {
    const Malformed& m = GetParam();
    std::string text = readAll(testData / "example190.korvp");
    if (m.line > 0) {
        text = withLine(text, m.line, m.value);
    } else {
        const std::vector<std::string> lines = linesOf(text);
        text.clear();
        for (int i = 0; i < m.keep; ++i) text += lines[static_cast<std::size_t>(i)] + "\r\n";
    }
    DesignCase dc = newCase();
    const std::string before = projectFileText(dc);
    const std::optional<ProjectFileProblem> problem = readProjectText(text, catalogue(), dc);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(m.reportedLine, problem->line);
    EXPECT_EQ(0u, problem->problem.find(m.problem)) << problem->problem;
    EXPECT_EQ(before, projectFileText(dc));
}

INSTANTIATE_TEST_SUITE_P(
    ProjectFile, ProjectFileMalformed,
    ::testing::Values(
        Malformed{"Empty", 0, "", 0, 1, "the file ends where the file version should follow"},
        Malformed{"EndsEarly", 0, "", 30, 31, "the file ends where the SigxA should follow"},
        Malformed{"EndsBeforeGirderTf", 0, "", 47, 48, "the file ends where the girder tf"},
        Malformed{"VersionNotANumber", 1, "\"abc\"", 0, 1, "file version is not a number"},
        Malformed{"RealNotANumber", 25, "3OOO", 0, 25, "L1 is not a number: \"3OOO\""},
        Malformed{"EmptyText", 36, "\"\"", 0, 36, "p is not a number: \"\""},
        Malformed{"IntegerWithDecimals", 6, "2.5", 0, 6, "stiffener type is not a whole number"},
        Malformed{"StiffenerType", 6, "10", 0, 6, "stiffener type 10 is outside 0 to 9"},
        Malformed{"GirderType", 11, "2", 0, 11, "girder type 2 is neither 1 (L) nor 3 (T)"},
        Malformed{"LoadingCondition", 12, "3", 0, 12, "loading condition 3 is outside 0 to 2"},
        Malformed{"StructureType", 13, "-1", 0, 13, "structure type -1 is outside 0 to 2"},
        Malformed{"StructureOption", 14, "2", 0, 14, "structure option 2 is outside 0 to 1"},
        Malformed{"PlateMaterial", 4, "16", 0, 4, "plate material index 16 is outside"},
        Malformed{"StiffenerMaterial", 5, "-1", 0, 5, "stiffener material index -1 is outside"},
        Malformed{"BFRow", 7, "56", 0, 7, "BF-table row 56 is outside the table (0 to 55)"},
        Malformed{"LRow", 8, "24", 0, 8, "L-table row 24 is outside"},
        Malformed{"TRow", 9, "-3", 0, 9, "T-table row -3 is outside"},
        Malformed{"FlatbarRow", 10, "99", 0, 10, "Flatbar-table row 99 is outside"},
        Malformed{"FloatOverflow", 16, "1e300", 0, 16, "FS 1E+300 is too large"},
        Malformed{"OpenQuote", 2, "\"Platform", 0, 2, "project name: the quoted text"},
        // One value per line: a fault stays on its own line instead of shifting the rest.
        Malformed{"DecimalComma", 26, "3000,5", 0, 26, "L2 must be one number, the line holds \"3000,5\""},
        Malformed{"TwoValues", 7, "20 3", 0, 7, "BF-table row must be one number"},
        Malformed{"EmptyLine", 30, "", 0, 30, "t is missing: the line is empty"},
        Malformed{"IntegerWrittenAsReal", 4, "15.0", 0, 4, "plate material index is not a whole number"},
        Malformed{"UnquotedName", 2, "Platform", 0, 2, "project name must be a text in double quotes"},
        Malformed{"NumberForText", 3, "15", 0, 3, "identification must be a text in double quotes"},
        Malformed{"TextAfterQuote", 3, "\"Deck\" 3", 0, 3, "identification: unexpected text after"},
        Malformed{"VersionWithMore", 1, "190,\"P\"", 0, 1, "file version must be one number"},
        // Beyond the range every value must fit: that of a float.
        Malformed{"DoubleBeyondFloat", 25, "1e39", 0, 25, "L1 1E+39 is too large"},
        Malformed{"DoubleFarBeyondFloat", 45, "1e300", 0, 45, "girder H 1E+300 is too large"},
        Malformed{"BeyondDouble", 25, "1e400", 0, 25, "L1 is too large: \"1e400\""},
        Malformed{"FourHundredZeros", 38, hugeInteger.c_str(), 0, 38, "stiffener area A is too large: \"1000000000"}),
    [](const ::testing::TestParamInfo<Malformed>& info) { return std::string(info.param.name); });

// A file cut inside its last line ("18" of "18.5") lacks the line end the writer always
// writes; anything but blank lines after the last line is refused.
TEST(ProjectFile, TheFileMustEndAfterItsLastLine) {
    const std::string example = readAll(testData / "example190.korvp");
    ASSERT_EQ("18.5\r\n", example.substr(example.size() - 6));
    const std::pair<std::string, ProjectFileProblem> rows[] = {
        {example.substr(0, example.size() - 4), {48, "the girder tf line has no line end: the file may be cut short"}},
        {example + "1\r\n", {49, "unexpected text after the last line (48) of a version 190 file: \"1\""}},
        {example + "\r\n \r\n\"x\"", {51, "unexpected text after the last line (48) of a version 190 file: \"\"x\"\""}},
    };
    for (const auto& [text, want] : rows) {
        DesignCase dc = newCase();
        const std::string before = projectFileText(dc);
        EXPECT_EQ(want, readProjectText(text, catalogue(), dc));
        EXPECT_EQ(before, projectFileText(dc));
    }
}

// What editors do to a text file: LF or CR LF line ends, a byte-order mark, blank lines at the
// end, blanks around a value. The file still reads as written.
TEST(ProjectFile, EditorChangesStillRead) {
    const std::string example = readAll(testData / "example190.korvp");
    std::string lf;
    for (const std::string& line : linesOf(example)) lf += line + "\n";
    const std::string rows[] = {
        lf,
        "\xEF\xBB\xBF" + example + "\r\n  \r\n\t\r\n",
        lf + "\n\n",
        withLine(withLine(example, 25, " 2800\t"), 2, "  \"Platform P1\" "),
    };
    for (const std::string& text : rows) {
        DesignCase dc;
        ASSERT_EQ(std::nullopt, readProjectText(text, catalogue(), dc)) << text;
        EXPECT_EQ(example, projectFileText(dc));
    }
}

// Names written by earlier Windows versions are Windows-1252 bytes; they load as the same
// letters and are saved in UTF-8.
TEST(ProjectFile, Windows1252NamesLoadAsUtf8) {
    std::string text = readAll(testData / "example190.korvp");
    text = withLine(text, 2, "\"Br\xF8nn \x80 \x96 \x9C\"");
    text = withLine(text, 3, "\"Br\xC3\xB8nn\"");
    DesignCase dc;
    ASSERT_EQ(std::nullopt, readProjectText(text, catalogue(), dc));
    EXPECT_EQ("Br\u00F8nn \u20AC \u2013 \u0153", dc.projectName);
    EXPECT_EQ("Br\u00F8nn", dc.identification) << "valid UTF-8 stays as it is";
    const std::vector<std::string> lines = linesOf(projectFileText(dc));
    EXPECT_EQ("\"Br\u00F8nn \u20AC \u2013 \u0153\"", lines[1]);
}

TEST(ProjectFile, Version170WithASpanBeyondSinglePrecisionIsRefused) {
    // The older layout derives Lgs = 0.6·3·L1 in single precision: an absurd L1 must be refused,
    // not turned into an infinite span that a later save could not write back.
    std::string text = readAll(testData / "version170.korvp");
    const std::vector<std::string> lines = linesOf(text);
    ASSERT_EQ("3000", lines[23]) << "L1 is line 24 of the older layout";
    text = withLine(text, 24, "1e39");
    DesignCase dc = newCase();
    const std::string before = projectFileText(dc);
    const std::optional<ProjectFileProblem> problem = readProjectText(text, catalogue(), dc);
    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(std::string::npos, problem->problem.find("too large")) << problem->problem;
    EXPECT_EQ(before, projectFileText(dc));
}

TEST(ProjectFile, MessagesNameThePathAndTheLine) {
    TempFolder folder;
    const std::string bad = folder.file("bad.korvp");
    writeAll(bad, withLine(readAll(testData / "example190.korvp"), 25, "x"));
    DesignCase dc = newCase();
    ProjectFileOutcome read = readProjectFile(bad, catalogue(), dc);
    EXPECT_EQ(ProjectFileOutcome::Status::unreadable, read.status);
    EXPECT_EQ("can't read file - " + bad + ", line 25: L1 is not a number: \"x\"", read.message);
    EXPECT_EQ(newFileMarker, dc.fileName);

    const std::string missing = folder.file("missing.korvp");
    read = readProjectFile(missing, catalogue(), dc);
    EXPECT_EQ(ProjectFileOutcome::Status::notFound, read.status);
    EXPECT_EQ("can't find file - " + missing, read.message);
}

TEST(ProjectFile, FailedWriteKeepsThePreviousFile) {
    TempFolder folder;
    DesignCase dc = exampleCase();
    const std::string path = folder.file("kept.korvp");
    writeAll(path, "previous");

    // A folder standing where the file should go, and a folder that does not exist.
    fs::create_directory(folder.path() / "folder.korvp");
    const std::pair<std::string, std::string> failures[] = {
        {folder.file("folder.korvp"), "it is a folder"},
        {folder.file("no/such/folder/x.korvp"), "the folder does not exist"},
    };
    for (const auto& [target, reason] : failures) {
        const ProjectFileOutcome written = writeProjectFile(target, dc);
        EXPECT_EQ(ProjectFileOutcome::Status::notWritten, written.status);
        EXPECT_EQ("can't save file - " + target + ": " + reason, written.message);
        EXPECT_EQ(newFileMarker, dc.fileName);
    }
    EXPECT_EQ("previous", readAll(path));
    ASSERT_TRUE(writeProjectFile(path, dc).ok());
    EXPECT_EQ(projectFileText(exampleCase()), readAll(path));
    // Only the target is left in the folder: no temporary file remains.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.path())) ++files;
    EXPECT_EQ(2, files);
}

// ---- The File menu commands ---------------------------------------------------------------------

// Answers each dialog with the next prepared choice (or a cancel) and remembers what it was asked.
class FakeDialogs final : public FileDialogs {
public:
    std::vector<std::optional<FileChoice>> answers;
    std::vector<FileDialogRequest> openRequests, saveRequests;

    std::optional<FileChoice> chooseFileToOpen(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return next();
    }
    std::optional<FileChoice> chooseFileToSave(const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return next();
    }

private:
    std::optional<FileChoice> next() {
        if (answers.empty()) {
            ADD_FAILURE() << "a dialog nobody expected";
            return std::nullopt;
        }
        std::optional<FileChoice> a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
};

struct Session {
    TempFolder folder;
    DesignCase dc = newCase();
    IgnoreWarnings warnings;
    MemorySettingsStore settings;
    FakeDialogs dialogs;
    FileSession files{folder.path().string() + "/", {}};
    FileContext ctx{dc, catalogue(), warnings, settings, dialogs, files};

    void answer(const std::string& name) {
        dialogs.answers.push_back(FileChoice{folder.file(name), folder.path().string()});
    }
    void cancel() { dialogs.answers.push_back(std::nullopt); }
    std::vector<std::string> recent() const {
        std::vector<std::string> paths;
        for (int n = 1; n <= 4; ++n) paths.push_back(files.recent.entry(n));
        return paths;
    }
};

TEST(FileCommands, SaveOfANewCaseAsksOnceThenWritesInPlace) {
    Session s;
    s.answer("first.korvp");
    FileCommandOutcome done = saveFile(s.ctx);
    ASSERT_EQ(FileCommandOutcome::Status::done, done.status) << done.message;
    ASSERT_EQ(1u, s.dialogs.saveRequests.size());
    EXPECT_EQ((FileDialogRequest{"*.korvp", "korvp", "*.korvp", s.folder.path().string() + "/", true}),
              s.dialogs.saveRequests[0]);
    EXPECT_EQ(s.folder.file("first.korvp"), s.dc.fileName);
    EXPECT_EQ("KORVEL: " + s.folder.file("first.korvp"), windowCaption(s.dc));
    EXPECT_EQ(s.folder.path().string(), s.files.workingFolder);
    EXPECT_EQ((std::vector<std::string>{s.folder.file("first.korvp"), "", "", ""}), s.recent());

    // Save again: no dialog, same file, the recent list unchanged.
    s.dc.projectName = "Changed";
    done = saveFile(s.ctx);
    EXPECT_EQ(FileCommandOutcome::Status::done, done.status);
    EXPECT_EQ(1u, s.dialogs.saveRequests.size());
    EXPECT_EQ(projectFileText(s.dc), readAll(s.folder.file("first.korvp")));
    EXPECT_EQ((std::vector<std::string>{s.folder.file("first.korvp"), "", "", ""}), s.recent());
}

TEST(FileCommands, SaveCancelledChangesNothing) {
    Session s;
    s.cancel();
    EXPECT_EQ(FileCommandOutcome::Status::cancelled, saveFile(s.ctx).status);
    EXPECT_EQ(newFileMarker, s.dc.fileName);
    EXPECT_TRUE(fs::is_empty(s.folder.path()));
}

TEST(FileCommands, SaveAsProposesTheCurrentNameAndListsOtherPaths) {
    Session s;
    s.answer("a.korvp");
    s.answer("b.korvp");
    saveFileAs(s.ctx);
    saveFileAs(s.ctx);
    EXPECT_EQ(newFileMarker, s.dialogs.saveRequests[0].initialName);
    EXPECT_EQ(s.folder.file("a.korvp"), s.dialogs.saveRequests[1].initialName);
    EXPECT_TRUE(s.dialogs.saveRequests[1].askOverwrite);
    EXPECT_EQ((std::vector<std::string>{s.folder.file("b.korvp"), s.folder.file("a.korvp"), "", ""}), s.recent());

    // The current file again: written, the list unchanged.
    s.answer("b.korvp");
    saveFileAs(s.ctx);
    EXPECT_EQ((std::vector<std::string>{s.folder.file("b.korvp"), s.folder.file("a.korvp"), "", ""}), s.recent());

    // A path already listed but not current moves to the top: every path is listed once.
    s.answer("a.korvp");
    saveFileAs(s.ctx);
    EXPECT_EQ((std::vector<std::string>{s.folder.file("a.korvp"), s.folder.file("b.korvp"), "", ""}), s.recent());
}

TEST(FileCommands, SaveToAFolderThatCannotTakeTheFile) {
    Session s;
    s.dialogs.answers.push_back(FileChoice{s.folder.file("missing/x.korvp"), s.folder.file("missing")});
    const FileCommandOutcome failed = saveFile(s.ctx);
    EXPECT_EQ(FileCommandOutcome::Status::failed, failed.status);
    EXPECT_EQ("can't save file - " + s.folder.file("missing/x.korvp") + ": the folder does not exist", failed.message);
    EXPECT_EQ(newFileMarker, s.dc.fileName);
    EXPECT_EQ((std::vector<std::string>{"", "", "", ""}), s.recent());
}

TEST(FileCommands, OpenLoadsCalculatesAndPromotes) {
    Session s;
    DesignCase other = exampleCase();
    ASSERT_TRUE(writeProjectFile(s.folder.file("example.korvp"), other).ok());

    s.answer("example.korvp");
    const FileCommandOutcome opened = openFile(s.ctx);
    ASSERT_EQ(FileCommandOutcome::Status::done, opened.status) << opened.message;
    EXPECT_TRUE(opened.caseLoaded);
    EXPECT_EQ((FileDialogRequest{"*.korvp", "korvp", "korvp", s.folder.path().string() + "/", false}),
              s.dialogs.openRequests[0]);
    EXPECT_EQ(s.folder.file("example.korvp"), s.dc.fileName);
    EXPECT_EQ("Platform P1", s.dc.projectName);
    EXPECT_NE(notComputed, s.dc.uf.UFpb) << "the loaded case is calculated";
    EXPECT_EQ(1350.5f, s.dc.prep.s1s2) << "s1 + s2 of the loaded case";
    EXPECT_EQ((std::vector<std::string>{s.folder.file("example.korvp"), "", "", ""}), s.recent());

    // Opening the current file again reads it but leaves the list.
    s.dc.projectName = "edited";
    s.answer("example.korvp");
    openFile(s.ctx);
    EXPECT_EQ("Platform P1", s.dc.projectName);
    EXPECT_EQ((std::vector<std::string>{s.folder.file("example.korvp"), "", "", ""}), s.recent());
}

TEST(FileCommands, OpenOfAMissingOrMalformedFileChangesNothing) {
    Session s;
    writeAll(s.folder.file("bad.korvp"), "190\r\n\"P\"\r\n");
    const std::string before = projectFileText(s.dc);

    s.answer("missing.korvp");
    FileCommandOutcome failed = openFile(s.ctx);
    EXPECT_EQ(FileCommandOutcome::Status::failed, failed.status);
    EXPECT_EQ("can't find file - " + s.folder.file("missing.korvp"), failed.message);

    s.answer("bad.korvp");
    failed = openFile(s.ctx);
    EXPECT_EQ(FileCommandOutcome::Status::failed, failed.status);
    EXPECT_EQ("can't read file - " + s.folder.file("bad.korvp") +
                  ", line 3: the file ends where the identification should follow",
              failed.message);

    s.cancel();
    EXPECT_EQ(FileCommandOutcome::Status::cancelled, openFile(s.ctx).status);

    EXPECT_EQ(newFileMarker, s.dc.fileName);
    EXPECT_EQ(before, projectFileText(s.dc));
    EXPECT_EQ((std::vector<std::string>{"", "", "", ""}), s.recent());
}

TEST(FileCommands, RecentItemLoadsAndMovesToTheTop) {
    Session s;
    for (const char* name : {"a.korvp", "b.korvp", "c.korvp"}) {
        s.answer(name);
        saveFileAs(s.ctx);
    }
    ASSERT_EQ(
        (std::vector<std::string>{s.folder.file("c.korvp"), s.folder.file("b.korvp"), s.folder.file("a.korvp"), ""}),
        s.recent());
    const FileCommandOutcome opened = openRecentFile(s.ctx, 3);
    ASSERT_EQ(FileCommandOutcome::Status::done, opened.status) << opened.message;
    EXPECT_EQ(s.folder.file("a.korvp"), s.dc.fileName);
    EXPECT_EQ(s.folder.path().string() + "/", s.files.workingFolder);
    EXPECT_EQ(
        (std::vector<std::string>{s.folder.file("a.korvp"), s.folder.file("c.korvp"), s.folder.file("b.korvp"), ""}),
        s.recent());

    // A recent file that has gone: reported, nothing changes.
    fs::remove(s.folder.file("b.korvp"));
    const FileCommandOutcome failed = openRecentFile(s.ctx, 3);
    EXPECT_EQ("can't find file - " + s.folder.file("b.korvp"), failed.message);
    EXPECT_EQ(s.folder.file("a.korvp"), s.dc.fileName);
    EXPECT_EQ(s.folder.file("b.korvp"), s.recent()[2]);

    EXPECT_EQ(FileCommandOutcome::Status::cancelled, openRecentFile(s.ctx, 4).status) << "an unused item";
}

TEST(FileCommands, NewResetsTheCaseAndTheFileName) {
    Session s;
    s.answer("a.korvp");
    saveFileAs(s.ctx);
    s.dc.L1 = 1234;
    const FileCommandOutcome done = newFile(s.ctx);
    EXPECT_TRUE(done.caseLoaded);
    EXPECT_EQ(newFileMarker, s.dc.fileName);
    EXPECT_EQ("KORVEL: New File", windowCaption(s.dc));
    EXPECT_EQ(3000, s.dc.L1);
    EXPECT_EQ(projectFileText(newCase()), projectFileText(s.dc));
}

TEST(FileCommands, ARecentListTheSettingsCannotKeepIsReportedOncePerSession) {
    Session s;
    UnwritableSettings unwritable;
    FileContext ctx{s.dc, catalogue(), s.warnings, unwritable, s.dialogs, s.files};
    s.answer("a.korvp");
    FileCommandOutcome done = saveFileAs(ctx);
    EXPECT_EQ(FileCommandOutcome::Status::done, done.status) << done.message;
    EXPECT_EQ(recentNotStoredMessage, done.warning);
    EXPECT_TRUE(fs::exists(s.folder.file("a.korvp")));

    // Told once: later commands of the session that lose their entry say nothing more.
    s.answer("b.korvp");
    EXPECT_EQ("", saveFileAs(ctx).warning);
    s.answer("a.korvp");
    done = openFile(ctx);
    EXPECT_TRUE(done.caseLoaded);
    EXPECT_EQ("", done.warning);

    // The next session is told again.
    FileSession next{s.files.workingFolder, {}};
    FileContext nextCtx{s.dc, catalogue(), s.warnings, unwritable, s.dialogs, next};
    s.answer("b.korvp");
    EXPECT_EQ(recentNotStoredMessage, openFile(nextCtx).warning);
}

TEST(FileCommands, FolderOfAPath) {
    EXPECT_EQ("/home/e/", folderOf("/home/e/a.korvp"));
    EXPECT_EQ("C:\\work\\", folderOf("C:\\work\\a.korvp"));
    EXPECT_EQ("", folderOf("a.korvp"));
}

} // namespace
} // namespace korvel
