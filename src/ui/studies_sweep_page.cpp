#include "ui/studies_sweep_page.h"

#include "design/number_format.h"
#include "design/number_parser.h"
#include "studies/study_tables.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGraphicsSimpleTextItem>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QSpinBox>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvel {

namespace {

constexpr const char* valueMask = "0.0###";
constexpr const char* hoverHint = "Point at a line to read its values; click a check in the legend to hide it.";

double highestOf(const SweepPoint& p) {
    return p.verdict.highestCheck >= 0 ? p.verdict.highest : std::numeric_limits<double>::quiet_NaN();
}

QString fieldUnit(const StudyField& f) {
    const InputField* field = findInputField(f.name);
    if (!field || *field->unit == '\0') return {};
    return QStringLiteral(" (%1)").arg(QString::fromLatin1(field->unit));
}

} // namespace

std::vector<SweepCrossing> sweepCrossings(const std::vector<SweepPoint>& points) {
    std::vector<SweepCrossing> found;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const SweepPoint& a = points[i - 1];
        const SweepPoint& b = points[i];
        const double ha = highestOf(a), hb = highestOf(b);
        if (!(std::isfinite(ha) && std::isfinite(hb))) continue;
        const bool up = ha <= 1 && hb > 1, down = ha > 1 && hb <= 1;
        if (!up && !down) continue;
        // The check above the limit on its side of the crossing, followed between the two steps.
        const auto check = static_cast<std::size_t>(up ? b.verdict.highestCheck : a.verdict.highestCheck);
        double ua = studyUtilisation(a.verdict.uf, check), ub = studyUtilisation(b.verdict.uf, check);
        if (ua < 0) ua = ha;
        if (ub < 0) ub = hb;
        double f = ub != ua ? (1 - ua) / (ub - ua) : 0.5;
        f = std::clamp(f, 0.0, 1.0);
        found.push_back({a.value + f * (b.value - a.value), check, up});
    }
    return found;
}

FailedChecks failingThroughout(const std::vector<SweepPoint>& points) {
    if (points.empty()) return {};
    FailedChecks all;
    all.set();
    for (const SweepPoint& p : points) all &= p.verdict.failed;
    return all;
}

std::vector<std::pair<double, double>> failingRanges(const std::vector<SweepPoint>& points) {
    std::vector<std::pair<double, double>> ranges;
    const std::vector<SweepCrossing> crossings = sweepCrossings(points);
    // A check failing at every step says nothing about where along the sweep the case fails.
    const FailedChecks throughout = failingThroughout(points);
    const auto fails = [&](const SweepPoint& p) { return p.verdict.stopped || (p.verdict.failed & ~throughout).any(); };
    // Where the verdict changes between two steps: at the crossing of 1 between them, if any.
    const auto boundary = [&](const SweepPoint& a, const SweepPoint& b) {
        for (const SweepCrossing& c : crossings)
            if (c.value >= std::min(a.value, b.value) && c.value <= std::max(a.value, b.value)) return c.value;
        return (a.value + b.value) / 2;
    };
    for (std::size_t i = 0; i < points.size(); ++i) {
        const bool now = fails(points[i]);
        const bool before = i > 0 && fails(points[i - 1]);
        if (now && !before) ranges.emplace_back(i == 0 ? points[i].value : boundary(points[i - 1], points[i]), 0.0);
        if (!now && before) ranges.back().second = boundary(points[i - 1], points[i]);
    }
    if (!points.empty() && fails(points.back())) ranges.back().second = points.back().value;
    return ranges;
}

std::pair<double, double> defaultSweepRange(const CaseInputs& c, const StudyField& field) {
    const double v = fieldValue(c, field);
    double from = 0, to = 0;
    if (field.load) {
        const double span =
            v != 0 ? std::fabs(v)
                   : (field.member.real == &CaseInputs::p || field.member.real == &CaseInputs::ps ? 0.1 : 100);
        from = v != 0 ? std::min(0.0, 2 * v) : -span;
        to = v != 0 ? std::max(0.0, 2 * v) : span;
    } else {
        from = 0.5 * v;
        to = 1.5 * v;
        if (!(to > from)) from = v - 1, to = v + 1;
    }
    from = std::max(from, field.low);
    to = std::min(to, field.high);
    if (!(to > from)) from = field.low, to = field.high;
    return {from, to};
}

