#include "ui/chart_export.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QSet>
#include <QSvgGenerator>
#include <QTransform>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

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

namespace {

// The chart drawn into an SVG document in memory; with `seriesOnly` the series alone (every
// other item of the scene made transparent for the while, so nothing moves), otherwise everything
// but the series.
QByteArray chartSvg(QChartView* view, const QString& title, bool seriesOnly) {
    QChart* chart = view->chart();
    const QList<QAbstractSeries*> series = chart->series();
    std::vector<qreal> seriesOpacity;
    for (QAbstractSeries* s : series) {
        seriesOpacity.push_back(s->opacity());
        s->setOpacity(0);
    }
    // The items that draw the series are those the series' opacity has just made transparent.
    std::vector<std::pair<QGraphicsItem*, qreal>> others;
    QSet<QGraphicsItem*> seriesItems;
    for (QGraphicsItem* item : view->scene()->items())
        if (item->opacity() == 0) seriesItems.insert(item);
    for (std::size_t i = 0; i < static_cast<std::size_t>(series.size()); ++i)
        series[static_cast<qsizetype>(i)]->setOpacity(seriesOpacity[i]);
    if (seriesOnly) {
        for (QGraphicsItem* item : view->scene()->items()) {
            // A series item, a part of one (a scatter's marks), or an item that holds one.
            bool keep = seriesItems.contains(item);
            for (QGraphicsItem* s : std::as_const(seriesItems))
                keep = keep || item->isAncestorOf(s) || s->isAncestorOf(item);
            if (keep) continue;
            others.emplace_back(item, item->opacity());
            item->setOpacity(0);
        }
    } else {
        for (QAbstractSeries* s : series) s->setOpacity(0);
    }

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    const QSize size = view->viewport()->size();
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(title);
    svg.setDescription(QStringLiteral("KORVEL design study"));
    QPainter painter;
    if (painter.begin(&svg)) {
        view->render(&painter, QRectF(QPointF(0, 0), size), view->viewport()->rect());
        painter.end();
    }

    for (const auto& [item, opacity] : others) item->setOpacity(opacity);
    for (std::size_t i = 0; i < static_cast<std::size_t>(series.size()); ++i)
        series[static_cast<qsizetype>(i)]->setOpacity(seriesOpacity[i]);
    return buffer.data();
}

// The part of the segment a-b inside `box` (Liang-Barsky), or nothing.
std::optional<std::pair<QPointF, QPointF>> clippedSegment(QPointF a, QPointF b, const QRectF& box) {
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - box.left(), box.right() - a.x(), a.y() - box.top(), box.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return std::nullopt;
    }
    return std::make_pair(QPointF(a.x() + t0 * dx, a.y() + t0 * dy), QPointF(a.x() + t1 * dx, a.y() + t1 * dy));
}

// The polylines of the series cut at the plot area, in the drawing's own coordinates: an SVG
// viewer that ignores clip paths (SVG Tiny) shows them clipped as well. A line that leaves the
// area and comes back becomes two polylines.
QByteArray clipPolylines(const QByteArray& svg, const QRectF& area) {
    static const QRegularExpression matrix(QStringLiteral(R"re(transform="matrix\(([^)]*)\)")re"));
    static const QRegularExpression polyline(QStringLiteral(R"re(<polyline([^>]*) points="([^"]*)"\s*/>)re"));
    QString out;
    QRectF local = area; // the area in the coordinates of the group being read
    bool axisAligned = true;
    for (const QString& line : QString::fromUtf8(svg).split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch m = matrix.match(line);
        if (m.hasMatch()) {
            const QStringList v = m.captured(1).split(QLatin1Char(','));
            axisAligned = v.size() == 6 && v[1].toDouble() == 0 && v[2].toDouble() == 0 && v[0].toDouble() != 0 &&
                          v[3].toDouble() != 0;
            if (axisAligned) {
                const QTransform t(v[0].toDouble(), 0, 0, v[3].toDouble(), v[4].toDouble(), v[5].toDouble());
                local = t.inverted().mapRect(area);
            }
        }
        const QRegularExpressionMatch p = polyline.match(line);
        if (!p.hasMatch() || !axisAligned) {
            out += line + QLatin1Char('\n');
            continue;
        }
        std::vector<QPointF> points;
        for (const QString& pair : p.captured(2).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QStringList xy = pair.split(QLatin1Char(','));
            if (xy.size() == 2) points.emplace_back(xy[0].toDouble(), xy[1].toDouble());
        }
        std::vector<std::vector<QPointF>> runs;
        for (std::size_t i = 1; i < points.size(); ++i) {
            const auto piece = clippedSegment(points[i - 1], points[i], local);
            if (!piece) continue;
            if (runs.empty() || runs.back().back() != piece->first) runs.push_back({piece->first});
            runs.back().push_back(piece->second);
        }
        for (const std::vector<QPointF>& run : runs) {
            QString text;
            for (const QPointF& q : run) text += QStringLiteral("%1,%2 ").arg(q.x()).arg(q.y());
            out += QStringLiteral("<polyline%1 points=\"%2\" />\n").arg(p.captured(1), text);
        }
    }
    return out.toUtf8();
}

} // namespace

bool saveChartSvg(QChartView* view, const QString& path, const QString& title, QString* error) {
    // An SVG painter does not clip: a line above the axis would run through the title and off
    // the picture. The series are drawn apart, their lines cut at the plot area, and put into a
    // group clipped to it.
    const QByteArray frame = chartSvg(view, title, false);
    const QByteArray lines = chartSvg(view, title, true);
    const qsizetype frameEnd = frame.lastIndexOf("</svg>");
    const qsizetype linesStart = lines.indexOf("</defs>");
    const qsizetype linesEnd = lines.lastIndexOf("</svg>");
    if (frameEnd < 0 || linesStart < 0 || linesEnd < linesStart) {
        if (error) *error = cannotWrite(path, QStringLiteral("the drawing could not be made"));
        return false;
    }
    const QRectF area = view->mapFromScene(view->chart()->mapToScene(view->chart()->plotArea())).boundingRect();
    QByteArray out = frame.left(frameEnd);
    out += QStringLiteral("<clipPath id=\"plotArea\"><rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"/></clipPath>\n"
                          "<g clip-path=\"url(#plotArea)\">\n")
               .arg(area.x())
               .arg(area.y())
               .arg(area.width())
               .arg(area.height())
               .toUtf8();
    out += clipPolylines(lines.mid(linesStart + 7, linesEnd - linesStart - 7), area);
    out += "</g>\n</svg>\n";

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error) *error = cannotWrite(path, file.errorString());
        return false;
    }
    const bool written = file.write(out) == out.size();
    file.close();
    if (written && file.error() == QFileDevice::NoError) return true;
    if (error) *error = cannotWrite(path, file.errorString());
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
