#pragma once

// How much uniform diminution each member of a panel can take before the first check fails: the
// allowable diminution of survey and life-extension work.
//
// Members and their thicknesses: the plate t; the stiffener's web tw and flange tf (a flat bar has
// the web only; RHS and Trapez have one wall thickness, the web); the girder's web tw and flange
// tf; "all" takes the same diminution on every member the panel has. A diminution d (mm) lowers
// the member's whole thickness by d; heights, widths and spacings stay.
//
// A catalogue profile whose web or flange is diminished (alone or with "all") becomes its built-up
// equivalent; diminishing the plate or the girder keeps the catalogue row. The equivalents: a rolled angle or tee as
// the built-up one of the same H, B, tw, tf; a flat-bar row as the built-up flat bar; a bulb flat as its equivalent
// angle of the section properties (B = c + tw - 0.45 r, tf from the table area). With d = 0 the case is run as given,
// its catalogue row and all.
//
// The allowable diminution is the largest d in [0, thickness - 0.5 mm] for which the case passes
// on the basis chosen for every d' up to it: a scan from 0, the first crossing bracketed and
// bisected, reported rounded down to 0.01 mm. Basis "strength" counts the buckling and yield
// utilisations and the stiffener's web and flange proportions; "all checks" adds the
// minimum-scantling rules (UFt, UFsm, UFgm and the girder's OK/NOK rules), which are newbuilding
// requirements. The substantial-corrosion threshold is original - 0.75 allowable diminution.

#include "studies/study_checks.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace korvel {

enum class Member { plate, web, flange, girderWeb, girderFlange, all };
inline constexpr std::array<Member, 6> allMembers = {Member::plate,     Member::web,          Member::flange,
                                                     Member::girderWeb, Member::girderFlange, Member::all};

// "plate", "web", "flange", "girder-web", "girder-flange", "all".
const char* memberName(Member m);
std::optional<Member> findMember(std::string_view name);

enum class WastageBasis { strength, allChecks };
// The checks a basis counts.
FailedChecks basisChecks(WastageBasis basis);

// The thinnest a member may become: below it a plate is not a plate.
inline constexpr double minimumRemainingThickness = 0.5;
// The substantial-corrosion threshold lies at 75 % of the allowable diminution.
inline constexpr double substantialCorrosionShare = 0.75;

// The case with its catalogue profile replaced by its built-up equivalent (the case itself when
// its profile is built up already); nullopt when the working profile cannot be formed.
std::optional<CaseInputs> builtUpEquivalent(const CaseInputs& c, const Catalogue& catalogue);

// The case member m is diminished from: the built-up equivalent where m thins the stiffener,
// else the case as given; nullopt when the working profile cannot be formed.
std::optional<CaseInputs> diminishableCase(const CaseInputs& c, Member m, const Catalogue& catalogue);

// The member's thickness in the case (as diminishableCase gives it); for "all" the thinnest
// member's. Nullopt where the panel has no such member (a flat bar's flange).
std::optional<double> memberThickness(const CaseInputs& equivalent, Member m);

// The equivalent case with member m diminished by d; d is moved to the diminution the case holds
// (a thickness held in single precision).
CaseInputs diminishedCase(const CaseInputs& equivalent, Member m, double& d);

struct WastageResult {
    enum class Outcome {
        found,        // `allowable` passes; `governing` fails just beyond it
        rangeEnd,     // passes down to the minimum remaining thickness
        asBuiltFails, // fails with no diminution: `governing` as built
        noSuchMember, // the panel has no such member
        noProfile,    // the working profile cannot be formed
    };
    Outcome outcome = Outcome::noSuchMember;
    double original = 0;  // thickness as built (mm)
    double allowable = 0; // allowable diminution (mm), rounded down to 0.01 mm
    std::string governing;
    bool operator==(const WastageResult& o) const {
        return outcome == o.outcome && original == o.original && allowable == o.allowable && governing == o.governing;
    }
    double percent() const { return original > 0 ? 100 * allowable / original : 0; }
    double minimumThickness() const { return original - allowable; }
    double substantialCorrosion() const { return original - substantialCorrosionShare * allowable; }
};

WastageResult allowableDiminution(const CaseInputs& c, Member m, WastageBasis basis, CaseRunner& runner);

// The case with the thicknesses a survey measured (plate, stiffener web and flange, girder web and
// flange; nullopt keeps one as built), a gauged catalogue profile as its built-up equivalent. The
// failure names the reason: a member the panel does not have, or a profile that cannot be formed.
struct GaugedCase {
    std::optional<CaseInputs> inputs;
    std::string problem;
};
GaugedCase gaugedCase(const CaseInputs& c, const std::array<std::optional<double>, 5>& thickness,
                      const Catalogue& catalogue);

} // namespace korvel
