#include "ui/batch_report_pdf.h"

#include "design/warning_sink.h"
#include "files/batch_run.h"
#include "files/file_replacement.h"
#include "report/batch_summary_page.h"
#include "report/envelope_page.h"
#include "report/gauged_case_run.h"
#include "ui/qt_drawing_surface.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QDir>
#include <QIODevice>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <ostream>
#include <utility>

namespace korvel {

namespace {

// As the one-page PDF: a border like a printer's unprintable edge.
constexpr double pdfMarginMm = 5;

// The PDF writer writes into a Qt device; the file replacement gives a standard stream.
//
// The writer dates the document with the clock and offers no way to set the date (Qt 6.4). The
// report's time is the one it states (SOURCE_DATE_EPOCH for a reproducible run): the digits of
// the CreationDate entry, which the writer hands over in one piece, are replaced by the report's
// time in the same UTC offset the writer appends after them. Only digits change, so every byte
// offset of the file stays where the writer put it.
class StreamDevice final : public QIODevice {
public:
    StreamDevice(std::ostream& out, QByteArray creationDigits) : out_(out), creationDigits_(std::move(creationDigits)) {
        open(QIODevice::WriteOnly);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        const QByteArrayView piece(data, size);
        static constexpr QByteArrayView entry = "\n/CreationDate (D:";
        if (creationDigits_.size() == dateDigits && piece.size() == entry.size() + dateDigits &&
            piece.startsWith(entry)) {
            QByteArray dated = piece.toByteArray();
            dated.replace(entry.size(), dateDigits, creationDigits_);
            return writeOut(dated.constData(), dated.size()) ? size : -1;
        }
        return writeOut(data, size) ? size : -1;
    }

private:
    static constexpr qsizetype dateDigits = 14; // YYYYMMDDHHmmSS
    bool writeOut(const char* data, qint64 size) {
        out_.write(data, static_cast<std::streamsize>(size));
        return static_cast<bool>(out_);
    }
    std::ostream& out_;
    QByteArray creationDigits_;
};

// "YYYYMMDDHHmmSS" of the report's time ("2027-01-01T00:00:00Z") in the UTC offset the writer
// gives the date, that of the clock now; empty when the time cannot be read.
QByteArray creationDigits(const std::string& reportTime) {
    const QDateTime utc = QDateTime::fromString(QString::fromStdString(reportTime), Qt::ISODate);
    if (!utc.isValid()) return {};
    const int offset = QDateTime::currentDateTime().offsetFromUtc();
    return utc.toOffsetFromUtc(offset).toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1();
}

} // namespace

BatchReportEnd paintBatchReport(QPagedPaintDevice& device, BatchEntrySource& source, const Catalogue& catalogue,
                                const BatchReportRequest& request, const BatchReportProgress& progress) {
    const auto cases = static_cast<int>(
        request.chosen.empty() ? std::min<std::int64_t>(source.caseCount(), std::numeric_limits<int>::max() / 2)
                               : std::count(request.chosen.begin(), request.chosen.end(), true));
    const int totalSteps = 2 * cases;
    std::optional<BatchReportPlan> plan = planBatchReport(
        source, request.chosen, catalogue, [&](int done, int) { return !progress || progress(done, totalSteps); },
        request.envelope, request.gauging, request.separator);
    if (!plan) return source.error() ? BatchReportEnd::failed : BatchReportEnd::cancelled;
    plan->title.file = request.fileShown;

    QPainter painter;
    if (!painter.begin(&device)) return BatchReportEnd::failed;
    // The painter's origin is the top left corner of the printable area.
    const QRectF printable = device.pageLayout().paintRect(QPageLayout::Millimeter);
    const PageSize size{printable.width(), printable.height()};
    QtDrawingSurface surface(painter, QRectF(0, 0, device.width(), device.height()));

    // Every page writes its numbers with the engineer's separator, as the one-case report.
    SummaryPageMarks marks;
    marks.separator = request.separator;
    marks.footer = provenanceLines(request.provenance);
    const std::vector<SummaryPageRows> summaryPages =
        layoutSummaryPages(surface, plan->rows, size, marks.footer.size());
    // A case page is the one-page report, which may fill its page to the foot, pressed into the
    // page less the footer's band. The report measures its grid on the page in device units, which
    // a painter transform does not change: so the page is laid out as ever and drawn a few percent
    // lower in height, instead of losing lines at its foot.
    const double band = footerBandMm(surface, size, marks.footer.size());
    const double shrink = size.heightMm > 2 * band ? (size.heightMm - band) / size.heightMm : 1;
    const std::vector<PanelEnvelope>& panels = plan->envelopes.panels();
    std::size_t envelopePages = 0;
    for (const PanelEnvelope& panel : panels) envelopePages += envelopePageCount(panel);
    const std::size_t pageCount = summaryPages.size() + envelopePages + plan->pages.size();

    std::size_t pageNumber = 0;
    const auto nextPage = [&]() { return ++pageNumber == 1 || device.newPage(); };
    for (const SummaryPageRows& part : summaryPages) {
        if (!nextPage()) {
            painter.end();
            return BatchReportEnd::failed;
        }
        marks.page = pageOfText(pageNumber, pageCount);
        composeSummaryPage(surface, plan->rows, part, plan->title, size, request.time, marks);
    }
    for (const PanelEnvelope& panel : panels) {
        for (std::size_t part = 0; part < envelopePageCount(panel); ++part) {
            if (!nextPage()) {
                painter.end();
                return BatchReportEnd::failed;
            }
            marks.page = pageOfText(pageNumber, pageCount);
            composeEnvelopePage(surface, panel, part, size, request.time, marks);
        }
    }

    // Each case page from the case run in full, in a design case of its own: the window's case
    // stays as it is. The entries are read again, one at a time.
    auto dc = std::make_unique<DesignCase>();
    dc->fileName = request.fileShown;
    auto asBuilt = std::make_unique<DesignCase>();
    IgnoreWarnings quiet;
    if (!source.restart()) {
        painter.end();
        return BatchReportEnd::failed;
    }
    BatchEntry entry;
    std::size_t position = 0;
    for (std::size_t k = 0; k < plan->pages.size(); ++k) {
        bool found = false;
        while (!found && source.next(entry)) found = position++ == plan->pages[k];
        // A file changed since the summary was made.
        if (!found) {
            painter.end();
            return BatchReportEnd::failed;
        }
        ReportPageMarks pageMarks;
        pageMarks.separator = request.separator;
        if (runGaugedBatchCase(entry, *dc, catalogue, quiet, {}, request.gauging)) {
            runBatchCase(entry, *asBuilt, catalogue, quiet);
            pageMarks.asBuilt = asBuilt.get();
        }
        dc->analysis = request.selection;
        dc->printSelection = request.selection;
        if (!nextPage()) {
            painter.end();
            return BatchReportEnd::failed;
        }
        painter.save();
        painter.scale(1, shrink);
        pageMarks.page = pageOfText(pageNumber, pageCount);
        composeReport(surface, *dc, catalogue, size, request.time, pageMarks);
        painter.restore();
        composePageFooter(surface, size, marks.footer);
        if (progress && !progress(cases + static_cast<int>(k) + 1, totalSteps)) {
            painter.end();
            return BatchReportEnd::cancelled;
        }
    }
    return painter.end() ? BatchReportEnd::done : BatchReportEnd::failed;
}

BatchReportEnd paintBatchReport(QPagedPaintDevice& device, const BatchList& list, const Catalogue& catalogue,
                                const BatchReportRequest& request, const BatchReportProgress& progress) {
    BatchEntrySource source(list);
    return paintBatchReport(device, source, catalogue, request, progress);
}

BatchReportWritten writeBatchReportPdf(const QString& path, const BatchList& list, const Catalogue& catalogue,
                                       const BatchReportRequest& request, const BatchReportProgress& progress) {
    BatchEntrySource source(list);
    return writeBatchReportPdf(path, source, catalogue, request, progress);
}

BatchReportWritten writeBatchReportPdf(const QString& path, BatchEntrySource& source, const Catalogue& catalogue,
                                       const BatchReportRequest& request, const BatchReportProgress& progress,
                                       const TemporaryNotice& notice) {
    BatchReportWritten written;
    const std::string shown = QDir::toNativeSeparators(path).toStdString();
    if (path.isEmpty()) {
        written.end = BatchReportEnd::failed;
        written.error = QStringLiteral("The report could not be written: no file name was given.");
        return written;
    }
    BatchReportEnd painted = BatchReportEnd::failed;
    const auto failure = replaceFileWith(
        std::filesystem::path(path.toStdString()),
        [&](std::ostream& out) {
            StreamDevice device(out, creationDigits(request.provenance.dateTime));
            QPdfWriter writer(&device);
            writer.setCreator(QStringLiteral("KORVEL ") + QString::fromStdString(request.provenance.version));
            writer.setTitle(QStringLiteral("KORVEL batch report"));
            writer.setResolution(600);
            writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                             QMarginsF(pdfMarginMm, pdfMarginMm, pdfMarginMm, pdfMarginMm),
                                             QPageLayout::Millimeter));
            painted = paintBatchReport(writer, source, catalogue, request, progress);
            // A cancelled or failed report fails the save: a file already there stays as it was.
            if (painted != BatchReportEnd::done) out.setstate(std::ios::failbit);
        },
        notice);
    if (painted == BatchReportEnd::cancelled) {
        written.end = BatchReportEnd::cancelled;
        return written;
    }
    if (failure || painted != BatchReportEnd::done) {
        written.end = BatchReportEnd::failed;
        written.error = QString::fromStdString(
            source.error()
                ? source.error()->message()
                : saveFailureMessage(shown, failure ? *failure : std::string("the PDF writer did not finish")));
    }
    return written;
}

} // namespace korvel
