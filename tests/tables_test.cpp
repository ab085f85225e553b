// The catalogue and material tables: the free-field file form, the faults a table file can
// have, the shipped data, and the material refresh of the design case.

#include "checks/materials.h"
#include "design/catalogue.h"
#include "design/design_case.h"
#include "files/free_field_reader.h"
#include "files/table_loader.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace korvel {

// Failures show the message rather than the bytes of the record.
void PrintTo(const TableError& error, std::ostream* out) {
    *out << error.message();
}

namespace {

namespace fs = std::filesystem;

// The repository's data folder beside tests/ (taken lexically: tests/data need not exist).
const fs::path dataFolder = fs::path(KORVEL_TEST_DATA_DIR).parent_path().parent_path() / "data";

// A temporary folder holding a complete set of small, valid tables.
void writeValidSet(const TempFolder& folder) {
    folder.write(bfFileName, "200,10,28,8,2560\n");
    folder.write(lFileName, "200,90,9,14\n");
    folder.write(tFileName, "200,90,9,12\n");
    folder.write(flatbarFileName, "180,12\n");
    folder.write(materialFileName, "\"Hull A-E\",235,400,1\n\"User defined\",235,400,0.976\n");
}

ProfileTable expectProfiles(TableKind kind, const std::string& content) {
    ProfileTableLoad load = readProfileTable(kind, "test.dat", content);
    if (const auto* error = std::get_if<TableError>(&load)) ADD_FAILURE() << error->message();
    const auto* table = std::get_if<ProfileTable>(&load);
    return table ? *table : ProfileTable{};
}

// ---- The free-field form -------------------------------------------------------------------

TEST(FreeFieldReader, ReadsValuesLinesAndQuotes) {
    FreeFieldReader reader("  12.5 ,\"a, b\" , plain text\r\n\"\",7\n");
    const std::vector<FreeField> expected = {
        {"12.5", false, 1}, {"a, b", true, 1}, {"plain text", false, 1}, {"", true, 2}, {"7", false, 2}};
    for (const FreeField& field : expected) {
        ASSERT_FALSE(reader.atEnd());
        const FreeFieldRead read = reader.next();
        ASSERT_EQ(read.status, FreeFieldRead::Status::value) << read.problem;
        EXPECT_EQ(read.field, field);
    }
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(reader.next().status, FreeFieldRead::Status::endOfFile);
}

TEST(FreeFieldReader, CommaBeforeLineEndOpensAnEmptyValue) {
    FreeFieldReader reader("1,\n2");
    EXPECT_EQ(reader.next().field.text, "1");
    const FreeFieldRead empty = reader.next();
    EXPECT_EQ(empty.status, FreeFieldRead::Status::value);
    EXPECT_EQ(empty.field.text, "");
    EXPECT_EQ(reader.next().field.text, "2");
    EXPECT_TRUE(reader.atEnd());
}

TEST(FreeFieldReader, MalformedQuotes) {
    struct Case {
        const char* content;
        const char* problem;
    };
    const Case cases[] = {
        {"\"Hull A-E,235\n", "the quoted text on line 1 has no closing quote"},
        {"\"Hull\" A-E,235\n", "unexpected text after the closing quote on line 1"},
    };
    for (const Case& c : cases) {
        FreeFieldReader reader(c.content);
        const FreeFieldRead read = reader.next();
        EXPECT_EQ(read.status, FreeFieldRead::Status::malformed) << c.content;
        EXPECT_EQ(read.problem, c.problem);
    }
}

// A record spread over lines, CR LF line ends, blanks, blank lines and a missing last line end
// all read as the plain one-record-per-line file.
TEST(TableFiles, LayoutsReadTheSame) {
    const ProfileTable plain = expectProfiles(TableKind::t, "200,90,9,12\n300,120,11,15\n");
    ASSERT_EQ(plain.lastRow, 1);
    EXPECT_EQ(plain.value(1, col::H), 300.0f);
    EXPECT_EQ(plain.value(1, col::tfLT), 15.0f);
    const char* layouts[] = {
        "200\n90\n9\n12\n300\n120\n11\n15\n",
        "200,90\n9,12,300\n120,11,15",
        "200,90,9,12\r\n300,120,11,15\r\n",
        "  200 ,\t90, 9 ,12  \n\n300,120,11,15\n\n\n  \n",
        ("\xEF\xBB\xBF" // byte-order mark of an editor that saved as UTF-8
         "200,90,9,12\n300,120,11,15\n"),
        "\"200\",90,9,12\n300,120,11,15\n",
    };
    for (const char* layout : layouts) {
        const ProfileTable table = expectProfiles(TableKind::t, layout);
        EXPECT_EQ(table.lastRow, plain.lastRow) << layout;
        EXPECT_EQ(table.rows, plain.rows) << layout;
    }
}

TEST(TableFiles, DecimalsAndSinglePrecision) {
    const ProfileTable table = expectProfiles(TableKind::bulbFlat, "370,12.5,53.5,16.5,6.779e3\n");
    EXPECT_EQ(table.value(0, col::twFbBf), 12.5f);
    EXPECT_EQ(table.value(0, col::c), 53.5f);
    EXPECT_EQ(table.value(0, col::r), 16.5f);
    EXPECT_EQ(table.value(0, col::Ax), 6779.0f);
    EXPECT_EQ(table.value(0, 0), 0.0f); // column 0 is not used
    EXPECT_EQ(expectProfiles(TableKind::flatbar, "180,0.1\n").value(0, col::twFbBf), 0.1f);
}

TEST(TableFiles, EmptyFileGivesEmptyTable) {
    for (const char* content : {"", "\n", "\r\n  \r\n"}) {
        EXPECT_EQ(expectProfiles(TableKind::l, content).lastRow, -1);
        MaterialTableLoad load = readMaterialTable("KORmat.dat", content);
        ASSERT_TRUE(std::holds_alternative<MaterialTable>(load));
        EXPECT_EQ(std::get<MaterialTable>(load).lastRow(), -1);
    }
}

TEST(TableFiles, FullTablesAreAccepted) {
    std::string profiles;
    for (int row = 0; row < ProfileTable::maxRows; ++row) profiles += std::to_string(100 + row) + ",10\n";
    const ProfileTable table = expectProfiles(TableKind::flatbar, profiles);
    EXPECT_EQ(table.lastRow, 60);
    EXPECT_EQ(table.value(60, col::H), 160.0f);
}

TEST(TableFiles, MaterialNamesQuotedOrNot) {
    MaterialTableLoad load = readMaterialTable("KORmat.dat", "\"S355, t>40\",335,470,0.755\n Plain name ,235,400,1\n");
    ASSERT_TRUE(std::holds_alternative<MaterialTable>(load)) << std::get<TableError>(load).message();
    const MaterialTable& table = std::get<MaterialTable>(load);
    ASSERT_EQ(table.lastRow(), 1);
    EXPECT_EQ(table.rows[0], (Material{"S355, t>40", 335, 470, 0.755}));
    EXPECT_EQ(table.rows[1], (Material{"Plain name", 235, 400, 1}));
}

// ---- Faults --------------------------------------------------------------------------------

std::string repeatedLines(const std::string& line, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += line;
    return text;
}

struct ProfileFault {
    const char* what;
    TableKind kind;
    std::string content;
    int record;
    std::string problem;
};

TEST(TableFiles, ProfileFaultsNameRecordAndProblem) {
    const ProfileFault faults[] = {
        {"letter for a digit", TableKind::l, "200,90,9,14\n250,90,1O,15\n", 2,
         "value 3 is not a number: \"1O\" (line 2)"},
        {"decimal comma", TableKind::flatbar, "180;12\n", 1, "value 1 is not a number: \"180;12\" (line 1)"},
        {"empty value", TableKind::t, "200,,9,12\n", 1, "value 2 is empty where a number is expected (line 1)"},
        {"record cut short", TableKind::t, "200,90,9,12\n250,100,10\n", 2,
         "the file ends after value 3 of the record's 4 values"},
        // The comma opens record 2 with an empty value at the end of line 1.
        {"trailing comma", TableKind::flatbar, "180,12,\n", 2, "value 1 is empty where a number is expected (line 1)"},
        {"too many records", TableKind::flatbar, repeatedLines("180,12\n", 62), 62,
         "more records than the table holds (at most 61)"},
        {"too large for single precision", TableKind::flatbar, "1e39,12\n", 1,
         "value 1 is too large for the table (line 1)"},
        {"beyond double precision", TableKind::flatbar, "180,1" + std::string(400, '0') + "\n", 1,
         "value 2 is too large for the table (line 1)"},
        {"unclosed quote", TableKind::flatbar, "\"180,12\n", 1,
         "value 1: the quoted text on line 1 has no closing quote"},
        // 9 + 10 - 0.45*20 = 10: the flange width equals the web thickness.
        {"bulb flat with B = tw", TableKind::bulbFlat, "200,10,28,8,2560\n200,10,9,20,2560\n", 2,
         "the bulb flat gives B = c + tw - 0.45*r = 10, not greater than tw = 10, so it has no equivalent angle"},
        // 2 + 10 - 0.45*10 = 7.5 < 10.
        {"bulb flat with B < tw", TableKind::bulbFlat, "200,10,2,10,2560\n", 1,
         "the bulb flat gives B = c + tw - 0.45*r = 7.5, not greater than tw = 10, so it has no equivalent angle"},
    };
    for (const ProfileFault& fault : faults) {
        ProfileTableLoad load = readProfileTable(fault.kind, "table.dat", fault.content);
        const auto* error = std::get_if<TableError>(&load);
        ASSERT_NE(error, nullptr) << fault.what;
        EXPECT_EQ(*error, (TableError{"table.dat", fault.record, fault.problem})) << fault.what;
    }
}

TEST(TableFiles, MaterialFaults) {
    struct Case {
        std::string content;
        int record;
        std::string problem;
    };
    const Case faults[] = {
        {"\"S355\",355,490,0.718\n\"S460\",460,54O,0.597\n", 2, "value 3 is not a number: \"54O\" (line 2)"},
        {"\"S355\",355,490\n", 1, "the file ends after value 3 of the record's 4 values"},
        {"\"S355,355,490,0.718\n", 1, "value 1 (the name): the quoted text on line 1 has no closing quote"},
        {repeatedLines("S355,355,490,0.718\n", 24), 24, "more records than the table holds (at most 23)"},
        // Fu is narrowed to single precision when the grade is chosen.
        {"\"S355\",355,490,0.718\n\"Odd\"\n460,1e39,0.6\n", 2, "value 3 is too large for the table (line 3)"},
        {"\"S355\",355,490,0.718\n\"Odd\",460,550,1e400\n", 2, "value 4 is too large for the table (line 2)"},
    };
    for (const Case& fault : faults) {
        MaterialTableLoad load = readMaterialTable("KORmat.dat", fault.content);
        const auto* error = std::get_if<TableError>(&load);
        ASSERT_NE(error, nullptr) << fault.content;
        EXPECT_EQ(*error, (TableError{"KORmat.dat", fault.record, fault.problem}));
    }
}

TEST(TableFiles, MessageNamesFileRecordAndProblem) {
    EXPECT_EQ((TableError{"tprof.dat", 2, "value 3 is not a number: \"9x\" (line 2)"}).message(),
              "Table file tprof.dat, record 2: value 3 is not a number: \"9x\" (line 2)");
    EXPECT_EQ((TableError{"KORmat.dat", 0, "file not found in the folder /opt"}).message(),
              "Table file KORmat.dat: file not found in the folder /opt");
}

TEST(LoadCatalogue, EachMissingFileIsNamed) {
    for (const char* missing : {bfFileName, lFileName, tFileName, flatbarFileName, materialFileName}) {
        TempFolder folder;
        writeValidSet(folder);
        fs::remove(folder.path() / missing);
        CatalogueLoad load = loadCatalogue(folder.path());
        const auto* error = std::get_if<TableError>(&load);
        ASSERT_NE(error, nullptr) << missing;
        EXPECT_EQ(error->file, missing);
        EXPECT_EQ(error->record, 0);
        EXPECT_EQ(error->problem, "file not found in the folder " + folder.path().string());
    }
}

TEST(LoadCatalogue, FolderInPlaceOfAFile) {
    TempFolder folder;
    writeValidSet(folder);
    fs::remove(folder.path() / tFileName);
    fs::create_directory(folder.path() / tFileName);
    CatalogueLoad load = loadCatalogue(folder.path());
    ASSERT_TRUE(std::holds_alternative<TableError>(load));
    EXPECT_EQ(std::get<TableError>(load).file, tFileName);
}

// Bulb flats are loaded first, so their fault is the one reported.
TEST(LoadCatalogue, FirstFaultInLoadingOrderIsReported) {
    TempFolder folder;
    writeValidSet(folder);
    folder.write(bfFileName, "200,10,28,8,2560\n200,10,28,8\n");
    folder.write(materialFileName, "S355,x,490,0.718\n");
    CatalogueLoad load = loadCatalogue(folder.path());
    ASSERT_TRUE(std::holds_alternative<TableError>(load));
    EXPECT_EQ(std::get<TableError>(load).message(),
              "Table file bfprof.dat, record 2: the file ends after value 4 of the record's 5 values");
}

TEST(LoadCatalogue, SmallSetAndEmptyTable) {
    TempFolder folder;
    writeValidSet(folder);
    folder.write(tFileName, "");
    CatalogueLoad load = loadCatalogue(folder.path());
    ASSERT_TRUE(std::holds_alternative<Catalogue>(load)) << std::get<TableError>(load).message();
    const Catalogue& catalogue = std::get<Catalogue>(load);
    EXPECT_EQ(catalogue.bf.lastRow, 0);
    EXPECT_EQ(catalogue.l.lastRow, 0);
    EXPECT_EQ(catalogue.t.lastRow, -1);
    EXPECT_FALSE(catalogue.t.hasRow(0));
    EXPECT_EQ(catalogue.fb.value(0, col::H), 180.0f);
    EXPECT_EQ(catalogue.materials.lastRow(), 1);
}

// ---- The shipped data ----------------------------------------------------------------------

class ShippedData : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        CatalogueLoad load = loadCatalogue(dataFolder);
        if (auto* error = std::get_if<TableError>(&load)) {
            FAIL() << error->message();
        } else {
            catalogue = std::get<Catalogue>(load);
        }
    }
    static Catalogue catalogue;
};
Catalogue ShippedData::catalogue;

