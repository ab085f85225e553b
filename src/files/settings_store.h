#pragma once

// The per-user settings store: application name, section and key to a text. The window keeps
// the recent-file list in it; the desktop build stores it with the toolkit's settings, the
// command line and the tests keep it in memory.

#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace korvel {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, or an empty text when the key has none.
    virtual std::string value(const std::string& application, const std::string& section,
                              const std::string& key) const = 0;
    // False when the text could not be stored (the settings cannot be written).
    virtual bool setValue(const std::string& application, const std::string& section, const std::string& key,
                          const std::string& text) = 0;
    // Every key of the section with its text, in the store's order (ascending key).
    virtual std::vector<std::pair<std::string, std::string>> sectionValues(const std::string& application,
                                                                           const std::string& section) const = 0;
};

// A store that lives as long as the object: for the command line and the tests.
class MemorySettingsStore final : public SettingsStore {
public:
    std::string value(const std::string& application, const std::string& section,
                      const std::string& key) const override {
        const auto found = values_.find(Key{application, section, key});
        return found == values_.end() ? std::string() : found->second;
    }
    bool setValue(const std::string& application, const std::string& section, const std::string& key,
                  const std::string& text) override {
        values_[Key{application, section, key}] = text;
        return true;
    }
    std::vector<std::pair<std::string, std::string>> sectionValues(const std::string& application,
                                                                   const std::string& section) const override {
        std::vector<std::pair<std::string, std::string>> found;
        for (const auto& [key, text] : values_)
            if (std::get<0>(key) == application && std::get<1>(key) == section)
                found.emplace_back(std::get<2>(key), text);
        return found;
    }

private:
    using Key = std::tuple<std::string, std::string, std::string>;
    std::map<Key, std::string> values_;
};

} // namespace korvel
