#pragma once

// The per-user settings store of the desktop: QSettings, one settings file per application name
// ("korvp" for the recent-file list), one group per section. The tests give a file of their own
// so the user's settings are never touched.

#include "files/settings_store.h"

#include <QString>

#include <memory>

class QSettings;

namespace korvel {

class QtSettingsStore final : public SettingsStore {
public:
    // The user's store: the platform's native per-user location of each application name.
    QtSettingsStore();
    // An INI file at `filePath`; the application name becomes the outermost group.
    explicit QtSettingsStore(QString filePath);
    ~QtSettingsStore() override;

    std::string value(const std::string& application, const std::string& section,
                      const std::string& key) const override;
    bool setValue(const std::string& application, const std::string& section, const std::string& key,
                  const std::string& text) override;
    std::vector<std::pair<std::string, std::string>> sectionValues(const std::string& application,
                                                                   const std::string& section) const override;

private:
    // The settings of one application, positioned in its section's group.
    std::unique_ptr<QSettings> open(const std::string& application, const std::string& section) const;

    QString filePath_;
};

} // namespace korvel
