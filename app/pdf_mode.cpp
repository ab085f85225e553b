#include "pdf_mode.h"

#include "batch_gauging.h"
#include "command_line.h"
#include "interrupt_cleanup.h"

#include "engine/assessment.h"
#include "engine/calculate.h"
#include "files/batch_run.h"
#include "files/batch_stream_source.h"
#include "files/file_commands.h"
#include "files/project_file.h"
#include "files/table_stamps.h"
#include "report/batch_report_plan.h"
#include "ui/app_context.h"
#include "ui/batch_report_pdf.h"
#include "ui/report_printer.h"

#include <QDateTime>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace korvel {

std::optional<PdfRequest> pdfRequest(const std::vector<std::string>& args, std::string& problem) {
    PdfRequest request;
    bool pdf = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--pdf" || a == "--selection" || a == "--batch" || a == "--cases" || a == "--gauging") {
            if (i + 1 >= args.size()) {
                problem = a + " needs a value";
                return request;
            }
            const std::string& value = args[++i];
            if (a == "--pdf") {
                pdf = true;
                request.output = value;
            } else if (a == "--batch") {
                request.batch = value;
            } else if (a == "--gauging") {
                request.gauging = value;
            } else if (a == "--cases") {
                request.cases = value;
                request.casesGiven = true;
            } else if (value == "1" || value == "2" || value == "3") {
                request.selection = value[0] - '0';
            } else {
                problem = "--selection takes 1 (buckling), 2 (scantling/yield) or 3 (both), not " + value;
                return request;
            }
        } else if (a == "--envelope") {
            request.envelope = true;
        } else if (!a.empty() && a[0] == '-') {
            problem = "unknown option " + a;
            return request;
        } else if (!request.project.empty()) {
            // One report of one case: a second project file is a mistake, not a choice.
            problem = "one project file only: " + request.project + " and " + a + " were given";
            return request;
        } else {
            request.project = a;
        }
    }
    if (!pdf) {
        if (!request.batch.empty() || request.casesGiven || request.envelope)
            problem = "--batch, --cases and --envelope go with --pdf OUT.pdf";
        return problem.empty() ? std::nullopt : std::optional<PdfRequest>(request);
    }
    if (!request.batch.empty() && !request.project.empty())
        problem = "one input only: a project file or --batch, not both";
    else if (request.casesGiven && request.batch.empty())
        problem = "--cases goes with --batch";
    else if (request.envelope && request.batch.empty())
        problem = "--envelope goes with --batch";
    else if (!request.gauging.empty() && request.batch.empty())
        problem = "--gauging goes with --batch";
    return request;
}

