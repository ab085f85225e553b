// Speed of the design studies on the first case of the start-up batch file: the reserve factor
// of one case, the allowable diminution of every member on both bases, the lightest stiffener over the three tables and
// the built-up grid on every core, and a 72-ray capacity curve on every core.
#include "files/batch_case.h"
#include "files/batch_file.h"
#include "files/table_loader.h"
#include "studies/capacity_study.h"
#include "studies/lightest_study.h"
#include "studies/reserve_study.h"
#include "studies/wastage_study.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <thread>
#include <variant>

using namespace korvel;

namespace {

const std::filesystem::path programFolder = std::filesystem::canonical("/proc/self/exe").parent_path();

const Catalogue& programCatalogue() {
    static const Catalogue catalogue = [] {
        const auto loaded = loadCatalogue(programFolder);
        return std::holds_alternative<Catalogue>(loaded) ? std::get<Catalogue>(loaded) : Catalogue{};
    }();
    return catalogue;
}

// The first case of dummy.kori (a rolled angle on a deck).
const CaseInputs& firstCase() {
    static const CaseInputs c = [] {
        const BatchRead read =
            readBatchFile((programFolder / "dummy.kori").string(), DecimalMode::period, programCatalogue());
        if (const auto* list = std::get_if<BatchList>(&read))
            for (const BatchEntry& e : list->entries)
                if (e.isCase()) return e.inputs;
        return CaseInputs{};
    }();
    return c;
}

int cores() {
    return std::max(1u, std::thread::hardware_concurrency());
}

void reserveOfOneCase(benchmark::State& state) {
    CaseRunner runner(programCatalogue());
    for (auto _ : state) benchmark::DoNotOptimize(reserveFactor(firstCase(), runner).lambda);
}
BENCHMARK(reserveOfOneCase)->Unit(benchmark::kMicrosecond);

// The wastage study of one case: the plate, web, flange, girder web and flange and all together.
void wastageOfOneCaseAllMembers(benchmark::State& state) {
    CaseRunner runner(programCatalogue());
    const auto basis = state.range(0) == 0 ? WastageBasis::strength : WastageBasis::allChecks;
    for (auto _ : state)
        for (const Member m : allMembers) benchmark::DoNotOptimize(allowableDiminution(firstCase(), m, basis, runner));
}
BENCHMARK(wastageOfOneCaseAllMembers)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The candidates ranked and the case searched, as korvel-study lightest does for one case.
void lightestOverTablesAndGrid(benchmark::State& state) {
    StudyControl control;
    control.threads = cores();
    for (auto _ : state) {
        const std::vector<Candidate> candidates = rankedCandidates(programCatalogue(), allFamilies(), cores());
        benchmark::DoNotOptimize(lightestCandidates(firstCase(), candidates, 1, programCatalogue(), control));
    }
}
BENCHMARK(lightestOverTablesAndGrid)->Unit(benchmark::kMillisecond)->UseRealTime();

// The search alone, with the candidates ranked once for the run.
void lightestSearchOnly(benchmark::State& state) {
    StudyControl control;
    control.threads = cores();
    const std::vector<Candidate> candidates = rankedCandidates(programCatalogue(), allFamilies());
    for (auto _ : state)
        benchmark::DoNotOptimize(lightestCandidates(firstCase(), candidates, 1, programCatalogue(), control));
}
BENCHMARK(lightestSearchOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

// On every core, and (argument 1) on one thread.
void capacityCurve72Rays(benchmark::State& state) {
    StudyControl control;
    control.threads = state.range(0) == 0 ? cores() : static_cast<int>(state.range(0));
    const CapacityRequest request{LoadGroup::sigx, LoadGroup::tau, defaultCapacityRays, false};
    for (auto _ : state) benchmark::DoNotOptimize(capacityCurve(firstCase(), request, programCatalogue(), control));
}
BENCHMARK(capacityCurve72Rays)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
