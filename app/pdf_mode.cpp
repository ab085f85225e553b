#include "pdf_mode.h"

#include "engine/assessment.h"
#include "engine/calculate.h"
#include "files/batch_run.h"
#include "files/file_commands.h"
#include "files/project_file.h"
#include "ui/app_context.h"
#include "ui/report_printer.h"

#include <iostream>

namespace korvel {

std::optional<PdfRequest> pdfRequest(const std::vector<std::string>& args, std::string& problem) {
    PdfRequest request;
    bool pdf = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--pdf" || a == "--selection") {
            if (i + 1 >= args.size()) {
                problem = a + " needs a value";
                return request;
            }
            const std::string& value = args[++i];
            if (a == "--pdf") {
                pdf = true;
                request.output = value;
            } else if (value == "1" || value == "2" || value == "3") {
                request.selection = value[0] - '0';
            } else {
                problem = "--selection takes 1 (buckling), 2 (scantling/yield) or 3 (both), not " + value;
                return request;
            }
        } else if (!a.empty() && a[0] == '-') {
            problem = "unknown option " + a;
            return request;
        } else {
            request.project = a;
        }
    }
    if (!pdf) return std::nullopt;
    return request;
}

int runPdfMode(const PdfRequest& request, const DataFolder& data) {
    AppContext ctx;
    if (const auto error = prepareStart(ctx, data.path)) {
        std::cerr << "korvel: " << error->message() << '\n';
        return 3;
    }
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
            return 1;
        }
    }
    if (request.selection != 0) ctx.dc.analysis = request.selection;
    ctx.dc.printSelection = ctx.dc.analysis;
    runCase(ctx.dc, ctx.catalogue, {}, quiet);

    QString error;
    if (!writeReportPdf(QString::fromStdString(request.output), ctx.dc, ctx.catalogue, currentReportTime(), &error)) {
        std::cerr << "korvel: " << error.toStdString() << '\n';
        return 4;
    }
    return 0;
}

} // namespace korvel
