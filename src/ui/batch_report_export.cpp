#include "ui/batch_report_export.h"

#include "files/data_folder.h"
#include "files/table_stamps.h"
#include "ui/batch_report_pdf.h"
#include "ui/report_printer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

#include <filesystem>
#include <functional>
#include <memory>

namespace korvel {

namespace {

bool noBatchFile(const BatchReportJob& job) {
    if (!job.list || !job.catalogue || job.inputFile.empty() || job.list->caseCount() == 0) {
        if (job.messages)
            job.messages->warning("No batch file with cases has been read: choose Open Database File first.");
        return true;
    }
    return false;
}

BatchReportRequest requestFor(const BatchReportJob& job) {
    BatchReportRequest request;
    request.selection = job.selection;
    request.fileShown = job.inputFile;
    request.separator = job.separator;
    // The tables were loaded from the program folder at start-up.
    const QDateTime now = QDateTime::currentDateTime();
    request.provenance = makeProvenance(std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String()),
                                        now.toSecsSinceEpoch());
    request.time = {now.date().year(), now.date().month(), now.date().day(), now.time().hour(), now.time().minute()};
    return request;
}

// A modal progress dialog over the job; `onCancel` runs once when the user cancels.
class JobProgress {
public:
    JobProgress(QWidget* parent, const QString& label, std::function<void()> onCancel = {})
        : dialog_(label, QCoreApplication::translate("BatchReport", "Cancel"), 0, 1, parent),
          onCancel_(std::move(onCancel)) {
        dialog_.setWindowTitle(QStringLiteral("KORVEL"));
        // Nothing may change the list while the report is composed from it.
        dialog_.setWindowModality(Qt::ApplicationModal);
        dialog_.setMinimumDuration(300);
        dialog_.setAutoClose(false);
        dialog_.setAutoReset(false);
    }
    bool operator()(int done, int total) {
        dialog_.setMaximum(total);
        dialog_.setValue(done);
        QCoreApplication::processEvents();
        if (dialog_.wasCanceled() && !cancelled_) {
            cancelled_ = true;
            if (onCancel_) onCancel_();
        }
        return !cancelled_;
    }

private:
    QProgressDialog dialog_;
    std::function<void()> onCancel_;
    bool cancelled_ = false;
};

} // namespace

bool exportBatchReportPdf(const BatchReportJob& job) {
    if (noBatchFile(job) || !job.dialogs) return false;
    const std::filesystem::path input(job.inputFile);
    const std::string folder = job.folder.empty() ? input.parent_path().string() : job.folder;
    FileDialogRequest ask{std::filesystem::path(input).replace_extension("pdf").filename().string(), "pdf", "*.pdf",
                          folder, true};
    const std::optional<FileChoice> choice = job.dialogs->chooseFileToSave(ask);
    if (!choice) return false;
    JobProgress progress(
        job.parent,
        QCoreApplication::translate("BatchReport", "Writing the report of %1 cases ...").arg(job.list->caseCount()));
    const BatchReportWritten written = writeBatchReportPdf(QString::fromStdString(choice->path), *job.list,
                                                           *job.catalogue, requestFor(job), std::ref(progress));
    if (written.end == BatchReportEnd::failed && job.messages) job.messages->warning(written.error.toStdString());
    if (job.status) {
        if (written.end == BatchReportEnd::done)
            job.status("The report of " + std::to_string(job.list->caseCount()) + " cases is in " + choice->path);
        else
            job.status(written.end == BatchReportEnd::failed ? "The report could not be written"
                                                             : "Cancelled: no report written");
    }
    return written.end == BatchReportEnd::done;
}

bool printBatchReport(const BatchReportJob& job) {
    if (noBatchFile(job)) return false;
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        if (job.messages && job.messages->offer("No printer is installed; use Export all to PDF", exportAllPdfCaption))
            return exportBatchReportPdf(job);
        return false;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!choosePrinter(job.parent, printer)) return false;
    printer.setCopyCount(1);
    // A cancelled job is aborted, so that the pages composed so far are not printed.
    JobProgress progress(
        job.parent,
        QCoreApplication::translate("BatchReport", "Printing the report of %1 cases ...").arg(job.list->caseCount()),
        [&printer] { printer.abort(); });
    const BatchReportEnd end =
        paintBatchReport(printer, *job.list, *job.catalogue, requestFor(job), std::ref(progress));
    if (end == BatchReportEnd::failed && job.messages) {
        const std::string name = printer.printerName().isEmpty()
                                     ? std::string("the printer")
                                     : "the printer \"" + printer.printerName().toStdString() + "\"";
        job.messages->warning("The print job on " + name + " could not be finished.");
    }
    return end == BatchReportEnd::done;
}

} // namespace korvel
