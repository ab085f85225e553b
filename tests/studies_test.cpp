// Design studies checked from outside: every answer a study gives is run again through the
// ordinary calculation (a fresh assessment of the inputs), and must sit where the study says.

#include "checks/failed_checks.h"
#include "engine/assessment.h"
#include "files/batch_case.h"
#include "files/batch_file.h"
#include "files/table_loader.h"
#include "studies/capacity_study.h"
#include "studies/lightest_study.h"
#include "studies/ordered_run.h"
#include "studies/reserve_study.h"
#include "studies/study_runs.h"
#include "studies/study_tables.h"
#include "studies/sweep_study.h"
#include "support/program_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace korvel {
namespace {

const fs::path testData = fs::path(KORVEL_TEST_DATA_DIR);
const fs::path programDir = fs::path(KORVEL_PROGRAM_DIR);

struct Loaded {
    Catalogue catalogue;
    std::vector<CaseInputs> cases;
};

Loaded load(const fs::path& tables, const fs::path& file) {
    Loaded l;
    CatalogueLoad catalogue = loadCatalogue(tables);
    EXPECT_TRUE(std::holds_alternative<Catalogue>(catalogue)) << tables;
    if (!std::holds_alternative<Catalogue>(catalogue)) return l;
    l.catalogue = std::get<Catalogue>(std::move(catalogue));
    const BatchRead read = readBatchFile(file.string(), DecimalMode::period, l.catalogue);
    EXPECT_TRUE(std::holds_alternative<BatchList>(read)) << file;
    if (!std::holds_alternative<BatchList>(read)) return l;
    for (const BatchEntry& e : std::get<BatchList>(read).entries)
        if (e.isCase()) l.cases.push_back(e.inputs);
    return l;
}

// The reference cases and the start-up cases, loaded once.
const Loaded& reference() {
    static const Loaded l = load(testData / "reference" / "tables", testData / "reference" / "cases.kori");
    return l;
}
const Loaded& startup() {
    static const Loaded l = load(programDir, programDir / "dummy.kori");
    return l;
}

// What fails in the ordinary calculation of `in`, formed here from the results and the section
// records rather than read from the shared definition; nullopt when the calculation stops.
std::optional<FailedChecks> ordinaryFailures(const CaseInputs& in, const Catalogue& catalogue) {
    IgnoreWarnings warnings;
    DesignCase dc;
    static_cast<CaseInputs&>(dc) = in;
    static_cast<Assessment&>(dc) = assess(in, catalogue, AssessOptions{}, warnings);
    if (dc.fault.stopped()) return std::nullopt;
    FailedChecks s;
    for (std::size_t i = 0; i < checkTable.size(); ++i)
        s[i] = resultState(dc.uf, checkTable[i]) == ResultState::computed && writtenResult(dc.uf, checkTable[i]) > 1;
    s[webProportionsRule] = dc.stiff.webRatio > dc.stiff.webLimit && dc.stiff.webLimit > 0;
    s[flangeProportionsRule] = dc.stiff.flangeRatio > dc.stiff.flangeLimit && dc.stiff.flangeLimit > 0;
    const bool girderChecked = dc.girderDepthRatio != notComputed;
    s[girderDepthRule] = girderChecked && dc.girderDepthRatio > 1;
    s[girderDepthRule + 1] = girderChecked && dc.girderWebRatio > 1;
    s[girderDepthRule + 2] = girderChecked && dc.Lt > 3000;
    EXPECT_EQ(s, failedChecks(dc)) << "the shared definition of a failed check";
    return s;
}

bool ordinaryPasses(const CaseInputs& in, const Catalogue& catalogue, const FailedChecks& counted) {
    const std::optional<FailedChecks> failed = ordinaryFailures(in, catalogue);
    return failed && (*failed & counted).none();
}

// ---- The search -------------------------------------------------------------------------------

TEST(CrossingSearch, FindsTheFirstCrossingAndSaysWhenTheCasePassesAgain) {
    struct Row {
        const char* what;
        std::function<bool(double)> passes;
        Crossing::Kind kind;
        double crossing;
        bool again;
    };
    const std::vector<Row> rows = {
        {"monotone", [](double x) { return x <= 3.3; }, Crossing::Kind::crossed, 3.3, false},
        {"window of failure", [](double x) { return x <= 2.2 || x >= 5; }, Crossing::Kind::crossed, 2.2, true},
        {"never fails", [](double) { return true; }, Crossing::Kind::passesThroughout, 10, false},
        {"fails at once", [](double) { return false; }, Crossing::Kind::failsAtStart, 0, false},
        {"crossing below the first step", [](double x) { return x < 0.01; }, Crossing::Kind::crossed, 0.01, false},
    };
    for (const Row& row : rows) {
        const Crossing c = findCrossing(evenScan(0, 10), [&](double& x) { return row.passes(x); });
        EXPECT_EQ(row.kind, c.kind) << row.what;
        EXPECT_EQ(row.again, c.passesAgainAt.has_value()) << row.what;
        if (c.kind != Crossing::Kind::crossed) continue;
        EXPECT_TRUE(row.passes(c.pass)) << row.what;
        EXPECT_FALSE(row.passes(c.fail)) << row.what;
        EXPECT_LE(c.fail - c.pass, searchPrecision * row.crossing) << row.what;
        EXPECT_NEAR(row.crossing, c.pass, searchPrecision * row.crossing) << row.what;
    }
    // A probe that can hold only single-precision values ends where no float lies between.
    const Crossing f = findCrossing(evenScan(0, 10), [](double& x) {
        x = static_cast<float>(x);
        return x <= 1.0 / 3;
    });
    EXPECT_EQ(static_cast<double>(static_cast<float>(f.pass)), f.pass);
    EXPECT_LE(f.pass, 1.0 / 3);
    EXPECT_GT(f.fail, 1.0 / 3);
}

// ---- Cases written back -------------------------------------------------------------------------

TEST(BatchCaseLine, EveryCaseReadsBackAsTheSameInputs) {
    for (const Loaded* l : {&reference(), &startup()}) {
        std::string text;
        for (const CaseInputs& c : l->cases) EXPECT_TRUE(appendBatchCaseLine(text, c, l->catalogue));
        text += batchEndLine;
        const BatchRead read = readBatchText(text, "written", DecimalMode::period, l->catalogue);
        ASSERT_TRUE(std::holds_alternative<BatchList>(read)) << std::get<BatchError>(read).message();
        const BatchList& list = std::get<BatchList>(read);
        ASSERT_EQ(l->cases.size(), list.entries.size());
        for (std::size_t i = 0; i < l->cases.size(); ++i)
            EXPECT_EQ(l->cases[i], list.entries[i].inputs) << l->cases[i].identification;
    }
    // A flat-bar-table row and a T-table row have no batch token of their own: they are written
    // as the built-up profile of the same dimensions, which calculates the same.
    const Loaded& l = startup();
    for (const int type : {stiffFlatbarTable, stiffTTable}) {
        CaseInputs c = l.cases.front();
        c.stiffenerType = type;
        std::string text;
        ASSERT_TRUE(appendBatchCaseLine(text, c, l.catalogue));
        const BatchRead read = readBatchText(text + batchEndLine, "written", DecimalMode::period, l.catalogue);
        ASSERT_TRUE(std::holds_alternative<BatchList>(read));
        const CaseInputs back = std::get<BatchList>(read).entries[0].inputs;
        IgnoreWarnings w;
        const Assessment a = assess(c, l.catalogue, AssessOptions{}, w);
        const Assessment b = assess(back, l.catalogue, AssessOptions{}, w);
        EXPECT_EQ(a.stiff.Ax, b.stiff.Ax) << type;
        for (const CheckFacts& check : checkTable)
            EXPECT_EQ(writtenResult(a.uf, check), writtenResult(b.uf, check)) << type << " " << check.symbol;
    }
}

// ---- Reserve factor and limiting values ---------------------------------------------------------

TEST(ReserveFactor, TheCaseAtTheFactorPassesAndJustBeyondItFails) {
    int limited = 0;
    for (const Loaded* l : {&reference(), &startup()}) {
        CaseRunner runner(l->catalogue);
        for (const CaseInputs& c : l->cases) {
            const ReserveResult r = reserveFactor(c, runner);
            if (r.outcome == ReserveResult::Outcome::stopsAtZero) {
                EXPECT_FALSE(ordinaryFailures(scaledCase(c, 0), l->catalogue)) << c.identification;
                continue;
            }
            // What fails regardless of load is what the ordinary calculation fails at zero load.
            const std::optional<FailedChecks> atZero = ordinaryFailures(scaledCase(c, 0), l->catalogue);
            ASSERT_TRUE(atZero) << c.identification;
            EXPECT_EQ(*atZero, r.regardless) << c.identification;
            const FailedChecks counted = ~r.regardless;
            if (r.outcome == ReserveResult::Outcome::open) {
                EXPECT_TRUE(ordinaryPasses(scaledCase(c, maxLoadFactor), l->catalogue, counted)) << c.identification;
                continue;
            }
            ++limited;
            EXPECT_TRUE(ordinaryPasses(scaledCase(c, 0.9999 * r.lambda), l->catalogue, counted)) << c.identification;
            EXPECT_FALSE(ordinaryPasses(scaledCase(c, 1.0001 * r.lambda), l->catalogue, counted)) << c.identification;
            EXPECT_FALSE(r.governing.empty()) << c.identification;
        }
    }
    EXPECT_GT(limited, 100);
}

TEST(LimitingValue, TheValueFoundPassesAndJustBeyondItFails) {
    struct Row {
        const char* field;
        LimitDirection direction;
    };
    const std::vector<Row> rows = {
        {"t", LimitDirection::smallest},   {"t", LimitDirection::largest},      {"s1", LimitDirection::largest},
        {"Lg", LimitDirection::largest},   {"Lt", LimitDirection::largest},     {"FS", LimitDirection::largest},
        {"Fyp", LimitDirection::smallest}, {"SigxA", LimitDirection::smallest}, {"Tau", LimitDirection::largest},
        {"p", LimitDirection::largest},
    };
    const FailedChecks all = ~FailedChecks{};
    int found = 0;
    for (const Loaded* l : {&reference(), &startup()}) {
        CaseRunner runner(l->catalogue);
        for (const Row& row : rows) {
            LimitRequest request;
            request.field = findStudyField(row.field);
            ASSERT_NE(nullptr, request.field) << row.field;
            request.direction = row.direction;
            for (std::size_t i = 0; i < l->cases.size(); i += 3) {
                CaseInputs c = l->cases[i];
                // The girder's web is often too thin for every value: a thicker one lets the
                // search find a limit.
                c.lGirder.tw = c.tGirder.tw = 20;
                const LimitResult r = limitingValue(c, request, runner);
                if (r.outcome != LimitResult::Outcome::found) continue;
                ++found;
                // Towards where the search came from the case passes, beyond the value it fails.
                const double towards = row.direction == LimitDirection::smallest ? 1 : -1;
                const double step = 1e-4 * std::fabs(r.value);
                CaseInputs inside = c, outside = c;
                setField(inside, *request.field, r.value + towards * step);
                setField(outside, *request.field, r.value - towards * step);
                const std::string what = c.identification + " " + row.field;
                EXPECT_TRUE(ordinaryPasses(inside, l->catalogue, all)) << what << " " << r.value;
                EXPECT_FALSE(ordinaryPasses(outside, l->catalogue, all)) << what << " " << r.value;
                EXPECT_TRUE(withinLimits(*request.field, r.value) || request.field->load) << what;
            }
        }
    }
    EXPECT_GT(found, 50);
}

// The rules may pass where the geometry check warns (a plate field wider than the span): such an
// answer stays, and its row says which check it is beyond.
TEST(LimitingValue, AnswersBeyondTheGeometryCheckAreNoted) {
    const Loaded& l = reference();
    CaseRunner runner(l.catalogue);
    int noted = 0;
    for (const char* field : {"s1", "L1"}) {
        const LimitRequest request{findStudyField(field), LimitDirection::largest, std::nullopt, std::nullopt};
        for (std::size_t i = 0; i < l.cases.size(); i += 2) {
            const CaseInputs& c = l.cases[i];
            const LimitResult r = limitingValue(c, request, runner);
            if (r.outcome != LimitResult::Outcome::found && r.outcome != LimitResult::Outcome::rangeEnd) continue;
            CaseInputs at = c;
            setField(at, *request.field, r.value);
            std::vector<std::string> expected;
            if (at.s1 > at.L1)
                expected.emplace_back("s1 <= L1");
            else if (at.s2 > at.L1)
                expected.emplace_back("s2 <= l1");
            if (at.s1 > at.L2)
                expected.emplace_back("s1 <= L2");
            else if (at.s2 > at.L2)
                expected.emplace_back("s2 <= l2");
            EXPECT_EQ(expected, r.geometryWarnings) << c.identification << " " << field << " = " << r.value;
            std::string row;
            appendLimitRow(row, CaseLabel{1, c.projectName, c.identification}, request, r);
            const bool beyond =
                row.find("beyond the geometry check: " + (expected.empty() ? "" : expected[0])) != std::string::npos;
            EXPECT_EQ(!expected.empty(), beyond) << row;
            noted += beyond ? 1 : 0;
        }
    }
    EXPECT_GT(noted, 0);
}

TEST(LimitingValue, AnEmptyRangeIsSaid) {
    const Loaded& l = startup();
    CaseRunner runner(l.catalogue);
    LimitRequest request;
    request.field = findStudyField("SigyA");
    CaseInputs c = l.cases.front();
    c.SigyA = 0; // no box limit and no value to scale: nothing to search
    EXPECT_EQ(LimitResult::Outcome::emptyRange, limitingValue(c, request, runner).outcome);
    request.from = 5;
    request.to = 5;
    EXPECT_EQ(LimitResult::Outcome::emptyRange, limitingValue(c, request, runner).outcome);
    EXPECT_EQ(nullptr, findStudyField("E1"));
    EXPECT_EQ(nullptr, findStudyField("tw"));
}

// ---- Sweep ---------------------------------------------------------------------------------------

TEST(Sweep, EachValueIsTheOrdinaryCalculationOfTheCaseAtIt) {
    const Loaded& l = startup();
    CaseRunner runner(l.catalogue);
    const SweepRequest request{findStudyField("Lgs"), 2000, 9000, 7};
    for (const CaseInputs& c : l.cases) {
        const std::vector<SweepPoint> points = sweepCase(c, request, runner);
        ASSERT_EQ(8u, points.size());
        EXPECT_EQ(2000, points.front().value);
        EXPECT_EQ(9000, points.back().value);
        for (const SweepPoint& p : points) {
            CaseInputs at = c;
            at.Lgs = static_cast<float>(p.value);
            const std::optional<FailedChecks> failed = ordinaryFailures(at, l.catalogue);
            EXPECT_EQ(!failed, p.verdict.stopped);
            if (failed) {
                EXPECT_EQ(*failed, p.verdict.failed) << c.identification << " " << p.value;
            }
        }
    }
}

// A sweep handed on in pieces is the whole sweep of each case, in order, on any number of threads;
// a stop keeps whole cases only in the count.
TEST(Sweep, PiecesMakeTheWholeSweepInOrderOnAnyNumberOfThreads) {
    const Loaded& l = startup();
    const std::vector<CaseInputs> cases(l.cases.begin(), l.cases.begin() + 3);
    const SweepRequest request{findStudyField("t"), 8, 30, 2 * sweepPieceSteps + 3};
    const std::vector<std::vector<SweepPoint>> whole = sweeps(cases, request, l.catalogue, StudyControl{});
    for (const int threads : {1, 3}) {
        StudyControl control;
        control.threads = threads;
        std::vector<std::vector<SweepPoint>> pieced(cases.size());
        std::vector<std::size_t> progress;
        std::size_t lastCase = 0;
        control.progress = [&](std::size_t done, std::size_t) {
            progress.push_back(done);
            return true;
        };
        const std::size_t done =
            sweepsInPieces(cases, request, l.catalogue, control, [&](std::size_t i, std::vector<SweepPoint>& points) {
                ASSERT_LT(i, pieced.size());
                EXPECT_GE(i, lastCase) << "in case order";
                lastCase = i;
                pieced[i].insert(pieced[i].end(), points.begin(), points.end());
            });
        EXPECT_EQ(cases.size(), done);
        EXPECT_EQ(whole, pieced) << threads << " threads";
        EXPECT_EQ((std::vector<std::size_t>{1, 2, 3}), progress);
    }

    // Stopped by its progress after the first case: the count is of whole cases.
    StudyControl control;
    control.progress = [](std::size_t done, std::size_t) { return done < 1; };
    std::size_t delivered = 0;
    const std::size_t done =
        sweepsInPieces(cases, request, l.catalogue, control,
                       [&](std::size_t, std::vector<SweepPoint>& points) { delivered += points.size(); });
    EXPECT_EQ(1u, done);
    EXPECT_LE(whole[0].size(), delivered);
    EXPECT_GT(3 * whole[0].size(), delivered);
}

// ---- Capacity curve -------------------------------------------------------------------------------

TEST(CapacityCurve, EachPointPassesJustInsideAndFailsJustOutside) {
    const Loaded& l = startup();
    CaseRunner runner(l.catalogue);
    const std::vector<CapacityRequest> requests = {
        {LoadGroup::sigx, LoadGroup::tau, 24, false},
        {LoadGroup::sigy, LoadGroup::p, 12, true},
        {LoadGroup::sigx, LoadGroup::sigy, 8, false},
    };
    int closed = 0;
    for (const CapacityRequest& request : requests) {
        for (const CaseInputs& c : l.cases) {
            const CapacityResult r = capacityCurve(c, request, runner);
            ASSERT_EQ(static_cast<std::size_t>(request.rays), r.rays.size());
            if (!r.stoppedAtOrigin.empty()) continue;
            const FailedChecks counted = capacityChecks(request, r.regardless);
            for (const CapacityPoint& p : r.rays) {
                const std::string what = c.identification + " angle " + std::to_string(p.angle);
                if (p.open) {
                    EXPECT_TRUE(ordinaryPasses(capacityCase(c, request, r, p.angle, p.rho), l.catalogue, counted));
                    continue;
                }
                ++closed;
                EXPECT_TRUE(ordinaryPasses(capacityCase(c, request, r, p.angle, 0.9999 * p.rho), l.catalogue, counted))
                    << what;
                EXPECT_FALSE(ordinaryPasses(capacityCase(c, request, r, p.angle, 1.0001 * p.rho), l.catalogue, counted))
                    << what;
            }
            // The case's own load point lies on its ray at 1/λ of the limit.
            if (r.ownRay && !r.ownRay->open) {
                const CaseInputs own = capacityCase(c, request, r, r.ownRay->angle, r.ownRay->rho / r.ownLambda);
                EXPECT_NEAR(groupValue(c, request.x), groupValue(own, request.x), 1e-9 * r.refX);
                EXPECT_NEAR(groupValue(c, request.y), groupValue(own, request.y), 1e-9 * r.refY);
            }
        }
    }
    EXPECT_GT(closed, 100);
}

// ---- Lightest stiffener ---------------------------------------------------------------------------

TEST(LightestCandidate, TheWinnersPassAndEveryLighterCandidateFails) {
    const Loaded& l = startup();
    for (const std::vector<Family>& families : {allFamilies(), girderFamilies()}) {
        const std::vector<Candidate> candidates = rankedCandidates(l.catalogue, families);
        ASSERT_FALSE(candidates.empty());
        for (std::size_t i = 1; i < candidates.size(); ++i) ASSERT_LE(candidates[i - 1].Ax, candidates[i].Ax);
        const FailedChecks counted = ~unchangedRules(candidates.front());
        StudyControl control;
        control.threads = 3;
        int winners = 0;
        for (const CaseInputs& c : l.cases) {
            const LightestResult r = lightestCandidates(c, candidates, 2, l.catalogue, control);
            if (r.passing.empty()) continue;
            winners += static_cast<int>(r.passing.size());
            for (const RankedCandidate& k : r.passing) {
                CaseInputs with = c;
                applyCandidate(with, k.candidate);
                EXPECT_TRUE(ordinaryPasses(with, l.catalogue, counted))
                    << c.identification << " " << candidateText(k.candidate);
                // The area ranked by is the one the section properties give the member.
                IgnoreWarnings w;
                const Assessment a = assess(with, l.catalogue, AssessOptions{}, w);
                EXPECT_EQ(k.candidate.Ax, isGirderFamily(k.candidate.family) ? a.girder.Ag : a.stiff.Ax);
            }
            // Every candidate searched before the first winner, all lighter or as light, fails.
            std::size_t searched = 0;
            for (const Candidate& k : candidates) {
                if (k == r.passing.front().candidate) break;
                if (!proportionsAccepted(c, k, l.catalogue)) continue;
                ++searched;
                CaseInputs with = c;
                applyCandidate(with, k);
                EXPECT_FALSE(ordinaryPasses(with, l.catalogue, counted)) << c.identification << " " << candidateText(k);
            }
            EXPECT_LE(searched, r.searched);
        }
        EXPECT_GT(winners, 4);
    }
}

// ---- Running on threads ---------------------------------------------------------------------------

TEST(OrderedRun, ResultsInItemOrderOnAnyNumberOfThreadsAndAStopKeepsTheDonePrefix) {
    const Loaded& l = reference();
    const std::vector<Candidate> candidates = rankedCandidates(l.catalogue, {Family::lTable, Family::flatbar}, 3);
    EXPECT_EQ(rankedCandidates(l.catalogue, {Family::lTable, Family::flatbar}, 1), candidates);
    const std::vector<CaseInputs> few(l.cases.begin(), l.cases.begin() + 12);
    const CapacityRequest request{LoadGroup::sigy, LoadGroup::tau, 16, false};
    const auto run = [&](int threads) {
        StudyControl control;
        control.threads = threads;
        // Each study reports its cases one by one, from 1 to all of them.
        std::size_t last = 0;
        control.progress = [&](std::size_t done, std::size_t total) {
            EXPECT_EQ(done == 1 ? 1 : last + 1, done);
            EXPECT_GE(total, done);
            last = done;
            return true;
        };
        return std::make_tuple(reserveFactors(l.cases, l.catalogue, control),
                               capacityCurves(few, request, l.catalogue, control),
                               lightestOf(few, candidates, 2, l.catalogue, control));
    };
    const auto one = run(1);
    EXPECT_EQ(l.cases.size(), std::get<0>(one).size());
    EXPECT_EQ(one, run(2));
    EXPECT_EQ(one, run(5));

    std::atomic<bool> stop{false};
    StudyControl control;
    control.threads = 2;
    control.stop = &stop;
    std::vector<std::size_t> delivered;
    const std::size_t n = runInOrder<std::size_t>(
        1000, l.catalogue, control,
        [&](std::size_t i, CaseRunner&) {
            if (i == 10) stop = true;
            return i;
        },
        [&](std::size_t i, std::size_t& v) {
            delivered.push_back(v);
            EXPECT_EQ(i, v);
        });
    EXPECT_LT(n, 1000u);
    EXPECT_EQ(n, delivered.size());
}

// ---- Tables ------------------------------------------------------------------------------------

// Every row of a study's table has the header's columns, whatever the outcome of its case.
TEST(StudyTables, EveryRowHasTheColumnsOfItsHeader) {
    const Loaded& l = reference();
    CaseRunner runner(l.catalogue);
    const auto columns = [](const std::string& line) { return std::count(line.begin(), line.end(), '\t') + 1; };
    const auto check = [&](const std::string& header, const std::string& rows, const char* study) {
        ASSERT_EQ("\r\n", header.substr(header.size() - 2)) << study;
        std::istringstream in(rows);
        std::string line;
        int n = 0;
        while (std::getline(in, line)) {
            ++n;
            ASSERT_FALSE(line.empty() || line.back() != '\r') << study << " row " << n;
            EXPECT_EQ(columns(header), columns(line)) << study << ": " << line;
        }
        EXPECT_GT(n, 0) << study;
    };
    std::string reserve, limit, sweep, capacity, lightest;
    LimitRequest request{findStudyField("t"), LimitDirection::largest, std::nullopt, std::nullopt};
    const SweepRequest sweepRequest{findStudyField("Tau"), -60, 60, 3};
    const CapacityRequest capacityRequest{LoadGroup::p, LoadGroup::tau, 4, true};
    const std::vector<Candidate> candidates = rankedCandidates(l.catalogue, {Family::bfTable});
    StudyControl control;
    for (std::size_t i = 0; i < l.cases.size(); ++i) {
        const CaseInputs& c = l.cases[i];
        const CaseLabel who{static_cast<int>(i), c.projectName, c.identification};
        appendReserveRow(reserve, who, reserveFactor(c, runner));
        appendLimitRow(limit, who, request, limitingValue(c, request, runner));
        appendSweepRows(sweep, who, sweepCase(c, sweepRequest, runner));
        appendCapacityRows(capacity, who, capacityRequest, capacityCurve(c, capacityRequest, runner));
        if (i % 10 == 0) appendLightestRows(lightest, who, lightestCandidates(c, candidates, 2, l.catalogue, control));
    }
    check(reserveHeader(), reserve, "reserve");
    check(limitHeader(), limit, "limit");
    check(sweepHeader(*sweepRequest.field), sweep, "sweep");
    check(capacityHeader(capacityRequest), capacity, "capacity");
    check(lightestHeader(false), lightest, "lightest");
}

// ---- korvel-study ----------------------------------------------------------------------------------

TEST(KorvelStudy, ClearMessagesAndExitStatusesForWrongRequests) {
    const fs::path program = programDir / "korvel-study";
    ASSERT_TRUE(fs::exists(program)) << program << " is not built";
    TempFolder folder;
    const std::string cases = (programDir / "dummy.kori").string();
    folder.write("bad.kori", "P\tI\t0\t1.43\nEnd\n");
    struct Row {
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    const std::vector<Row> rows = {
        {{"limit", "tw", cases, "--min"}, 2, "\"tw\" is not an input a study can vary"},
        {{"sweep", "t", "10", "10", "5", cases}, 2, "empty range 10 to 10"},
        {{"limit", "t", cases, "--max", "--range", "9", "3"}, 2, "empty range 9 to 3"},
        {{"capacity", "sigx", "sigz", cases}, 2, "\"sigz\" is not a load group"},
        {{"lightest", cases, "--families", "L-table,HP"}, 2, "unknown family \"HP\""},
        {{"lightest", cases, "--girder", "--families", "LW"}, 2, "unknown girder family \"LW\""},
        {{"reserve", folder.file("bad.kori")}, 1, "bad.kori:1: a case needs 32 TAB-separated fields"},
        {{"reserve", folder.file("missing.kori")}, 1, "missing.kori: file not found"},
        {{"reserve", cases, "--data", folder.file("none")}, 3, "korvel-study: "},
        {{"--help"}, 0, "korvel-study capacity sigx tau cases.kori"},
        {{"reserve", cases, "-o", folder.file("none/r.tsv")}, 4, "can't save file - "},
    };
    for (const Row& row : rows) {
        const ProgramRun run = runProgram(program, folder, row.args);
        EXPECT_EQ(row.status, run.status) << row.args[0] << " " << run.err;
        EXPECT_NE(std::string::npos, (run.err + run.out).find(row.message)) << run.err;
        // A study whose table could not be saved is never said to be done.
        if (row.status == 4) {
            EXPECT_EQ(std::string::npos, run.err.find(" done")) << run.err;
        }
    }

    // The cases a study writes run through korvel-batch as they are.
    const std::string found = folder.file("found.kori");
    const ProgramRun run =
        runProgram(program, folder, {"reserve", cases, "-o", folder.file("r.tsv"), "--cases", found});
    ASSERT_EQ(0, run.status) << run.err;
    EXPECT_EQ(0u, readAll(folder.file("r.tsv")).find("line\tproject\tidentification\tlambda*\tgoverning"));
    const ProgramRun batch = runProgram(programDir / "korvel-batch", folder, {found, "-o", folder.file("found.koro")});
    EXPECT_EQ(0, batch.status) << batch.err;
    // One case for every row with a finite λ*.
    std::istringstream table(readAll(folder.file("r.tsv")));
    std::string row;
    int finite = -1; // the header
    while (std::getline(table, row)) finite += row.find("\t> 100\t") == std::string::npos ? 1 : 0;
    EXPECT_NE(std::string::npos, batch.err.find("korvel-batch: " + std::to_string(finite) + " cases")) << batch.err;
}

// --girder searches the girder in the families named: "TG" is then the tee girder, not the tee
// stiffener, and LG is one too. Each row is a girder of that family, and the cases file keeps each
// case's stiffener and takes the girder found.
TEST(KorvelStudy, LightestGirderSearchesTheGirderFamiliesNamed) {
    const fs::path program = programDir / "korvel-study";
    ASSERT_TRUE(fs::exists(program)) << program << " is not built";
    TempFolder folder;
    const fs::path cases = programDir / "dummy.kori";
    const auto fieldsOf = [](const std::string& line) {
        std::vector<std::string> fields;
        std::istringstream in(line);
        std::string field;
        while (std::getline(in, field, '\t')) fields.push_back(field);
        return fields;
    };
    // The stiffener (token and dimensions) of each case, by its identification.
    std::map<std::string, std::pair<std::string, std::string>> stiffeners;
    {
        std::istringstream in(readAll(cases));
        std::string line;
        while (std::getline(in, line)) {
            const std::vector<std::string> f = fieldsOf(line);
            if (f.size() >= 16 && f[0].rfind('%', 0) != 0) stiffeners[f[1]] = {f[13], f[14]};
        }
    }
    ASSERT_FALSE(stiffeners.empty());
    for (const std::string family : {"TG", "LG"}) {
        SCOPED_TRACE(family);
        const ProgramRun run = runProgram(program, folder,
                                          {"lightest", cases.string(), "--girder", "--families", family, "-o",
                                           folder.file("t.tsv"), "--cases", folder.file("found.kori")});
        ASSERT_EQ(0, run.status) << run.err;
        std::istringstream table(readAll(folder.file("t.tsv")));
        std::string row;
        std::getline(table, row);
        EXPECT_EQ(0u, row.find("line\tproject\tidentification\trank\tprofile\tAg\t")) << row;
        int rows = 0;
        while (std::getline(table, row)) {
            const std::vector<std::string> f = fieldsOf(row);
            ASSERT_GT(f.size(), 5u) << row;
            if (f[4] == "-") continue;
            EXPECT_EQ(0u, f[4].find(family + " ")) << row;
            ++rows;
        }
        std::istringstream found(readAll(folder.file("found.kori")));
        int written = 0;
        while (std::getline(found, row)) {
            const std::vector<std::string> f = fieldsOf(row);
            if (f.size() < 16) continue;
            ++written;
            // The identification of a case found ends in " lightest N".
            const std::string id = f[1].substr(0, f[1].rfind(" lightest "));
            ASSERT_EQ(1u, stiffeners.count(id)) << row;
            EXPECT_EQ(stiffeners[id].first, f[13]) << "the stiffener stays: " << row;
            EXPECT_EQ(stiffeners[id].second, f[14]) << "the stiffener stays: " << row;
            EXPECT_EQ(family, f[15]) << row;
        }
        EXPECT_EQ(rows, written);
    }
}

} // namespace
} // namespace korvel
