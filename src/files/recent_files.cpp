#include "files/recent_files.h"

#include "design/number_format.h"

namespace korvel {

namespace {

std::string stored(const SettingsStore& store, int n) {
    return store.value(recentApplication, recentSection, recentKey(n));
}

void store(SettingsStore& settings, int n, const std::string& path) {
    settings.setValue(recentApplication, recentSection, recentKey(n), path);
}

// Entries 1 to n - 1 move down one place, bottom first so that nothing is overwritten before
// it has been copied; entry n is overwritten.
void moveDownAbove(SettingsStore& settings, int n) {
    for (int k = n - 1; k >= 1; --k) store(settings, k + 1, stored(settings, k));
}

// Every non-empty entry of 1 to 3 moves down one place; the fourth is lost.
void shiftAll(SettingsStore& settings) {
    for (int k = recentFileCount - 1; k >= 1; --k) {
        const std::string path = stored(settings, k);
        if (!path.empty()) store(settings, k + 1, path);
    }
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

void addRecentPromoting(SettingsStore& settings, const RecentMenu& menu, const std::string& path) {
    for (int n = 1; n <= recentFileCount; ++n) {
        if (menu.entry(n) == path) {
            promoteRecentEntry(settings, path, n);
            return;
        }
    }
    shiftAll(settings);
    store(settings, 1, path);
}

void addRecentShifting(SettingsStore& settings, const std::string& path) {
    shiftAll(settings);
    store(settings, 1, path);
}

void promoteRecentEntry(SettingsStore& settings, const std::string& path, int n) {
    if (n >= 2 && n <= recentFileCount) moveDownAbove(settings, n);
    store(settings, 1, path);
}

RecentMenu rebuildRecentMenu(const SettingsStore& settings, RecentMenu menu) {
    if (stored(settings, 1).empty()) return menu;
    const auto values = settings.sectionValues(recentApplication, recentSection);
    int item = 0;
    for (const auto& [key, path] : values) {
        if (item == recentFileCount) break;
        menu.separatorVisible = true;
        menu.captions[static_cast<std::size_t>(item)] = formatNumber(item + 1, "#") + ". " + path;
        menu.visible[static_cast<std::size_t>(item)] = true;
        ++item;
    }
    return menu;
}

} // namespace korvel
