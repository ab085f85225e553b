#include "checks/materials.h"

#include <cmath>
#include <limits>
#include <utility>

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

namespace {

// The strengths a position puts in force, the grade of the list that gives them (nullptr at the
// user-defined position and outside the list) and why they could not be taken from the list.
struct GradeInForce {
    MaterialStrengths strengths;
    const Material* listed = nullptr;
    StepOutcome outcome;
};

GradeInForce inForce(const Catalogue& catalogue, std::string_view role, int index, MaterialStrengths typed) {
    GradeInForce g{typed, nullptr, StepOutcome::done()};
    const Material* grade = findMaterial(catalogue, index);
    if (!grade) {
        g.outcome = StepOutcome::fault(materialIndexProblem(role, index));
        return g;
    }
    if (isUserDefinedMaterial(catalogue, index)) return g;
    if (auto problem = strengthProblem(*grade)) {
        g.outcome = *problem;
        return g;
    }
    g.strengths = {grade->Fy, static_cast<float>(grade->Fu)};
    g.listed = grade;
    return g;
}

GradeInForce plateGrade(const CaseInputs& in, const Catalogue& catalogue) {
    return inForce(catalogue, "plate", in.plateMaterial, {in.Fyp, in.Fup});
}

GradeInForce stiffenerGrade(const CaseInputs& in, const Catalogue& catalogue) {
    return inForce(catalogue, "stiffener", in.stiffenerMaterial, {in.Fys, in.Fus});
}

} // namespace

MaterialStrengths plateStrengthsInForce(const CaseInputs& in, const Catalogue& catalogue) {
    return plateGrade(in, catalogue).strengths;
}

MaterialStrengths stiffenerStrengthsInForce(const CaseInputs& in, const Catalogue& catalogue) {
    return stiffenerGrade(in, catalogue).strengths;
}

StepOutcome refreshPlateMaterial(DesignCase& dc, const Catalogue& catalogue) {
    GradeInForce plate = plateGrade(dc, catalogue);
    dc.plateSteel = plate.strengths;
    return std::move(plate.outcome);
}

StepOutcome refreshStiffenerMaterial(DesignCase& dc, const Catalogue& catalogue) {
    GradeInForce stiffener = stiffenerGrade(dc, catalogue);
    dc.stiffenerSteel = stiffener.strengths;
    if (stiffener.listed) dc.Q = stiffener.listed->Q;
    return std::move(stiffener.outcome);
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
