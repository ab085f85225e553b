#include "ui/studies_capacity_page.h"

#include "design/number_format.h"
#include "studies/study_tables.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QScopeGuard>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <map>

namespace korvel {

namespace {

constexpr LoadGroup groups[] = {LoadGroup::sigx, LoadGroup::sigy, LoadGroup::tau, LoadGroup::p};

// What the study does with a group: both stresses of a pair (and p with ps) take the one value
// of the axis, whatever the case has.
QString axisTitle(LoadGroup g) {
    switch (g) {
    case LoadGroup::sigx:
        return QStringLiteral("SigxA and SigxB, both set to this (MPa)");
    case LoadGroup::sigy:
        return QStringLiteral("SigyA and SigyC, both set to this (MPa)");
    case LoadGroup::tau:
        return QStringLiteral("Tau (MPa)");
    case LoadGroup::p:
        return QStringLiteral("p and ps, both set to this (MPa)");
    }
    return {};
}

// "The case has SigxA = -120 and SigxB = -100 MPa: ..." when the case's pair differs, so the
// engineer knows the plane is not quite the case's own load pattern.
QString pairNote(const CaseInputs& c, LoadGroup g, char separator) {
    const auto number = [separator](double v) { return QString::fromStdString(generalNumber(v, separator)); };
    QString first, second;
    double a = 0, b = 0;
    switch (g) {
    case LoadGroup::sigx:
        first = QStringLiteral("SigxA"), second = QStringLiteral("SigxB"), a = c.SigxA, b = c.SigxB;
        break;
    case LoadGroup::sigy:
        first = QStringLiteral("SigyA"), second = QStringLiteral("SigyC"), a = c.SigyA, b = c.SigyC;
        break;
    case LoadGroup::p:
        first = QStringLiteral("p"), second = QStringLiteral("ps"), a = c.p, b = c.ps;
        break;
    case LoadGroup::tau:
        return {};
    }
    if (static_cast<float>(a) == static_cast<float>(b)) return {};
    return QStringLiteral(" The case has %1 = %2 and %3 = %4 MPa; this plane sets both to one value, and the load "
                          "point stands at %1.")
        .arg(first, number(a), second, number(b));
}

// The colour of a governing check by its name; a stopped step is grey.
QColor governingColour(const std::string& name) {
    for (std::size_t i = 0; i < checkCount; ++i)
        if (name == checkSymbol(i)) return studyCheckColour(i);
    return {110, 110, 110};
}

} // namespace

CapacityPage::CapacityPage(const Catalogue& catalogue, char decimalSeparator, QWidget* parent)
    : StudyPage(catalogue, decimalSeparator, parent) {
    setObjectName(QStringLiteral("capacityPage"));
    x_ = new QComboBox(this);
    y_ = new QComboBox(this);
    x_->setObjectName(QStringLiteral("capacityX"));
    y_->setObjectName(QStringLiteral("capacityY"));
    for (LoadGroup g : groups) {
        x_->addItem(QString::fromLatin1(loadGroupName(g)));
        y_->addItem(QString::fromLatin1(loadGroupName(g)));
    }
    x_->setCurrentIndex(0);
    y_->setCurrentIndex(1);
    checks_ = new QComboBox(this);
    checks_->setObjectName(QStringLiteral("capacityChecks"));
    checks_->addItem(QStringLiteral("buckling checks"));
    checks_->addItem(QStringLiteral("every check"));
    rays_ = new QSpinBox(this);
    rays_->setObjectName(QStringLiteral("capacityRays"));
    rays_->setRange(8, 720);
    rays_->setValue(defaultCapacityRays);
    equal_ = new QCheckBox(QStringLiteral("&Equal scaling"), this);
    equal_->setObjectName(QStringLiteral("capacityEqual"));

    auto* controls = new QHBoxLayout;
    const auto labelled = [&](const QString& text, QWidget* w) {
        auto* l = new QLabel(text, this);
        l->setBuddy(w);
        controls->addWidget(l);
        controls->addWidget(w);
    };
    labelled(QStringLiteral("&X"), x_);
    labelled(QStringLiteral("&Y"), y_);
    labelled(QStringLiteral("C&hecks"), checks_);
    labelled(QStringLiteral("&Rays"), rays_);
    controls->addWidget(equal_);
    controls->addStretch(1);

    chart_ = new QChart;
    chart_->legend()->setAlignment(Qt::AlignRight);
    chart_->setMargins(QMargins(4, 4, 4, 4));
    view_ = new QChartView(chart_, this);
    view_->setObjectName(QStringLiteral("capacityChart"));
    view_->setRenderHint(QPainter::Antialiasing);
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("capacityNote"));
    note_->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(view_, 1);
    layout->addWidget(note_);

    for (QComboBox* box : {x_, y_, checks_})
        connect(box, &QComboBox::currentIndexChanged, this, &CapacityPage::readRequest);
    connect(rays_, &QSpinBox::editingFinished, this, &CapacityPage::readRequest);
    connect(equal_, &QCheckBox::toggled, this, [this] { scaleAxes(); });
    // Equal scaling depends on the plot area, which the axis labels change.
    connect(chart_, &QChart::plotAreaChanged, this, [this] {
        if (equal_->isChecked() && !scaling_) scaleAxes();
    });
}

