// Speed of the batch run from file to file: 10001 generated cases (the most a batch file holds)
// read, calculated and written. items_per_second is cases per second; the target is 100,000.
// The tables come from the program folder beside the benchmark executable.

#include "design/design_case.h"
#include "design/warning_sink.h"
#include "files/batch_results_table.h"
#include "files/batch_run.h"
#include "files/table_loader.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>
#include <variant>

using namespace korvel;

namespace {

namespace fs = std::filesystem;

fs::path programFolder() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : self.parent_path();
}

const Catalogue* tables() {
    static const CatalogueLoad load = loadCatalogue(programFolder());
    return std::get_if<Catalogue>(&load);
}

// Plausible panels over every stiffener and girder token, all structure types and loading
// conditions, tension and compression; a comment line every hundred cases.
std::string generatedCases(const Catalogue& cat, int entries) {
    std::mt19937 random(2026);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const auto num = [](double v) { return std::to_string(v); };
    const char* tokens[] = {"LR", "LW", "TG", "FB", "BF", "IG"};
    std::string text = "% generated cases for the batch benchmark\r\n";
    for (int i = 1; i < entries; ++i) {
        if (i % 100 == 0) {
            text += "%block " + std::to_string(i / 100) + "\r\n";
            continue;
        }
        const std::string token = tokens[pick(6)];
        std::string dims;
        if (token == "LR") {
            const int r = pick(cat.l.lastRow + 1);
            dims = num(cat.l.value(r, 1)) + "x" + num(cat.l.value(r, 2)) + "x" + num(cat.l.value(r, 3)) + "x" +
                   num(cat.l.value(r, 4));
        } else if (token == "BF") {
            const int r = pick(cat.bf.lastRow + 1);
            dims = num(cat.bf.value(r, 1)) + "x" + num(cat.bf.value(r, 2));
        } else if (token == "FB") {
            dims = std::to_string(100 + 20 * pick(10)) + "x" + std::to_string(10 + pick(10));
        } else {
            dims = std::to_string(200 + 25 * pick(8)) + "x" + std::to_string(90 + 10 * pick(6)) + "x" +
                   std::to_string(8 + pick(5)) + "x" + std::to_string(10 + pick(8));
        }
        const int condition = pick(3);
        const double L1 = 2000 + 100 * pick(20);
        const double s = 500 + 25 * pick(12);
        text += "Bench\tC" + std::to_string(i) + "\t" + std::to_string(condition) + "\t" +
                (condition == 1 ? "1.11\t0.8" : "1.43\t0.6") + "\t355\t490\t355\t490\t206000\t" +
                std::to_string(pick(3)) + "\t" + std::to_string(20 + pick(60)) + "\t" + std::to_string(pick(2)) + "\t" +
                token + "\t" + dims + "\t" + (pick(2) ? "TG" : "LG") + "\t" + std::to_string(600 + 100 * pick(8)) +
                "x200x" + std::to_string(10 + pick(4)) + "x20\t" + num(L1) + "\t" + num(L1 + 100 * pick(5)) + "\t" +
                num(3 * L1) + "\t6000\t3000\t" + std::to_string(10 + pick(15)) + "\t" + num(s) + "\t" + num(s) + "\t" +
                num(-150 + pick(200)) + "\t" + num(-150 + pick(200)) + "\t" + num(-50 + pick(60)) + "\t" +
                num(-50 + pick(60)) + "\t" + num(pick(60)) + "\t" + num(0.01 * pick(10)) + "\t" + num(0.01 * pick(10)) +
                "\r\n";
    }
    return text + "End\r\n";
}

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
