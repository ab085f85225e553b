#include "ui/app_context.h"

#include "engine/assessment.h"
#include "files/data_folder.h"

#include <QDir>
#include <QStandardPaths>

#include <variant>

namespace korvel {

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
