// The allowable diminution of each member, checked from outside: no diminution is the case as
// built, utilisations never fall as a member thins, the plate's allowance agrees with the thinnest
// plate the limit study finds, the areas and the bulb flat's equivalent angle by hand, and every
// answer passes just inside its limit and fails just beyond it.

#include "studies/wastage_study.h"
#include "studies/wastage_table.h"

#include "files/batch_case.h"
#include "studies/reserve_study.h"
#include "studies/study_fields.h"
#include "support/reference_cases.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvel {
namespace {

std::vector<CaseInputs> referenceInputs(const Catalogue& tables, int every = 1) {
    std::vector<CaseInputs> cases;
    int i = 0;
    for (const BatchEntry& e : referenceCases(tables).entries) {
        if (!e.isCase() || i++ % every != 0) continue;
        cases.push_back(e.inputs);
    }
    return cases;
}

bool sameResults(const CaseVerdict& a, const CaseVerdict& b) {
    for (std::size_t i = 0; i < checkTable.size(); ++i)
        if (resultState(a.uf, checkTable[i]) != resultState(b.uf, checkTable[i]) ||
            writtenResult(a.uf, checkTable[i]) != writtenResult(b.uf, checkTable[i]))
            return false;
    return a.failed == b.failed && a.stopped == b.stopped;
}

TEST(Wastage, MembersByName) {
    for (const Member m : allMembers) EXPECT_EQ(findMember(memberName(m)), m) << memberName(m);
    EXPECT_FALSE(findMember("girder"));
    EXPECT_EQ(std::string(memberName(Member::girderFlange)), "girder-flange");
    // The strength basis leaves out exactly the minimum-scantling rules.
    const FailedChecks strength = basisChecks(WastageBasis::strength);
    EXPECT_EQ(strength.count(), checkCount - 6);
    EXPECT_FALSE(strength[static_cast<std::size_t>(CheckId::UFt)]);
    EXPECT_TRUE(strength[webProportionsRule]);
    EXPECT_FALSE(strength[girderDepthRule]);
    EXPECT_TRUE(basisChecks(WastageBasis::allChecks).all());
}

// A built-up case diminished by nothing is the case itself; a rolled angle, a tee and a flat-bar
// row give the same results as their built-up equivalents.
TEST(Wastage, NoDiminutionIsTheCaseAsBuilt) {
    const Catalogue tables = referenceTables();
    CaseRunner runner(tables), again(tables);
    int compared = 0;
    for (const CaseInputs& c : referenceInputs(tables)) {
        const std::optional<CaseInputs> equivalent = builtUpEquivalent(c, tables);
        if (!equivalent || c.stiffenerType == stiffBFTable) continue;
        SCOPED_TRACE(c.identification);
        const CaseVerdict asBuilt = runner.run(c);
        EXPECT_TRUE(sameResults(asBuilt, again.run(*equivalent)));
        for (const Member m : allMembers) {
            double d = 0;
            EXPECT_TRUE(sameResults(asBuilt, again.run(diminishedCase(*equivalent, m, d)))) << memberName(m);
            EXPECT_EQ(d, 0);
        }
        ++compared;
    }
    EXPECT_GT(compared, 50);
}

// With the stresses given, a thinner member has a lower capacity: the plate buckling, minimum
// scantling and yield checks of the plate and stiffener never fall as d grows. The column, torsional,
// girder and overall buckling checks and the plate-side yield point may fall: the stress is an
// input held fixed, so a thinner member carries less force and its slenderness can improve (its
// area falls faster than its inertia). That is why the allowable diminution is the first crossing
// from the as-built thickness, not any d at which the case happens to pass.
TEST(Wastage, CapacityChecksNeverFallAsTheDiminutionGrows) {
    const Catalogue tables = referenceTables();
    CaseRunner runner(tables);
    std::array<bool, checkTable.size()> monotone{};
    for (const CheckId id : {CheckId::UFpb, CheckId::UFpu, CheckId::UFpl, CheckId::UFt, CheckId::UFsm, CheckId::UFgm,
                             CheckId::UFy, CheckId::UFys})
        monotone[static_cast<std::size_t>(id)] = true;
    int rises = 0;
    std::array<int, checkTable.size()> falls{};
    for (const CaseInputs& c : referenceInputs(tables, 2)) {
        for (const Member m : allMembers) {
            const std::optional<CaseInputs> equivalent = diminishableCase(c, m, tables);
            if (!equivalent) continue;
            const std::optional<double> thickness = memberThickness(*equivalent, m);
            if (!thickness) continue;
            SCOPED_TRACE(c.identification + " " + memberName(m));
            Results before;
            bool first = true;
            for (int step = 0; step <= 8; ++step) {
                double d = (*thickness - minimumRemainingThickness) * step / 10;
                const CaseVerdict v = runner.run(diminishedCase(*equivalent, m, d));
                if (v.stopped) break;
                for (std::size_t i = 0; !first && i < checkTable.size(); ++i) {
                    if (resultState(v.uf, checkTable[i]) != ResultState::computed ||
                        resultState(before, checkTable[i]) != ResultState::computed)
                        continue;
                    const double was = writtenResult(before, checkTable[i]);
                    const double now = writtenResult(v.uf, checkTable[i]);
                    if (monotone[i]) {
                        EXPECT_GE(now, was * (1 - 1e-12)) << checkTable[i].symbol << " at d = " << d;
                    }
                    rises += now > was ? 1 : 0;
                    falls[i] += now < was ? 1 : 0;
                }
                before = v.uf;
                first = false;
            }
        }
    }
    EXPECT_GT(rises, 1000);
    // The stiffener's column buckling does fall in some case: the rule above is not vacuous.
    EXPECT_GT(falls[static_cast<std::size_t>(CheckId::UFbu)], 0);
}

// The plate's allowable diminution on every check is the as-built t less the thinnest plate that
// `limit t --min` finds: the same answer along another path, to the hundredth the wastage study
// reports.
TEST(Wastage, PlateAllowanceIsTheThicknessLessTheThinnestPlate) {
    const Catalogue tables = referenceTables();
    CaseRunner runner(tables);
    LimitRequest request;
    request.field = findStudyField("t");
    ASSERT_NE(request.field, nullptr);
    request.direction = LimitDirection::smallest;
    int found = 0;
    for (const CaseInputs& c : referenceInputs(tables)) {
        const WastageResult w = allowableDiminution(c, Member::plate, WastageBasis::allChecks, runner);
        if (w.outcome != WastageResult::Outcome::found) continue;
        const LimitResult limit = limitingValue(c, request, runner);
        if (limit.outcome != LimitResult::Outcome::found) continue;
        SCOPED_TRACE(c.identification);
        EXPECT_NEAR(w.allowable, c.t - limit.value, 0.01 + 1e-9);
        EXPECT_LE(w.allowable, c.t - limit.value + 1e-5) << "rounded towards the safe side";
        EXPECT_EQ(w.governing, limit.governing);
        ++found;
    }
    EXPECT_GT(found, 5);
}

// A web diminished on both faces by d loses d·hw of area: the flange and the web height stay.
TEST(Wastage, TheWebLosesItsHeightTimesTheDiminution) {
    const Catalogue tables = referenceTables();
    CaseRunner runner(tables);
    struct Row {
        int type;
        ProfileDims dims;
        double hw; // web height between the plate and the flange
    };
    for (const Row& r :
         {Row{stiffLBuiltUp, {250, 90, 10, 15, 0}, 235}, Row{stiffTBuiltUp, {300, 100, 10, 15, 0}, 285},
          Row{stiffFlatbarBuiltUp, {200, 0, 12, 0, 0}, 200}, Row{stiffIBuiltUp, {300, 120, 10, 15, 0}, 270}}) {
        CaseInputs c;
        c.stiffenerType = r.type;
        c.lBuiltUp = c.tBuiltUp = c.flatbarBuiltUp = c.iBuiltUp = r.dims;
        const double before = runner.profileArea(c);
        for (const double wanted : {0.5, 1.25, 3.0}) {
            double d = wanted;
            const double after = runner.profileArea(diminishedCase(c, Member::web, d));
            EXPECT_NEAR(before - after, d * r.hw, 1e-9 * before) << r.type << " d = " << wanted;
        }
    }
}

// BF 140x7 of the reference table (c = 19, r = 5.5, Ax = 1215 mm²): the equivalent angle has
// B = c + tw - 0.45 r = 19 + 7 - 2.475 = 23.525 mm and tf = (Ax - H tw)/(B - tw) =
// (1215 - 980)/16.525 = 14.2209 mm, with the table's area.
TEST(Wastage, BulbFlatBecomesItsEquivalentAngle) {
    const Catalogue tables = referenceTables();
    CaseInputs c;
    c.stiffenerType = stiffBFTable;
    c.bfRow = 2;
    const std::optional<CaseInputs> equivalent = builtUpEquivalent(c, tables);
    ASSERT_TRUE(equivalent);
    EXPECT_EQ(equivalent->stiffenerType, stiffLBuiltUp);
    EXPECT_EQ(equivalent->lBuiltUp.H, 140.0f);
    EXPECT_EQ(equivalent->lBuiltUp.tw, 7.0f);
    EXPECT_NEAR(equivalent->lBuiltUp.B, 23.525, 1e-5);
    EXPECT_NEAR(equivalent->lBuiltUp.tf, 14.22088, 1e-4);
    CaseRunner runner(tables);
    EXPECT_NEAR(runner.profileArea(*equivalent), 1215, 1e-3);
    EXPECT_EQ(memberThickness(*equivalent, Member::flange), static_cast<double>(equivalent->lBuiltUp.tf));
    EXPECT_EQ(memberThickness(*equivalent, Member::all), 7.0);
}

// Every allowable diminution passes 0.01 mm inside it and fails 0.01 mm beyond it; the threshold
// and the percentage follow from it.
TEST(Wastage, EachLimitPassesJustInsideAndFailsJustBeyond) {
    const Catalogue tables = referenceTables();
    CaseRunner runner(tables), check(tables);
    int found = 0, asBuiltFails = 0, noMember = 0;
    for (const CaseInputs& c : referenceInputs(tables, 2)) {
        for (const WastageBasis basis : {WastageBasis::strength, WastageBasis::allChecks}) {
            const FailedChecks counted = basisChecks(basis);
            for (const Member m : allMembers) {
                const WastageResult w = allowableDiminution(c, m, basis, runner);
                SCOPED_TRACE(c.identification + " " + memberName(m));
                asBuiltFails += w.outcome == WastageResult::Outcome::asBuiltFails ? 1 : 0;
                noMember += w.outcome == WastageResult::Outcome::noSuchMember ? 1 : 0;
                if (w.outcome != WastageResult::Outcome::found) continue;
                ++found;
                const CaseInputs equivalent = *diminishableCase(c, m, tables);
                double inside = std::max(0.0, w.allowable - 0.01);
                const bool insidePasses = inside == 0
                                              ? check.run(c).passes(counted)
                                              : check.run(diminishedCase(equivalent, m, inside)).passes(counted);
                EXPECT_TRUE(insidePasses) << w.allowable;
                double at = w.allowable;
                EXPECT_TRUE(at == 0 || check.run(diminishedCase(equivalent, m, at)).passes(counted)) << at;
                double beyond = w.allowable + 0.01;
                EXPECT_FALSE(check.run(diminishedCase(equivalent, m, beyond)).passes(counted)) << w.allowable;
                EXPECT_FALSE(w.governing.empty());
                EXPECT_NEAR(w.substantialCorrosion(), w.original - 0.75 * w.allowable, 1e-12);
                EXPECT_NEAR(w.percent(), 100 * w.allowable / w.original, 1e-12);
                EXPECT_EQ(w.allowable, std::floor(w.allowable * 100 + 0.5) / 100);
            }
        }
    }
    EXPECT_GT(found, 100);
    EXPECT_GT(asBuiltFails, 0);
    EXPECT_GT(noMember, 0);
}

TEST(Wastage, TableRowsHaveTheHeadersColumns) {
    const auto columns = [](const std::string& line) { return std::count(line.begin(), line.end(), '\t') + 1; };
    const std::string header = wastageHeader();
    WastageResult found;
    found.outcome = WastageResult::Outcome::found;
    found.original = 12;
    found.allowable = 2.4;
    found.governing = "UFbu";
    std::string row;
    appendWastageRow(row, CaseLabel{7, "Deck", "P1\tstorm"}, Member::web, WastageBasis::strength, found);
    // 2.4 of 12 mm is 20.0 %; the plate may thin to 9.60 mm; 0.75 of the allowance sets 10.20 mm.
    EXPECT_EQ(row, "7\tDeck\tP1 storm\tweb\tstrength\t12.00\t2.40\t20.0\t9.60\t10.20\tUFbu\t\r\n");
    EXPECT_EQ(columns(row), columns(header));
    for (const auto outcome : {WastageResult::Outcome::rangeEnd, WastageResult::Outcome::asBuiltFails,
                               WastageResult::Outcome::noSuchMember, WastageResult::Outcome::noProfile}) {
        WastageResult r = found;
        r.outcome = outcome;
        std::string other;
        appendWastageRow(other, CaseLabel{7, "Deck", "P1"}, Member::all, WastageBasis::allChecks, r);
        EXPECT_EQ(columns(other), columns(header)) << other;
    }
}

} // namespace
} // namespace korvel
