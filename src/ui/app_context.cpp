#include "ui/app_context.h"

#include "checks/materials.h"
#include "engine/stress_preparation.h"
#include "sections/girder_section.h"
#include "sections/profile_types.h"

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

    // The same preparation as after opening a file, short of the calculation: the window
    // calculates once it shows the case. A profile that cannot be formed (a catalogue without
    // the new-file row) is remembered by the selection; the first calculation stops there.
    refreshPlateMaterial(ctx.dc, ctx.catalogue);
    prepareStresses(ctx.dc);
    selectProfile(ctx.dc, ctx.catalogue);
    girderProperties(ctx.dc);
    refreshStiffenerMaterial(ctx.dc, ctx.catalogue);
    return std::nullopt;
}

} // namespace korvel