void CapacityPage::readRequest() {
    CapacityRequest r;
    r.x = groups[std::clamp(x_->currentIndex(), 0, 3)];
    r.y = groups[std::clamp(y_->currentIndex(), 0, 3)];
    r.rays = rays_->value();
    r.allChecks = checks_->currentIndex() == 1;
    if (r == request_) return;
    request_ = r;
    recompute();
}

void CapacityPage::setRequest(const CapacityRequest& request) {
    {
        const QSignalBlocker bx(x_), by(y_), bc(checks_);
        x_->setCurrentIndex(static_cast<int>(request.x));
        y_->setCurrentIndex(static_cast<int>(request.y));
        checks_->setCurrentIndex(request.allChecks ? 1 : 0);
        rays_->setValue(request.rays);
    }
    request_ = request;
    recompute();
}

void CapacityPage::setEqualScaling(bool equal) {
    equal_->setChecked(equal);
}

bool CapacityPage::equalScaling() const {
    return equal_->isChecked();
}

void CapacityPage::recompute() {
    if (!hasCase_) return;
    if (request_.x == request_.y) {
        result_.reset();
        note_->setText(QStringLiteral("Choose two different load groups."));
        chart_->removeAllSeries();
        emit shown();
        return;
    }
    const CaseInputs c = case_;
    const CapacityRequest request = request_;
    const Catalogue& catalogue = catalogue_;
    study_->start<std::optional<CapacityResult>>(
        allThreads(),
        [c, request, &catalogue](const StudyControl& control) {
            StudyControl quiet = control;
            quiet.progress = nullptr;
            return capacityCurve(c, request, catalogue, quiet);
        },
        [this](std::optional<CapacityResult>& r) {
            result_ = std::move(r);
            showCurve();
        });
}

QString CapacityPage::studyTitle() const {
    return QStringLiteral("Capacity curve %1-%2")
        .arg(QString::fromLatin1(loadGroupName(request_.x)), QString::fromLatin1(loadGroupName(request_.y)));
}

QString CapacityPage::fileStem() const {
    return QStringLiteral("capacity-%1-%2")
        .arg(QString::fromLatin1(loadGroupName(request_.x)), QString::fromLatin1(loadGroupName(request_.y)));
}

std::string CapacityPage::dataTable() const {
    std::string out = capacityHeader(request_);
    if (result_) appendCapacityRows(out, CaseLabel{0, case_.projectName, case_.identification}, request_, *result_);
    return out;
}

