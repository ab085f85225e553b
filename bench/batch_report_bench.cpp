// The report of a whole batch as a PDF file: the summary and one report page per case, streamed
// into the file page by page. Arguments: the number of cases (100, 1,000). For the memory profile
// run one size alone under /usr/bin/time -v and compare the peak resident sizes, e.g.
//   /usr/bin/time -v build/bin/batch_report_bench --benchmark_filter=/1000
// (offscreen platform, no display needed).

#include "generated_cases.h"

#include "files/batch_file.h"
#include "files/table_stamps.h"
#include "ui/batch_report_pdf.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>

using namespace korvel;

namespace {

void batchReportPdf(benchmark::State& state) {
    // The report needs fonts but no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "batch_report_bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    const Catalogue* catalogue = bench::tables();
    if (!catalogue) {
        state.SkipWithError("the tables are not in the program folder");
        return;
    }
    const int cases = static_cast<int>(state.range(0));
    // A comment line every hundred entries: enough entries for the cases asked for.
    const BatchRead read = readBatchText(bench::generatedCases(*catalogue, cases + cases / 90 + 2), "generated.kori",
                                         DecimalMode::period, *catalogue);
    if (!std::holds_alternative<BatchList>(read)) {
        state.SkipWithError(std::get<BatchError>(read).message().c_str());
        return;
    }
    const BatchList& list = std::get<BatchList>(read);
    BatchReportRequest request;
    request.chosen.assign(static_cast<std::size_t>(list.caseCount()), false);
    std::fill_n(request.chosen.begin(), std::min(cases, list.caseCount()), true);
    request.fileShown = "generated.kori";
    request.provenance = makeProvenance(bench::programFolder(), 0);
    request.time = {2026, 12, 8, 9, 5};
    const QString path =
        QString::fromStdString((bench::fs::temp_directory_path() / "korvel_batch_report_bench.pdf").string());
    for (auto _ : state) {
        const BatchReportWritten written = writeBatchReportPdf(path, list, *catalogue, request);
        if (written.end != BatchReportEnd::done) state.SkipWithError(written.error.toStdString().c_str());
    }
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(cases + 1), benchmark::Counter::kIsIterationInvariantRate);
    std::error_code ec;
    state.counters["MB"] = static_cast<double>(bench::fs::file_size(path.toStdString(), ec)) / 1e6;
    std::remove(path.toStdString().c_str());
}
BENCHMARK(batchReportPdf)->Arg(100)->Arg(1000)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