// The new-file case selects L row 0, Flatbar row 13 and BF row 16.
TEST_F(ShippedData, NewCaseRows) {
    const DesignCase dc;
    ASSERT_TRUE(catalogue.l.hasRow(dc.lRow));
    EXPECT_EQ(catalogue.l.rows[dc.lRow], (std::array<float, 6>{0, 200, 90, 9, 14, 0})); // L 200x90x9x14
    ASSERT_TRUE(catalogue.fb.hasRow(dc.flatbarRow));
    EXPECT_EQ(catalogue.fb.rows[dc.flatbarRow], (std::array<float, 6>{0, 180, 12, 0, 0, 0})); // Fb 180x12
    ASSERT_TRUE(catalogue.bf.hasRow(dc.bfRow));
    EXPECT_EQ(catalogue.bf.rows[dc.bfRow], (std::array<float, 6>{0, 200, 10, 28, 8, 2560})); // HP 200x10
    ASSERT_TRUE(catalogue.t.hasRow(dc.tRow));
    ASSERT_TRUE(catalogue.materials.hasRow(dc.plateMaterial));
}

// HP 200x10 by hand: B = 28 + 10 - 0.45*8 = 34.4; tf = (2560 - 200*10)/(34.4 - 10) = 560/24.4 = 22.951.
TEST_F(ShippedData, Hp200x10EquivalentAngle) {
    const ProfileTable& bf = catalogue.bf;
    const int row = 16;
    const double B = bf.value(row, col::c) + bf.value(row, col::twFbBf) - 0.45 * bf.value(row, col::r);
    const double tf = (bf.value(row, col::Ax) - bf.value(row, col::H) * bf.value(row, col::twFbBf)) /
                      (B - bf.value(row, col::twFbBf));
    EXPECT_NEAR(B, 34.4, 1e-12);
    EXPECT_NEAR(tf, 22.9508, 1e-4);
}

