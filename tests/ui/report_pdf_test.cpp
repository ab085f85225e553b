// The report on real Qt devices: a PDF file of the new-file case, the errors of a file that
// cannot be written, separate documents per printed copy, and the page on images of different
// resolutions (the grid is measured in points, so it does not depend on the resolution).
// Every file goes to a temporary folder; no printer and no user setting is used.

#include "support/qt_application.h"
#include "ui/report_printer.h"

#include "engine/calculate.h"
#include "report/printed_report.h"
#include "sections/profile_types.h"
#include "support/fake_warnings.h"
#include "support/test_catalogue.h"
#include "ui/qt_drawing_surface.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace korvel {
namespace {

const Catalogue catalogue = testCatalogue();
constexpr ReportTime testClock{2026, 12, 7, 9, 5};

DesignCase newFileCase(int selection) {
    DesignCase dc;
    dc.analysis = selection;
    dc.printSelection = selection;
    selectProfile(dc, catalogue);
    RecordingWarnings warnings;
    calculate(dc, catalogue, warnings);
    return dc;
}

QByteArray head(const QString& path, qint64 bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.read(bytes);
}

TEST(ReportPdf, NewFileCaseWritesAPdf) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (int selection : {analysisBuckling, analysisScantlingYield, analysisAll}) {
        const QString path = dir.filePath(QStringLiteral("report %1.pdf").arg(selection));
        QString error = QStringLiteral("stale");
        EXPECT_TRUE(writeReportPdf(path, newFileCase(selection), catalogue, testClock, &error)) << selection;
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        EXPECT_GT(QFileInfo(path).size(), 1000) << selection;
        EXPECT_EQ(QByteArray("%PDF"), head(path, 4)) << selection;
    }
}

TEST(ReportPdf, UnwritablePathGivesAnErrorNamingTheFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString paths[] = {
        dir.filePath(QStringLiteral("no such folder/report.pdf")),
        dir.path(), // a folder, not a file
    };
    for (const QString& path : paths) {
        QString error;
        EXPECT_FALSE(writeReportPdf(path, newFileCase(analysisAll), catalogue, testClock, &error));
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(path))) << error.toStdString();
    }
    QString error;
    EXPECT_FALSE(writeReportPdf(QString(), newFileCase(analysisAll), catalogue, testClock, &error));
    EXPECT_FALSE(error.isEmpty());
    // Without an error text the failure is still only a return value.
    EXPECT_FALSE(writeReportPdf(paths[0], newFileCase(analysisAll), catalogue, testClock, nullptr));
}

TEST(ReportPdf, AnExistingPdfIsReplacedOnlyByACompleteOne) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous report");
    old.close();

    // A write-protected PDF is refused with the reason and kept as it was.
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QString error;
    EXPECT_FALSE(writeReportPdf(path, newFileCase(analysisAll), catalogue, testClock, &error));
    EXPECT_EQ(QStringLiteral("can't save file - %1: the file is read-only").arg(QDir::toNativeSeparators(path)), error);
    EXPECT_EQ(QByteArray("previous report"), head(path, 100));

    // Writable again: replaced whole, and no temporary file is left beside it.
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_TRUE(writeReportPdf(path, newFileCase(analysisAll), catalogue, testClock, &error)) << error.toStdString();
    const QByteArray pdf = head(path, 1 << 24);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    EXPECT_EQ(QStringList{QStringLiteral("report.pdf")},
              QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot));
}

// A printer without a device (the PDF engine) stands in for the paper printer: each copy is a
// document of its own, and the printer itself is told to print one copy of each.
TEST(ReportPrinter, OneDocumentPerCopy) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Row {
        int copies;
        int documents;
    };
    const Row rows[] = {{2, 2}, {1, 1}, {0, 0}};
    for (const Row& r : rows) {
        const QString path = dir.filePath(QStringLiteral("copies %1.pdf").arg(r.copies));
        QPrinter printer(QPrinterInfo(), QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setCopyCount(r.copies > 0 ? r.copies : 1);
        EXPECT_EQ(r.documents, printReportCopies(printer, r.copies, newFileCase(analysisAll), catalogue, testClock));
        EXPECT_EQ(1, printer.copyCount());
        EXPECT_EQ(r.documents > 0, QFileInfo::exists(path)) << r.copies;
        if (r.documents > 0) {
            EXPECT_EQ(QByteArray("%PDF"), head(path, 4));
        }
    }
}

// Times New Roman (or its metric twin) at 10 points on A4: about 4 mm a line and 1.7 mm a
// character, so some 65 lines and 130 characters. The grid is the same at the PDF's 600 and a
// printer's 1200 dpi; on a 96 dpi screen image the font engine's whole-pixel glyph advances
// move it by a few per cent at most.
TEST(ReportOnImages, GridDoesNotDependOnTheResolution) {
    const auto grid = [](double dpi) {
        const int width = static_cast<int>(std::lround(210 / 25.4 * dpi));
        const int height = static_cast<int>(std::lround(297 / 25.4 * dpi));
        QImage image(width, height, QImage::Format_Mono);
        const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        QPainter painter(&image);
        QtDrawingSurface surface(painter, QRectF(0, 0, width, height));
        const ReportLayout g = measureReportLayout(surface, PageSize{});
        painter.end();
        return g;
    };
    const ReportLayout at96 = grid(96);
    const ReportLayout at600 = grid(600);
    const ReportLayout at1200 = grid(1200);
    EXPECT_GT(at1200.charsPerLine, 100);
    EXPECT_LT(at1200.charsPerLine, 160);
    EXPECT_GT(at1200.linesPerPage, 50);
    EXPECT_LT(at1200.linesPerPage, 80);
    EXPECT_NEAR(at1200.charsPerLine, at600.charsPerLine, 1);
    EXPECT_NEAR(at1200.linesPerPage, at600.linesPerPage, 1);
    EXPECT_NEAR(at1200.charsPerLine, at96.charsPerLine, 0.05 * at1200.charsPerLine);
    EXPECT_NEAR(at1200.linesPerPage, at96.linesPerPage, 0.05 * at1200.linesPerPage);
    // Smaller type gives more characters and lines.
    EXPECT_LT(at1200.charsPerLineAt[0], at1200.charsPerLineAt[3]);
    EXPECT_LT(at1200.linesPerPageAt[0], at1200.linesPerPageAt[3]);
}

// The product name is the only blue text of the page, in its top tenth; the listings reach
// below the middle of the page.
TEST(ReportOnImages, PageHasTheProductNameOnTopAndTheListingsBelow) {
    const int width = 794, height = 1123; // A4 at 96 dpi
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtDrawingSurface surface(painter, QRectF(0, 0, width, height));
        composeReport(surface, newFileCase(analysisAll), catalogue, PageSize{}, testClock);
    }
    int blueTop = 0, blueElsewhere = 0;
    bool inkBelowMiddle = false;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const QRgb p = image.pixel(x, y);
            if (p == qRgb(0, 85, 152)) (y < height / 10 ? blueTop : blueElsewhere)++;
            if (y > height / 2 && p != qRgb(255, 255, 255)) inkBelowMiddle = true;
        }
    EXPECT_GT(blueTop, 20);
    EXPECT_EQ(0, blueElsewhere);
    EXPECT_TRUE(inkBelowMiddle);
}

} // namespace
} // namespace korvel
