#include "ui/app_context.h"

#include "engine/assessment.h"
#include "files/data_folder.h"

#include <QDir>
#include <QStandardPaths>

#include <algorithm>
#include <variant>

namespace korvel {

std::vector<std::string> programArguments(const std::vector<std::string>& commandLine) {
    // Qt's options, with a value and without, as QApplication and QGuiApplication read them.
    static const std::vector<std::string> withValue = {"platform",
                                                       "platformpluginpath",
                                                       "platformtheme",
                                                       "plugin",
                                                       "qwindowgeometry",
                                                       "geometry",
                                                       "qwindowicon",
                                                       "icon",
                                                       "qwindowtitle",
                                                       "title",
                                                       "session",
                                                       "style",
                                                       "stylesheet",
                                                       "display",
                                                       "name",
                                                       "visual"};
    static const std::vector<std::string> alone = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
    const auto contains = [](const std::vector<std::string>& list, const std::string& name) {
        return std::find(list.begin(), list.end(), name) != list.end();
    };
    std::vector<std::string> own;
    for (std::size_t i = 0; i < commandLine.size(); ++i) {
        const std::string& a = commandLine[i];
        // "-style", "--style" and "-style=fusion" alike; "--pdf" and the others are the program's.
        std::string name = a.size() > 1 && a[0] == '-' ? a.substr(a[1] == '-' ? 2 : 1) : std::string();
        const std::size_t equals = name.find('=');
        const bool joined = equals != std::string::npos;
        if (joined) name.resize(equals);
        if (contains(withValue, name)) {
            if (!joined) ++i; // the value follows
            continue;
        }
        if (contains(alone, name) || name.rfind("qmljsdebugger", 0) == 0) continue;
        own.push_back(a);
    }
    return own;
}

DecimalMode localeDecimalMode(const QLocale& locale) {
    return decimalModeFromSample(locale.toString(1.1, 'f', 1).toStdString());
}

std::optional<TableError> prepareStart(AppContext& ctx, const std::filesystem::path& programFolder) {
    ctx.programFolder = programFolder;
    ctx.files.workingFolder = programFolder.string();
    resetToNewFile(ctx.dc);

    CatalogueLoad loaded = loadCatalogue(programFolder);
    if (auto* error = std::get_if<TableError>(&loaded)) return *error;
    ctx.catalogue = std::move(std::get<Catalogue>(loaded));

    // Run as after opening a file; its geometry warnings are given when the window shows the
    // case and calculates it again.
    IgnoreWarnings shownLater;
    runCase(ctx.dc, ctx.catalogue, {}, shownLater);
    return std::nullopt;
}

std::optional<std::string> settleUserFolders(AppContext& ctx, bool installed) {
    if (!installed) return std::nullopt;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString start = !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
    ctx.files.workingFolder = QDir::toNativeSeparators(start).toStdString();
    ctx.outputFolder =
        std::filesystem::path(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation).toStdU16String());
    return makeDataFolder(ctx.outputFolder);
}

} // namespace korvel
