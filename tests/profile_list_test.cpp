// The catalogue lists as the engineer picks from them: by height, then weight, with area and
// weight per metre, narrowed by a typed text; the strengths beside a steel grade.

#include "sections/profile_list.h"

#include "sections/stiffener_section.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

ProfileTable table(std::initializer_list<std::array<float, 6>> rows) {
    ProfileTable t;
    for (const auto& r : rows) t.rows[static_cast<std::size_t>(++t.lastRow)] = r;
    return t;
}

std::vector<int> rowsOf(const std::vector<ProfileListEntry>& entries) {
    std::vector<int> rows;
    for (const ProfileListEntry& e : entries) rows.push_back(e.row);
    return rows;
}

TEST(ProfileListTest, OrdersByHeightThenWeightAndNarrowsByText) {
    // The angle file's order: a 400 before a 100, and two 150s of different weights.
    const ProfileTable angles = table({{0, 400, 100, 13, 18, 0},
                                       {0, 100, 65, 7, 7, 0},
                                       {0, 150, 90, 12, 12, 0},
                                       {0, 150, 90, 9, 9, 0},
                                       {0, 100, 65, 7, 7, 0}});
    const std::vector<ProfileListEntry> entries = profileListEntries(angles, TableKind::l);
    EXPECT_EQ(rowsOf(entries), (std::vector<int>{1, 4, 3, 2, 0})); // equal rows keep their order
    EXPECT_EQ(entries[0].designation, "L100x65x7x7");
    // Web (100 - 7) x 7 and flange 65 x 7, and the weight of that area of steel.
    EXPECT_DOUBLE_EQ(entries[0].area, 93 * 7 + 65 * 7);
    EXPECT_DOUBLE_EQ(entries[0].weight, weightPerMetre(93 * 7 + 65 * 7));
    EXPECT_EQ(profileEntryNote(entries[0], ','), "A = 1106 mm2  8,7 kg/m");

    struct Case {
        const char* typed;
        std::vector<int> rows;
    };
    const Case cases[] = {{"", {1, 4, 3, 2, 0}}, {"150", {3, 2}}, {"x9x", {3}}, {"l 400", {0}}, {"T", {}}};
    for (const Case& c : cases) EXPECT_EQ(rowsOf(filterProfileEntries(entries, c.typed)), c.rows) << c.typed;

    // Flat bars are rectangles, bulb flats carry their area in the table.
    EXPECT_DOUBLE_EQ(profileListEntries(table({{0, 200, 10, 0, 0, 0}}), TableKind::flatbar)[0].area, 2000);
    EXPECT_DOUBLE_EQ(profileListEntries(table({{0, 200, 10, 28, 8, 2560}}), TableKind::bulbFlat)[0].area, 2560);
}

TEST(ProfileListTest, GradesShowTheirStrengthsButTheUsersOwnDoesNot) {
    EXPECT_EQ(materialNote({"Hull AH36", 355, 490, 0.72}, false, '.'), "Fy 355 / Fu 490 MPa");
    EXPECT_EQ(materialNote({"User defined", 235, 400, 1.0}, true, '.'), "");
}

} // namespace
} // namespace korvel
