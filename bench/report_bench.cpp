// Composition of the printed report of the new-file case on a recording surface: the work of
// one page without the cost of a printer or PDF device.
#include "engine/calculate.h"
#include "files/table_loader.h"
#include "report/printed_report.h"
#include "sections/profile_types.h"
#include "support/recording_surface.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <variant>

using namespace korvel;

namespace {

void reportComposition(benchmark::State& state) {
    const auto loaded = loadCatalogue(std::filesystem::canonical("/proc/self/exe").parent_path());
    if (!std::holds_alternative<Catalogue>(loaded)) {
        state.SkipWithError("the tables are not in the program folder");
        return;
    }
    const Catalogue& catalogue = std::get<Catalogue>(loaded);
    DesignCase dc;
    selectProfile(dc, catalogue);
    IgnoreWarnings warnings;
    calculate(dc, catalogue, warnings);
    dc.printSelection = analysisAll;
    const ReportTime time{2026, 12, 7, 9, 5};
    for (auto _ : state) {
        test::RecordingSurface page;
        composeReport(page, dc, catalogue, PageSize{}, time);
        benchmark::DoNotOptimize(page);
    }
}
BENCHMARK(reportComposition)->Unit(benchmark::kMicrosecond);

} // namespace
