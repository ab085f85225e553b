#pragma once

// What the studies window asks of each of its pages: follow the case, say what it shows (for
// the title of a print and the names of exported files), give its data as a TAB-separated
// table and draw itself on a sheet. A page computes off the interface thread (BackgroundStudy)
// and says when its result is shown.

#include "design/catalogue.h"
#include "design/design_case.h"
#include "ui/background_study.h"
#include "ui/chart_export.h"

#include <QColor>
#include <QWidget>

#include <string>
#include <thread>

class QChartView;

namespace korvel {

// The colour of check i of the studies (utilisations in table order), the same on every chart.
inline QColor studyCheckColour(std::size_t i) {
    static const QColor colours[] = {
        {31, 119, 180},  {255, 127, 14},  {44, 160, 44},  {214, 39, 40},  {148, 103, 189}, {140, 86, 75},
        {227, 119, 194}, {127, 127, 127}, {188, 189, 34}, {23, 190, 207}, {0, 0, 128},     {128, 64, 0},
        {0, 100, 60},    {90, 90, 200},   {200, 90, 90},  {60, 60, 60},   {160, 160, 0},   {0, 160, 160},
    };
    return colours[i % (sizeof colours / sizeof colours[0])];
}

class StudyPage : public QWidget {
    Q_OBJECT
public:
    StudyPage(const Catalogue& catalogue, char decimalSeparator, QWidget* parent)
        : QWidget(parent), catalogue_(catalogue), separator_(decimalSeparator), study_(new BackgroundStudy(this)) {}

    // The case to study; the page computes again.
    void setCase(const CaseInputs& c) {
        case_ = c;
        hasCase_ = true;
        recompute();
    }
    const CaseInputs& currentCase() const { return case_; }

    virtual void recompute() = 0;
    // "Sweep of t": the study, for the title and the file names.
    virtual QString studyTitle() const = 0;
    virtual QString fileStem() const = 0;
    virtual std::string dataTable() const = 0;
    virtual void draw(QPainter& painter, const QRectF& target) = 0;
    // The chart, for PNG and SVG; nullptr when the page has none.
    virtual QChartView* chartView() const { return nullptr; }

    bool busy() const { return study_->running(); }
    BackgroundStudy* study() const { return study_; }
    void cancel() { study_->cancel(); }

signals:
    // The result of a computation is on the page.
    void shown();

protected:
    static int allThreads() { return static_cast<int>(std::max(1u, std::thread::hardware_concurrency())); }

    const Catalogue& catalogue_;
    char separator_;
    CaseInputs case_;
    bool hasCase_ = false;
    BackgroundStudy* study_;
};

} // namespace korvel
