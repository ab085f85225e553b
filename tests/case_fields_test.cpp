// The named quantities of a calculated case, as every listing of them (korvel-batch --detail)
// receives them: each once, in the order of the calculation, with the type it has in the case.

#include "report/case_fields.h"

#include "design/design_case.h"
#include "engine/assessment.h"
#include "files/file_commands.h"
#include "support/fake_warnings.h"
#include "support/test_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <variant>
#include <vector>

namespace korvel {
namespace {

using FieldValue = std::variant<double, float, int, std::string>;

struct Field {
    std::string name;
    FieldValue value;
};

class Recorder final : public CaseFieldVisitor {
public:
    void field(std::string_view name, double value) override { fields.push_back({std::string(name), value}); }
    void field(std::string_view name, float value) override { fields.push_back({std::string(name), value}); }
    void field(std::string_view name, int value) override { fields.push_back({std::string(name), value}); }
    void field(std::string_view name, const std::string& value) override {
        fields.push_back({std::string(name), value});
    }
    std::vector<Field> fields;
};

// The new-file panel, calculated: L1 = 3000, L2 = 2500, s1 = s2 = 625, FS = 1.43.
std::vector<Field> newFileFields() {
    DesignCase dc;
    resetToNewFile(dc);
    IgnoreWarnings warnings;
    runCase(dc, testCatalogue(), {}, warnings);
    Recorder recorder;
    visitCaseFields(dc, recorder);
    return recorder.fields;
}

const Field* find(const std::vector<Field>& fields, const std::string& name) {
    const auto it = std::find_if(fields.begin(), fields.end(), [&](const Field& f) { return f.name == name; });
    return it == fields.end() ? nullptr : &*it;
}

TEST(CaseFields, HandCalculatedValuesWithTheirOwnTypes) {
    const std::vector<Field> fields = newFileFields();
    const struct {
        const char* name;
        FieldValue value;
    } rows[] = {
        {"project", std::string("Project")},
        {"loadingCondition", 0},
        {"FS", 1.43f}, // kept as the float the case holds
        {"L1", 3000.0},
        {"sg", 2750.0},     // (L1 + L2)/2 = (3000 + 2500)/2
        {"s1+s2", 1250.0f}, // 625 + 625, a float in the case
        {"smean", 625.0},   // (s1 + s2)/2
        {"sigyError", std::string("no")},
        {"calculation", std::string("complete")},
    };
    for (const auto& row : rows) {
        const Field* f = find(fields, row.name);
        ASSERT_NE(f, nullptr) << row.name;
        EXPECT_EQ(f->value, row.value) << row.name;
    }
}

TEST(CaseFields, EachNameOnceInTheOrderOfTheCalculation) {
    const std::vector<Field> fields = newFileFields();
    std::set<std::string> names;
    for (const Field& f : fields) EXPECT_TRUE(names.insert(f.name).second) << f.name << " listed twice";
    ASSERT_FALSE(fields.empty());
    EXPECT_EQ(fields.front().name, "project");
    EXPECT_EQ(fields.back().name, "calculation");

    // Each group follows the one before: the last name of a group, then the first of the next.
    const std::vector<std::string> boundaries = {
        "ps",  "sg",   "Sigymax", "TauC[1]", "se[1]",  "TauC[2]",      "se[2]",          "hw",   "Wesw", "hwg",
        "Wgs", "Siga", "io",      "ktau[1]", "gammaO", "c[stiffener]", "girderWebRatio", "UFpb", "UFys", "sigyError"};
    std::vector<std::size_t> positions;
    for (const std::string& name : boundaries) {
        const Field* f = find(fields, name);
        ASSERT_NE(f, nullptr) << name;
        positions.push_back(static_cast<std::size_t>(f - fields.data()));
    }
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    for (std::size_t i : {0u, 2u, 4u, 6u, 8u, 10u, 12u, 14u, 16u, 18u})
        EXPECT_EQ(positions[i] + 1, positions[i + 1]) << boundaries[i] << " then " << boundaries[i + 1];
}

} // namespace
} // namespace korvel
