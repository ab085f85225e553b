// Speed and memory of korvel-fe's reduction, with the batch file and the audit composed, for 500
// panels (global tensors, rows in load-case order as exports write them):
//   feReduction/20/10/10   1,000,000 rows: 100,000 plate elements (200 a panel) under 10 load cases
//   feReduction/80/50/1    2,000,000 rows: 2,000,000 elements (4,000 a panel) under 1 load case,
//                          the most elements a 2-million-row export can put inside the panels
// items_per_second is rows per second; peak_MB is the process's peak resident memory (VmHWM)
// so far, which includes the benchmark's own few MB.

#include "design/number_format.h"
#include "fe/fe_import.h"
#include "generated_cases.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

using namespace korvel;
using namespace korvel::bench;

namespace {

namespace fs = std::filesystem;

constexpr int panelsAlong = 25, panelsAcross = 20;
constexpr double L1 = 3000, S = 1400;

// The peak resident memory of this process in MB, from /proc/self/status.
double peakMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == "VmHWM:") {
            double kB = 0;
            status >> kB;
            return kB / 1024;
        }
    return 0;
}

void writeInputs(const fs::path& folder, int cellsX, int cellsY, int loadCases) {
    std::ofstream panels(folder / "panels.tsv", std::ios::binary);
    panels << "panel\ttemplate\tox\toy\toz\tpxx\tpxy\tpxz\tpyx\tpyy\tpyz\n";
    for (int i = 0; i < panelsAlong; ++i)
        for (int j = 0; j < panelsAcross; ++j)
            panels << "P" << i << "_" << j << "\tT1\t" << i * L1 << "\t" << j * S << "\t0\t" << i * L1 + 1 << "\t"
                   << j * S << "\t0\t" << i * L1 << "\t" << j * S + 1 << "\t0\n";
    std::ofstream(folder / "t.kori", std::ios::binary)
        << "Gen\tT1\t0\t1.43\t0.6\t235\t400\t235\t400\t206000\t1\t65\t0\tLW\t200x90x9x12\tTG\t800x200x10x20\t3000\t"
           "2500\t8000\t6000\t3000\t20\t700\t700\t-100\t-100\t-30\t-30\t40\t0.03\t0.03\r\nEnd\r\n";
    std::ofstream table(folder / "stresses.tsv", std::ios::binary);
    table << "lc\telem\tx\ty\tz\tarea\tsx\tsy\tsz\tsxy\tsyz\tszx\n";
    std::string line;
    const double dx = L1 / cellsX, dy = S / cellsY;
    for (int lc = 1; lc <= loadCases; ++lc) {
        int elem = 0;
        for (int i = 0; i < panelsAlong * cellsX; ++i)
            for (int j = 0; j < panelsAcross * cellsY; ++j) {
                const double x = (i + 0.5) * dx, y = (j + 0.5) * dy;
                line = "LC" + std::to_string(lc) + "\t" + std::to_string(++elem) + "\t" + exactNumber(x) + "\t" +
                       exactNumber(y) + "\t0\t" + exactNumber(dx * dy) + "\t" + exactNumber(-lc * 10 - 0.01 * y) +
                       "\t" + exactNumber(-20 + 0.002 * x) + "\t0\t" + exactNumber(lc * 1.5) + "\t0\t0\n";
                table << line;
            }
    }
}

void feReduction(benchmark::State& state) {
    const Catalogue* cat = tables();
    if (!cat) {
        state.SkipWithError("the tables are not in the program folder");
        return;
    }
    const int cellsX = static_cast<int>(state.range(0)), cellsY = static_cast<int>(state.range(1));
    const int loadCases = static_cast<int>(state.range(2));
    const fs::path folder = fs::temp_directory_path() / "korvel_fe_bench";
    fs::create_directories(folder);
    writeInputs(folder, cellsX, cellsY, loadCases);
    const FeRequest request{(folder / "stresses.tsv").string(),
                            (folder / "panels.tsv").string(),
                            (folder / "t.kori").string(),
                            {},
                            1,
                            false};
    std::size_t cases = 0;
    for (auto _ : state) {
        const FeOutcome out = runFeImport(request, *cat);
        if (out.failed) {
            state.SkipWithError(out.errors.empty() ? "failed" : out.errors.front().c_str());
            break;
        }
        cases = out.results.size();
        benchmark::DoNotOptimize(out.kori.data());
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t{panelsAlong} * cellsX * panelsAcross * cellsY *
                            loadCases);
    state.counters["cases"] = static_cast<double>(cases);
    state.counters["peak_MB"] = peakMegabytes();
    std::error_code ec;
    fs::remove_all(folder, ec);
}
BENCHMARK(feReduction)->Args({20, 10, 10})->Args({80, 50, 1})->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
