#include "engine/calculate.h"

#include "checks/buckling/panel_buckling.h"
#include "checks/buckling/plate_buckling.h"
#include "checks/buckling/stiffener_buckling.h"
#include "checks/materials.h"
#include "checks/yield/c_factor.h"
#include "checks/yield/scantling_checks.h"
#include "checks/yield/yield_checks.h"
#include "design/check_table.h"
#include "design/floating_point_flags.h"
#include "engine/stress_preparation.h"
#include "sections/girder_section.h"
#include "sections/stiffener_section.h"

#include <cfenv>
#include <cmath>

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

// How the steps are run. In the first pass a step only tells whether it finished: the flags and
// the results are looked at once, after the last step. Only a case that faulted is run again
// step by step, each step checked as it ends, so that it stops in the same step, for the same
// reason and with the same results whichever pass found the fault.
enum class Pass { whole, stepByStep };

// Runs one step of the calculation and tells whether the calculation may go on. Step by step, a
// step fails when it says so or when the floating-point unit saw a division by zero, an invalid
// operation or an overflow while it ran (the flags are cleared once per calculation, so a flag
// that is up now was raised by this step). Its results then go back to
// the not-computed markers, so that no number that does not belong to this case is shown.
template <class Step>
bool runStep(Pass pass, DesignCase& dc, const char* name, Step&& step) {
    if (pass == Pass::whole) return step().ok();

    const Results resultsBefore = dc.uf;
    const StepOutcome outcome = step();
    const int raised = raisedStoppingFlags();
    if (outcome.ok() && raised == 0 && allFinite(dc.uf)) return true;

    dc.fault.step = name;
    dc.fault.reason = !outcome.ok() ? outcome.reason()
                      : raised != 0 ? describeFloatingPointFault(raised)
                                    : "a result is not a finite number";
    dc.uf = resultsBefore;
    return false;
}

// Every quantity the steps derive starts afresh, so that a calculation depends only on the inputs
// and the working profile, and the second pass starts as the first did. A calculation stopped
// early shows what a calculation stopped there always shows, never what one before it derived.
void startCalculation(DesignCase& dc) {
    dc.prep = PreparedStresses{};
    dc.prep.s1s2 = static_cast<float>(dc.s1 + dc.s2);
    dc.se = 0;
    // Nothing derived from the case calculated before may stand in this one: the plated
    // section and its outline, Q and the c-factors are formed again or stay not computed.
    clearPlatedProperties(dc.stiff);
    dc.Q = notComputed;
    // The c-factors depend only on the structure type, its option and UL, so every case has its
    // own, also one whose calculation stops before the scantling checks.
    const bool knownStructure = isStructureCode(dc.structureType, dc.structureOption);
    dc.cStiffener = knownStructure ? stiffenerCFactor(dc.structureType, dc.structureOption, dc.UL) : notComputed;
    dc.cGirder = knownStructure ? girderCFactor(dc.structureType, dc.structureOption) : notComputed;
    dc.fault.clear();
    dc.sigyError = false;
    dc.uf = Results{};
    dc.plate = {};
    dc.buckling = BucklingDetail{};
    dc.yield = YieldDetail{};
    dc.scantling = ScantlingDetail{};
    dc.girderDepthRatio = notComputed;
    dc.girderWebRatio = notComputed;
    clearFloatingPointFlags();
}

// The steps in their fixed order; false when one of them stopped the calculation.
bool runSteps(Pass pass, DesignCase& dc, const Catalogue& catalogue) {
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
    // buckling check. They stand for the girder scantling check too: they depend only on the
    // girder's dimensions, L1, L2, Lg and t, which no step changes, so forming them again there
    // could neither give other numbers nor stop the calculation.
    const auto girderBuckling = [&] {
        const StepOutcome girder = girderProperties(dc);
        return girder.ok() ? checkGirderBuckling(dc) : girder;
    };

    // Each step stops the calculation when it faults; later steps then keep their markers.
    // A profile that could not be formed has no section to assess.
    const auto profile = [&] {
        return dc.profileProblem.empty() ? StepOutcome::done() : StepOutcome::fault(dc.profileProblem);
    };

    return runStep(pass, dc, "profile selection", profile) && runStep(pass, dc, "material refresh", materials) &&
           runStep(pass, dc, "stress preparation", stresses) &&
           runStep(pass, dc, "plate buckling", [&] { return checkPlates(dc); }) &&
           runStep(pass, dc, "bending width", bendingWidth) &&
           runStep(pass, dc, "stiffener section properties", [&] { return platedProperties(dc); }) &&
           runStep(pass, dc, "stiffener buckling", [&] { return checkStiffener(dc); }) &&
           runStep(pass, dc, "girder buckling", girderBuckling) &&
           runStep(pass, dc, "yield check at points A to D", [&] { return cornerCheck(dc); }) &&
           runStep(pass, dc, "yield check at points 1 to 3", [&] { return stiffenerLineCheck(dc); }) &&
           runStep(pass, dc, "overall buckling", [&] { return checkOverallBuckling(dc); }) &&
           runStep(pass, dc, "plate thickness", [&] { return plateThicknessCheck(dc); }) &&
           runStep(pass, dc, "stiffener section modulus", [&] { return stiffenerModulusCheck(dc, catalogue); }) &&
           runStep(pass, dc, "girder scantlings", [&] { return girderCheck(dc, catalogue); });
}

} // namespace

void calculate(DesignCase& dc, const Catalogue& catalogue, WarningSink& warnings, const AssessOptions& options) {
    startCalculation(dc);
    warnGeometry(dc, warnings);
    // A flag the warnings raised is none of the steps': the step-by-step pass would not see it
    // either, so the whole pass does not count it.
    clearFloatingPointFlags();
    if (runSteps(Pass::whole, dc, catalogue) && raisedStoppingFlags() == 0 && allFinite(dc.uf)) return;
    // The whole pass failed exactly when the step-by-step pass would stop: every step is run in
    // both, a step that fails or raises a flag does so in both, and a result that is not finite
    // is one a step made.
    if (options.stop == StopNaming::unnamed) {
        dc.fault.step = unnamedStopStep;
        dc.fault.reason = "the step was not named";
        return;
    }

    // The second pass starts again from the inputs: the steps never write them, nor the working
    // profile; what they derive is either set afresh by startCalculation or formed again from the
    // inputs alike (the strengths in force, the girder section, a Trapez K closed by the plate the
    // profile was selected with).
    startCalculation(dc);
    runSteps(Pass::stepByStep, dc, catalogue);
}

} // namespace korvel
