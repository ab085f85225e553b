#pragma once

// The lightest stiffener (or girder) that passes: every candidate of the chosen families ranked by
// the bare profile's area (Ax, or Ag of the girder) as the section properties compute it, and
// calculated in that order until the number asked for pass. The other member stays as given:
// the girder's own rules (depth, web thickness, brackets) cannot be changed by the stiffener,
// nor the stiffener's proportions by the girder, so they are reported once per case and do not
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
//
// Girder families: built-up angle (LG) and tee (TG) girders over a grid:
//   height H              300 to 1500 mm in steps of 50 mm
//   flange width B        100 to 400 mm in steps of 10 mm, not above H/2
//   thicknesses tw, tf    the plate sizes from 8 mm, with tw <= tf <= 2 tw

#include "design/catalogue.h"
#include "studies/ordered_run.h"
#include "studies/study_checks.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvel {

enum class Family { lTable, bfTable, flatbarTable, flatbar, angle, tee, iSection, angleGirder, teeGirder };
inline constexpr int familyCount = 9;

// "L-table", "BF-table", "Flatbar-table", "FB", "LW", "TG", "IG"; girders "LG", "TG".
const char* familyName(Family f);
bool isGirderFamily(Family f);
// The stiffener family of a name, or with `girder` the girder family.
std::optional<Family> findFamily(std::string_view name, bool girder = false);
std::vector<Family> allFamilies();    // every stiffener family
std::vector<Family> girderFamilies(); // LG, TG

struct Candidate {
    Family family = Family::flatbar;
    int row = -1; // of a table family
    ProfileDims dims;
    double Ax = 0;                                 // Ag of a girder
    double weight() const { return Ax * 7.85e-3; } // kg/m
    bool operator==(const Candidate& o) const {
        return family == o.family && row == o.row && dims == o.dims && Ax == o.Ax;
    }
};

// "L 200x90x9x14" (table rows), "FB 200x10", "LW 200x90x9x12": the family's batch token or
// table and the dimensions.
std::string candidateText(const Candidate& c);

// The case with the candidate as its stiffener or girder.
void applyCandidate(CaseInputs& c, const Candidate& candidate);

// Every candidate of the families, lightest first (equal areas in family and table order), the
// areas computed on `threads` threads. A table row whose dimensions a later row repeats is left
// out: a batch line names it by its dimensions, which find the later one.
std::vector<Candidate> rankedCandidates(const Catalogue& catalogue, const std::vector<Family>& families,
                                        int threads = 1);

// Whether the section checks accept a built-up candidate's proportions for the case's E and
// the Fys in force; table rows are always searched.
bool proportionsAccepted(const CaseInputs& c, const Candidate& candidate, const Catalogue& catalogue);

struct RankedCandidate {
    Candidate candidate;
    CaseVerdict verdict;
    bool passes = false;
    bool operator==(const RankedCandidate& o) const {
        return candidate == o.candidate && verdict == o.verdict && passes == o.passes;
    }
};

struct LightestResult {
    std::vector<RankedCandidate> passing; // the lightest `top` that pass, lightest first
    std::size_t searched = 0;             // candidates calculated, every one lighter than the last winner
    FailedChecks unchangedFailing;        // the rules of the member kept as given that fail
    bool stopped = false;                 // the study was stopped before it finished the case
    bool operator==(const LightestResult& o) const {
        return passing == o.passing && searched == o.searched && unchangedFailing == o.unchangedFailing &&
               stopped == o.stopped;
    }
};

// The rules of the member kept as given, which do not count against a candidate: the girder's
// for a stiffener candidate, the stiffener's proportions for a girder candidate.
FailedChecks unchangedRules(const Candidate& candidate);

// The checks no candidate of the family can change, from the formulas: the plate fields'
// buckling (3/3.1 to 3/3.5: the stiffener enters only through its type's edge restraint, one type
// per family), the plate thickness (3-2-2/9.3: s, t, ps and the plate's strength) and, for a
// stiffener family, the girder's section modulus (3-2-2/7.9: the girder with its plating, Lgs,
// ps and the plate's material factor). When one candidate of the family fails one of them,
// every candidate does; the search then counts the family's candidates as searched and failing
// without calculating them, so that its answer is the exhaustive search's.
FailedChecks familyFixedChecks(Family f);

// Searches the candidates (from rankedCandidates, all stiffeners or all girders) for one case,
// on control.threads threads. control.progress, where given, hears the candidates reached of
// all after each wave; answering false stops the search.
LightestResult lightestCandidates(const CaseInputs& c, const std::vector<Candidate>& candidates, int top,
                                  const Catalogue& catalogue, const StudyControl& control);

} // namespace korvel
