// The recent-file list of the File menu: how Open, Save and the recent items reorder the four
// entries in the settings store, and how the menu shows them.

#include "files/recent_files.h"
#include "files/settings_store.h"
#include "support/unwritable_settings.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace korvel {
namespace {

using Entries = std::array<std::string, 4>;

Entries stored(const SettingsStore& store) {
    Entries e;
    for (int n = 1; n <= 4; ++n)
        e[static_cast<std::size_t>(n - 1)] = store.value("korvp", "Recent Files", recentKey(n));
    return e;
}

// A store and menu holding the given entries, as after a start-up rebuild.
struct Recent {
    MemorySettingsStore store;
    RecentMenu menu;
    explicit Recent(const Entries& entries) {
        for (int n = 1; n <= 4; ++n)
            if (!entries[static_cast<std::size_t>(n - 1)].empty())
                store.setValue("korvp", "Recent Files", "RecentFile" + std::to_string(n),
                               entries[static_cast<std::size_t>(n - 1)]);
        menu = rebuildRecentMenu(store, menu);
    }
    void open(const std::string& path) {
        addRecentPromoting(store, menu, path);
        menu = rebuildRecentMenu(store, menu);
    }
    void save(const std::string& path) {
        addRecentShifting(store, path);
        menu = rebuildRecentMenu(store, menu);
    }
};

TEST(RecentFiles, KeysAndMenuCaptions) {
    EXPECT_EQ("RecentFile1", recentKey(1));
    EXPECT_EQ("RecentFile4", recentKey(4));

    Recent recent({"/p/a.korvp", "/p/b.korvp", "", ""});
    EXPECT_TRUE(recent.menu.separatorVisible);
    EXPECT_EQ("1. /p/a.korvp", recent.menu.captions[0]);
    EXPECT_EQ("2. /p/b.korvp", recent.menu.captions[1]);
    EXPECT_EQ((std::array<bool, 4>{true, true, false, false}), recent.menu.visible);
    EXPECT_EQ("/p/b.korvp", recent.menu.entry(2));
    EXPECT_EQ("", recent.menu.entry(3));
    EXPECT_EQ("", recent.menu.entry(0));
    EXPECT_EQ("", recent.menu.entry(5));
}

TEST(RecentFiles, EmptyListLeavesTheMenuHidden) {
    MemorySettingsStore store;
    const RecentMenu menu = rebuildRecentMenu(store, RecentMenu{});
    EXPECT_EQ(RecentMenu{}, menu);
}

// Each row: the list before, the path opened, the list after.
struct OpenCase {
    const char* name;
    Entries before;
    std::string path;
    Entries after;
};

class RecentOpen : public ::testing::TestWithParam<OpenCase> {};

TEST_P(RecentOpen, Promotes) {
    const OpenCase& c = GetParam();
    Recent recent(c.before);
    recent.open(c.path);
    EXPECT_EQ(c.after, stored(recent.store));
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(c.after[static_cast<std::size_t>(n - 1)], recent.menu.entry(n)) << "menu item " << n;
}

INSTANTIATE_TEST_SUITE_P(
    RecentFiles, RecentOpen,
    ::testing::Values(
        OpenCase{"FirstFileEver", {"", "", "", ""}, "a", {"a", "", "", ""}},
        OpenCase{"AlreadyFirst", {"a", "b", "c", "d"}, "a", {"a", "b", "c", "d"}},
        OpenCase{"SecondMovesUp", {"a", "b", "c", "d"}, "b", {"b", "a", "c", "d"}},
        // Entry 3 becomes entry 1, entries 1 and 2 move down one, entry 4 stays.
        OpenCase{"ThirdMovesUp", {"a", "b", "c", "d"}, "c", {"c", "a", "b", "d"}},
        OpenCase{"FourthMovesUp", {"a", "b", "c", "d"}, "d", {"d", "a", "b", "c"}},
        // A fifth different file drops the oldest.
        OpenCase{"FifthFileDropsOldest", {"a", "b", "c", "d"}, "e", {"e", "a", "b", "c"}},
        OpenCase{"NewFileIntoShortList", {"a", "b", "", ""}, "e", {"e", "a", "b", ""}},
        // The comparison is exact: another spelling is another file.
        OpenCase{"CaseSensitive", {"/p/A.korvp", "b", "", ""}, "/p/a.korvp", {"/p/a.korvp", "/p/A.korvp", "b", ""}}),
    [](const ::testing::TestParamInfo<OpenCase>& info) { return std::string(info.param.name); });

// Saving under a listed path moves it up rather than listing it twice; a new path shifts the
// others down; a list an older version wrote with a path twice shows it once.
TEST(RecentFiles, SavingListsEachPathOnce) {
    Recent recent({"a", "b", "c", ""});
    recent.save("b");
    EXPECT_EQ((Entries{"b", "a", "c", ""}), stored(recent.store));
    recent.save("x");
    EXPECT_EQ((Entries{"x", "b", "a", "c"}), stored(recent.store));
    recent.save("c");
    EXPECT_EQ((Entries{"c", "x", "b", "a"}), stored(recent.store));

    Recent old({"b", "a", "b", "c"});
    EXPECT_EQ("1. b", old.menu.captions[0]);
    EXPECT_EQ("2. a", old.menu.captions[1]);
    EXPECT_EQ("3. c", old.menu.captions[2]);
    EXPECT_FALSE(old.menu.visible[3]);
}

TEST(RecentFiles, ChoosingAnItemPromotesIt) {
    const struct {
        int n;
        Entries after;
    } rows[] = {
        {1, {"a", "b", "c", "d"}},
        {2, {"b", "a", "c", "d"}},
        {3, {"c", "a", "b", "d"}},
        {4, {"d", "a", "b", "c"}},
    };
    for (const auto& row : rows) {
        Recent recent({"a", "b", "c", "d"});
        promoteRecentEntry(recent.store, recent.menu.entry(row.n), row.n);
        EXPECT_EQ(row.after, stored(recent.store)) << "item " << row.n;
    }
}

TEST(RecentFiles, RebuildNeverHidesItems) {
    Recent recent({"a", "b", "c", "d"});
    // Another program instance cleared entries 2 to 4 of the store.
    for (int n = 2; n <= 4; ++n) recent.store.setValue("korvp", "Recent Files", recentKey(n), "");
    const RecentMenu menu = rebuildRecentMenu(recent.store, recent.menu);
    EXPECT_EQ((std::array<bool, 4>{true, true, true, true}), menu.visible);
    EXPECT_EQ("1. a", menu.captions[0]);
}

TEST(RecentFiles, ChangesSayWhetherTheStoreKeptThem) {
    Recent recent({"a", "b", "", ""});
    EXPECT_TRUE(addRecentShifting(recent.store, "c"));
    EXPECT_TRUE(addRecentPromoting(recent.store, recent.menu, "a"));
    EXPECT_TRUE(promoteRecentEntry(recent.store, "b", 2));

    UnwritableSettings unwritable;
    EXPECT_FALSE(addRecentShifting(unwritable, "c"));
    EXPECT_FALSE(addRecentPromoting(unwritable, recent.menu, "a"));
    EXPECT_FALSE(addRecentPromoting(unwritable, recent.menu, "new"));
    EXPECT_FALSE(promoteRecentEntry(unwritable, "b", 2));
    EXPECT_FALSE(promoteRecentEntry(unwritable, "a", 1));
}

TEST(RecentFiles, OtherApplicationsAndSectionsAreSeparate) {
    MemorySettingsStore store;
    store.setValue("other", "Recent Files", "RecentFile1", "x");
    store.setValue("korvp", "Other", "RecentFile1", "y");
    EXPECT_EQ("", store.value("korvp", "Recent Files", "RecentFile1"));
    EXPECT_EQ(RecentMenu{}, rebuildRecentMenu(store, RecentMenu{}));
}

} // namespace
} // namespace korvel
