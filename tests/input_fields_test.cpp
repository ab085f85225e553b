// The table of typed input fields: that every reader stores a number alike, that every writer
// gives it back, and that the table itself is whole.

#include "checks/materials.h"
#include "design/input_fields.h"
#include "design/input_limits.h"
#include "files/batch_case.h"
#include "files/batch_fields.h"
#include "files/batch_file.h"
#include "files/project_file.h"
#include "files/table_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <variant>

using namespace korvel;

namespace {

namespace fs = std::filesystem;

const Catalogue& programTables() {
    static const Catalogue tables = [] {
        CatalogueLoad load = loadCatalogue(fs::path(KORVEL_TEST_DATA_DIR).parent_path().parent_path() / "data");
        if (const auto* error = std::get_if<TableError>(&load)) ADD_FAILURE() << error->message();
        const auto* c = std::get_if<Catalogue>(&load);
        return c ? *c : Catalogue{};
    }();
    return tables;
}

// A built-up profile, which every batch line can hold, and the user-defined grades, whose
// strengths are the case's own.
CaseInputs writableCase() {
    CaseInputs c;
    c.stiffenerType = stiffLBuiltUp;
    c.plateMaterial = programTables().materials.lastRow();
    c.stiffenerMaterial = programTables().materials.lastRow();
    return c;
}

std::string replaced(const std::string& text, const std::string& separator, int index, const std::string& by) {
    std::string out;
    std::size_t start = 0;
    for (int i = 0;; ++i) {
        const std::size_t end = text.find(separator, start);
        const std::string part = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        out += i == index ? by : part;
        if (end == std::string::npos) return out;
        out += separator;
        start = end + separator.size();
    }
}

// The inputs a batch line of `c` with `text` in the field gives.
CaseInputs fromBatchLine(const CaseInputs& c, const InputField& f, const std::string& text) {
    std::string line;
    EXPECT_TRUE(appendBatchCaseLine(line, c, programTables()));
    line = replaced(line.substr(0, line.size() - 2), "\t", f.batchField, text);
    const BatchRead read = readBatchText(line + "\r\n" + batchEndLine, "t.kori", DecimalMode::period, programTables());
    if (const auto* error = std::get_if<BatchError>(&read)) ADD_FAILURE() << error->message();
    const auto* list = std::get_if<BatchList>(&read);
    return list && !list->entries.empty() ? list->entries[0].inputs : CaseInputs{};
}

// A window's case of `c` with its strengths in force, as a project file stores them.
DesignCase windowCase(const CaseInputs& c) {
    DesignCase dc;
    static_cast<CaseInputs&>(dc) = c;
    dc.plateSteel = plateStrengthsInForce(c, programTables());
    dc.stiffenerSteel = stiffenerStrengthsInForce(c, programTables());
    return dc;
}

// The inputs a project file of `c` with `text` on the field's line gives.
DesignCase fromProjectFile(const CaseInputs& c, const InputField& f, const std::string& text) {
    const DesignCase dc = windowCase(c);
    const std::string file = replaced(projectFileText(dc), "\r\n", f.projectLine - 1, text);
    DesignCase back;
    if (const auto problem = readProjectText(file, programTables(), back))
        ADD_FAILURE() << "line " << problem->line << ": " << problem->problem;
    return back;
}

} // namespace

TEST(InputFields, TheSameTextGivesTheSameBitsInABoxABatchLineAndAProjectFile) {
    // Numbers without an exact binary form, in both precisions: 20.1 must not become
    // 20.100000381469727 in one reader and 20.100000000000001 in another.
    for (const char* text : {"20.1", "1.43", "0.03", "-123.456", "6000.3", "355"}) {
        for (const InputField& f : inputFields) {
            SCOPED_TRACE(std::string(f.symbol) + " = " + text);
            DesignCase typed;
            static_cast<CaseInputs&>(typed) = writableCase();
            validateBox(typed, f.box, text, DecimalMode::period);
            const double box = f.member.get(typed);
            if (f.batchField >= 0) {
                EXPECT_EQ(box, f.member.get(fromBatchLine(writableCase(), f, text)));
            }
            if (f.projectLine > 0) {
                EXPECT_EQ(box, f.member.get(fromProjectFile(writableCase(), f, text)));
            }
            EXPECT_EQ(box, f.member.isSingle() ? static_cast<double>(std::stof(text)) : std::stod(text));
        }
    }
}

TEST(InputFields, EveryWriterGivesEveryFieldBack) {
    // A case whose every field holds its own value, none of them the new-file one.
    CaseInputs c = writableCase();
    double value = 1.25;
    for (const InputField& f : inputFields) f.member.set(c, value += 100.5);

    std::string line;
    ASSERT_TRUE(appendBatchCaseLine(line, c, programTables()));
    const BatchRead read = readBatchText(line + batchEndLine, "t.kori", DecimalMode::period, programTables());
    ASSERT_TRUE(std::holds_alternative<BatchList>(read));
    const CaseInputs batch = std::get<BatchList>(read).entries.at(0).inputs;

    DesignCase project;
    ASSERT_FALSE(readProjectText(projectFileText(windowCase(c)), programTables(), project).has_value());

    for (const InputField& f : inputFields) {
        if (f.batchField >= 0) {
            EXPECT_EQ(f.member.get(c), f.member.get(batch)) << f.symbol << " through a batch line";
        }
        if (f.projectLine > 0) {
            EXPECT_EQ(f.member.get(c), f.member.get(project)) << f.symbol << " through a project file";
        }
    }
}

TEST(InputFields, TheTableIsWhole) {
    std::set<InputBox> boxes;
    std::set<int> batchFieldsSeen, projectLines;
    for (const InputField& f : inputFields) {
        SCOPED_TRACE(f.symbol);
        EXPECT_TRUE(boxes.insert(f.box).second) << "one field per box";
        if (f.batchField >= 0) {
            EXPECT_TRUE(batchFieldsSeen.insert(f.batchField).second) << "one per batch field";
        }
        if (f.projectLine > 0) {
            EXPECT_TRUE(projectLines.insert(f.projectLine).second) << "one per project line";
        }
        EXPECT_EQ(&f, findInputField(f.box));
        EXPECT_EQ(&f, findInputField(std::string_view(f.symbol)));
        if (f.projectLine > 0) {
            EXPECT_EQ(&f, inputFieldAtProjectLine(f.projectLine));
        }
        if (f.batchField >= 0) {
            EXPECT_EQ(&f, batchNumberFields.at(static_cast<std::size_t>(f.batchField)));
        }
        EXPECT_FALSE(fieldBoxText(writableCase(), f.box).empty());
        EXPECT_TRUE(f.test != LimitTest::betweenSingle || f.member.isSingle()) << "a single-precision limit test";
    }
    // Every box of a number has its field; the project's numbers stand on one run of lines.
    for (int box = static_cast<int>(InputBox::t); box <= static_cast<int>(InputBox::UL); ++box)
        EXPECT_EQ(boxes.count(static_cast<InputBox>(box)), 1u) << "box " << box;
    EXPECT_EQ(*projectLines.begin() + static_cast<int>(projectLines.size()) - 1, *projectLines.rbegin());
    EXPECT_EQ(nullptr, findInputField(InputBox::identification));
}
