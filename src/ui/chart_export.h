#pragma once

// What every page of the studies window can give away: its chart as a PNG or SVG picture, its
// data as a TAB-separated table, and the page on one landscape sheet, printed or as a PDF file,
// under a title that names the study and the case.

#include <QString>

#include <functional>
#include <string>

class QChartView;
class QPainter;
class QPrinter;
class QRectF;

namespace korvel {

// Draws the page's content into the rectangle of the sheet below the title.
using PageDrawing = std::function<void(QPainter&, const QRectF&)>;

// Each returns false with `error` naming the file and the reason.
bool saveChartPng(QChartView* view, const QString& path, QString* error);
bool saveChartSvg(QChartView* view, const QString& path, const QString& title, QString* error);
bool saveTextFile(const QString& path, const std::string& text, QString* error);

// One landscape page: the title in bold at the top, the drawing below it.
bool printStudyPage(QPrinter& printer, const QString& title, const PageDrawing& draw);
bool writeStudyPdf(const QString& path, const QString& title, const PageDrawing& draw, QString* error);

// Draws a chart view's chart scaled into `target`.
void drawChart(QChartView* view, QPainter& painter, const QRectF& target);

} // namespace korvel
