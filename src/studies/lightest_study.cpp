#include "studies/lightest_study.h"

#include "checks/materials.h"
#include "design/number_format.h"
#include "sections/girder_section.h"
#include "sections/profile_type_table.h"
#include "sections/profile_types.h"
#include "sections/stiffener_section.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <thread>
#include <utility>

namespace korvel {

namespace {

// clang-format off
constexpr std::array<const char*, familyCount> familyNames = {
    "L-table", "BF-table", "Flatbar-table", "FB", "LW", "TG", "IG", // stiffeners
    "LG", "TG",                                                     // girders
};
// clang-format on
static_assert(familyNames.back() != nullptr, "every family has its name");

// The catalogue table a table family takes its rows from; none for the built-up families, which
// are named by their batch token, and the girders.
constexpr std::array<std::optional<TableKind>, familyCount> familyTables = {
    TableKind::l, TableKind::bulbFlat, TableKind::flatbar, std::nullopt, std::nullopt,
    std::nullopt, std::nullopt,        std::nullopt,       std::nullopt,
};

// The profile type each family is studied as, found in the table of profile types: a table family
// is the type that selects a row of its table, a built-up family and a girder the type whose batch
// token is the family's name. -1 for a family the table has no type for.
int findTypeOf(Family f) {
    const auto i = static_cast<std::size_t>(f);
    if (isGirderFamily(f)) {
        for (const GirderTypeFacts& g : girderTypeRows())
            if (g.batchToken == familyNames[i]) return g.code;
        return -1;
    }
    for (const StiffenerTypeFacts& t : stiffenerTypeRows()) {
        const bool studied =
            familyTables[i] ? t.table == familyTables[i] && t.tableRow != nullptr : t.batchToken == familyNames[i];
        if (studied) return t.code;
    }
    return -1;
}

int typeOf(Family f) {
    // Found once: the table of profile types is fixed while the program runs.
    static const std::array<int, familyCount> types = [] {
        std::array<int, familyCount> found{};
        for (std::size_t i = 0; i < familyCount; ++i) found[i] = findTypeOf(static_cast<Family>(i));
        return found;
    }();
    return types[static_cast<std::size_t>(f)];
}

// Standard plate thicknesses of the built-up grid (mm).
constexpr std::array<float, 14> plateSizes = {6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 18, 20, 22, 25};

void tableRows(const Catalogue& cat, Family f, std::vector<Candidate>& out) {
    const TableKind kind = familyTables[static_cast<std::size_t>(f)].value_or(TableKind::flatbar);
    const ProfileTable& table = tableOf(cat, kind);
    const bool angle = kind == TableKind::l;
    for (int row = 0; row <= table.lastRow && row < ProfileTable::maxRows; ++row) {
        Candidate c;
        c.family = f;
        c.row = row;
        c.dims.H = table.value(row, col::H);
        c.dims.tw = table.value(row, angle ? col::twLT : col::twFbBf);
        if (angle) {
            c.dims.B = table.value(row, col::B);
            c.dims.tf = table.value(row, col::tfLT);
        }
        if (kind != TableKind::flatbar) {
            const RowKey key =
                angle ? RowKey{c.dims.H, c.dims.B, c.dims.tw, c.dims.tf} : RowKey{c.dims.H, 0, c.dims.tw, 0};
            if (lastMatchingRow(table, kind, key) != row) continue;
        }
        out.push_back(c);
    }
}

void girderGrid(Family f, std::vector<Candidate>& out) {
    for (int H = 300; H <= 1500; H += 50)
        for (int B = 100; B <= 400 && 2 * B <= H; B += 10)
            for (const float tw : plateSizes)
                for (const float tf : plateSizes) {
                    if (tw < 8 || tf < tw || tf > 2 * tw) continue;
                    Candidate c;
                    c.family = f;
                    c.dims = ProfileDims{static_cast<float>(H), static_cast<float>(B), tw, tf, 0};
                    out.push_back(c);
                }
}

void grid(Family f, std::vector<Candidate>& out) {
    if (f == Family::flatbar) {
        for (int H = 50; H <= 400; H += 10)
            for (const float tw : plateSizes) {
                Candidate c;
                c.family = f;
                c.dims = ProfileDims{static_cast<float>(H), 0, tw, 0, 0};
                out.push_back(c);
            }
        return;
    }
    for (int H = 100; H <= 600; H += 10)
        for (int B = 50; B <= 250 && B <= H; B += 10)
            for (const float tw : plateSizes)
                for (const float tf : plateSizes) {
                    if (tf < tw || tf > 2 * tw) continue;
                    Candidate c;
                    c.family = f;
                    c.dims = ProfileDims{static_cast<float>(H), static_cast<float>(B), tw, tf, 0};
                    out.push_back(c);
                }
}

} // namespace

const char* familyName(Family f) {
    return familyNames[static_cast<std::size_t>(f)];
}

bool isGirderFamily(Family f) {
    return f == Family::angleGirder || f == Family::teeGirder;
}

std::optional<Family> findFamily(std::string_view name, bool girder) {
    for (int i = 0; i < familyCount; ++i) {
        const auto f = static_cast<Family>(i);
        if (isGirderFamily(f) == girder && name == familyNames[static_cast<std::size_t>(i)]) return f;
    }
    return std::nullopt;
}

std::vector<Family> girderFamilies() {
    return {Family::angleGirder, Family::teeGirder};
}

std::vector<Family> allFamilies() {
    std::vector<Family> all;
    for (int i = 0; i < familyCount; ++i)
        if (!isGirderFamily(static_cast<Family>(i))) all.push_back(static_cast<Family>(i));
    return all;
}

std::string candidateText(const Candidate& c) {
    const auto n = [](float v) { return generalNumber(v); };
    const ProfileDims& d = c.dims;
    switch (c.family) {
    case Family::lTable:
        return "L " + n(d.H) + "x" + n(d.B) + "x" + n(d.tw) + "x" + n(d.tf);
    case Family::bfTable:
        return "BF " + n(d.H) + "x" + n(d.tw);
    case Family::flatbarTable:
    case Family::flatbar:
        return "FB " + n(d.H) + "x" + n(d.tw);
    default: // the batch token
        return std::string(familyName(c.family)) + " " + n(d.H) + "x" + n(d.B) + "x" + n(d.tw) + "x" + n(d.tf);
    }
}

void applyCandidate(CaseInputs& in, const Candidate& c) {
    if (isGirderFamily(c.family)) {
        in.girderType = typeOf(c.family);
        *girderDims(in, in.girderType) = GirderDims{c.dims.H, c.dims.B, c.dims.tw, c.dims.tf};
        return;
    }
    in.stiffenerType = typeOf(c.family);
    const StiffenerTypeFacts& facts = *stiffenerTypeFacts(in.stiffenerType);
    if (facts.table)
        in.*facts.tableRow = c.row;
    else
        rememberBuiltUp(in, in.stiffenerType, c.dims);
}

std::vector<Candidate> rankedCandidates(const Catalogue& catalogue, const std::vector<Family>& families, int threads) {
    std::vector<Candidate> all;
    for (int i = 0; i < familyCount; ++i) {
        const auto f = static_cast<Family>(i);
        if (std::find(families.begin(), families.end(), f) == families.end()) continue;
        if (f == Family::lTable || f == Family::bfTable || f == Family::flatbarTable)
            tableRows(catalogue, f, all);
        else if (isGirderFamily(f))
            girderGrid(f, all);
        else
            grid(f, all);
    }
    // Ax (Ag) as the section properties compute it for the working profile, in one design case
    // per thread; the areas do not depend on the case.
    const auto areas = [&](std::size_t from, std::size_t to) {
        DesignCase dc;
        for (std::size_t i = from; i < to; ++i) {
            Candidate& c = all[i];
            applyCandidate(dc, c);
            if (isGirderFamily(c.family))
                c.Ax = girderProperties(dc).ok() ? dc.girder.Ag : -1;
            else
                c.Ax = selectProfile(dc, catalogue).ok() ? dc.stiff.Ax : -1;
        }
    };
    const std::size_t parts = static_cast<std::size_t>(std::clamp(threads, 1, maxStudyThreads));
    std::vector<std::thread> pool;
    for (std::size_t p = 1; p < parts; ++p)
        pool.emplace_back(areas, all.size() * p / parts, all.size() * (p + 1) / parts);
    areas(0, all.size() / parts);
    for (std::thread& t : pool) t.join();

    // Lightest first; equal areas in family and table order: a stable radix sort on the bits of
    // the areas, which order as the positive numbers they are.
    std::vector<std::pair<std::uint64_t, std::uint32_t>> order, spare;
    order.reserve(all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (!(all[i].Ax > 0)) continue;
        std::uint64_t bits = 0;
        std::memcpy(&bits, &all[i].Ax, sizeof bits);
        order.emplace_back(bits, static_cast<std::uint32_t>(i));
    }
    spare.resize(order.size());
    for (int shift = 0; shift < 64; shift += 16) {
        std::vector<std::size_t> count(65537, 0);
        for (const auto& e : order) ++count[((e.first >> shift) & 0xffff) + 1];
        for (std::size_t d = 1; d < count.size(); ++d) count[d] += count[d - 1];
        for (const auto& e : order) spare[count[(e.first >> shift) & 0xffff]++] = e;
        order.swap(spare);
    }
    std::vector<Candidate> ranked;
    ranked.reserve(order.size());
    for (const auto& [bits, i] : order) ranked.push_back(all[i]);
    return ranked;
}

namespace {

// The proportion rules of a built-up candidate for the stiffener strengths in force, in a design
// case kept for the purpose.
bool proportionsAccepted(const CaseInputs& in, const MaterialStrengths& stiffenerSteel, const Candidate& c,
                         DesignCase& dc) {
    if (c.row >= 0 || isGirderFamily(c.family)) return true;
    dc.stiffenerType = typeOf(c.family);
    dc.H = c.dims.H;
    dc.B = c.dims.B;
    dc.tw = c.dims.tw;
    dc.tf = c.dims.tf;
    dc.E = in.E;
    dc.stiffenerSteel = stiffenerSteel;
    if (!proportionRules(dc).ok()) return false;
    const StiffenerSection& s = dc.stiff;
    return !(s.webLimit > 0 && s.webRatio > s.webLimit) && !(s.flangeLimit > 0 && s.flangeRatio > s.flangeLimit);
}

} // namespace

bool proportionsAccepted(const CaseInputs& in, const Candidate& c, const Catalogue& catalogue) {
    DesignCase dc;
    return proportionsAccepted(in, stiffenerStrengthsInForce(in, catalogue), c, dc);
}

FailedChecks unchangedRules(const Candidate& candidate) {
    if (!isGirderFamily(candidate.family)) return girderRules();
    FailedChecks proportions;
    proportions[webProportionsRule] = proportions[flangeProportionsRule] = true;
    return proportions;
}

FailedChecks familyFixedChecks(Family f) {
    FailedChecks fixed;
    for (const CheckId id : {CheckId::UFpb, CheckId::UFpu, CheckId::UFpl, CheckId::UFt})
        fixed[static_cast<std::size_t>(id)] = true;
    if (!isGirderFamily(f)) fixed[static_cast<std::size_t>(CheckId::UFgm)] = true;
    return fixed;
}

namespace {

// The families that have no passing candidate, known from one candidate of each: it fails a
// check no candidate of its family can change.
std::array<bool, familyCount> familiesWithoutPass(const CaseInputs& c, const std::vector<Candidate>& candidates,
                                                  const FailedChecks& counted, CaseRunner& runner) {
    std::array<bool, familyCount> tried{}, dead{};
    for (const Candidate& k : candidates) {
        const auto f = static_cast<std::size_t>(k.family);
        if (tried[f]) continue;
        tried[f] = true;
        CaseInputs work = c;
        applyCandidate(work, k);
        dead[f] = (runner.run(work).failed & familyFixedChecks(k.family) & counted).any();
    }
    return dead;
}

} // namespace

LightestResult lightestCandidates(const CaseInputs& c, const std::vector<Candidate>& candidates, int top,
                                  const Catalogue& catalogue, const StudyControl& control) {
    LightestResult r;
    const FailedChecks counted = candidates.empty() ? FailedChecks{} : ~unchangedRules(candidates.front());
    std::array<bool, familyCount> dead{};
    {
        CaseRunner runner(catalogue);
        if (!candidates.empty()) r.unchangedFailing = runner.run(c).failed & unchangedRules(candidates.front());
        dead = familiesWithoutPass(c, candidates, counted, runner);
    }
    // Candidates are taken in order of area and filtered as they are reached: the search ends
    // long before the heaviest.
    DesignCase scratch;
    const MaterialStrengths stiffenerSteel = stiffenerStrengthsInForce(c, catalogue);
    std::size_t taken = 0;
    std::vector<const Candidate*> wave;
    StudyControl inner;
    inner.threads = control.threads;
    inner.stop = control.stop;
    // Waves of candidates grow as the search goes on: a winner is usually met early, and a long
    // search should not start its threads a thousand times.
    std::size_t waveSize = static_cast<std::size_t>(std::max(1, control.threads)) * 64;
    while (static_cast<int>(r.passing.size()) < top) {
        if (control.stopRequested()) {
            r.stopped = true;
            return r;
        }
        wave.clear();
        while (wave.size() < waveSize && taken < candidates.size()) {
            const Candidate& k = candidates[taken++];
            if (proportionsAccepted(c, stiffenerSteel, k, scratch)) wave.push_back(&k);
        }
        if (wave.empty()) break;
        std::vector<RankedCandidate> done(wave.size());
        const std::size_t delivered = runInOrder<RankedCandidate>(
            wave.size(), catalogue, inner,
            [&](std::size_t i, CaseRunner& runner) {
                RankedCandidate k;
                k.candidate = *wave[i];
                // Counted as searched, as the calculation would have found it failing.
                if (dead[static_cast<std::size_t>(k.candidate.family)]) return k;
                CaseInputs work = c;
                applyCandidate(work, k.candidate);
                // Only a passing candidate is listed with its verdict.
                k.passes = runner.passes(work, counted);
                if (k.passes) k.verdict = runner.passingVerdict();
                return k;
            },
            [&](std::size_t i, RankedCandidate& k) { done[i] = std::move(k); });
        for (std::size_t i = 0; i < delivered && static_cast<int>(r.passing.size()) < top; ++i) {
            ++r.searched;
            if (done[i].passes) r.passing.push_back(std::move(done[i]));
        }
        if (delivered < wave.size()) {
            r.stopped = static_cast<int>(r.passing.size()) < top;
            return r;
        }
        // The window's progress: candidates reached of all.
        if (control.progress && static_cast<int>(r.passing.size()) < top &&
            !control.progress(taken, candidates.size())) {
            r.stopped = true;
            return r;
        }
        waveSize = std::min<std::size_t>(waveSize * 2, 8192);
    }
    return r;
}

} // namespace korvel
