#include "checks/yield/scantling_checks.h"

#include "checks/materials.h"
#include "checks/yield/c_factor.h"
#include "design/number_format.h"

#include <cmath>
#include <optional>
#include <string>

namespace korvel {

namespace {

// The web thickness rule 0.01*Hg + 3 need not exceed 11 mm.
constexpr double webThicknessCap = 11;

bool upperStructureInWayOfTanks(const DesignCase& dc) {
    return dc.structureType == upperStructure && dc.structureOption == 1;
}

StepOutcome notFinite(const char* what) {
    return StepOutcome::fault(std::string(what) + " is not a finite number (check the geometry and the strengths)");
}

// Material factor Q of a material-list position; the fault names the role of the material.
struct Factor {
    std::optional<double> Q;
    std::string problem;
};

Factor factorOf(const Catalogue& catalogue, const char* role, int index, double Fy, double Fu) {
    if (!findMaterial(catalogue, index)) return {std::nullopt, materialIndexProblem(role, index)};
    const std::optional<double> Q = materialFactor(catalogue, index, Fy, Fu);
    if (!Q) {
        return {std::nullopt, std::string("material factor Q of the ") + role +
                                  " material needs Fy + 2*Fu/3 above zero (Fy = " + formatNumber(Fy, "0.0") +
                                  ", Fu = " + formatNumber(Fu, "0.0") + ")"};
    }
    return {Q, {}};
}

// Section modulus of the stiffener or girder with effective plating: the smaller of the two
// fibres, mm3 to cm3.
double smallerModulus(double Wp, double Ws) {
    return (Wp < Ws ? Wp : Ws) / 1000;
}

} // namespace

double designYieldStrength(double Fyp, double Fup) {
    const double limit = 0.72 * Fup;
    return limit < Fyp ? limit : Fyp;
}

double aspectFactor(double alpha) {
    if (alpha > 2) return 1;
    return (3.075 * std::sqrt(alpha) - 2.077) / (alpha + 0.272);
}

StepOutcome plateThicknessCheck(DesignCase& dc) {
    if (!isStructureCode(dc.structureType, dc.structureOption))
        return StepOutcome::fault(structureCodeProblem(dc.structureType, dc.structureOption));
    if (dc.t == 0) return StepOutcome::fault("plate thickness t is zero");
    if (dc.s1 == 0) return StepOutcome::fault("stiffener spacing s1 is zero");
    const double fy = designYieldStrength(dc.plateSteel.Fy, dc.plateSteel.Fu);
    if (fy == 0) return StepOutcome::fault("design yield strength fy of the plate is zero (Fyp or Fup is zero)");

    // The aspect ratio always belongs to plate 1; the thickness to the wider plate.
    const double alpha = dc.L1 / dc.s1;
    if (alpha < 0) {
        return StepOutcome::fault("square root of a negative number: the aspect ratio L1/s1 = " +
                                  formatNumber(alpha, "0.00") + " is negative");
    }
    const double k = aspectFactor(alpha);
    const double q = 235 / fy;
    if (q < 0) {
        return StepOutcome::fault("square root of a negative number: the design yield strength fy = " +
                                  formatNumber(fy, "0.0") + " is negative");
    }
    const double ps = std::fabs(dc.ps);
    const double h = 100 * ps; // head of water, m
    const bool plate2Wider = dc.s2 > dc.s1;
    const double s = plate2Wider ? dc.s2 : dc.s1;

    double tl = 0;
    double treq = 0;
    if (dc.structureType == watertightBulkhead) {
        tl = 6;
        if (tl < s / 200 + 2.5) tl = s / 200 + 2.5;
        treq = s * k * std::sqrt(q * h) / 290 + 1.5;
    } else if (dc.structureType == upperStructure && dc.structureOption == 0) {
        // Clear of tanks: the deck-house formula on the pressure itself.
        tl = 5;
        treq = 0.0039 * s * std::sqrt(1000 * q * ps / 7.05) + 1.5;
    } else {
        // Tank bulkheads, and upper structure in way of tanks, which is built as a tank boundary.
        tl = 6.5;
        if (tl < s / 150 + 2.5) tl = s / 150 + 2.5;
        treq = s * k * std::sqrt(q * h) / 254 + 2.5;
    }
    // A NaN here would lose every comparison and let tl through unnoticed.
    if (!std::isfinite(treq)) return notFinite("required plate thickness treq");
    const double tmin = treq > tl ? treq : tl;
    const double UFt = tmin / dc.t;
    if (!std::isfinite(UFt)) return notFinite("UFt = tmin/t");

    dc.uf.UFt = UFt;
    dc.scantling.tmin = tmin;
    dc.scantling.tminPlate = plate2Wider ? 2 : 1;
    return StepOutcome::done();
}

StepOutcome stiffenerModulusCheck(DesignCase& dc, const Catalogue& catalogue) {
    if (!isStructureCode(dc.structureType, dc.structureOption))
        return StepOutcome::fault(structureCodeProblem(dc.structureType, dc.structureOption));
    const double Weffmin = smallerModulus(dc.stiff.Wp, dc.stiff.Ws);
    if (Weffmin == 0) return StepOutcome::fault("section modulus of the stiffener with plating (Wp or Ws) is zero");

    // Positions 0 to 3 carry the tabulated factor; later grades compute it from the strengths.
    const Factor stiffener =
        factorOf(catalogue, "stiffener", dc.stiffenerMaterial, dc.stiffenerSteel.Fy, dc.stiffenerSteel.Fu);
    if (!stiffener.Q) return StepOutcome::fault(stiffener.problem);
    const Factor plate = factorOf(catalogue, "plate", dc.plateMaterial, dc.plateSteel.Fy, dc.plateSteel.Fu);
    if (!plate.Q) return StepOutcome::fault(plate.problem);
    // The weaker material governs; on equal yield strength the plate's factor.
    const double Q = dc.stiffenerSteel.Fy < dc.plateSteel.Fy ? *stiffener.Q : *plate.Q;

    const double c = stiffenerCFactor(dc.structureType, dc.structureOption, dc.UL);
    const double h = dc.structureType == upperStructure ? std::fabs(1000 * dc.ps / 7.05) : 100 * std::fabs(dc.ps);
    const double span = dc.L1 / 1000;
    const double SM = 7.8 * c * h * (dc.s1 / 1000) * (span * span) * Q; // cm3
    const double UFsm = SM / Weffmin;
    if (!std::isfinite(UFsm)) return notFinite("UFsm = SM/Weffmin");

    dc.uf.UFsm = UFsm;
    dc.Q = Q;
    dc.cStiffener = c;
    dc.scantling.stiffenerSM = SM;
    dc.scantling.stiffenerWeffmin = Weffmin;
    return StepOutcome::done();
}

StepOutcome girderCheck(DesignCase& dc, const Catalogue& catalogue) {
    if (!isStructureCode(dc.structureType, dc.structureOption))
        return StepOutcome::fault(structureCodeProblem(dc.structureType, dc.structureOption));
    const double Weffmin = smallerModulus(dc.girder.Wgp, dc.girder.Wgs);
    if (Weffmin == 0) return StepOutcome::fault("section modulus of the girder with plating (Wgp or Wgs) is zero");
    const double Hg = dc.girder.H;
    const double tw = dc.girder.tw;
    if (Hg == 0) return StepOutcome::fault("girder height Hg is zero");
    if (tw == 0) return StepOutcome::fault("girder web thickness tw is zero");

    // The girder is of the plate material.
    const Factor plate = factorOf(catalogue, "plate", dc.plateMaterial, dc.plateSteel.Fy, dc.plateSteel.Fu);
    if (!plate.Q) return StepOutcome::fault(plate.problem);
    const double Q = *plate.Q;

    const double c = girderCFactor(dc.structureType, dc.structureOption);
    const double Lgs = dc.Lgs;
    const double l = Lgs / 1000; // unsupported span, m
    const double breadth = dc.prep.sg / 1000;
    double SM = 0; // cm3
    if (dc.structureType == watertightBulkhead) {
        // 3-2-2/7.9 has 4.7 and no c in the formula.
        SM = 4.7 * 100 * std::fabs(dc.ps) * breadth * (l * l) * Q;
    } else if (dc.structureType == tankBulkhead) {
        SM = 4.74 * c * 100 * std::fabs(dc.ps) * breadth * (l * l) * Q;
    } else {
        SM = 4.74 * c * std::fabs(100 * dc.ps) * breadth * (l * l) * Q;
    }
    const double UFgm = SM / Weffmin;

    double hmin = 0;
    if (dc.structureType == watertightBulkhead) {
        hmin = Lgs / 12;
    } else if (dc.structureType == tankBulkhead) {
        hmin = Lgs / 8;
    } else {
        hmin = upperStructureInWayOfTanks(dc) ? 0.125 * Lgs : 0.0583 * Lgs;
    }
    const double depthRatio = hmin / Hg;
    double twmin = 0.01 * Hg + 3;
    if (twmin > webThicknessCap) twmin = webThicknessCap;
    const double webRatio = twmin / tw;

    if (!std::isfinite(UFgm)) return notFinite("UFgm = SM/Weffmin");
    if (!std::isfinite(depthRatio)) return notFinite("girder depth ratio hmin/Hg");
    if (!std::isfinite(webRatio)) return notFinite("girder web ratio twmin/tw");

    dc.uf.UFgm = UFgm;
    dc.girderDepthRatio = depthRatio;
    dc.girderWebRatio = webRatio;
    dc.Q = Q;
    dc.cGirder = c;
    dc.scantling.girderSM = SM;
    dc.scantling.girderWeffmin = Weffmin;
    dc.scantling.hmin = hmin;
    dc.scantling.twmin = twmin;
    return StepOutcome::done();
}

} // namespace korvel
