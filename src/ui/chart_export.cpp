#include "ui/chart_export.h"

#include <QChartView>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QSvgGenerator>

namespace korvel {

namespace {

QString cannotWrite(const QString& path, const QString& reason) {
    return QStringLiteral("can't save file - %1: %2").arg(QFileInfo(path).absoluteFilePath(), reason);
}

} // namespace

void drawChart(QChartView* view, QPainter& painter, const QRectF& target) {
    const QRectF source = view->viewport()->rect();
    // Keep the chart's proportions: the rectangle of the target that has the view's shape.
    QRectF fit = target;
    if (source.width() > 0 && source.height() > 0) {
        const double scale = std::min(target.width() / source.width(), target.height() / source.height());
        fit.setSize(source.size() * scale);
    }
    view->render(&painter, fit, source.toRect());
}

bool saveChartPng(QChartView* view, const QString& path, QString* error) {
    const QPixmap picture = view->grab();
    if (picture.save(path, "PNG")) return true;
    if (error) *error = cannotWrite(path, QStringLiteral("the picture could not be written"));
    return false;
}

bool saveChartSvg(QChartView* view, const QString& path, const QString& title, QString* error) {
    QSvgGenerator svg;
    svg.setFileName(path);
    const QSize size = view->viewport()->size();
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(title);
    svg.setDescription(QStringLiteral("KORVEL design study"));
    QPainter painter;
    if (!painter.begin(&svg)) {
        if (error) *error = cannotWrite(path, QStringLiteral("the file could not be opened"));
        return false;
    }
    view->render(&painter, QRectF(QPointF(0, 0), size), view->viewport()->rect());
    painter.end();
    if (QFileInfo(path).size() > 0) return true;
    if (error) *error = cannotWrite(path, QStringLiteral("nothing was written"));
    return false;
}

bool saveTextFile(const QString& path, const std::string& text, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error) *error = cannotWrite(path, file.errorString());
        return false;
    }
    const qint64 written = file.write(text.data(), static_cast<qint64>(text.size()));
    file.close();
    if (written == static_cast<qint64>(text.size()) && file.error() == QFileDevice::NoError) return true;
    if (error) *error = cannotWrite(path, file.errorString());
    return false;
}

bool printStudyPage(QPrinter& printer, const QString& title, const PageDrawing& draw) {
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRectF page = printer.pageLayout()
                            .paintRectPixels(printer.resolution())
                            .translated(-printer.pageLayout().paintRectPixels(printer.resolution()).topLeft());
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(13);
    font.setBold(true);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const QRectF titleBox(page.left(), page.top(), page.width(), metrics.height() * 1.6);
    painter.drawText(titleBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, title);
    draw(painter, QRectF(page.left(), titleBox.bottom(), page.width(), page.height() - titleBox.height()));
    return painter.end();
}

bool writeStudyPdf(const QString& path, const QString& title, const PageDrawing& draw, QString* error) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(title);
    printer.setCreator(QStringLiteral("KORVEL"));
    if (printStudyPage(printer, title, draw) && QFileInfo(path).size() > 0) return true;
    if (error) *error = cannotWrite(path, QStringLiteral("the PDF file could not be written"));
    return false;
}

} // namespace korvel
