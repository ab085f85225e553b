#include "studies/wastage_study.h"

#include "sections/profile_type_table.h"
#include "sections/profile_types.h"
#include "studies/crossing_search.h"

#include <cmath>

namespace korvel {

namespace {

constexpr std::array<const char*, allMembers.size()> memberNames = {"plate",      "web",           "flange",
                                                                    "girder-web", "girder-flange", "all"};

// The members "all" diminishes together.
constexpr std::array<Member, 5> singleMembers = {Member::plate, Member::web, Member::flange, Member::girderWeb,
                                                 Member::girderFlange};

// Where a member's thickness is held in the case: in double precision (the plate, the girder
// web) or in single precision (the stiffener's dimensions, the girder flange).
struct ThicknessRef {
    double* real = nullptr;
    float* single = nullptr;
    double value() const { return real ? *real : static_cast<double>(*single); }
};

// The remembered set the working profile of a built-up case comes from, in the scratch case.
ProfileDims* stiffenerDims(DesignCase& scratch) {
    return builtUpDims(scratch, scratch.stiffenerType);
}

std::optional<ThicknessRef> thicknessOf(DesignCase& scratch, Member m) {
    switch (m) {
    case Member::plate:
        return ThicknessRef{&scratch.t, nullptr};
    case Member::web:
    case Member::flange: {
        const StiffenerTypeFacts* facts = stiffenerTypeFacts(scratch.stiffenerType);
        ProfileDims* dims = stiffenerDims(scratch);
        if (!facts || !dims) return std::nullopt;
        // One wall thickness for web and top (RHS, Trapez): the web member; a flat bar has no flange.
        if (m == Member::web) return ThicknessRef{nullptr, &dims->tw};
        if (facts->wallThickness || !(facts->fields & fieldTf)) return std::nullopt;
        return ThicknessRef{nullptr, &dims->tf};
    }
    case Member::girderWeb:
    case Member::girderFlange: {
        GirderDims* g = girderDims(scratch, scratch.girderType);
        if (!g) return std::nullopt;
        return m == Member::girderWeb ? ThicknessRef{&g->tw, nullptr} : ThicknessRef{nullptr, &g->tf};
    }
    case Member::all:
        break;
    }
    return std::nullopt;
}

DesignCase scratchOf(const CaseInputs& c) {
    DesignCase scratch;
    static_cast<CaseInputs&>(scratch) = c;
    return scratch;
}

} // namespace

const char* memberName(Member m) {
    return memberNames[static_cast<std::size_t>(m)];
}

std::optional<Member> findMember(std::string_view name) {
    for (const Member m : allMembers)
        if (name == memberName(m)) return m;
    return std::nullopt;
}

FailedChecks basisChecks(WastageBasis basis) {
    FailedChecks counted;
    counted.set();
    if (basis == WastageBasis::allChecks) return counted;
    // The minimum scantlings are newbuilding requirements: the strength basis leaves them out.
    for (const CheckId id : {CheckId::UFt, CheckId::UFsm, CheckId::UFgm}) counted[static_cast<std::size_t>(id)] = false;
    for (std::size_t r = girderDepthRule; r < checkCount; ++r) counted[r] = false;
    return counted;
}

std::optional<CaseInputs> builtUpEquivalent(const CaseInputs& c, const Catalogue& catalogue) {
    const StiffenerTypeFacts* facts = stiffenerTypeFacts(c.stiffenerType);
    if (!facts) return std::nullopt;
    DesignCase scratch = scratchOf(c);
    if (!selectProfile(scratch, catalogue).ok()) return std::nullopt;
    if (!facts->table) return c;
    // The working profile as the section properties formed it: for a bulb flat its equivalent angle.
    const ProfileDims working{scratch.H, scratch.B, scratch.tw, scratch.tf, 0};
    CaseInputs out = c;
    out.stiffenerType = facts->builtUpEquivalent;
    rememberBuiltUp(out, out.stiffenerType, working);
    return out;
}

std::optional<CaseInputs> diminishableCase(const CaseInputs& c, Member m, const Catalogue& catalogue) {
    const bool thinsStiffener = m == Member::web || m == Member::flange || m == Member::all;
    if (thinsStiffener) return builtUpEquivalent(c, catalogue);
    DesignCase scratch = scratchOf(c);
    if (!selectProfile(scratch, catalogue).ok()) return std::nullopt;
    return c;
}

std::optional<double> memberThickness(const CaseInputs& equivalent, Member m) {
    DesignCase scratch = scratchOf(equivalent);
    if (m != Member::all) {
        const std::optional<ThicknessRef> ref = thicknessOf(scratch, m);
        return ref ? std::optional<double>(ref->value()) : std::nullopt;
    }
    std::optional<double> thinnest;
    for (const Member each : singleMembers)
        if (const std::optional<ThicknessRef> ref = thicknessOf(scratch, each))
            thinnest = thinnest ? std::min(*thinnest, ref->value()) : ref->value();
    return thinnest;
}

CaseInputs diminishedCase(const CaseInputs& equivalent, Member m, double& d) {
    DesignCase scratch = scratchOf(equivalent);
    const auto diminish = [&](Member each) {
        const std::optional<ThicknessRef> ref = thicknessOf(scratch, each);
        if (!ref) return;
        const double original = ref->value();
        if (ref->real) {
            *ref->real = original - d;
        } else {
            // A thickness held in single precision: the case holds the nearest float.
            *ref->single = static_cast<float>(original - d);
        }
        if (m != Member::all) d = original - ref->value();
    };
    if (m == Member::all) {
        for (const Member each : singleMembers) diminish(each);
    } else {
        diminish(m);
    }
    return static_cast<CaseInputs&>(scratch);
}

WastageResult allowableDiminution(const CaseInputs& c, Member m, WastageBasis basis, CaseRunner& runner) {
    WastageResult r;
    const std::optional<CaseInputs> equivalent = diminishableCase(c, m, runner.catalogue());
    if (!equivalent) {
        r.outcome = WastageResult::Outcome::noProfile;
        return r;
    }
    const std::optional<double> thickness = memberThickness(*equivalent, m);
    if (!thickness) return r;
    r.original = *thickness;
    const FailedChecks counted = basisChecks(basis);
    const CaseVerdict asBuilt = runner.run(c);
    if (!asBuilt.passes(counted)) {
        r.outcome = WastageResult::Outcome::asBuiltFails;
        r.governing = asBuilt.governing(counted);
        return r;
    }
    // With no diminution the case is the one given, its catalogue row and all.
    const Probe passes = [&](double& d) { return d == 0 || runner.passes(diminishedCase(*equivalent, m, d), counted); };
    const double deepest = *thickness - minimumRemainingThickness;
    Crossing crossing;
    crossing.kind = Crossing::Kind::passesThroughout;
    if (deepest > 0) crossing = findCrossing(evenScan(0, deepest), passes, true);
    // Reported in the hundredths of a millimetre a gauging gives, rounded towards the safe side.
    const auto hundredths = [](double d) { return std::max(0.0, std::floor(d * 100) / 100); };
    if (crossing.kind != Crossing::Kind::crossed) {
        r.outcome = WastageResult::Outcome::rangeEnd;
        r.allowable = hundredths(deepest);
        return r;
    }
    r.outcome = WastageResult::Outcome::found;
    r.allowable = hundredths(crossing.pass);
    // A limit on a round number (a web at exactly its minimum thickness) is bracketed just below
    // it: the next hundredth is the answer when it still passes.
    if (double next = r.allowable + 0.01; next < crossing.fail && passes(next)) r.allowable += 0.01;
    double beyond = crossing.fail;
    r.governing = runner.run(diminishedCase(*equivalent, m, beyond)).governing(counted);
    return r;
}

GaugedCase gaugedCase(const CaseInputs& c, const std::array<std::optional<double>, 5>& thickness,
                      const Catalogue& catalogue) {
    GaugedCase out;
    const bool thinsStiffener = thickness[1] || thickness[2];
    const std::optional<CaseInputs> base = thinsStiffener ? builtUpEquivalent(c, catalogue) : c;
    if (!base) {
        out.problem = "the stiffener profile cannot be formed";
        return out;
    }
    CaseInputs gauged = *base;
    for (std::size_t i = 0; i < thickness.size(); ++i) {
        if (!thickness[i]) continue;
        const Member m = singleMembers[i];
        const std::optional<double> original = memberThickness(gauged, m);
        if (!original) {
            out.problem = std::string("the panel has no ") + memberName(m) + " to gauge";
            return out;
        }
        double d = *original - *thickness[i];
        gauged = diminishedCase(gauged, m, d);
    }
    out.inputs = std::move(gauged);
    return out;
}

} // namespace korvel
