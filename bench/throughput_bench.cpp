// Throughput of a results run on one core, in its parts and whole: the numbers-only assessment of
// one case (target 1 µs or less), one results line written (target 0.5 µs or less), and
// 100,000 generated cases from file to file (target 300,000 cases a second or more).
// items_per_second is cases (or lines) per second. The cases cycle through a generated list, so
// that every profile type, structure type and stopping step takes its share.

#include "design/design_case.h"
#include "design/warning_sink.h"
#include "files/batch_results_table.h"
#include "files/batch_run.h"
#include "files/batch_stream.h"
#include "files/batch_stream_run.h"
#include "generated_cases.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <string>
#include <thread>
#include <variant>
#include <vector>

using namespace korvel;
using namespace korvel::bench;

namespace {

// The cases of a list, its comments left out.
std::vector<const BatchEntry*> casesOf(const BatchList& list) {
    std::vector<const BatchEntry*> cases;
    for (const BatchEntry& e : list.entries)
        if (e.isCase()) cases.push_back(&e);
    return cases;
}

void numbersOnlyAssessment(benchmark::State& state) {
    const Catalogue* cat = tables();
    if (!cat) {
        state.SkipWithError("the tables are not in the program folder");
        return;
    }
    const BatchList list =
        std::get<BatchList>(readBatchText(generatedCases(*cat, 4000), "bench.kori", DecimalMode::period, *cat));
    const std::vector<const BatchEntry*> cases = casesOf(list);
    IgnoreWarnings warnings;
    DesignCase dc;
    std::size_t next = 0;
    for (auto _ : state) {
        runBatchCaseForResults(*cases[next], dc, *cat, warnings);
        benchmark::DoNotOptimize(dc.uf);
        next = next + 1 == cases.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(numbersOnlyAssessment);

void resultsLineWritten(benchmark::State& state) {
    const Catalogue* cat = tables();
    if (!cat) {
        state.SkipWithError("the tables are not in the program folder");
        return;
    }
    const BatchList list =
        std::get<BatchList>(readBatchText(generatedCases(*cat, 300), "bench.kori", DecimalMode::period, *cat));
    IgnoreWarnings warnings;
    std::vector<DesignCase> calculated;
    for (const BatchEntry* e : casesOf(list)) {
        calculated.emplace_back();
        runBatchCaseForResults(*e, calculated.back(), *cat, warnings);
    }
    std::string line;
    std::size_t next = 0;
    for (auto _ : state) {
        line.clear();
        appendBatchResultLine(line, calculated[next]);
        benchmark::DoNotOptimize(line.data());
        next = next + 1 == calculated.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(resultsLineWritten);

// 100,000 cases in ten files of 10,000 (the most one list holds), each read, run and written.
void fileToFile100k(benchmark::State& state) {
    const Catalogue* cat = tables();
    if (!cat) {
        state.SkipWithError("the tables are not in the program folder");
        return;
    }
    constexpr int files = 10;
    std::vector<std::string> inputs;
    for (int i = 0; i < files; ++i) {
        inputs.push_back((fs::temp_directory_path() / ("korvel_throughput_" + std::to_string(i) + ".kori")).string());
        std::ofstream(inputs.back(), std::ios::binary)
            << generatedCases(*cat, maxBatchEntries, 100 + static_cast<unsigned>(i));
    }
    IgnoreWarnings warnings;
    DesignCase dc;
    long long cases = 0;
    for (auto _ : state) {
        for (const std::string& input : inputs) {
            BatchRead read = readBatchFile(input, DecimalMode::period, *cat);
            const auto* list = std::get_if<BatchList>(&read);
            if (!list) {
                state.SkipWithError(std::get<BatchError>(read).message().c_str());
                return;
            }
            const BatchWritten written = writeBatchResults(batchOutputPath(input), *list, dc, *cat, warnings);
            if (const auto* summary = std::get_if<BatchSummary>(&written)) cases += summary->cases;
        }
    }
    state.SetItemsProcessed(cases);
    std::error_code ec;
    for (const std::string& input : inputs) {
        fs::remove(input, ec);
        fs::remove(batchOutputPath(input), ec);
    }
}
BENCHMARK(fileToFile100k)->Unit(benchmark::kMillisecond);

// 100,000 generated cases in one file streamed to a results file, as korvel-batch -j N runs them:
// on one thread and on every core.
void streamedFileToFile100k(benchmark::State& state) {
    const Catalogue* cat = tables();
    if (!cat) {
        state.SkipWithError("the tables are not in the program folder");
        return;
    }
    const std::string input = (fs::temp_directory_path() / "korvel_streamed_100k.kori").string();
    const std::string output = batchOutputPath(input);
    std::ofstream(input, std::ios::binary) << generatedCases(*cat, 100000);
    long long cases = 0;
    for (auto _ : state) {
        auto opened = BatchStreamReader::open(input, DecimalMode::period, *cat);
        auto* reader = std::get_if<BatchStreamReader>(&opened);
        if (!reader) {
            state.SkipWithError(std::get<BatchError>(opened).message().c_str());
            return;
        }
        std::ofstream out(output, std::ios::binary);
        out << batchResultsHeader();
        BatchStreamHooks hooks;
        hooks.write = [&](std::string_view rows) {
            return static_cast<bool>(out.write(rows.data(), static_cast<std::streamsize>(rows.size())));
        };
        cases += streamBatch(*reader, *cat, static_cast<int>(state.range(0)), hooks).summary.totals.cases;
    }
    state.SetItemsProcessed(cases);
    std::error_code ec;
    fs::remove(input, ec);
    fs::remove(output, ec);
}
BENCHMARK(streamedFileToFile100k)
    ->Arg(1)
    ->Arg(static_cast<int>(std::max(1U, std::thread::hardware_concurrency())))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
