#include "ui/qt_settings_store.h"

#include <QSettings>

#include <algorithm>
#include <utility>

namespace korvel {

QtSettingsStore::QtSettingsStore() = default;

QtSettingsStore::QtSettingsStore(QString filePath) : filePath_(std::move(filePath)) {}

QtSettingsStore::~QtSettingsStore() = default;

std::unique_ptr<QSettings> QtSettingsStore::open(const std::string& application, const std::string& section) const {
    std::unique_ptr<QSettings> settings;
    if (filePath_.isEmpty()) {
        settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                               QString::fromStdString(application));
    } else {
        settings = std::make_unique<QSettings>(filePath_, QSettings::IniFormat);
        settings->beginGroup(QString::fromStdString(application));
    }
    settings->beginGroup(QString::fromStdString(section));
    return settings;
}

std::string QtSettingsStore::value(const std::string& application, const std::string& section,
                                   const std::string& key) const {
    return open(application, section)->value(QString::fromStdString(key)).toString().toStdString();
}

bool QtSettingsStore::setValue(const std::string& application, const std::string& section, const std::string& key,
                               const std::string& text) {
    // Written through at once: the recent list must survive a crash of the session that wrote it.
    auto settings = open(application, section);
    settings->setValue(QString::fromStdString(key), QString::fromStdString(text));
    settings->sync();
    return settings->status() == QSettings::NoError;
}

std::vector<std::pair<std::string, std::string>> QtSettingsStore::sectionValues(const std::string& application,
                                                                                const std::string& section) const {
    auto settings = open(application, section);
    std::vector<std::pair<std::string, std::string>> found;
    for (const QString& key : settings->childKeys())
        found.emplace_back(key.toStdString(), settings->value(key).toString().toStdString());
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace korvel