namespace {

// The flags of a --cases selection are one per case; a larger file is reported whole.
constexpr std::int64_t maxSelectableCases = 100000000;

// The time the report states: now, or SOURCE_DATE_EPOCH (seconds since 1970) when it is set, so
// that a report can be made again byte for byte but for the PDF writer's own date.
std::int64_t reportSeconds() {
    if (const char* fixed = std::getenv("SOURCE_DATE_EPOCH")) {
        char* end = nullptr;
        const long long value = std::strtoll(fixed, &end, 10);
        if (end != fixed && *end == '\0' && value >= 0) return value;
    }
    return QDateTime::currentSecsSinceEpoch();
}

int runBatchPdf(const PdfRequest& request, AppContext& ctx) {
    // Read through once here, for its faults and its cases; the report reads it again as it goes.
    auto opened = BatchEntrySource::open(request.batch, ctx.decimalMode, ctx.catalogue);
    if (const auto* error = std::get_if<BatchError>(&opened)) {
        std::cerr << "korvel: " << error->message() << '\n';
        return exitInput;
    }
    BatchEntrySource& source = std::get<BatchEntrySource>(opened);
    std::optional<BatchGauging> gauging;
    if (!request.gauging.empty() && !(gauging = BatchGauging::read(request.gauging))) return exitInput;
    // The notes of the fields read (a field that is not a number, a table row standing in), once.
    for (BatchEntry e; source.next(e);) {
        for (const std::string& note : e.notes)
            std::cerr << source.fileName() << ":" << e.line << ": warning: " << note << '\n';
        if (gauging && e.isCase()) gauging->caseRun(e);
    }
    if (gauging)
        for (const std::string& note : gauging->unused()) std::cerr << note << '\n';
    if (!source.restart()) {
        std::cerr << "korvel: " << source.error()->message() << '\n';
        return exitInput;
    }
    BatchReportRequest report;
    report.selection = request.selection != 0 ? request.selection : analysisAll;
    if (request.casesGiven) {
        const auto caseCount = static_cast<int>(std::min<std::int64_t>(source.caseCount(), maxSelectableCases));
        auto chosen = parseCaseSelection(request.cases, caseCount);
        if (const auto* problem = std::get_if<std::string>(&chosen)) {
            std::cerr << "korvel: --cases " << request.cases << ": " << *problem << '\n';
            return exitUsage;
        }
        report.chosen = std::get<std::vector<bool>>(std::move(chosen));
    }
    // A gauging that cannot be applied to its case is told once, though the case is run twice.
    std::vector<std::string> gaugingNotes;
    if (gauging)
        report.gauging = [adjust = gauging->adjustment(ctx.catalogue), &gaugingNotes](const BatchEntry& e,
                                                                                      CaseInputs& inputs) {
            std::string note = adjust(e, inputs);
            if (!note.empty() && std::find(gaugingNotes.begin(), gaugingNotes.end(), note) == gaugingNotes.end()) {
                std::cerr << note << '\n';
                gaugingNotes.push_back(note);
            }
            return note;
        };
    report.fileShown = request.batch;
    report.separator = ctx.decimalSeparator();
    report.envelope = request.envelope;
    const std::int64_t seconds = reportSeconds();
    report.provenance = makeProvenance(ctx.programFolder, seconds);
    const QDateTime local = QDateTime::fromSecsSinceEpoch(seconds);
    report.time = {local.date().year(), local.date().month(), local.date().day(), local.time().hour(),
                   local.time().minute()};
    const BatchReportWritten written = writeBatchReportPdf(
        QString::fromStdString(request.output), source, ctx.catalogue, report, {},
        [&](const std::filesystem::path& temporary) {
            removeOnInterrupt(temporary, "korvel: interrupted; " + request.output + " was not written");
        });
    if (written.end != BatchReportEnd::done) {
        std::cerr << "korvel: " << written.error.toStdString() << '\n';
        return exitOutput;
    }
    return exitDone;
}

} // namespace

int runPdfMode(const PdfRequest& request, const DataFolder& data) {
    // The report must not replace a file it is made from, whatever name it is given by.
    std::vector<std::string> inputs = tableFilesIn(data.path);
    inputs.push_back(request.batch);
    inputs.push_back(request.project);
    inputs.push_back(request.gauging);
    if (request.batch.empty() && request.project.empty()) inputs.push_back((data.path / startupBatchInput).string());
    if (const auto input = inputWrittenOver(request.output, inputs)) {
        std::cerr << "korvel: the report " << request.output << " is the input file " << *input
                  << " itself; name another PDF file\n";
        return exitUsage;
    }
    installInterruptCleanup();
    AppContext ctx;
    if (const auto error = prepareStart(ctx, data.path)) {
        std::cerr << "korvel: " << error->message() << '\n';
        return exitTables;
    }
    if (!request.batch.empty()) return runBatchPdf(request, ctx);
    // Without its own data folder the report is still composed; only "dummy.koro" is not written.
    if (const auto problem = settleUserFolders(ctx, data.installed)) std::cerr << "korvel: " << *problem << '\n';
    IgnoreWarnings quiet;
    if (request.project.empty()) {
        // The case the window would start with.
        runStartupBatch(ctx.programFolder, ctx.dc, ctx.catalogue, ctx.decimalMode, quiet, ctx.outputFolder);
    } else {
        const ProjectFileOutcome read = readProjectFile(request.project, ctx.catalogue, ctx.dc);
        if (!read.ok()) {
            std::cerr << "korvel: " << read.message << '\n';
            return exitInput;
        }
    }
    if (request.selection != 0) ctx.dc.analysis = request.selection;
    ctx.dc.printSelection = ctx.dc.analysis;
    runCase(ctx.dc, ctx.catalogue, {}, quiet);

    QString error;
    if (!writeReportPdf(QString::fromStdString(request.output), ctx.dc, ctx.catalogue, currentReportTime(), &error,
                        ctx.decimalSeparator())) {
        std::cerr << "korvel: " << error.toStdString() << '\n';
        return exitOutput;
    }
    return exitDone;
}

} // namespace korvel
