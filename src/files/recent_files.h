#pragma once

// The recent-file list of the File menu: up to four full paths kept in the per-user settings
// store under application "korvp", section "Recent Files", keys "RecentFile1" (the most recent)
// to "RecentFile4", and the four menu items that show them.

#include "files/settings_store.h"

#include <array>
#include <string>

namespace korvel {

inline constexpr const char* recentApplication = "korvp";
inline constexpr const char* recentSection = "Recent Files";
inline constexpr int recentFileCount = 4;

// "RecentFile1" ... "RecentFile4".
std::string recentKey(int n);

// The recent-file group of the File menu: a separator and four items, all hidden until the
// list first holds a path. Item n (1 to 4) is at index n - 1; its caption is "n. path".
struct RecentMenu {
    bool separatorVisible = false;
    std::array<std::string, recentFileCount> captions;
    std::array<bool, recentFileCount> visible{};

    // The path of item n: its caption without the leading "n. "; empty for an unused item or an
    // n outside 1 to 4.
    std::string entry(int n) const;

    bool operator==(const RecentMenu& o) const {
        return separatorVisible == o.separatorVisible && captions == o.captions && visible == o.visible;
    }
};

// Each change below returns false when the store could not keep every entry it wrote.

// Open: a path already in the menu moves to the top and the entries above it move down one;
// a new path goes to the top and the fourth entry is lost. Compared exactly, case-sensitive.
bool addRecentPromoting(SettingsStore& store, const RecentMenu& menu, const std::string& path);

// Save and Save As: the path goes to the top; a path already listed moves up from its place
// (as Open does), so that every path is listed once.
bool addRecentShifting(SettingsStore& store, const std::string& path);

// Choosing recent item n (1 to 4): the entries above it move down one and the path goes to the
// top; entries below n stay.
bool promoteRecentEntry(SettingsStore& store, const std::string& path, int n);

// The menu after the store changed: with an empty "RecentFile1" the menu stays as it was;
// otherwise the separator and one item per stored path (at most four; empty values and a path
// stored twice are passed over) are shown with their captions. Items are never hidden again here.
RecentMenu rebuildRecentMenu(const SettingsStore& store, RecentMenu menu);

// The folder of the most recent project that still exists: where the file dialogs start. Empty
// when the list is empty or the folder is gone.
std::string lastProjectFolder(const SettingsStore& store);

} // namespace korvel