TEST_F(ShippedData, BulbFlatsSortedWithPositiveEquivalentFlange) {
    const ProfileTable& bf = catalogue.bf;
    EXPECT_GE(bf.lastRow, 16);
    for (int row = 0; row <= bf.lastRow; ++row) {
        const float H = bf.value(row, col::H), tw = bf.value(row, col::twFbBf);
        const double B = bf.value(row, col::c) + tw - 0.45 * bf.value(row, col::r);
        EXPECT_GT(B, tw) << "row " << row;
        EXPECT_GT(bf.value(row, col::Ax) - H * tw, 0.0f) << "row " << row << ": tf would not be positive";
        if (row > 0) {
            const float prevH = bf.value(row - 1, col::H), prevTw = bf.value(row - 1, col::twFbBf);
            EXPECT_TRUE(prevH < H || (prevH == H && prevTw < tw)) << "row " << row << " out of order";
        }
    }
}

TEST_F(ShippedData, ProfilesArePlausible) {
    for (const ProfileTable* table : {&catalogue.l, &catalogue.t}) {
        ASSERT_GE(table->lastRow, 0);
        for (int row = 0; row <= table->lastRow; ++row) {
            const float H = table->value(row, col::H), B = table->value(row, col::B);
            const float tw = table->value(row, col::twLT), tf = table->value(row, col::tfLT);
            EXPECT_TRUE(H > tf && B > tw && tw > 0 && tf > 0) << "row " << row;
        }
    }
    EXPECT_GE(catalogue.fb.lastRow, 13);
    for (int row = 1; row <= catalogue.fb.lastRow; ++row) {
        EXPECT_LE(catalogue.fb.value(row - 1, col::H), catalogue.fb.value(row, col::H)) << "row " << row;
    }
}

