// Speed of the calculation on the new-file case.
#include "checks/buckling/plate_buckling.h"
#include "design/calculate.h"
#include "design/stress_preparation.h"

#include <benchmark/benchmark.h>

using namespace korvel;

namespace {

DesignCase newCase() {
    DesignCase dc;
    dc.Fyp = dc.Fys = 355;
    dc.Fup = dc.Fus = 490;
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
    Catalogue catalogue;
    IgnoreWarnings warnings;
    for (auto _ : state) {
        calculate(dc, catalogue, warnings);
        benchmark::DoNotOptimize(dc.uf.UFpb);
    }
}
BENCHMARK(fullCalculation);

} // namespace