void CapacityPage::showCurve() {
    chart_->removeAllSeries();
    for (QAbstractAxis* a : chart_->axes()) {
        chart_->removeAxis(a);
        delete a;
    }
    auto* x = new QValueAxis;
    auto* y = new QValueAxis;
    x->setTitleText(axisTitle(request_.x));
    y->setTitleText(axisTitle(request_.y));
    chart_->addAxis(x, Qt::AlignBottom);
    chart_->addAxis(y, Qt::AlignLeft);
    chart_->setTitle(
        QStringLiteral("Capacity curve, %1 against %2 (compression negative)")
            .arg(QString::fromLatin1(loadGroupName(request_.y)), QString::fromLatin1(loadGroupName(request_.x))));
    if (!result_) {
        emit shown();
        return;
    }
    const CapacityResult& r = *result_;
    // λ here grows the two loads of the plane along the ray; the margin line's λ* grows them all.
    QString note = QStringLiteral("\u03bb: how far the two loads of this plane can grow along the ray, the other loads "
                                  "as the case has them; the margin line's \u03bb* grows every load of the case.");
    note += pairNote(case_, request_.x, separator_) + pairNote(case_, request_.y, separator_);
    if (!r.stoppedAtOrigin.empty())
        note += QStringLiteral(" The calculation stops with both load groups at zero (%1).")
                    .arg(QString::fromStdString(r.stoppedAtOrigin));
    if (r.regardless.any())
        note += QStringLiteral(" Fails regardless of these loads: %1.")
                    .arg(QString::fromStdString(checkList(r.regardless)));

    // Bounds: the closed points, the load point and the origin; the open ones only when no
    // ray closes.
    QRectF bounds(QPointF(0, 0), QSizeF(0, 0));
    const auto include = [&bounds](double px, double py) {
        bounds.setLeft(std::min(bounds.left(), px));
        bounds.setRight(std::max(bounds.right(), px));
        bounds.setTop(std::min(bounds.top(), py));
        bounds.setBottom(std::max(bounds.bottom(), py));
    };
    bool anyClosed = false;
    for (const CapacityPoint& p : r.rays)
        if (!p.open) include(p.x, p.y), anyClosed = true;
    if (!anyClosed)
        for (const CapacityPoint& p : r.rays) include(p.x, p.y);
    include(r.ownX, r.ownY);
    if (r.ownRay && !r.ownRay->open) include(r.ownRay->x, r.ownRay->y);
    bounds_ = bounds;

    // The closed curve: segment i joins ray i to ray i + 1 in the colour of ray i's check; the
    // legend names each check once.
    std::map<std::string, bool> named;
    const std::size_t n = r.rays.size();
    for (std::size_t i = 0; i < n; ++i) {
        const CapacityPoint& a = r.rays[i];
        const CapacityPoint& b = r.rays[(i + 1) % n];
        auto* segment = new QLineSeries;
        segment->append(a.x, a.y);
        segment->append(b.x, b.y);
        const bool open = a.open || b.open;
        const std::string label = open ? std::string("open") : a.governing;
        QPen pen(open ? QColor(160, 160, 160) : governingColour(a.governing));
        pen.setWidthF(open ? 1.5 : 3);
        if (open) pen.setStyle(Qt::DashLine);
        segment->setPen(pen);
        segment->setName(QString::fromStdString(label));
        chart_->addSeries(segment);
        segment->attachAxis(x);
        segment->attachAxis(y);
        const bool first = named.emplace(label, true).second;
        for (QLegendMarker* m : chart_->legend()->markers(segment)) m->setVisible(first);
    }

    // The load point and its ray to the curve.
    if (r.ownRay) {
        auto* ray = new QLineSeries;
        ray->append(0, 0);
        ray->append(r.ownRay->x, r.ownRay->y);
        QPen pen(Qt::black);
        pen.setStyle(Qt::DashLine);
        ray->setPen(pen);
        ray->setName(QStringLiteral("ray, \u03bb = %1")
                         .arg(r.ownRay->open ? QStringLiteral("> 100")
                                             : QString::fromStdString(formatNumber(r.ownLambda, "0.00", separator_))));
        chart_->addSeries(ray);
        ray->attachAxis(x);
        ray->attachAxis(y);
    }
    auto* point = new QScatterSeries;
    point->setName(QStringLiteral("load point"));
    point->append(r.ownX, r.ownY);
    point->setColor(Qt::black);
    point->setMarkerSize(10);
    chart_->addSeries(point);
    point->attachAxis(x);
    point->attachAxis(y);
    auto* origin = new QScatterSeries;
    origin->append(0, 0);
    origin->setMarkerSize(5);
    origin->setColor(QColor(90, 90, 90));
    chart_->addSeries(origin);
    origin->attachAxis(x);
    origin->attachAxis(y);
    for (QLegendMarker* m : chart_->legend()->markers(origin)) m->setVisible(false);

    note_->setText(note.trimmed());
    scaleAxes();
    emit shown();
}

void CapacityPage::resizeEvent(QResizeEvent* event) {
    StudyPage::resizeEvent(event);
    scaleAxes();
}

void CapacityPage::scaleAxes() {
    const QSignalBlocker again(chart_);
    scaling_ = true;
    const auto done = qScopeGuard([this] { scaling_ = false; });
    const QList<QAbstractAxis*> xs = chart_->axes(Qt::Horizontal);
    const QList<QAbstractAxis*> ys = chart_->axes(Qt::Vertical);
    if (xs.isEmpty() || ys.isEmpty()) return;
    auto* x = static_cast<QValueAxis*>(xs.front());
    auto* y = static_cast<QValueAxis*>(ys.front());
    QRectF b = bounds_;
    const double padX = std::max(b.width() * 0.08, 1e-9), padY = std::max(b.height() * 0.08, 1e-9);
    b.adjust(-padX, -padY, padX, padY);
    if (equal_->isChecked()) {
        // The same MPa per pixel on both axes, about the middle of what is shown.
        const QRectF area = chart_->plotArea();
        if (area.width() > 10 && area.height() > 10) {
            const double perPixel = std::max(b.width() / area.width(), b.height() / area.height());
            const QPointF c = b.center();
            b = QRectF(c.x() - perPixel * area.width() / 2, c.y() - perPixel * area.height() / 2,
                       perPixel * area.width(), perPixel * area.height());
        }
    }
    x->setRange(b.left(), b.right());
    y->setRange(b.top(), b.bottom());
    if (!equal_->isChecked()) {
        for (QValueAxis* a : {x, y}) {
            a->setTickType(QValueAxis::TicksFixed);
            a->setLabelFormat(QString());
            a->applyNiceNumbers();
        }
        return;
    }
    // Equal scaling: the same round tick interval on both axes, from zero.
    const double span = std::max(b.width(), b.height());
    const double rough = span / 6;
    const double decade = std::pow(10.0, std::floor(std::log10(rough)));
    double step = decade;
    for (double f : {1.0, 2.0, 5.0, 10.0})
        if (f * decade >= rough) {
            step = f * decade;
            break;
        }
    const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step))));
    for (QValueAxis* a : {x, y}) {
        a->setTickType(QValueAxis::TicksDynamic);
        a->setTickAnchor(0);
        a->setTickInterval(step);
        a->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
    }
}

void CapacityPage::draw(QPainter& painter, const QRectF& target) {
    drawChart(view_, painter, target);
}

} // namespace korvel