TEST_F(ShippedData, SteelGrades) {
    const MaterialTable& materials = catalogue.materials;
    ASSERT_GE(materials.lastRow(), 4);
    ASSERT_LE(materials.lastRow(), 22);
    // The hull grades with the rules' tabulated factors.
    EXPECT_EQ(materials.rows[0], (Material{"Hull A-E", 235, 400, 1.0}));
    EXPECT_EQ(materials.rows[1], (Material{"Hull AH32", 315, 440, 0.78}));
    EXPECT_EQ(materials.rows[2], (Material{"Hull AH36", 355, 490, 0.72}));
    EXPECT_EQ(materials.rows[3], (Material{"Hull AH40", 390, 510, 0.68}));
    EXPECT_EQ(materials.rows.back().name, "User defined");
    // Later rows carry 489.55/(Fy + 2 Fu/3) to three decimals, for information.
    for (int row = 4; row < materials.lastRow(); ++row) {
        const Material& m = materials.rows[row];
        EXPECT_NEAR(m.Q, 489.55 / (m.Fy + 2 * m.Fu / 3), 0.0005) << m.name;
        EXPECT_LT(m.Fy, m.Fu) << m.name;
    }
}

// ---- Material refresh ----------------------------------------------------------------------

// A list of five grades: rows 0 to 4, row 4 the user-defined one.
Catalogue fiveGrades() {
    MaterialTableLoad load = readMaterialTable("KORmat.dat", "\"Hull A-E\",235,400,1.00\n"
                                                             "\"Hull AH32\",315,440,0.78\n"
                                                             "\"Hull AH36\",355,490,0.72\n"
                                                             "\"Hull AH40\",390,510,0.68\n"
                                                             "\"User defined\",999,999,9\n");
    Catalogue catalogue;
    catalogue.materials = std::get<MaterialTable>(load);
    return catalogue;
}

