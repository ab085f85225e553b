#pragma once

// The sweep page: every utilisation of the case against one input over a range (the default
// range lies around the case's value within the input's limits), with the limit line at 1, the
// case's own value as a vertical line, every crossing of the limit marked and labelled and the
// failing ranges shaded. Hovering a line shows its values; clicking a check in the legend hides
// or shows its line and its crossings.

#include "studies/sweep_study.h"
#include "ui/study_page.h"

#include <optional>
#include <utility>
#include <vector>

class QChart;
class QChartView;
class QComboBox;
class QGraphicsSimpleTextItem;
class QLabel;
class QLineEdit;
class QScatterSeries;
class QSpinBox;

namespace korvel {

// Where the highest utilisation crosses 1 along a sweep (interpolated linearly between the two
// steps that bracket it), the check that crosses, and whether it rises above 1 there (fails
// beyond) or falls back below it (passes beyond).
struct SweepCrossing {
    double value = 0;
    std::size_t check = 0;
    bool up = true;
    bool operator==(const SweepCrossing& o) const { return value == o.value && check == o.check && up == o.up; }
};
// Every crossing in the order of the sweep: a line may cross 1 and come back (a thicker plate
// passes UFpb but a heavier one fails UFs again).
std::vector<SweepCrossing> sweepCrossings(const std::vector<SweepPoint>& points);

// The checks that fail at every step of the sweep.
FailedChecks failingThroughout(const std::vector<SweepPoint>& points);

// The ranges of the swept value where the case fails (a check above 1, a failed rule, a stopped
// calculation; the checks failing at every step aside), bounded by the crossings where there are
// ones and half-way between two steps otherwise; in the order of the sweep.
std::vector<std::pair<double, double>> failingRanges(const std::vector<SweepPoint>& points);

// The range a sweep of `field` starts with: around the case's value (half to one and a half
// times it for the geometry, zero to twice it for a load), within the field's limits.
std::pair<double, double> defaultSweepRange(const CaseInputs& c, const StudyField& field);

class SweepPage final : public StudyPage {
    Q_OBJECT
public:
    static constexpr int defaultSteps = 64;

    SweepPage(const Catalogue& catalogue, char decimalSeparator, QWidget* parent = nullptr);

    void recompute() override;
    QString studyTitle() const override;
    QString fileStem() const override;
    std::string dataTable() const override;
    void draw(QPainter& painter, const QRectF& target) override;
    QChartView* chartView() const override { return view_; }

    // The input swept and its range; the range returns to its default around the case's value.
    void chooseField(const QString& name);
    void setRange(double from, double to, int steps);

    const SweepRequest& request() const { return request_; }
    const std::vector<SweepPoint>& points() const { return points_; }
    const std::vector<SweepCrossing>& crossings() const { return crossings_; }
    // The label of each crossing, in the same order.
    const std::vector<QGraphicsSimpleTextItem*>& crossingLabels() const { return crossingLabels_; }
    QChart* chart() const { return chart_; }
    QLabel* hoverLabel() const { return hover_; }

private:
    void readRange();
    void showPoints();
    void showRange();
    void placeCrossingLabels();
    // The legend's text at its own size, or smaller where its column would be cut.
    void fitLegend();
    static constexpr double minimumLegendPoints = 5;
    // The crossing marks and labels of the checks whose lines are shown.
    void showCrossingMarks();

    QComboBox* field_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    QSpinBox* steps_ = nullptr;
    QLabel* hover_ = nullptr;
    QChart* chart_ = nullptr;
    std::vector<QGraphicsSimpleTextItem*> crossingLabels_; // "t = 11.35 (UFpb)" beside each mark
    QScatterSeries* crossingMarks_ = nullptr;
    QChartView* view_ = nullptr;
    SweepRequest request_;
    bool fittingLegend_ = false;
    double legendPoints_ = 9; // the legend's own text size
    bool rangeGiven_ = false; // the engineer's range is kept while the case changes
    std::vector<SweepPoint> points_;
    std::vector<SweepCrossing> crossings_;
};

} // namespace korvel
