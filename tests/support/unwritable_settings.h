#pragma once

// A settings store whose file cannot be written: it keeps nothing, and says so on every write.

#include "files/settings_store.h"

#include <string>
#include <utility>
#include <vector>

namespace korvel {

class UnwritableSettings final : public SettingsStore {
public:
    int writes = 0;

    std::string value(const std::string&, const std::string&, const std::string&) const override { return {}; }
    bool setValue(const std::string&, const std::string&, const std::string&, const std::string&) override {
        ++writes;
        return false;
    }
    std::vector<std::pair<std::string, std::string>> sectionValues(const std::string&,
                                                                   const std::string&) const override {
        return {};
    }
};

} // namespace korvel
