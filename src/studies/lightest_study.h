#pragma once

// The lightest stiffener that passes: every candidate of the chosen families ranked by the bare
// profile's area Ax as the section properties compute it, and calculated in that order until the
// number asked for pass. The girder stays as given; its own rules (depth, web thickness,
// brackets) cannot be changed by the stiffener, so they are reported once per case and do not
// count against a candidate.
//
// Families: the rows of the L-table, the BF-table and the flat-bar table, and built-up flat bar
// (FB), angle (LW), tee (TG) and I (IG) over a grid:
//   web height H          50 to 400 mm (flat bar) or 100 to 600 mm, in steps of 10 mm
//   flange width B        50 to 250 mm in steps of 10 mm, not above H
//   thicknesses tw, tf    the plate sizes 6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 18, 20, 22, 25 mm,
//                         with tw <= tf <= 2 tw
// and of those only the proportions the section checks accept for the case's E and Fys (web
// and flange slenderness, ABS 9.7 and 9.9).

#include "design/catalogue.h"
#include "studies/ordered_run.h"
#include "studies/study_checks.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvel {

enum class Family { lTable, bfTable, flatbarTable, flatbar, angle, tee, iSection };
inline constexpr int familyCount = 7;

// "L-table", "BF-table", "Flatbar-table", "FB", "LW", "TG", "IG".
const char* familyName(Family f);
std::optional<Family> findFamily(std::string_view name);
std::vector<Family> allFamilies();

struct Candidate {
    Family family = Family::flatbar;
    int row = -1; // of a table family
    ProfileDims dims;
    double Ax = 0;
    double weight() const { return Ax * 7.85e-3; } // kg/m
    bool operator==(const Candidate& o) const {
        return family == o.family && row == o.row && dims == o.dims && Ax == o.Ax;
    }
};

// "L 200x90x9x14" (table rows), "FB 200x10", "LW 200x90x9x12": the family's batch token or
// table and the dimensions.
std::string candidateText(const Candidate& c);

// The case with the candidate as its stiffener.
void applyCandidate(CaseInputs& c, const Candidate& candidate);

// Every candidate of the families, lightest first (equal areas in family and table order). A
// table row whose dimensions a later row repeats is left out: a batch line names it by its
// dimensions, which find the later one.
std::vector<Candidate> stiffenerCandidates(const Catalogue& catalogue, const std::vector<Family>& families);

// Whether the section checks accept a built-up candidate's proportions for the case's E and
// Fys; table rows are always searched.
bool proportionsAccepted(const CaseInputs& c, const Candidate& candidate);

struct RankedCandidate {
    Candidate candidate;
    CaseVerdict verdict;
    bool passes = false;
};

struct LightestResult {
    std::vector<RankedCandidate> passing; // the lightest `top` that pass, lightest first
    std::size_t searched = 0;             // candidates calculated, every one lighter than the last winner
    StudyChecks girderFailing;            // the girder's own rules that fail with the case as given
    bool stopped = false;                 // the study was stopped before it finished the case
};

// The checks that count against a candidate.
StudyChecks candidateChecks();

// Searches the candidates (from stiffenerCandidates) for one case, on control.threads threads.
LightestResult lightestStiffeners(const CaseInputs& c, const std::vector<Candidate>& candidates, int top,
                                  const Catalogue& catalogue, const StudyControl& control);

} // namespace korvel
