// Speed of the batch run from file to file: 10001 generated cases (the most a batch file holds)
// read, calculated and written. items_per_second is cases per second; the target is 100,000.
// The tables come from the program folder beside the benchmark executable.

#include "design/design_case.h"
#include "design/warning_sink.h"
#include "files/batch_results_table.h"
#include "files/batch_run.h"
#include "files/table_loader.h"
#include "generated_cases.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <variant>

using namespace korvel;
using namespace korvel::bench;

namespace {

namespace fs = std::filesystem;

// Read, calculate every case and write the table, as the batch window's save does.
void batchFileToFile(benchmark::State& state) {
    const Catalogue* cat = tables();
    if (!cat) {
        state.SkipWithError("the tables are not in the program folder");
        return;
    }
    const fs::path folder = fs::temp_directory_path();
    const std::string input = (folder / "korvel_batch_bench.kori").string();
    const std::string output = batchOutputPath(input);
    std::ofstream(input, std::ios::binary) << generatedCases(*cat, maxBatchEntries);

    IgnoreWarnings warnings;
    DesignCase dc;
    int cases = 0;
    for (auto _ : state) {
        BatchRead read = readBatchFile(input, DecimalMode::period, *cat);
        const auto* list = std::get_if<BatchList>(&read);
        if (!list) {
            state.SkipWithError(std::get<BatchError>(read).message().c_str());
            break;
        }
        auto written = writeBatchResults(output, *list, dc, *cat, warnings);
        if (const auto* summary = std::get_if<BatchSummary>(&written)) cases = summary->cases;
        benchmark::DoNotOptimize(written);
    }
    state.SetItemsProcessed(state.iterations() * cases);
    state.counters["cases"] = cases;
    std::error_code ec;
    fs::remove(input, ec);
    fs::remove(output, ec);
}
BENCHMARK(batchFileToFile)->Unit(benchmark::kMillisecond);

// The parts on their own: reading the input, and running and formatting in memory.
void batchRead(benchmark::State& state) {
    const Catalogue* cat = tables();
    if (!cat) {
        state.SkipWithError("the tables are not in the program folder");
        return;
    }
    const std::string text = generatedCases(*cat, maxBatchEntries);
    for (auto _ : state) benchmark::DoNotOptimize(readBatchText(text, "bench.kori", DecimalMode::period, *cat));
    state.SetItemsProcessed(state.iterations() * maxBatchEntries);
}
BENCHMARK(batchRead)->Unit(benchmark::kMillisecond);

void batchRunInMemory(benchmark::State& state) {
    const Catalogue* cat = tables();
    if (!cat) {
        state.SkipWithError("the tables are not in the program folder");
        return;
    }
    const BatchList list = std::get<BatchList>(
        readBatchText(generatedCases(*cat, maxBatchEntries), "bench.kori", DecimalMode::period, *cat));
    IgnoreWarnings warnings;
    DesignCase dc;
    for (auto _ : state) benchmark::DoNotOptimize(runBatch(list, dc, *cat, warnings));
    state.SetItemsProcessed(state.iterations() * list.caseCount());
}
BENCHMARK(batchRunInMemory)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// One case's line of the results table, from a case already calculated.
void batchResultLine(benchmark::State& state) {
    const Catalogue* cat = tables();
    if (!cat) {
        state.SkipWithError("the tables are not in the program folder");
        return;
    }
    const BatchList list =
        std::get<BatchList>(readBatchText(generatedCases(*cat, 3), "bench.kori", DecimalMode::period, *cat));
    IgnoreWarnings warnings;
    DesignCase dc;
    runBatchCase(list.entries[1], dc, *cat, warnings);
    std::string line;
    for (auto _ : state) {
        line.clear();
        appendBatchResultLine(line, dc);
        benchmark::DoNotOptimize(line.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(batchResultLine);

// Loading one case into the design case and calculating it, without the table.
void batchCaseRun(benchmark::State& state) {
    const Catalogue* cat = tables();
    if (!cat) {
        state.SkipWithError("the tables are not in the program folder");
        return;
    }
    const BatchList list =
        std::get<BatchList>(readBatchText(generatedCases(*cat, 3), "bench.kori", DecimalMode::period, *cat));
    IgnoreWarnings warnings;
    DesignCase dc;
    for (auto _ : state) {
        runBatchCase(list.entries[1], dc, *cat, warnings);
        benchmark::DoNotOptimize(dc.uf);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(batchCaseRun);

} // namespace