TEST(MaterialRefresh, GradeBelowLastRowIsInForceAndTheTypedStrengthsStay) {
    const Catalogue catalogue = fiveGrades();
    ASSERT_EQ(catalogue.materials.lastRow(), 4);
    DesignCase dc;
    dc.plateMaterial = 3;
    dc.stiffenerMaterial = 1;
    dc.Fyp = 95;
    const CaseInputs typed = dc;
    EXPECT_TRUE(refreshPlateMaterial(dc, catalogue).ok());
    EXPECT_TRUE(refreshStiffenerMaterial(dc, catalogue).ok());
    EXPECT_EQ((MaterialStrengths{390, 510}), dc.plateSteel);
    EXPECT_EQ((MaterialStrengths{315, 440}), dc.stiffenerSteel);
    EXPECT_EQ(dc.plateSteel, plateStrengthsInForce(dc, catalogue));
    EXPECT_EQ(dc.stiffenerSteel, stiffenerStrengthsInForce(dc, catalogue));
    EXPECT_EQ(dc.Q, 0.78);
    EXPECT_EQ(typed, static_cast<const CaseInputs&>(dc));
}

TEST(MaterialRefresh, LastRowKeepsTypedValues) {
    const Catalogue catalogue = fiveGrades();
    DesignCase dc;
    dc.plateMaterial = 4;
    dc.stiffenerMaterial = 4;
    dc.Fyp = 95;
    dc.Fup = 1234.5f;
    dc.Fys = 300;
    dc.Fus = 450.25f;
    dc.Q = 0.81;
    EXPECT_TRUE(isUserDefinedMaterial(catalogue, 4));
    EXPECT_TRUE(refreshPlateMaterial(dc, catalogue).ok());
    EXPECT_TRUE(refreshStiffenerMaterial(dc, catalogue).ok());
    EXPECT_EQ((MaterialStrengths{95, 1234.5f}), dc.plateSteel);
    EXPECT_EQ((MaterialStrengths{300, 450.25f}), dc.stiffenerSteel);
    EXPECT_EQ(dc.Q, 0.81);
}

