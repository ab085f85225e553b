// Speed of the calculation on the new-file case.
#include "checks/buckling/plate_buckling.h"
#include "engine/calculate.h"
#include "engine/stress_preparation.h"
#include "files/table_loader.h"
#include "sections/profile_types.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <variant>

using namespace korvel;

namespace {

// The tables of the program folder, where the benchmark runs from.
const Catalogue& programCatalogue() {
    static const Catalogue catalogue = [] {
        const auto loaded = loadCatalogue(std::filesystem::canonical("/proc/self/exe").parent_path());
        return std::holds_alternative<Catalogue>(loaded) ? std::get<Catalogue>(loaded) : Catalogue{};
    }();
    return catalogue;
}

DesignCase newCase() {
    DesignCase dc;
    dc.plateSteel.Fy = dc.stiffenerSteel.Fy = 355;
    dc.plateSteel.Fu = dc.stiffenerSteel.Fu = 490;
    selectProfile(dc, programCatalogue());
    return dc;
}

// Plate buckling of both plate fields, with the stress preparation it needs.
void plateBuckling(benchmark::State& state) {
    DesignCase dc = newCase();
    for (auto _ : state) {
        prepareStresses(dc);
        benchmark::DoNotOptimize(checkPlates(dc));
        benchmark::DoNotOptimize(dc.uf.UFpb);
    }
}
BENCHMARK(plateBuckling);

// The whole calculation as an edit in the window runs it.
void fullCalculation(benchmark::State& state) {
    DesignCase dc = newCase();
    IgnoreWarnings warnings;
    for (auto _ : state) {
        calculate(dc, programCatalogue(), warnings);
        if (dc.fault.stopped()) state.SkipWithError(dc.fault.message().c_str());
        benchmark::DoNotOptimize(dc.uf.UFpb);
    }
}
BENCHMARK(fullCalculation);

} // namespace

namespace {

// The same calculation as a batch results run makes it: the numbers without the check-line texts.
void resultsOnlyCalculation(benchmark::State& state) {
    DesignCase dc = newCase();
    IgnoreWarnings warnings;
    for (auto _ : state) {
        calculate(dc, programCatalogue(), warnings, AssessOptions{});
        benchmark::DoNotOptimize(dc.uf.UFpb);
    }
}
BENCHMARK(resultsOnlyCalculation);

} // namespace