SweepPage::SweepPage(const Catalogue& catalogue, char decimalSeparator, QWidget* parent)
    : StudyPage(catalogue, decimalSeparator, parent) {
    setObjectName(QStringLiteral("sweepPage"));
    field_ = new QComboBox(this);
    field_->setObjectName(QStringLiteral("sweepField"));
    for (const StudyField& f : studyFields()) field_->addItem(QString::fromLatin1(f.name));
    from_ = new QLineEdit(this);
    to_ = new QLineEdit(this);
    from_->setObjectName(QStringLiteral("sweepFrom"));
    to_->setObjectName(QStringLiteral("sweepTo"));
    steps_ = new QSpinBox(this);
    steps_->setObjectName(QStringLiteral("sweepSteps"));
    steps_->setRange(4, 1000);
    steps_->setValue(defaultSteps);
    for (QLineEdit* e : {from_, to_}) e->setMaximumWidth(110);

    auto* controls = new QHBoxLayout;
    auto* fieldLabel = new QLabel(QStringLiteral("&Input"), this);
    fieldLabel->setBuddy(field_);
    auto* fromLabel = new QLabel(QStringLiteral("Fro&m"), this);
    fromLabel->setBuddy(from_);
    auto* toLabel = new QLabel(QStringLiteral("&To"), this);
    toLabel->setBuddy(to_);
    auto* stepsLabel = new QLabel(QStringLiteral("St&eps"), this);
    stepsLabel->setBuddy(steps_);
    // A label as wide as its drawn text: the style's measure of "To" leaves its "o" under the box.
    for (QLabel* label : {fieldLabel, fromLabel, toLabel, stepsLabel}) {
        const QFontMetrics metrics = label->fontMetrics();
        label->setMinimumWidth(metrics.boundingRect(QRect(), Qt::TextShowMnemonic, label->text()).width() +
                               metrics.averageCharWidth() / 2 + 2);
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{fieldLabel, field_, fromLabel, from_, toLabel, to_, stepsLabel, steps_})
        controls->addWidget(w);
    controls->addStretch(1);

    chart_ = new QChart;
    chart_->legend()->setAlignment(Qt::AlignRight);
    legendPoints_ = chart_->legend()->font().pointSizeF() > 0 ? chart_->legend()->font().pointSizeF() : 9;
    chart_->setMargins(QMargins(4, 4, 4, 4));
    connect(chart_, &QChart::plotAreaChanged, this, [this] {
        fitLegend();
        placeCrossingLabels();
    });
    view_ = new QChartView(chart_, this);
    view_->setObjectName(QStringLiteral("sweepChart"));
    view_->setRenderHint(QPainter::Antialiasing);
    hover_ = new QLabel(QString::fromLatin1(hoverHint), this);
    hover_->setWordWrap(true);
    hover_->setObjectName(QStringLiteral("sweepHover"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(view_, 1);
    layout->addWidget(hover_);

    connect(field_, &QComboBox::currentTextChanged, this, [this](const QString& name) {
        if (!hasCase_) return;
        rangeGiven_ = false;
        chooseField(name);
    });
    for (QLineEdit* e : {from_, to_})
        connect(e, &QLineEdit::editingFinished, this, [this] {
            rangeGiven_ = true;
            readRange();
        });
    connect(steps_, &QSpinBox::editingFinished, this, [this] {
        rangeGiven_ = true;
        readRange();
    });
    request_.field = findStudyField("t");
}

void SweepPage::chooseField(const QString& name) {
    const StudyField* f = findStudyField(name.toStdString());
    if (f == nullptr) return;
    if (field_->currentText() != name) {
        const QSignalBlocker block(field_);
        field_->setCurrentText(name);
    }
    request_.field = f;
    rangeGiven_ = false;
    recompute();
}

void SweepPage::setRange(double from, double to, int steps) {
    if (!(to > from) || steps < 1) return;
    request_.from = from;
    request_.to = to;
    request_.steps = steps;
    rangeGiven_ = true;
    showRange();
    recompute();
}

void SweepPage::readRange() {
    const DecimalMode mode = separator_ == ',' ? DecimalMode::comma : DecimalMode::period;
    const std::optional<double> from = parseNumber(from_->text().toStdString(), mode);
    const std::optional<double> to = parseNumber(to_->text().toStdString(), mode);
    if (!from || !to || !(*to > *from)) {
        // An empty or reversed range is not swept: the boxes show the range in use, and the line
        // under the chart says why.
        hover_->setText(!from || !to ? QStringLiteral("From and To must be numbers: the range in use is kept.")
                                     : QStringLiteral("From must be less than To: the range in use is kept."));
        showRange();
        return;
    }
    if (*from == request_.from && *to == request_.to && steps_->value() == request_.steps) return;
    setRange(*from, *to, steps_->value());
}

void SweepPage::showRange() {
    from_->setText(QString::fromStdString(generalNumber(request_.from, separator_)));
    to_->setText(QString::fromStdString(generalNumber(request_.to, separator_)));
    const QSignalBlocker block(steps_);
    steps_->setValue(request_.steps);
}

void SweepPage::recompute() {
    if (!hasCase_ || request_.field == nullptr) return;
    if (!rangeGiven_) {
        const auto [from, to] = defaultSweepRange(case_, *request_.field);
        request_.from = from;
        request_.to = to;
        request_.steps = steps_->value();
        showRange();
    }
    const CaseInputs c = case_;
    const SweepRequest request = request_;
    const Catalogue& catalogue = catalogue_;
    study_->start<std::vector<SweepPoint>>(
        1,
        [c, request, &catalogue](const StudyControl&) {
            CaseRunner runner(catalogue);
            return sweepCase(c, request, runner);
        },
        [this](std::vector<SweepPoint>& points) {
            points_ = std::move(points);
            crossings_ = sweepCrossings(points_);
            showPoints();
        });
}

QString SweepPage::studyTitle() const {
    return QStringLiteral("Sweep of %1").arg(QString::fromLatin1(request_.field ? request_.field->name : ""));
}

QString SweepPage::fileStem() const {
    return QStringLiteral("sweep-%1").arg(QString::fromLatin1(request_.field ? request_.field->name : ""));
}

std::string SweepPage::dataTable() const {
    if (request_.field == nullptr) return {};
    std::string out = sweepHeader(*request_.field);
    appendSweepRows(out, CaseLabel{0, case_.projectName, case_.identification}, points_);
    return out;
}

void SweepPage::showPoints() {
    chart_->removeAllSeries();
    crossingMarks_ = nullptr;
    for (QGraphicsSimpleTextItem* label : crossingLabels_) delete label;
    crossingLabels_.clear();
    for (QAbstractAxis* a : chart_->axes()) {
        chart_->removeAxis(a);
        delete a;
    }
    const QString name = QString::fromLatin1(request_.field->name);
    auto* x = new QValueAxis;
    x->setTitleText(name + fieldUnit(*request_.field));
    auto* y = new QValueAxis;
    y->setTitleText(QStringLiteral("Utilisation"));
    chart_->addAxis(x, Qt::AlignBottom);
    chart_->addAxis(y, Qt::AlignLeft);

    double top = 0;
    for (std::size_t check = 0; check < checkTable.size(); ++check) {
        auto* line = new QLineSeries;
        line->setName(QString::fromLatin1(checkSymbol(check)));
        for (const SweepPoint& p : points_) {
            const double u = studyUtilisation(p.verdict.uf, check);
            if (u < 0 || !std::isfinite(u)) continue;
            line->append(p.value, u);
            top = std::max(top, u);
        }
        if (line->count() == 0) {
            delete line;
            continue;
        }
        QPen pen(studyCheckColour(check));
        pen.setWidthF(2);
        line->setPen(pen);
        chart_->addSeries(line);
        line->attachAxis(x);
        line->attachAxis(y);
        connect(line, &QLineSeries::hovered, this, [this, line](const QPointF& point, bool state) {
            if (!state) return;
            const QString text = QStringLiteral("%1 at %2 = %3: %4")
                                     .arg(line->name(), QString::fromLatin1(request_.field->name),
                                          QString::fromStdString(formatNumber(point.x(), valueMask, separator_)),
                                          QString::fromStdString(formatNumber(point.y(), "0.000", separator_)));
            hover_->setText(text);
            QToolTip::showText(QCursor::pos(), text, view_);
        });
    }
    // Very high utilisations would flatten the lines that matter: the axis ends at 3 at most.
    const double step = top > 1.6 ? 0.5 : 0.2;
    const double yTop = std::ceil(std::clamp(top * 1.05, 1.2, 3.0) / step - 1e-9) * step;
    x->setRange(request_.from, request_.to);
    y->setRange(0, yTop);
    y->setTickType(QValueAxis::TicksDynamic);
    y->setTickAnchor(0);
    y->setTickInterval(step);
    y->setLabelFormat(QStringLiteral("%.1f"));

    const auto addGuide = [&](const QString& label, QPointF a, QPointF b, QColor colour) {
        auto* guide = new QLineSeries;
        guide->setName(label);
        guide->append(a);
        guide->append(b);
        QPen pen(colour);
        pen.setStyle(Qt::DashLine);
        pen.setWidthF(1.5);
        guide->setPen(pen);
        chart_->addSeries(guide);
        guide->attachAxis(x);
        guide->attachAxis(y);
        return guide;
    };
    // The limit and the marks in black, the case's value in grey: no check's colour (UFbu is red).
    addGuide(QStringLiteral("limit 1"), {request_.from, 1}, {request_.to, 1}, Qt::black);
    const double own = fieldValue(case_, *request_.field);
    if (own >= request_.from && own <= request_.to)
        addGuide(QStringLiteral("%1 = %2").arg(name, QString::fromStdString(formatNumber(own, valueMask, separator_))),
                 {own, 0}, {own, yTop}, QColor(110, 110, 110));

    // Where the case fails, shaded: a line back under 1 further on is seen to be a new range.
    const QColor shade(214, 39, 40, 38);
    bool firstShade = true;
    for (const auto& [from, to] : failingRanges(points_)) {
        auto* upper = new QLineSeries(chart_);
        upper->append(from, yTop);
        upper->append(to, yTop);
        auto* area = new QAreaSeries(upper);
        area->setName(QStringLiteral("fails"));
        area->setBrush(shade);
        area->setPen(Qt::NoPen);
        chart_->addSeries(area);
        area->attachAxis(x);
        area->attachAxis(y);
        for (QLegendMarker* m : chart_->legend()->markers(area)) m->setVisible(firstShade);
        firstShade = false;
    }

    if (!crossings_.empty()) {
        crossingMarks_ = new QScatterSeries;
        crossingMarks_->setName(QStringLiteral("crossings of 1"));
        crossingMarks_->setMarkerSize(11);
        crossingMarks_->setColor(Qt::white);
        crossingMarks_->setBorderColor(Qt::black);
        chart_->addSeries(crossingMarks_);
        crossingMarks_->attachAxis(x);
        crossingMarks_->attachAxis(y);
        QFont bold = font();
        bold.setBold(true);
        for (const SweepCrossing& c : crossings_) {
            auto* label = new QGraphicsSimpleTextItem(chart_);
            label->setZValue(20);
            label->setFont(bold);
            // "t = 18.2 (UFs rises above 1)": which way the case goes at this mark.
            label->setText(QStringLiteral("%1 = %2 (%3 %4)")
                               .arg(name, QString::fromStdString(formatNumber(c.value, valueMask, separator_)),
                                    QString::fromLatin1(checkSymbol(c.check)),
                                    c.up ? QStringLiteral("rises above 1") : QStringLiteral("falls below 1")));
            crossingLabels_.push_back(label);
        }
    }
    // A click on a check in the legend hides its line and its crossings, or shows them again.
    for (QLegendMarker* marker : chart_->legend()->markers()) {
        connect(marker, &QLegendMarker::clicked, this, [this, marker] {
            QAbstractSeries* s = marker->series();
            s->setVisible(!s->isVisible());
            marker->setVisible(true);
            QFont f = marker->font();
            f.setStrikeOut(!s->isVisible());
            marker->setFont(f);
            showCrossingMarks();
        });
    }
    chart_->setTitle(QStringLiteral("Utilisations against %1").arg(name));
    const FailedChecks throughout = failingThroughout(points_);
    const QString hint = QString::fromLatin1(hoverHint);
    hover_->setText(throughout.any() ? QStringLiteral("Fails at every step of the range, not shaded: %1. %2")
                                           .arg(QString::fromStdString(checkList(throughout)), hint)
                                     : hint);
    fitLegend();
    showCrossingMarks();
    emit shown();
}

void SweepPage::showCrossingMarks() {
    std::vector<bool> checkShown(checkTable.size(), true);
    for (QAbstractSeries* s : chart_->series())
        for (std::size_t check = 0; check < checkTable.size(); ++check)
            if (s->name() == QLatin1String(checkSymbol(check))) checkShown[check] = s->isVisible();
    QList<QPointF> marks;
    for (std::size_t i = 0; i < crossings_.size() && i < crossingLabels_.size(); ++i) {
        const bool shown =
            checkShown[crossings_[i].check] && (crossingMarks_ == nullptr || crossingMarks_->isVisible());
        crossingLabels_[i]->setVisible(shown);
        if (shown) marks.append(QPointF(crossings_[i].value, 1));
    }
    if (crossingMarks_ != nullptr) crossingMarks_->replace(marks);
    placeCrossingLabels();
}

void SweepPage::placeCrossingLabels() {
    if (crossingLabels_.empty() || chart_->series().isEmpty()) return;
    // Above and right of each mark, kept inside the plot area so that it never meets an axis;
    // a label that would meet the one before goes under the line instead.
    const QRectF area = chart_->plotArea();
    QRectF previous;
    for (std::size_t i = 0; i < crossings_.size() && i < crossingLabels_.size(); ++i) {
        QGraphicsSimpleTextItem* label = crossingLabels_[i];
        if (!label->isVisible()) continue;
        const QPointF at = chart_->mapToPosition(QPointF(crossings_[i].value, 1), chart_->series().front());
        const QRectF box = label->boundingRect();
        double left = at.x() + 8;
        if (left + box.width() > area.right() - 4) left = at.x() - 8 - box.width();
        left = std::max(left, area.left() + 4);
        double top = at.y() - box.height() - 6;
        if (top < area.top() + 2) top = at.y() + 6;
        QRectF placed(left, top, box.width(), box.height());
        if (placed.intersects(previous)) placed.moveTop(previous.bottom() + 2);
        label->setPos(placed.topLeft());
        previous = placed;
    }
}

void SweepPage::fitLegend() {
    // Up to seventeen entries in one column: on a short chart (a window at scale 2 on a full-HD
    // screen) the legend would cut the last ones off. Its text is made smaller until the column
    // fits the legend's height, and grows back to its own size when there is room again.
    if (fittingLegend_) return;
    QLegend* legend = chart_->legend();
    const double room = legend->geometry().height();
    if (room <= 0) return;
    const auto entries = static_cast<double>(std::count_if(legend->markers().cbegin(), legend->markers().cend(),
                                                           [](const QLegendMarker* m) { return m->isVisible(); }));
    // An entry is as high as its text and its margins above and below; the column adds about one
    // entry at its top and foot.
    constexpr double entryMargin = 8;
    const auto needed = [&](double points) {
        QFont f = legend->font();
        f.setPointSizeF(points);
        return (entries + 1) * (QFontMetricsF(f).height() + entryMargin);
    };
    double points = legendPoints_;
    while (points > minimumLegendPoints && needed(points) > room) points -= 0.5;
    if (points == legend->font().pointSizeF()) return;
    fittingLegend_ = true;
    QFont f = legend->font();
    f.setPointSizeF(points);
    legend->setFont(f);
    fittingLegend_ = false;
}

void SweepPage::draw(QPainter& painter, const QRectF& target) {
    drawChart(view_, painter, target);
}

} // namespace korvel
