// The lightest-candidate search leaves out the candidates of a family that one of its candidates
// shows cannot pass. These tests check the claim it rests on (a family's fixed checks give every
// candidate the same numbers) and that the answer is the exhaustive search's.

#include "engine/assessment.h"
#include "files/batch_case.h"
#include "studies/lightest_study.h"
#include "studies/reserve_study.h"
#include "support/fake_warnings.h"
#include "support/reference_cases.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvel {
namespace {

struct Cases {
    Catalogue catalogue;
    std::vector<CaseInputs> cases;
};

// The reference cases, and each again with its loads doubled: more of them fail a plate check.
const Cases& cases() {
    static const Cases loaded = [] {
        Cases l;
        l.catalogue = referenceTables();
        for (const BatchEntry& e : referenceCases(l.catalogue).entries) {
            if (!e.isCase()) continue;
            l.cases.push_back(e.inputs);
            l.cases.push_back(scaledCase(l.cases.back(), 2));
        }
        return l;
    }();
    return loaded;
}

// Every n-th candidate, in ranking order, and the first of each family.
std::vector<Candidate> sample(const std::vector<Candidate>& all, std::size_t n) {
    std::vector<Candidate> out;
    std::array<bool, familyCount> seen{};
    for (std::size_t i = 0; i < all.size(); ++i) {
        const auto f = static_cast<std::size_t>(all[i].family);
        if (i % n == 0 || !seen[f]) out.push_back(all[i]);
        seen[f] = true;
    }
    return out;
}

Assessment assessWith(const CaseInputs& c, const Candidate& k, const Catalogue& catalogue) {
    CaseInputs with = c;
    applyCandidate(with, k);
    IgnoreWarnings warnings;
    return assess(with, catalogue, AssessOptions{}, warnings);
}

TEST(LightestSearch, AFamilysFixedChecksGiveEveryCandidateTheSameNumbers) {
    const Cases& l = cases();
    int compared = 0;
    for (const std::vector<Family>& families : {allFamilies(), girderFamilies()}) {
        const std::vector<Candidate> candidates = sample(rankedCandidates(l.catalogue, families), 2003);
        for (std::size_t n = 0; n < l.cases.size(); n += 3) {
            const CaseInputs& c = l.cases[n];
            std::array<std::optional<Results>, familyCount> first;
            for (const Candidate& k : candidates) {
                const Assessment a = assessWith(c, k, l.catalogue);
                std::optional<Results>& reference = first[static_cast<std::size_t>(k.family)];
                if (!reference) {
                    reference = a.uf;
                    continue;
                }
                const FailedChecks fixed = familyFixedChecks(k.family);
                for (std::size_t i = 0; i < checkTable.size(); ++i) {
                    if (!fixed[i]) continue;
                    const bool here = resultState(a.uf, checkTable[i]) == ResultState::computed;
                    const bool there = resultState(*reference, checkTable[i]) == ResultState::computed;
                    if (!here || !there) continue; // a calculation that stopped before the check
                    EXPECT_EQ(writtenResult(a.uf, checkTable[i]), writtenResult(*reference, checkTable[i]))
                        << c.identification << " " << checkTable[i].symbol << " " << candidateText(k);
                    ++compared;
                }
            }
        }
    }
    EXPECT_GT(compared, 1000);
}

// The search as it would run without leaving anything out: every candidate whose proportions
// the section checks accept is calculated in ranking order until `top` pass.
LightestResult exhaustive(const CaseInputs& c, const std::vector<Candidate>& candidates, int top,
                          const Catalogue& catalogue) {
    LightestResult r;
    CaseRunner runner(catalogue);
    r.unchangedFailing = runner.run(c).failed & unchangedRules(candidates.front());
    const FailedChecks counted = ~unchangedRules(candidates.front());
    for (const Candidate& k : candidates) {
        if (static_cast<int>(r.passing.size()) == top) break;
        if (!proportionsAccepted(c, k, catalogue)) continue;
        ++r.searched;
        CaseInputs with = c;
        applyCandidate(with, k);
        RankedCandidate ranked;
        ranked.candidate = k;
        ranked.verdict = runner.run(with);
        ranked.passes = ranked.verdict.passes(counted);
        if (ranked.passes) r.passing.push_back(ranked);
    }
    return r;
}

TEST(LightestSearch, TheSearchGivesTheExhaustiveSearchsAnswer) {
    const Cases& l = cases();
    int withoutWinner = 0;
    int withWinner = 0;
    for (const std::vector<Family>& families : {allFamilies(), girderFamilies()}) {
        const std::vector<Candidate> candidates = sample(rankedCandidates(l.catalogue, families), 97);
        StudyControl control;
        control.threads = 2;
        for (const CaseInputs& c : l.cases) {
            const LightestResult searched = lightestCandidates(c, candidates, 3, l.catalogue, control);
            EXPECT_EQ(searched, exhaustive(c, candidates, 3, l.catalogue)) << c.identification;
            (searched.passing.empty() ? withoutWinner : withWinner) += 1;
        }
    }
    // Both kinds of case are met: those the family check ends early and those with winners.
    EXPECT_GT(withoutWinner, 50);
    EXPECT_GT(withWinner, 20);
}

} // namespace
} // namespace korvel
