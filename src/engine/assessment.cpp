#include "engine/assessment.h"

#include "checks/materials.h"
#include "sections/girder_section.h"
#include "sections/profile_types.h"

#include <utility>

namespace korvel {

PreparedProfiles runCase(DesignCase& dc, const Catalogue& catalogue, const AssessOptions& options,
                         WarningSink& warnings) {
    PreparedProfiles prepared = prepareSections(dc, catalogue);
    runOnSections(dc, catalogue, options, warnings);
    return prepared;
}

// Everything below reads the inputs of dc and writes only its assessment. Neither section reads
// a material, and the calculation clears the floating-point flags they may have raised.
PreparedProfiles prepareSections(DesignCase& dc, const Catalogue& catalogue) {
    PreparedProfiles prepared;
    // A profile that cannot be formed (a table row the catalogue lacks, a flange width of 0) is
    // remembered by the selection; the calculation then stops there with its reason.
    prepared.stiffener = selectProfile(dc, catalogue);
    prepared.girder = girderProperties(dc);
    return prepared;
}

void runOnSections(DesignCase& dc, const Catalogue& catalogue, const AssessOptions& options, WarningSink& warnings) {
    // A grade outside the list is a fault the calculation reports in its own step.
    refreshPlateMaterial(dc, catalogue);
    refreshStiffenerMaterial(dc, catalogue);
    calculate(dc, catalogue, warnings, options);
}

Assessment assess(const CaseInputs& inputs, const Catalogue& catalogue, const AssessOptions& options,
                  WarningSink& warnings) {
    DesignCase dc;
    static_cast<CaseInputs&>(dc) = inputs;
    runCase(dc, catalogue, options, warnings);
    return std::move(static_cast<Assessment&>(dc));
}

} // namespace korvel
