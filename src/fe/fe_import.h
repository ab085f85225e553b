#pragma once

// Element stresses of a finite-element model turned into ordinary batch cases: each panel of
// the panel file, under each load combination, becomes one case of its template with SigxA,
// SigxB, SigyA, SigyC and Tau reduced from the membrane stresses of the plate elements inside
// its plate field:
//   SigxA, SigxB  the area-weighted least-squares line sx(y) at y = 0 and y = s1 + s2
//   SigyA, SigyC  the area-weighted least-squares line sy(x) at x = 0 and x = L1
//   Tau           the area-weighted mean of txy
// A combination is formed on the element stresses before the reduction: buckling is not linear
// in the loads, so utilisations are never combined. Units: mm, mm2, MPa.

#include "design/catalogue.h"
#include "fe/fe_inputs.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korvel {

struct FeRequest {
    std::string stresses, panels, templateFile, combinations; // combinations may be empty
    double planeTolerance = 1;                                // mm off the panel plane
    bool plots = false;
};

// One fit's residuals: the area-weighted rms and the largest, with its element.
struct Residual {
    double rms = 0, largest = 0;
    std::int64_t elem = 0;
    bool operator==(const Residual& o) const { return rms == o.rms && largest == o.largest && elem == o.elem; }
};

struct PanelCaseResult {
    std::string panel, combination;
    int elements = 0;
    double coverage = 0;                                        // Sigma w / ((s1 + s2) L1)
    double SigxA = 0, SigxB = 0, SigyA = 0, SigyC = 0, Tau = 0; // before rounding
    Residual sx, sy, tau;
    std::vector<std::string> warnings;
};

struct FePlot {
    std::string name; // file name without extension, safe on every file system
    std::string svg;
};

struct FeOutcome {
    std::string kori;  // the batch file, "End" included
    std::string audit; // the audit table with its header
    std::vector<PanelCaseResult> results;
    std::vector<FePlot> plots;
    std::vector<std::string> errors; // "file:line: problem", in the order found
    bool failed = false;             // a panel or combination failed, or a row could not be read
    bool nothing = false;            // an input file as a whole could not be had: no output at all
};

FeOutcome runFeImport(const FeRequest& request, const Catalogue& catalogue);

} // namespace korvel
