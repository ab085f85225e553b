#include "engine/calculate.h"

#include "checks/buckling/panel_buckling.h"
#include "checks/buckling/plate_buckling.h"
#include "checks/buckling/stiffener_buckling.h"
#include "checks/materials.h"
#include "checks/yield/c_factor.h"
#include "checks/yield/scantling_checks.h"
#include "checks/yield/yield_checks.h"
#include "design/check_table.h"
#include "engine/stress_preparation.h"
#include "sections/girder_section.h"
#include "sections/stiffener_section.h"

#include <cfenv>
#include <cmath>
#include <initializer_list>

namespace korvel {

namespace {

std::string describeFloatingPointFault(int raised) {
    if (raised & FE_DIVBYZERO) return "division by zero (a spacing, span, thickness or section property is zero)";
    if (raised & FE_INVALID) return "invalid operation (square root of a negative number or 0/0)";
    return "overflow (a value too large to calculate with)";
}

bool allFinite(const Results& r) {
    bool finite = true;
    r.forEach([&](auto u) { finite = finite && std::isfinite(u.written()); });
    return finite;
}

using LineOf = CheckLine CheckLines::*;

// Runs one step of the calculation and tells whether the calculation may go on. A step fails
// when it says so or when the floating-point unit saw a division by zero, an invalid operation
// or an overflow while it ran (the flags are cleared once per calculation, so a flag that is up
// now was raised by this step). Its results and its own check lines then go back to the
// not-computed markers, so that no number that does not belong to this case is shown.
template <class Step>
bool runStep(DesignCase& dc, const char* name, std::initializer_list<LineOf> ownLines, Step&& step) {
    const Results resultsBefore = dc.uf;
    const StepOutcome outcome = step();
    const int raised = std::fetestexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
    if (outcome.ok() && raised == 0 && allFinite(dc.uf)) return true;

    dc.fault.step = name;
    dc.fault.reason = !outcome.ok() ? outcome.reason
                      : raised != 0 ? describeFloatingPointFault(raised)
                                    : "a result is not a finite number";
    dc.uf = resultsBefore;
    for (const LineOf line : ownLines) dc.lines.*line = CheckLine{};
    return false;
}

void startCalculation(DesignCase& dc, const AssessOptions& options) {
    dc.composeTexts = options.compose == Compose::everything;
    // Nothing derived from the case calculated before may stand in this one: the plated
    // section and its outline, Q and the c-factors are formed again or stay not computed.
    clearPlatedProperties(dc.stiff);
    dc.Q = notComputed;
    // The c-factors depend only on the structure type, its option and UL, so every case has its
    // own, also one whose calculation stops before the scantling checks.
    const bool knownStructure = structureCodeProblem(dc.structureType, dc.structureOption).empty();
    dc.cStiffener = knownStructure ? stiffenerCFactor(dc.structureType, dc.structureOption, dc.UL) : notComputed;
    dc.cGirder = knownStructure ? girderCFactor(dc.structureType, dc.structureOption) : notComputed;
    dc.fault.clear();
    dc.sigyError = false;
    dc.uf = Results{};
    clearCheckLines(dc.lines);
    dc.plate = {};
    dc.buckling = BucklingDetail{};
    dc.girderDepthRatio = notComputed;
    dc.girderWebRatio = notComputed;
    std::feclearexcept(FE_ALL_EXCEPT);
}

} // namespace

void calculate(DesignCase& dc, const Catalogue& catalogue, WarningSink& warnings, const AssessOptions& options) {
    startCalculation(dc, options);
    warnGeometry(dc, warnings);

    const auto materials = [&] {
        const StepOutcome plate = refreshPlateMaterial(dc, catalogue);
        return plate.ok() ? refreshStiffenerMaterial(dc, catalogue) : plate;
    };
    const auto stresses = [&] {
        prepareStresses(dc);
        return StepOutcome::done();
    };
    const auto bendingWidth = [&] {
        prepareBendingWidth(dc);
        return StepOutcome::done();
    };
    // UFgbu must belong to the case's own girder: its properties are formed before the girder
    // buckling check (and again in their place before the girder scantling check).
    const auto girderBuckling = [&] {
        const StepOutcome girder = girderProperties(dc);
        return girder.ok() ? checkGirderBuckling(dc) : girder;
    };

    // Each step stops the calculation when it faults; later steps then keep their markers.
    // A profile that could not be formed has no section to assess.
    const auto profile = [&] {
        return dc.profileProblem.empty() ? StepOutcome::done() : StepOutcome::fault(dc.profileProblem);
    };

    using L = CheckLines;
    runStep(dc, "profile selection", {}, profile) && runStep(dc, "material refresh", {}, materials) &&
        runStep(dc, "stress preparation", {}, stresses) &&
        runStep(dc, "plate buckling", {&L::UFpb, &L::UFpu, &L::UFpl}, [&] { return checkPlates(dc); }) &&
        runStep(dc, "bending width", {}, bendingWidth) &&
        runStep(dc, "stiffener section properties", {}, [&] { return platedProperties(dc); }) &&
        runStep(dc, "stiffener buckling", {&L::UFbu, &L::UFbt, &L::deformation}, [&] { return checkStiffener(dc); }) &&
        runStep(dc, "girder buckling", {&L::UFgbu}, girderBuckling) &&
        runStep(dc, "yield check at points A to D", {&L::corner}, [&] { return cornerCheck(dc); }) &&
        runStep(dc, "yield check at points 1 to 3", {&L::platePoint, &L::stiffPoint},
                [&] { return stiffenerLineCheck(dc); }) &&
        runStep(dc, "overall buckling", {&L::UFs}, [&] { return checkOverallBuckling(dc); }) &&
        runStep(dc, "plate thickness", {&L::plateThickness}, [&] { return plateThicknessCheck(dc); }) &&
        runStep(dc, "stiffener section modulus", {&L::stiffenerModulus},
                [&] { return stiffenerModulusCheck(dc, catalogue); }) &&
        runStep(dc, "girder section properties", {}, [&] { return girderProperties(dc); }) &&
        runStep(dc, "girder scantlings", {&L::girderModulus, &L::girderDepth, &L::girderWeb, &L::trippingBrackets},
                [&] { return girderCheck(dc, catalogue); });
}

} // namespace korvel