TEST(MaterialRefresh, IndexOutsideListIsAFault) {
    const Catalogue catalogue = fiveGrades();
    for (int index : {-1, 5, 22, 23}) {
        DesignCase dc;
        dc.plateMaterial = index;
        dc.stiffenerMaterial = index;
        dc.Fyp = 1;
        dc.Fys = 2;
        EXPECT_EQ(refreshPlateMaterial(dc, catalogue).reason(),
                  "plate material index " + std::to_string(index) + " is outside the material list");
        EXPECT_EQ(refreshStiffenerMaterial(dc, catalogue).reason(),
                  "stiffener material index " + std::to_string(index) + " is outside the material list");
        EXPECT_EQ(dc.plateSteel.Fy, 1.0) << "the typed strengths stand";
        EXPECT_EQ(dc.stiffenerSteel.Fy, 2.0);
        EXPECT_EQ(findMaterial(catalogue, index), nullptr);
    }
    DesignCase dc;
    EXPECT_FALSE(refreshPlateMaterial(dc, Catalogue{}).ok()); // no grades loaded at all
}

// A grade beyond single precision that did not come through the table reader: refused, never
// narrowed.
TEST(MaterialRefresh, StrengthBeyondSinglePrecisionIsAFault) {
    Catalogue catalogue = fiveGrades();
    catalogue.materials.rows[1].Fu = 1e39;
    DesignCase dc;
    dc.plateMaterial = 1;
    dc.stiffenerMaterial = 1;
    const std::string reason = "the Fu of material " + catalogue.materials.rows[1].name + " is beyond single precision";
    EXPECT_EQ(refreshPlateMaterial(dc, catalogue).reason(), reason);
    EXPECT_EQ(refreshStiffenerMaterial(dc, catalogue).reason(), reason);
}

