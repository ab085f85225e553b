#include "checks/materials.h"

#include <cmath>
#include <limits>

namespace korvel {

namespace {

// Positions 0 to 3 are the hull grades whose factor the rules tabulate.
constexpr int lastTabulatedFactor = 3;

// The case holds a grade's Fu in single precision. The table reader refuses larger values; a
// catalogue made otherwise must not reach the narrowing, which would be undefined for them.
std::optional<StepOutcome> strengthProblem(const Material& grade) {
    if (std::fabs(grade.Fu) <= std::numeric_limits<float>::max()) return std::nullopt;
    return StepOutcome::fault("the Fu of material " + grade.name + " is beyond single precision");
}

} // namespace

const Material* findMaterial(const Catalogue& catalogue, int index) {
    if (!catalogue.materials.hasRow(index)) return nullptr;
    return &catalogue.materials.rows[static_cast<std::size_t>(index)];
}

bool isUserDefinedMaterial(const Catalogue& catalogue, int index) {
    return index >= 0 && index == catalogue.materials.lastRow();
}

std::string materialIndexProblem(std::string_view role, int index) {
    return std::string(role) + " material index " + std::to_string(index) + " is outside the material list";
}

StepOutcome refreshPlateMaterial(DesignCase& dc, const Catalogue& catalogue) {
    const Material* grade = findMaterial(catalogue, dc.plateMaterial);
    if (!grade) return StepOutcome::fault(materialIndexProblem("plate", dc.plateMaterial));
    if (!isUserDefinedMaterial(catalogue, dc.plateMaterial)) {
        if (auto problem = strengthProblem(*grade)) return *problem;
        dc.Fyp = grade->Fy;
        dc.Fup = static_cast<float>(grade->Fu);
    }
    return StepOutcome::done();
}

StepOutcome refreshStiffenerMaterial(DesignCase& dc, const Catalogue& catalogue) {
    const Material* grade = findMaterial(catalogue, dc.stiffenerMaterial);
    if (!grade) return StepOutcome::fault(materialIndexProblem("stiffener", dc.stiffenerMaterial));
    if (!isUserDefinedMaterial(catalogue, dc.stiffenerMaterial)) {
        if (auto problem = strengthProblem(*grade)) return *problem;
        dc.Fys = grade->Fy;
        dc.Fus = static_cast<float>(grade->Fu);
        dc.Q = grade->Q;
    }
    return StepOutcome::done();
}

std::optional<double> materialFactor(const Catalogue& catalogue, int index, double Fy, double Fu) {
    const Material* grade = findMaterial(catalogue, index);
    if (!grade) return std::nullopt;
    if (index <= lastTabulatedFactor) return grade->Q;
    const double strength = Fy + 2 * Fu / 3;
    if (!(strength > 0)) return std::nullopt;
    return 489.55 / strength;
}

} // namespace korvel
