// The batch run: reading ".kori" input files, running a case, the ".koro" results table, the
// start-up run on dummy.kori, and the reference cases against their independently computed
// results (tests/data/reference, compared cell by cell with the tolerances of its compare.py).
//
// tests/data/batch/*.kori are hand-written input files; their expected readings are spelled out
// in the tests below.

#include "design/design_case.h"
#include "design/number_parser.h"
#include "files/batch_results_table.h"
#include "files/batch_run.h"
#include "files/table_loader.h"
#include "report/check_line_texts.h"
#include "sections/profile_types.h"
#include "support/fake_warnings.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace korvel {

void PrintTo(const BatchError& error, std::ostream* out) {
    *out << error.message();
}

namespace {

namespace fs = std::filesystem;

const fs::path testData = fs::path(KORVEL_TEST_DATA_DIR);
const fs::path programData = testData.parent_path().parent_path() / "data";

Catalogue loadTables(const fs::path& folder) {
    CatalogueLoad load = loadCatalogue(folder);
    if (const auto* error = std::get_if<TableError>(&load)) ADD_FAILURE() << error->message();
    const auto* c = std::get_if<Catalogue>(&load);
    return c ? *c : Catalogue{};
}

const Catalogue& programTables() {
    static const Catalogue tables = loadTables(programData);
    return tables;
}

std::vector<std::string> split(const std::string& s, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = s.find(separator, start);
        parts.push_back(s.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return parts;
        start = end + separator.size();
    }
}

BatchList expectList(const BatchRead& read) {
    if (const auto* error = std::get_if<BatchError>(&read)) ADD_FAILURE() << error->message();
    const auto* list = std::get_if<BatchList>(&read);
    return list ? *list : BatchList{};
}

BatchList readFile(const std::string& name, DecimalMode mode = DecimalMode::period,
                   const Catalogue& tables = programTables()) {
    return expectList(readBatchFile((testData / "batch" / name).string(), mode, tables));
}

// A case line of the new-file panel with some fields replaced.
std::string caseWith(std::initializer_list<std::pair<int, std::string>> changes) {
    std::vector<std::string> f = {"Prj",           "Id",     "0",    "1.43", "0.6",  "235",  "400",         "235",
                                  "400",           "206000", "1",    "65",   "0",    "LW",   "200x90x9x12", "TG",
                                  "800x200x10x20", "3000",   "2500", "8000", "6000", "3000", "20",          "625",
                                  "625",           "-100",   "-100", "-30",  "-30",  "40",   "0.03",        "0.03"};
    for (const auto& [field, value] : changes) f.at(static_cast<std::size_t>(field)) = value;
    std::string line;
    for (std::size_t i = 0; i < f.size(); ++i) line += (i ? "\t" : "") + f[i];
    return line;
}

std::string caseLine() {
    return caseWith({});
}
std::string caseLine(int field, const std::string& value) {
    return caseWith({{field, value}});
}

// ---- Reading ---------------------------------------------------------------------------------

TEST(BatchRead, MixedFile) {
    const BatchList list = readFile("mixed.kori");
    ASSERT_EQ(9u, list.entries.size()) << "the lines after the lower-case end are not read";
    EXPECT_EQ(7, list.caseCount());
    EXPECT_EQ(2, list.commentCount());

    const BatchEntry& comment = list.entries[1];
    EXPECT_EQ(BatchKind::comment, comment.kind);
    EXPECT_EQ("%spaces before a comment", comment.comment) << "trimmed, and only field 0 is kept";

    const BatchEntry& lw = list.entries[3];
    EXPECT_EQ("P 2", lw.inputs.projectName) << "spaces around the line go, spaces inside stay";
    EXPECT_EQ(" built-up L ", lw.inputs.identification);
    EXPECT_EQ(4, lw.line);
    EXPECT_EQ(conditionB, lw.inputs.loadingCondition);
    EXPECT_EQ(1.11f, lw.inputs.FS);
    EXPECT_EQ(watertightBulkhead, lw.inputs.structureType);
    EXPECT_EQ(45, lw.inputs.UL);
    EXPECT_EQ(1, lw.inputs.structureOption);
    EXPECT_EQ(0.03, lw.inputs.ps) << "the last field, before the trailing blanks";

    // Tokens: type codes and dimensions.
    const struct {
        std::size_t entry;
        int type;
        std::array<float, 4> dims;
        int girderType;
    } rows[] = {
        {2, stiffLTable, {250, 90, 10, 15}, girderT},    {3, stiffLBuiltUp, {200, 90, 9, 12}, girderT},
        {4, stiffTBuiltUp, {300, 100, 10, 15}, girderL}, {5, stiffFlatbarBuiltUp, {200, 15, 0, 0}, girderT},
        {6, stiffBFTable, {200, 10, 0, 0}, girderT},     {7, stiffIBuiltUp, {300, 120, 10, 15}, girderT},
    };
    for (const auto& row : rows) {
        const BatchEntry& e = list.entries[row.entry];
        EXPECT_EQ(row.type, e.inputs.stiffenerType) << e.inputs.identification;
        EXPECT_EQ(row.dims, e.stiffener) << e.inputs.identification;
        EXPECT_EQ(row.girderType, e.inputs.girderType) << e.inputs.identification;
    }
    EXPECT_EQ((GirderDims{1000, 250, 12, 20}), list.entries[4].inputs.lGirder);

    // Table rows of the program's catalogue: L 250x90x10 is row 1, BF 200x10 row 16; a bulb
    // flat the table lacks falls back to row 0.
    EXPECT_EQ(1, list.entries[2].inputs.lRow);
    EXPECT_EQ(16, list.entries[6].inputs.bfRow);
    EXPECT_EQ(0, list.entries[8].inputs.bfRow);
}

TEST(BatchRead, LastMatchingTableRowWins) {
    Catalogue tables = programTables();
    tables.l.rows[5] = tables.l.rows[1]; // a second L 250x90x10, with another tf
    tables.l.rows[5][col::tfLT] = 99;
    const BatchList list = expectList(readBatchText(caseWith({{13, "LR"}, {14, "250x90x10x15"}}) + "\n" +
                                                        caseWith({{13, "LR"}, {14, "250x90x10.5x15"}}) + "\nEnd",
                                                    "t.kori", DecimalMode::period, tables));
    ASSERT_EQ(2u, list.entries.size());
    EXPECT_EQ(5, list.entries[0].inputs.lRow);
    EXPECT_TRUE(list.entries[0].notes.empty());
    EXPECT_EQ(0, list.entries[1].inputs.lRow) << "no row matches: row 0";
    EXPECT_EQ(std::vector<std::string>{"no L-table row 250x90x10.5; row 0 (L 200x90x9x14) used"},
              list.entries[1].notes);

    // The run says so for every case that takes row 0 in place of its own profile.
    const BatchList bulb = expectList(
        readBatchText(caseWith({{13, "BF"}, {14, "150x9"}}) + "\nEnd", "t.kori", DecimalMode::period, tables));
    RecordingWarnings warnings;
    DesignCase dc;
    runBatchCase(bulb.entries[0], dc, tables, warnings);
    ASSERT_FALSE(warnings.seen.empty());
    EXPECT_EQ("no BF-table row 150x9; row 0 (BF 120x6) used", warnings.seen[0].first);
}

TEST(BatchRead, EmptyCellsAfterTheLastFieldAreACase) {
    const BatchList list =
        expectList(readBatchText(caseLine() + "\t\t \t\nEnd", "t.kori", DecimalMode::period, programTables()));
    ASSERT_EQ(1u, list.entries.size());
    EXPECT_EQ(0.03, list.entries[0].inputs.ps);
}

TEST(BatchRead, CodesRoundHalfToEven) {
    const struct {
        int field;
        const char* text;
        int expected;
    } rows[] = {
        {2, "0.5", 0},  {2, "1.5", 2},  {2, "2.4", 2},  {2, "-0.5", 0},  {10, "0.5", 0},
        {10, "1.5", 2}, {10, "2.5", 2}, {12, "0.5", 0}, {12, "0.51", 1}, {12, "1.49", 1},
    };
    for (const auto& row : rows) {
        const BatchList list = expectList(
            readBatchText(caseLine(row.field, row.text) + "\nEnd", "t.kori", DecimalMode::period, programTables()));
        ASSERT_EQ(1u, list.entries.size());
        const BatchEntry& e = list.entries[0];
        const int got = row.field == 2    ? e.inputs.loadingCondition
                        : row.field == 10 ? e.inputs.structureType
                                          : e.inputs.structureOption;
        EXPECT_EQ(row.expected, got) << "field " << row.field << " = " << row.text;
    }
}

TEST(BatchRead, NumbersInBothDecimalModes) {
    // Period mode: a comma is a decimal point too, and a field that is no number reads 0.
    BatchList list = expectList(readBatchText(caseLine(3, "1,5") + "\n" + caseLine(25, "abc") + "\nEnd\n", "t.kori",
                                              DecimalMode::period, programTables()));
    ASSERT_EQ(2u, list.entries.size());
    EXPECT_EQ(1.5, list.entries[0].inputs.FS);
    EXPECT_EQ(0, list.entries[1].inputs.SigxA);

    // Comma mode: the file of a comma desktop; a period still counts as the decimal mark.
    list = readFile("comma.kori", DecimalMode::comma);
    ASSERT_EQ(2u, list.entries.size());
    const BatchEntry& e = list.entries[1];
    EXPECT_EQ(1.43f, e.inputs.FS);
    EXPECT_EQ(0.6f, e.inputs.UF);
    EXPECT_EQ(44.5, e.inputs.UL);
    EXPECT_EQ(12.5, e.inputs.t);
    EXPECT_EQ(-100.5, e.inputs.SigxA);
    EXPECT_EQ(0.03, e.inputs.p);
}

// Period mode keeps reading a field that is not a number as stored files rely on (its leading
// number, else 0) but says so, and every run of the case warns of it with the case's file and line.
TEST(BatchRead, FieldsThatAreNotNumbersAreReadAsBeforeAndNoted) {
    struct Row {
        std::string field;
        double value;
        const char* note; // empty: a number, nothing to say
    };
    const std::vector<Row> rows = {
        {"nan", 0, R"(SigxA "nan" is not a number; read as 0)"},
        {"inf", 0, R"(SigxA "inf" is not a number; read as 0)"},
        {"0x10", 0, R"(SigxA "0x10" is not a number; read as 0)"},
        {"abc", 0, R"(SigxA "abc" is not a number; read as 0)"},
        {"", 0, R"(SigxA "" is not a number; read as 0)"},
        {"14abc", 14, R"(SigxA "14abc" is not a number; read as 14)"},
        {"-12.5e1x", -125, R"(SigxA "-12.5e1x" is not a number; read as -125)"},
        {std::string("1\0"
                     "4",
                     3),
         1, R"(SigxA "1\x004" is not a number; read as 1)"},
        {"-100", -100, ""},
        {" -1e2 ", -100, ""},
        {"-1,5", -1.5, ""}, // a decimal comma, which period mode takes as its decimal point
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        const BatchList list = expectList(
            readBatchText(caseLine(25, row.field) + "\nEnd\n", "t.kori", DecimalMode::period, programTables()));
        ASSERT_EQ(1u, list.entries.size());
        EXPECT_EQ(row.value, list.entries[0].inputs.SigxA);
        const std::vector<std::string> notes =
            *row.note ? std::vector<std::string>{row.note} : std::vector<std::string>{};
        EXPECT_EQ(notes, list.entries[0].notes);
        DesignCase dc;
        RecordingWarnings warnings;
        runBatchCase(list.entries[0], dc, programTables(), warnings);
        ASSERT_EQ(notes.size(), warnings.seen.size());
        for (std::size_t i = 0; i < notes.size(); ++i) EXPECT_EQ(notes[i], warnings.seen[i].first);
    }
    // Every field is noted by its name, a dimension by its member.
    const BatchList list =
        expectList(readBatchText(caseWith({{4, "x"}, {14, "200x90x9xq"}, {16, "800x200x10x"}}) + "\nEnd\n", "t.kori",
                                 DecimalMode::period, programTables()));
    ASSERT_EQ(1u, list.entries.size());
    EXPECT_EQ((std::vector<std::string>{R"(allowable utilisation factor "x" is not a number; read as 0)",
                                        R"(stiffener dimension "q" is not a number; read as 0)",
                                        R"(girder dimension "" is not a number; read as 0)"}),
              list.entries[0].notes);
    // Comma mode refuses them, as ever.
    EXPECT_TRUE(std::holds_alternative<BatchError>(
        readBatchText(caseLine(25, "nan") + "\nEnd\n", "t.kori", DecimalMode::comma, programTables())));
}

TEST(BatchRead, OnlyCommentsIsAListWithoutCases) {
    const BatchList list = readFile("only_comments.kori");
    EXPECT_EQ(2u, list.entries.size());
    EXPECT_EQ(0, list.caseCount());
    EXPECT_EQ(-1, list.caseIndex(1));
}

TEST(BatchRead, ByteOrderMarkAndEndInAnyCase) {
    for (const char* end : {"End", "END", "eNd", "  end  ", "End\tnotes"}) {
        const BatchList list = expectList(readBatchText("\xEF\xBB\xBF%c\n" + caseLine() + "\n" + end + "\nnot read",
                                                        "t.kori", DecimalMode::period, programTables()));
        ASSERT_EQ(2u, list.entries.size()) << end;
        EXPECT_EQ("%c", list.entries[0].comment);
    }
}

TEST(BatchRead, CaseIndexCountsCasesOnly) {
    const BatchList list = readFile("mixed.kori");
    EXPECT_EQ(2, list.caseIndex(1));
    EXPECT_EQ(3, list.caseIndex(2));
    EXPECT_EQ(8, list.caseIndex(7));
    EXPECT_EQ(-1, list.caseIndex(8));
    EXPECT_EQ(-1, list.caseIndex(0));
}

// Each row: the file text, the line named and the start of the reason.
struct BadFile {
    const char* name;
    std::string text;
    DecimalMode mode;
    int line;
    const char* problem;
};

class BatchReadError : public ::testing::TestWithParam<BadFile> {};

TEST_P(BatchReadError, NamesFileLineAndReason) {
    const BadFile& bad = GetParam();
    const BatchRead read = readBatchText(bad.text, "in.kori", bad.mode, programTables());
    const auto* error = std::get_if<BatchError>(&read);
    ASSERT_NE(nullptr, error) << "read without an error";
    EXPECT_EQ("in.kori", error->file);
    EXPECT_EQ(bad.line, error->line);
    EXPECT_EQ(0u, error->problem.find(bad.problem)) << error->problem;
    EXPECT_EQ("in.kori:" + std::to_string(bad.line) + ": " + error->problem, error->message());
}

const auto P = DecimalMode::period;
const auto C = DecimalMode::comma;

INSTANTIATE_TEST_SUITE_P(
    BatchRead, BatchReadError,
    ::testing::Values(
        BadFile{"Empty", "", P, 1, "the file ends without an \"End\" line"},
        BadFile{"NoEnd", "%a\n" + caseLine() + "\n", P, 3, "the file ends without an \"End\" line"},
        BadFile{"TooFewFields", "%a\n" + caseLine().substr(0, caseLine().rfind('\t')) + "\nEnd", P, 2,
                "a case needs 32 TAB-separated fields, this line has 31"},
        BadFile{"EmptyLine", caseLine() + "\n\nEnd", P, 2, "a case needs 32 TAB-separated fields, this line has 1"},
        BadFile{"CommaModeNotANumber", caseLine(25, "abc") + "\nEnd", C, 1,
                "field 25 (SigxA) is not a number: \"abc\""},
        BadFile{"CommaModeTrailingText", caseLine(9, "206000 MPa") + "\nEnd", C, 1, "field 9 (E) is not a number"},
        BadFile{"LoadingCondition", caseLine(2, "3") + "\nEnd", P, 1,
                "field 2 (loading condition) 3 is outside 0 to 2"},
        BadFile{"StructureType", caseLine(10, "-1") + "\nEnd", P, 1, "field 10 (structure type) -1 is outside 0 to 2"},
        BadFile{"OptionRoundsOut", caseLine(12, "1.5") + "\nEnd", P, 1,
                "field 12 (structure option) 1.5 is outside 0 to 1"},
        BadFile{"UnknownStiffener", caseLine(13, "HP") + "\nEnd", P, 1,
                "field 13: unknown stiffener profile \"HP\" (known: LR, LW, TG, FB, BF, IG)"},
        BadFile{"LowerCaseToken", caseLine(13, "lw") + "\nEnd", P, 1, "field 13: unknown stiffener profile \"lw\""},
        BadFile{"UnknownGirder", caseLine(15, "IG") + "\nEnd", P, 1,
                "field 15: unknown girder profile \"IG\" (known: LG, TG)"},
        BadFile{"UpperCaseX", caseLine(14, "200X90X9X12") + "\nEnd", P, 1,
                "field 14: LW takes 4 dimensions joined by a lower-case x, \"200X90X9X12\" has 1"},
        BadFile{"FlatBarWithFourDimensions", caseLine(13, "FB") + "\nEnd", P, 1, "field 14: FB takes 2 dimensions"},
        BadFile{"GirderThreeDimensions", caseLine(16, "800x200x10") + "\nEnd", P, 1, "field 16: TG takes 4 dimensions"},
        BadFile{"InsertedColumn", caseLine() + "\t0\nEnd", P, 1, "33 fields, a case has 32"},
        BadFile{"ValueAfterEmptyCells", caseLine() + "\t\t \tx\t\nEnd", P, 1, "35 fields, a case has 32"},
        BadFile{"BeyondSinglePrecision", caseLine(26, "1e39") + "\nEnd", P, 1, "field 26 (SigxB) is too large"},
        BadFile{"CommaModeDimension", caseLine(14, "200x90x9xabc") + "\nEnd", C, 1,
                "field 14 (stiffener dimension) is not a number: \"abc\""}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

TEST(BatchRead, AtMost10001Entries) {
    std::string text;
    for (int i = 0; i < maxBatchEntries; ++i) text += i % 2 ? "%note\n" : caseLine() + "\n";
    const BatchList full = expectList(readBatchText(text + "End\n", "big.kori", P, programTables()));
    EXPECT_EQ(10001u, full.entries.size());

    const BatchRead over = readBatchText(text + "%one too many\nEnd\n", "big.kori", P, programTables());
    const auto* error = std::get_if<BatchError>(&over);
    ASSERT_NE(nullptr, error);
    EXPECT_EQ(10002, error->line);
    EXPECT_EQ("more than 10001 entries (cases and comment lines) before the \"End\" line", error->problem);
}

TEST(BatchRead, MissingFile) {
    const std::string path = (testData / "batch" / "no_such_file.kori").string();
    const BatchRead read = readBatchFile(path, P, programTables());
    const auto* error = std::get_if<BatchError>(&read);
    ASSERT_NE(nullptr, error);
    EXPECT_TRUE(error->notFound);
    EXPECT_EQ(path + ": file not found", error->message());
}

// ---- Running a case ----------------------------------------------------------------------------

TEST(BatchRun, CaseTakesTheFileValuesAndTheTableRow) {
    const BatchList list = readFile("mixed.kori");
    DesignCase dc;
    RecordingWarnings warnings;
    runBatchCase(list.entries[2], dc, programTables(), warnings);
    EXPECT_EQ("P1", dc.projectName);
    EXPECT_EQ(15, dc.plateMaterial) << "the user-defined grade, the last of the 16";
    EXPECT_EQ(15, dc.stiffenerMaterial);
    EXPECT_EQ(355, dc.plateSteel.Fy) << "the file's strength stays in force";
    EXPECT_EQ(490.0f, dc.stiffenerSteel.Fu);
    EXPECT_EQ(stiffLTable, dc.stiffenerType);
    EXPECT_EQ(1, dc.lRow);
    EXPECT_EQ(250.0f, dc.H);
    EXPECT_EQ(15.0f, dc.tf) << "tf comes from the table row";
    EXPECT_TRUE(warnings.seen.empty());

    runBatchCase(list.entries[5], dc, programTables(), warnings);
    EXPECT_EQ(stiffFlatbarBuiltUp, dc.stiffenerType);
    EXPECT_EQ(200.0f, dc.flatbarBuiltUp.H);
    EXPECT_EQ(15.0f, dc.flatbarBuiltUp.tw);
    EXPECT_EQ(15.0f, dc.tw);

    runBatchCase(list.entries[4], dc, programTables(), warnings);
    EXPECT_EQ(girderL, dc.girderType);
    EXPECT_EQ((GirderDims{1000, 250, 12, 20}), dc.lGirder);
    EXPECT_EQ(1000, dc.girder.H);
    EXPECT_EQ(0.7f, dc.UF);
}

TEST(BatchRun, GeometryWarningsDoNotStopTheCase) {
    const BatchList list = expectList(readBatchText(caseLine(23, "3100") + "\nEnd", "t.kori", P, programTables()));
    DesignCase dc;
    RecordingWarnings warnings;
    runBatchCase(list.entries[0], dc, programTables(), warnings);
    ASSERT_EQ(2u, warnings.seen.size());
    EXPECT_EQ(" s1 <= L1  ", warnings.seen[0].first);
    EXPECT_EQ(" s1 <= L2  ", warnings.seen[1].first);
    EXPECT_NE(notComputed, dc.uf.UFpb);
}

TEST(BatchRun, EmptyTableStopsTheCase) {
    Catalogue tables = programTables();
    const BatchList list = expectList(readBatchText(caseLine(13, "LR") + "\nEnd", "t.kori", P, tables));
    tables.l.lastRow = -1;
    DesignCase dc;
    IgnoreWarnings warnings;
    runBatchCase(list.entries[0], dc, tables, warnings);
    EXPECT_EQ("profile selection", dc.fault.step);
    EXPECT_EQ(notComputed, dc.uf.UFpb);
    std::string line;
    appendBatchResultLine(line, dc);
    EXPECT_EQ("LR200x90x9.0x12.0", split(line, "\t")[12]) << "the file's own dimensions";
}

// ---- The results table ------------------------------------------------------------------------

TEST(BatchResults, HeaderIsTheReferenceHeader) {
    const std::string expected = readAll(testData / "reference" / "expected.koro");
    EXPECT_EQ(expected.substr(0, expected.find("\r\n") + 2), batchResultsHeader());
    EXPECT_EQ(44u, split(batchResultsHeader(), "\t").size());
}

// A case with results set by hand: every column format at once.
TEST(BatchResults, CaseLineFormats) {
    DesignCase dc;
    dc.projectName = "Rig";
    dc.identification = "Frame 7";
    dc.loadingCondition = conditionB;
    dc.FS = 1.11f;
    dc.UF = 0.8f;
    dc.plateSteel = {355, 489.5f};
    dc.stiffenerSteel = {315, 440};
    dc.E = 206000;
    dc.structureType = watertightBulkhead;
    dc.UL = 5;
    dc.structureOption = 1;
    dc.cStiffener = 0.575;
    dc.stiffenerType = stiffFlatbarBuiltUp;
    dc.H = 200;
    dc.tw = 15;
    dc.girderType = girderL;
    dc.lGirder = GirderDims{1000, 250, 12, 20};
    dc.SigxB = 0.1f; // a float field: written with the digits of the float
    dc.p = 0.1;
    dc.uf.UFpb = 0.914;
    dc.uf.UFpu = 1.005;
    dc.uf.UFpl = 0.004;
    dc.uf.UFbu = Utilisation<double>::notApplicable();
    dc.uf.UFbt = Utilisation<double>::notApplicable();
    dc.uf.UFs = 2.5;
    dc.uf.UFgbu = 0.125f;
    dc.uf.UFy = 0.2;
    dc.uf.UFyp = 0.25;

    std::string line;
    appendBatchResultLine(line, dc);
    EXPECT_EQ(
        "Rig\tFrame 7\tB\t1.11\t0.80\t355/490\t315/440\t2.06E+5\tWatertight bulkhead\t05\t No end attachment\t0.58\t"
        "Fb200x15.0\tLG1000x250x12.0x20.0\t3000\t2500\t8000\t6000\t3000\t20\t625\t625\t-100\t0.1\t-30\t-30\t40\t"
        "0.1\t0.03\tBuckling\t0.91\t1.01\t0.00\tN/A\tN/A\t2.50\t0.13\tScant/Yield\t-2.00\t-2.00\t-2.00\t0.2\t"
        "0.25\t-2.00\r\n",
        line);

    // Structure types 1 and 2 write "-" for the unit length; the option texts of each type.
    const struct {
        int type, option;
        const char* bulkhead;
        const char* unitLength;
        const char* stiffener;
    } rows[] = {
        {0, 0, "Watertight bulkhead", "05", " Ends attached"},
        {1, 0, "Tank bulkhead", "-", " Clip attachment"},
        {1, 1, "Tank bulkhead", "-", " Supported at both ends by girder"},
        {2, 0, "Upper Structure", "-", " Clear of tanks"},
        {2, 1, "Upper Structure", "-", " In way of tanks"},
    };
    for (const auto& row : rows) {
        dc.structureType = row.type;
        dc.structureOption = row.option;
        line.clear();
        appendBatchResultLine(line, dc);
        const std::vector<std::string> cells = split(line, "\t");
        EXPECT_EQ(row.bulkhead, cells[8]);
        EXPECT_EQ(row.unitLength, cells[9]);
        EXPECT_EQ(row.stiffener, cells[10]);
    }

    // UFy has an optional second decimal; the marker keeps one.
    const struct {
        double UFy;
        const char* text;
    } ufy[] = {{-2, "-2.0"}, {1, "1.0"}, {0.996, "1.0"}, {0.125, "0.13"}, {1.3, "1.3"}};
    for (const auto& row : ufy) {
        dc.uf.UFy = row.UFy;
        line.clear();
        appendBatchResultLine(line, dc);
        EXPECT_EQ(row.text, split(line, "\t")[41]) << row.UFy;
    }
}

TEST(BatchResults, StiffenerProfileColumn) {
    DesignCase dc;
    dc.H = 249.6f;
    dc.B = 90;
    dc.tw = 10;
    dc.tf = 9.96f;
    const struct {
        int type;
        const char* text;
    } rows[] = {{stiffLTable, "LR250x90x10.0x10.0"},   {stiffLBuiltUp, "LW250x90x10.0x10.0"},
                {stiffTBuiltUp, "TG250x90x10.0x10.0"}, {stiffIBuiltUp, "IG250x90x10.0x10.0"},
                {stiffFlatbarBuiltUp, "Fb250x10.0"},   {stiffBFTable, "BF250x10.0"}};
    for (const auto& row : rows) {
        dc.stiffenerType = row.type;
        std::string line;
        appendBatchResultLine(line, dc);
        EXPECT_EQ(row.text, split(line, "\t")[12]);
    }
}

TEST(BatchResults, RunWritesEveryEntryInFileOrder) {
    const BatchList list = readFile("mixed.kori");
    DesignCase dc;
    IgnoreWarnings warnings;
    int progressCalls = 0;
    std::vector<std::string> before, after;
    BatchHooks hooks;
    hooks.beforeCase = [&](const BatchEntry& e) { before.push_back(e.inputs.identification); };
    hooks.afterCase = [&](const BatchEntry& e, const DesignCase& d) {
        after.push_back(e.inputs.identification);
        EXPECT_EQ(e.inputs.identification, d.identification);
    };
    hooks.progress = [&](int done, int total) {
        EXPECT_EQ(++progressCalls, done);
        EXPECT_EQ(9, total);
    };
    const BatchResults results = runBatch(list, dc, programTables(), warnings, hooks);

    std::vector<std::string> lines = split(results.text, "\r\n");
    ASSERT_EQ("", lines.back()) << "every line ends in CR LF";
    lines.pop_back();
    ASSERT_EQ(10u, lines.size());
    EXPECT_EQ("% Batch reader test file: one case per stiffener token, both girder tokens", lines[1]);
    EXPECT_EQ("%spaces before a comment", lines[2]);
    for (std::size_t i = 3; i < lines.size(); ++i) {
        EXPECT_EQ(44u, split(lines[i], "\t").size()) << lines[i];
        EXPECT_EQ(std::string::npos, lines[i].find('\n'));
    }
    EXPECT_EQ(7, results.summary.cases);
    EXPECT_EQ(2, results.summary.comments);
    EXPECT_EQ(7u, before.size());
    EXPECT_EQ(before, after);
    EXPECT_EQ(9, progressCalls);
    EXPECT_EQ("bulb flat not in the table", dc.identification) << "the design case holds the last case";
    EXPECT_EQ("BF120x6.0", split(lines[9], "\t")[12]) << "row 0 of the program's BF-table";
}

TEST(BatchResults, ResultsWithoutTextsEqualTheFullCalculation) {
    // A results run gives the numbers of a case run alone, and the last case stays in the design
    // case complete, so that its check lines can be composed.
    const BatchList list = readFile("mixed.kori");
    DesignCase quick;
    IgnoreWarnings warnings;
    const BatchResults results = runBatch(list, quick, programTables(), warnings, {});
    std::string full = batchResultsHeader();
    DesignCase dc;
    for (const BatchEntry& e : list.entries) {
        if (!e.isCase()) {
            full += e.comment + "\r\n";
            continue;
        }
        runBatchCase(e, dc, programTables(), warnings);
        ASSERT_FALSE(composeCheckLines(dc).UFpb.label.empty() && dc.uf.UFpb > 0) << e.inputs.identification;
        appendBatchResultLine(full, dc);
    }
    EXPECT_EQ(full, results.text);
    const CheckLines last = composeCheckLines(dc);
    const CheckLines kept = composeCheckLines(quick);
    EXPECT_EQ(last.UFbt, kept.UFbt);
    EXPECT_EQ(last.girderWeb, kept.girderWeb);
    EXPECT_FALSE(kept.girderWeb.label.empty());
}

TEST(BatchResults, OutputNameRule) {
    const struct {
        const char* input;
        const char* output;
    } rows[] = {
        {"cases.kori", "cases.koro"},
        {"/work/runs/cases.kori", "/work/runs/cases.koro"},
        {"C:\\runs\\cases.kori", "C:\\runs\\cases.koro"},
        {"/work/CASES.KORI", "/work/CASES.koro"},
        {"/work/run.txt", "/work/run.txt.koro"},   // another extension stays
        {"/work/run.koro", "/work/run.koro.koro"}, // never the input's own name
        {"/work/run.kori.bak", "/work/run.kori.bak.koro"},
        {"abcde", "abcde.koro"},
        {"/work/.kori", "/work/.kori.koro"}, // a name that is only the extension keeps it
        {"/work/runs/a.ko", "/work/runs/a.ko.koro"},
        {"x", "x.koro"},
        {"", ".koro"},
    };
    for (const auto& row : rows) EXPECT_EQ(row.output, batchOutputPath(row.input)) << row.input;
}

TEST(BatchResults, WriteReplacesTheFileAndReportsFailures) {
    TempFolder folder;
    const BatchList list = readFile("only_comments.kori");
    DesignCase dc;
    IgnoreWarnings warnings;
    const std::string out = (folder.path() / "out.koro").string();
    std::ofstream(out) << "an older and much longer results table that must disappear completely";
    auto written = writeBatchResults(out, list, dc, programTables(), warnings);
    ASSERT_TRUE(std::holds_alternative<BatchSummary>(written));
    EXPECT_EQ(batchResultsHeader() + "%nothing to calculate\r\n%just notes\r\n", readAll(out));

    const std::string nowhere = (folder.path() / "missing" / "out.koro").string();
    written = writeBatchResults(nowhere, list, dc, programTables(), warnings);
    ASSERT_TRUE(std::holds_alternative<std::string>(written));
    EXPECT_EQ("can't save file - " + nowhere + ": the folder does not exist", std::get<std::string>(written));
}

TEST(BatchResults, CancelledRunLeavesThePreviousTableAndNoTemporaryFile) {
    const BatchList list = readFile("mixed.kori"); // 9 entries: 2 comments, then 7 cases
    const std::string previous = "the table of an earlier run\r\n";
    const struct {
        int cancelAfter; // entries done when the cancel is asked for
        int casesRun;
    } rows[] = {{0, 0}, {1, 0}, {3, 1}, {8, 6}};
    for (const auto& row : rows) {
        TempFolder folder;
        const std::string out = (folder.path() / "out.koro").string();
        std::ofstream(out, std::ios::binary) << previous;
        DesignCase dc;
        IgnoreWarnings warnings;
        int done = 0;
        int casesRun = 0;
        BatchHooks hooks;
        hooks.afterCase = [&](const BatchEntry&, const DesignCase&) { ++casesRun; };
        hooks.progress = [&](int entries, int) { done = entries; };
        hooks.cancelled = [&] { return done == row.cancelAfter; };
        const BatchWritten written = writeBatchResults(out, list, dc, programTables(), warnings, hooks);
        EXPECT_TRUE(std::holds_alternative<BatchCancelled>(written)) << row.cancelAfter;
        EXPECT_EQ(row.cancelAfter, done);
        EXPECT_EQ(row.casesRun, casesRun);
        EXPECT_EQ(previous, readAll(out)) << row.cancelAfter;
        const auto entries = std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator());
        EXPECT_EQ(1, entries) << "no temporary file is left beside the table, cancel after " << row.cancelAfter;
    }

    // The cancel is asked for before each entry only: once the last entry is run the table is written.
    TempFolder folder;
    const std::string out = (folder.path() / "out.koro").string();
    DesignCase dc;
    IgnoreWarnings warnings;
    BatchHooks late;
    bool allDone = false;
    late.progress = [&](int entries, int total) { allDone = entries == total; };
    late.cancelled = [&] { return allDone; };
    EXPECT_TRUE(
        std::holds_alternative<BatchSummary>(writeBatchResults(out, list, dc, programTables(), warnings, late)));
    EXPECT_EQ(runBatch(list, dc, programTables(), warnings).text, readAll(out));

    const BatchResults inMemory = runBatch(list, dc, programTables(), warnings, {{}, {}, {}, [] { return true; }});
    EXPECT_TRUE(inMemory.cancelled);
    EXPECT_EQ(batchResultsHeader(), inMemory.text);
}

// ---- The start-up run --------------------------------------------------------------------------

TEST(StartupBatch, ShippedFileCoversEveryTokenAndStructureType) {
    const BatchList list = expectList(readBatchFile((programData / startupBatchInput).string(), P, programTables()));
    std::set<int> types, structures;
    DesignCase dc;
    RecordingWarnings warnings;
    for (const BatchEntry& e : list.entries) {
        if (!e.isCase()) continue;
        types.insert(e.inputs.stiffenerType);
        structures.insert(e.inputs.structureType);
        // LR and BF dimensions are rows of the shipped tables, not the row-0 fallback.
        if (e.inputs.stiffenerType == stiffLTable) {
            EXPECT_EQ(e.stiffener[0], programTables().l.value(e.inputs.lRow, col::H));
            EXPECT_EQ(e.stiffener[1], programTables().l.value(e.inputs.lRow, col::B));
            EXPECT_EQ(e.stiffener[2], programTables().l.value(e.inputs.lRow, col::twLT));
            EXPECT_EQ(e.stiffener[3], programTables().l.value(e.inputs.lRow, col::tfLT));
        }
        if (e.inputs.stiffenerType == stiffBFTable) {
            EXPECT_EQ(e.stiffener[0], programTables().bf.value(e.inputs.bfRow, col::H));
            EXPECT_EQ(e.stiffener[1], programTables().bf.value(e.inputs.bfRow, col::twFbBf));
        }
        runBatchCase(e, dc, programTables(), warnings);
        EXPECT_FALSE(dc.fault.stopped()) << e.inputs.identification << ": " << dc.fault.message();
    }
    EXPECT_EQ(
        (std::set<int>{stiffLTable, stiffLBuiltUp, stiffTBuiltUp, stiffFlatbarBuiltUp, stiffBFTable, stiffIBuiltUp}),
        types);
    EXPECT_EQ((std::set<int>{0, 1, 2}), structures);
    EXPECT_GE(list.commentCount(), 1);
    EXPECT_TRUE(warnings.seen.empty()) << warnings.seen.front().first;
}

TEST(StartupBatch, RunsTheFileAndKeepsTheLastCase) {
    TempFolder folder;
    fs::copy_file(programData / startupBatchInput, folder.path() / startupBatchInput);
    DesignCase dc;
    IgnoreWarnings warnings;
    const StartupBatch run = runStartupBatch(folder.path(), dc, programTables(), P, warnings);
    ASSERT_EQ(StartupBatch::Status::done, run.status) << run.message;
    const BatchEntry& last = run.list.entries.back();
    EXPECT_EQ(last.inputs.identification, dc.identification);
    EXPECT_EQ(run.list.caseCount(), run.summary.cases);
    const std::string table = readAll(folder.path() / startupBatchOutput);
    EXPECT_EQ(0u, table.find(batchResultsHeader()));
    EXPECT_EQ(static_cast<std::size_t>(run.list.entries.size() + 1), split(table, "\r\n").size() - 1);
}

TEST(StartupBatch, NeverStopsTheProgram) {
    IgnoreWarnings warnings;
    DesignCase untouched;
    untouched.L1 = 1234;

    {
        TempFolder folder; // no dummy.kori
        DesignCase dc = untouched;
        const StartupBatch run = runStartupBatch(folder.path(), dc, programTables(), P, warnings);
        EXPECT_EQ(StartupBatch::Status::inputMissing, run.status);
        EXPECT_EQ("can't find file - " + (folder.path() / startupBatchInput).string(), run.message);
        EXPECT_EQ(1234, dc.L1);
    }
    {
        TempFolder folder; // a dummy.kori without its End line
        std::ofstream(folder.path() / startupBatchInput) << caseLine() << "\n";
        DesignCase dc = untouched;
        const StartupBatch run = runStartupBatch(folder.path(), dc, programTables(), P, warnings);
        EXPECT_EQ(StartupBatch::Status::inputUnreadable, run.status);
        EXPECT_EQ((folder.path() / startupBatchInput).string() + ":2: the file ends without an \"End\" line",
                  run.message);
        EXPECT_EQ(1234, dc.L1);
    }
    {
        TempFolder folder; // dummy.koro cannot be written: a folder stands in its place
        std::ofstream(folder.path() / startupBatchInput) << caseLine(1, "only") << "\nEnd\n";
        fs::create_directory(folder.path() / startupBatchOutput);
        DesignCase dc = untouched;
        const StartupBatch run = runStartupBatch(folder.path(), dc, programTables(), P, warnings);
        EXPECT_EQ(StartupBatch::Status::outputNotWritten, run.status);
        EXPECT_EQ("can't save file - " + (folder.path() / startupBatchOutput).string() + ": it is a folder",
                  run.message);
        EXPECT_EQ("only", dc.identification) << "the cases were run all the same";
        EXPECT_EQ(1u, run.list.entries.size());
    }
}

// ---- The reference cases -----------------------------------------------------------------------

// The tolerances of tests/data/reference/compare.py: text exact; the two-decimal columns (and
// UFy) within 0.01; the E-modulus within one unit of its last digit; the general-number columns
// to 6 significant digits.
bool cellAgrees(const std::string& column, const std::string& expected, const std::string& actual) {
    if (expected == actual) return true;
    const std::optional<double> a = parseFileNumber(expected);
    const std::optional<double> b = parseFileNumber(actual);
    if (!a || !b || !std::isfinite(*a) || !std::isfinite(*b)) return false;
    static const std::set<std::string> general = {"L1",    "L2",    "Lg",    "Lgs",   "Lt",  "t", "s1", "s2",
                                                  "SigxA", "SigxB", "SigyA", "SigyC", "Tau", "p", "ps"};
    static const std::set<std::string> decimals = {"Factor of Safety F.S:",
                                                   "Allowable Usage factor:",
                                                   "C-factor:",
                                                   "UFpb",
                                                   "UFpu",
                                                   "UFpl",
                                                   "UFb",
                                                   "UFbt",
                                                   "UFst",
                                                   "UFgbu",
                                                   "UFt",
                                                   "UFsm",
                                                   "UFgm",
                                                   "UFy",
                                                   "UFyp",
                                                   "UFys"};
    const double big = std::max(std::fabs(*a), std::fabs(*b));
    if (decimals.count(column)) return std::fabs(*a - *b) <= 0.01 + 1e-9;
    if (column == "E-modulus:")
        return big == 0 || std::fabs(*a - *b) <= std::pow(10.0, std::floor(std::log10(big)) - 2) * 1.000001;
    if (general.count(column))
        return big == 0 || std::fabs(*a - *b) <= 0.5 * std::pow(10.0, std::floor(std::log10(big)) - 5) * 1.000001;
    return false;
}

std::vector<std::vector<std::string>> tableRows(const std::string& text) {
    std::vector<std::string> lines = split(text, "\r\n");
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : lines) rows.push_back(split(line, "\t"));
    return rows;
}

TEST(BatchReference, CellByCellAgainstTheIndependentResults) {
    const fs::path reference = testData / "reference";
    const Catalogue tables = loadTables(reference / "tables");
    const BatchList list = expectList(readBatchFile((reference / "cases.kori").string(), P, tables));
    DesignCase dc;
    IgnoreWarnings warnings;
    const BatchResults results = runBatch(list, dc, tables, warnings);

    const auto expected = tableRows(readAll(reference / "expected.koro"));
    const auto actual = tableRows(results.text);
    ASSERT_EQ(expected.size(), actual.size());
    ASSERT_EQ(expected[0], actual[0]) << "header";
    int cells = 0;
    int mismatches = 0;
    std::ostringstream first;
    for (std::size_t r = 1; r < expected.size(); ++r) {
        ASSERT_EQ(expected[r].size(), actual[r].size()) << "line " << r + 1;
        for (std::size_t c = 0; c < expected[r].size(); ++c) {
            ++cells;
            if (cellAgrees(expected[0][c], expected[r][c], actual[r][c])) continue;
            if (++mismatches <= 20)
                first << "\n  line " << r + 1 << " (" << expected[r][1] << ") " << expected[0][c] << ": expected "
                      << expected[r][c] << ", got " << actual[r][c];
        }
    }
    EXPECT_EQ(0, mismatches) << mismatches << " of " << cells
                             << " cells differ from the reference results. The table agrees in full only once every "
                                "check of the calculation (yield and scantling included) is in place; the first "
                                "differences:"
                             << first.str();
}

} // namespace
} // namespace korvel
