#include "ui/report_printer.h"

#include "design/version.h"
#include "files/file_replacement.h"
#include "ui/qt_drawing_surface.h"

#include <QAbstractPrintDialog>
#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

#include <filesystem>
#include <string>
#include <string_view>

namespace korvel {

namespace {

// The PDF keeps a border like a printer's unprintable edge, so that it looks as the paper does.
constexpr double pdfMarginMm = 5;

void setError(QString* error, const QString& text) {
    if (error) *error = text;
}

} // namespace

ReportTime currentReportTime() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute()};
}

bool paintReport(QPagedPaintDevice& device, const DesignCase& dc, const Catalogue& catalogue, const ReportTime& time,
                 char separator) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    // The painter's origin is the top left corner of the printable area, and the device's width
    // and height are that area in device pixels.
    const QRectF printable = device.pageLayout().paintRect(QPageLayout::Millimeter);
    const PageSize size{printable.width(), printable.height()};
    QtDrawingSurface surface(painter, QRectF(0, 0, device.width(), device.height()));
    ReportPageMarks marks;
    marks.separator = separator;
    composeReport(surface, dc, catalogue, size, time, marks);
    return painter.end();
}

int printReportCopies(QPrinter& printer, int copies, const DesignCase& dc, const Catalogue& catalogue,
                      const ReportTime& time, char separator) {
    printer.setCopyCount(1);
    int printed = 0;
    for (int copy = 0; copy < copies; ++copy) {
        if (!paintReport(printer, dc, catalogue, time, separator)) break;
        ++printed;
    }
    return printed;
}

bool choosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, false);
    // The report is one page: the page range is no choice. The desktop dialog shows its range
    // group (and the CUPS "Pages" field) whatever the options say, so it is hidden outright.
    dialog.setMinMax(1, 1);
    for (const char* name : {"gbPrintRange", "pagesRadioButton", "pagesLineEdit", "printRange", "pageSetRange"})
        if (auto* part = dialog.findChild<QWidget*>(QString::fromLatin1(name))) part->hide();
    return dialog.exec() == QDialog::Accepted;
}

bool writeReportPdf(const QString& path, const DesignCase& dc, const Catalogue& catalogue, const ReportTime& time,
                    QString* error, char separator) {
    if (path.isEmpty()) {
        setError(error, QStringLiteral("The report could not be written: no file name was given."));
        return false;
    }
    const std::string shown = QDir::toNativeSeparators(path).toStdString();
    // The PDF writer cannot tell why a file of its own failed (a full disk only shows as a short
    // file), so the document is composed in memory and then saved like any other file: through a
    // temporary file, which replaces an existing PDF only once it is complete.
    QByteArray document;
    {
        QBuffer buffer(&document);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("KORVEL " KORVEL_VERSION));
        writer.setTitle(QStringLiteral("KORVEL report"));
        writer.setResolution(600);
        const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                 QMarginsF(pdfMarginMm, pdfMarginMm, pdfMarginMm, pdfMarginMm),
                                 QPageLayout::Millimeter);
        writer.setPageLayout(layout);
        if (!paintReport(writer, dc, catalogue, time, separator) || !document.trimmed().endsWith("%%EOF")) {
            setError(error, QString::fromStdString(saveFailureMessage(shown, "the PDF writer did not finish")));
            return false;
        }
    }
    const auto failure = replaceFileContent(std::filesystem::path(path.toStdString()),
                                            std::string_view(document.constData(), document.size()));
    if (failure) {
        setError(error, QString::fromStdString(saveFailureMessage(shown, *failure)));
        return false;
    }
    if (error) error->clear();
    return true;
}

} // namespace korvel