TEST(MaterialFactor, TableForHullGradesFormulaAbove) {
    const Catalogue catalogue = fiveGrades();
    struct Case {
        int index;
        double Fy, Fu;
        double Q;
    };
    const Case cases[] = {
        {0, 235, 400, 1.00}, // tabulated, whatever the strengths in force
        {3, 500, 600, 0.68}, // row 3 of the file
        // 489.55/(355 + 2*490/3) = 489.55/681.667 = 0.718166
        {4, 355, 490, 0.7181663},
        // 489.55/(235 + 2*400/3) = 489.55/501.667 = 0.975847
        {4, 235, 400, 0.9758472},
    };
    for (const Case& c : cases) {
        const std::optional<double> Q = materialFactor(catalogue, c.index, c.Fy, c.Fu);
        ASSERT_TRUE(Q.has_value()) << c.index;
        EXPECT_NEAR(*Q, c.Q, 5e-7) << c.index;
    }
    EXPECT_FALSE(materialFactor(catalogue, 5, 355, 490).has_value());
    EXPECT_FALSE(materialFactor(catalogue, -1, 355, 490).has_value());
    EXPECT_FALSE(materialFactor(catalogue, 4, 0, 0).has_value());
}

// ---- Finding a row by its dimensions ---------------------------------------------------------

// One lookup serves the project file (re-finding the stored row) and the batch file (LR, BF): the
// L table keys on H, B, tw; the T table also on tf; flat bars and bulb flats on H, tw. Duplicates
// give the last row, as the dialogs list them in file order.
TEST(CatalogueRows, LastRowWhoseKeyColumnsMatch) {
    const ProfileTable angles = expectProfiles(TableKind::l, "200,90,9,14\n150,90,9,12\n200,90,9,16\n");
    const ProfileTable tees = expectProfiles(TableKind::t, "300,100,10,15\n300,100,10,18\n");
    const ProfileTable flats = expectProfiles(TableKind::flatbar, "200,10\n80,11.3\n");
    const ProfileTable none;
    const ProfileTable bulbs = expectProfiles(TableKind::bulbFlat, "200,10,28,8,2560\n220,11,31,9,3170\n");
    struct Case {
        const char* what;
        const ProfileTable& table;
        TableKind kind;
        RowKey key;
        std::optional<int> row;
    };
    const Case cases[] = {
        {"L: tf is not a key, the later duplicate wins", angles, TableKind::l, {200, 90, 9, 0}, 2},
        {"L: B differs", angles, TableKind::l, {200, 100, 9, 14}, std::nullopt},
        {"T: tf is a key", tees, TableKind::t, {300, 100, 10, 15}, 0},
        {"T: no row with that tf", tees, TableKind::t, {300, 100, 10, 16}, std::nullopt},
        {"flat bar: B and tf not read; 11.3 meets in single precision",
         flats,
         TableKind::flatbar,
         {80, 999, 11.3f, 999},
         1},
        {"flat bar: tw differs", flats, TableKind::flatbar, {80, 0, 11.2f, 0}, std::nullopt},
        {"bulb flat: H and tw", bulbs, TableKind::bulbFlat, {220, 0, 11, 0}, 1},
        {"empty table", none, TableKind::l, {0, 0, 0, 0}, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(lastMatchingRow(c.table, c.kind, c.key), c.row) << c.what;
}

// The table files are read in the order of the enum, each into its own table.
TEST(CatalogueRows, EachKindHasItsFileAndTable) {
    Catalogue cat;
    std::vector<std::string> files;
    for (const TableKind kind : tableKinds) {
        EXPECT_EQ(tableFacts(kind).kind, kind);
        tableOf(cat, kind).lastRow = static_cast<int>(kind);
        files.emplace_back(tableFileName(kind));
    }
    EXPECT_EQ(files, (std::vector<std::string>{bfFileName, lFileName, tFileName, flatbarFileName}));
    EXPECT_EQ(std::vector<int>({cat.bf.lastRow, cat.l.lastRow, cat.t.lastRow, cat.fb.lastRow}),
              (std::vector<int>{0, 1, 2, 3}));
}

} // namespace
} // namespace korvel
