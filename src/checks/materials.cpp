#include "checks/materials.h"

#include <cmath>
#include <limits>

namespace korvel {

namespace {

// Positions 0 to 3 are the hull grades whose factor the rules tabulate.
constexpr int lastTabulatedFactor = 3;

// The case holds a grade's Fu in single precision. The table reader refuses larger values; a
// catalogue made otherwise must not reach the narrowing, which would be undefined for them.
bool fitsSinglePrecision(const Material& grade) {
    return std::fabs(grade.Fu) <= std::numeric_limits<float>::max();
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

namespace {

// Where the strengths in force come from. No text is made unless the grade cannot give them: a
// results run refreshes the materials of every case twice.
enum class Source { list, typed, outsideList, beyondSingle };

struct GradeInForce {
    MaterialStrengths strengths;
    const Material* grade = nullptr;
    Source source = Source::typed;
};

GradeInForce inForce(const Catalogue& catalogue, int index, MaterialStrengths typed) {
    const Material* grade = findMaterial(catalogue, index);
    if (!grade) return {typed, nullptr, Source::outsideList};
    if (isUserDefinedMaterial(catalogue, index)) return {typed, grade, Source::typed};
    if (!fitsSinglePrecision(*grade)) return {typed, grade, Source::beyondSingle};
    return {{grade->Fy, static_cast<float>(grade->Fu)}, grade, Source::list};
}

// The typed strengths stand where a grade cannot give its own, and the calculation stops.
StepOutcome refreshFault(std::string_view role, int index, const GradeInForce& g) {
    if (g.source == Source::outsideList) return StepOutcome::fault(materialIndexProblem(role, index));
    return StepOutcome::fault("the Fu of material " + g.grade->name + " is beyond single precision");
}

bool refreshed(const GradeInForce& g) {
    return g.source == Source::list || g.source == Source::typed;
}

} // namespace

MaterialStrengths plateStrengthsInForce(const CaseInputs& in, const Catalogue& catalogue) {
    return inForce(catalogue, in.plateMaterial, {in.Fyp, in.Fup}).strengths;
}

MaterialStrengths stiffenerStrengthsInForce(const CaseInputs& in, const Catalogue& catalogue) {
    return inForce(catalogue, in.stiffenerMaterial, {in.Fys, in.Fus}).strengths;
}

StepOutcome refreshPlateMaterial(DesignCase& dc, const Catalogue& catalogue) {
    const GradeInForce plate = inForce(catalogue, dc.plateMaterial, {dc.Fyp, dc.Fup});
    dc.plateSteel = plate.strengths;
    return refreshed(plate) ? StepOutcome::done() : refreshFault("plate", dc.plateMaterial, plate);
}

StepOutcome refreshStiffenerMaterial(DesignCase& dc, const Catalogue& catalogue) {
    const GradeInForce stiffener = inForce(catalogue, dc.stiffenerMaterial, {dc.Fys, dc.Fus});
    dc.stiffenerSteel = stiffener.strengths;
    if (stiffener.source == Source::list) dc.Q = stiffener.grade->Q;
    return refreshed(stiffener) ? StepOutcome::done() : refreshFault("stiffener", dc.stiffenerMaterial, stiffener);
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
