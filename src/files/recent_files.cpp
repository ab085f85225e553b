#include "files/recent_files.h"

#include "design/number_format.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace korvel {

namespace {

std::string stored(const SettingsStore& store, int n) {
    return store.value(recentApplication, recentSection, recentKey(n));
}

bool store(SettingsStore& settings, int n, const std::string& path) {
    return settings.setValue(recentApplication, recentSection, recentKey(n), path);
}

// Entries 1 to n - 1 move down one place, bottom first so that nothing is overwritten before
// it has been copied; entry n is overwritten.
bool moveDownAbove(SettingsStore& settings, int n) {
    bool kept = true;
    for (int k = n - 1; k >= 1; --k) kept = store(settings, k + 1, stored(settings, k)) && kept;
    return kept;
}

// Every non-empty entry of 1 to 3 moves down one place; the fourth is lost.
bool shiftAll(SettingsStore& settings) {
    bool kept = true;
    for (int k = recentFileCount - 1; k >= 1; --k) {
        const std::string path = stored(settings, k);
        if (!path.empty()) kept = store(settings, k + 1, path) && kept;
    }
    return kept;
}

} // namespace

std::string recentKey(int n) {
    return "RecentFile" + std::to_string(n);
}

std::string RecentMenu::entry(int n) const {
    if (n < 1 || n > recentFileCount) return {};
    const std::string& caption = captions[static_cast<std::size_t>(n - 1)];
    return caption.size() > 3 ? caption.substr(3) : std::string();
}

bool addRecentPromoting(SettingsStore& settings, const RecentMenu& menu, const std::string& path) {
    for (int n = 1; n <= recentFileCount; ++n)
        if (menu.entry(n) == path) return promoteRecentEntry(settings, path, n);
    return addRecentShifting(settings, path);
}

bool addRecentShifting(SettingsStore& settings, const std::string& path) {
    // A path already listed moves to the top instead of being listed twice.
    for (int n = 1; n <= recentFileCount; ++n)
        if (!path.empty() && stored(settings, n) == path) return promoteRecentEntry(settings, path, n);
    const bool shifted = shiftAll(settings);
    return store(settings, 1, path) && shifted;
}

bool promoteRecentEntry(SettingsStore& settings, const std::string& path, int n) {
    const bool moved = n >= 2 && n <= recentFileCount ? moveDownAbove(settings, n) : true;
    return store(settings, 1, path) && moved;
}

RecentMenu rebuildRecentMenu(const SettingsStore& settings, RecentMenu menu) {
    if (stored(settings, 1).empty()) return menu;
    const auto values = settings.sectionValues(recentApplication, recentSection);
    int item = 0;
    std::vector<std::string> shown;
    for (const auto& [key, path] : values) {
        if (item == recentFileCount) break;
        // A list written by an older version may hold a path twice: the menu names it once.
        if (path.empty() || std::find(shown.begin(), shown.end(), path) != shown.end()) continue;
        shown.push_back(path);
        menu.separatorVisible = true;
        menu.captions[static_cast<std::size_t>(item)] = formatNumber(item + 1, "#") + ". " + path;
        menu.visible[static_cast<std::size_t>(item)] = true;
        ++item;
    }
    return menu;
}

std::string lastProjectFolder(const SettingsStore& settings) {
    const std::string path = stored(settings, 1);
    if (path.empty()) return {};
    std::error_code failed;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty() || !std::filesystem::is_directory(folder, failed)) return {};
    return folder.string();
}

} // namespace korvel
