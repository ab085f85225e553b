#include "ui/studies_corrosion_page.h"

#include "design/number_format.h"
#include "design/number_parser.h"
#include "studies/wastage_table.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace korvel {

namespace {

const QColor barColour(31, 119, 180);
const QColor thresholdColour(255, 127, 14);
const QColor failColour(214, 39, 40);

// Two lines each, so that the table fits the page's width.
const char* const headings[] = {"Member",
                                "Original\n(mm)",
                                "Allowable\ndiminution (mm)",
                                "Allowable\n(%)",
                                "Minimum\nthickness (mm)",
                                "Substantial\ncorrosion (mm)",
                                "Governing",
                                "Note",
                                "Gauged\n(mm)"};
constexpr int noteColumn = 7;

// The index of a single member in the gauged thicknesses; -1 for "all".
int gaugedIndex(Member m) {
    return m == Member::all ? -1 : static_cast<int>(m);
}

bool hasAllowance(const WastageResult& r) {
    return r.outcome == WastageResult::Outcome::found || r.outcome == WastageResult::Outcome::rangeEnd;
}

// A member's cells from "Original" to "Note": what the core's table writes, with its numbers
// composed here with the engineer's separator (the table itself keeps the period).
std::array<std::string, noteColumn> shownCells(const WastageResult& r, char sep) {
    const auto mm = [sep](double value) { return formatNumber(value, "0.00", sep); };
    std::array<std::string, noteColumn> cells;
    cells.fill("-");
    const bool member =
        r.outcome != WastageResult::Outcome::noSuchMember && r.outcome != WastageResult::Outcome::noProfile;
    if (member) cells[0] = mm(r.original);
    switch (r.outcome) {
    case WastageResult::Outcome::found:
    case WastageResult::Outcome::rangeEnd:
        cells = {mm(r.original),
                 mm(r.allowable),
                 formatNumber(r.percent(), "0.0", sep),
                 mm(r.minimumThickness()),
                 mm(r.substantialCorrosion()),
                 r.governing,
                 ""};
        if (r.outcome == WastageResult::Outcome::rangeEnd)
            cells[6] = "passes down to " + mm(minimumRemainingThickness) + " mm remaining";
        break;
    case WastageResult::Outcome::asBuiltFails:
        cells[5] = r.governing;
        cells[6] = "as built fails";
        break;
    case WastageResult::Outcome::noSuchMember:
        cells[6] = "the panel has no such member";
        break;
    case WastageResult::Outcome::noProfile:
        cells[6] = "the stiffener profile cannot be formed";
        break;
    }
    return cells;
}

} // namespace

// The allowable diminution of each member as a bar from 0 (as built) in mm, the substantial-
// corrosion threshold (75 % of it) and the current thickness (as built, or gauged) marked on it.
class WastageBars final : public QWidget {
public:
    explicit WastageBars(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("corrosionBars"));
        setMinimumHeight(150);
    }

    void show(std::vector<WastageResult> results, const MemberThicknesses& gauged, char separator) {
        results_ = std::move(results);
        gauged_ = gauged;
        separator_ = separator;
        update();
    }

    void paintOn(QPainter& p, const QRectF& area) const {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        const QFontMetricsF metrics(p.font());
        const double line = metrics.height();
        double nameWidth = 0;
        for (const Member m : CorrosionPage::members())
            nameWidth = std::max(nameWidth, metrics.horizontalAdvance(QString::fromLatin1(memberName(m))));
        double labelWidth = 0;
        for (std::size_t i = 0; i < results_.size(); ++i)
            labelWidth = std::max(labelWidth, metrics.horizontalAdvance(barLabel(i)));
        const double left = area.left() + nameWidth + line;
        const double right = area.right() - labelWidth - line;
        const double top = area.top() + 1.6 * line; // the key above the bars
        const double bottom = area.bottom() - 2.4 * line;
        const auto rows = static_cast<double>(CorrosionPage::members().size());
        const double rowHeight = (bottom - top) / rows;
        if (right <= left + line || rowHeight <= 0) {
            p.restore();
            return;
        }

        // The axis: to the deepest allowance or current diminution, in whole or half millimetres.
        double deepest = 1;
        for (std::size_t i = 0; i < results_.size(); ++i) {
            deepest = std::max(deepest, results_[i].allowable);
            deepest = std::max(deepest, current(i));
        }
        const double step = deepest > 10 ? 2 : deepest > 4 ? 1 : 0.5;
        const double axisEnd = std::ceil(deepest * 1.05 / step) * step;
        const auto xOf = [&](double d) { return left + (right - left) * d / axisEnd; };

        p.setPen(palette().color(QPalette::Text));
        p.drawText(QPointF(area.left(), area.top() + metrics.ascent()),
                   QStringLiteral("Allowable diminution (mm) from the thickness as built; | current thickness, "
                                  "\u2506 substantial corrosion (75 %)"));
        for (double d = 0; d <= axisEnd + 1e-9; d += step) {
            const double x = xOf(d);
            p.setPen(QPen(palette().color(QPalette::Mid), 0.5));
            p.drawLine(QPointF(x, top), QPointF(x, bottom));
            p.setPen(palette().color(QPalette::Text));
            const QString text = QString::fromStdString(formatNumber(d, "0.#", separator_));
            p.drawText(QRectF(x - 30, bottom + 0.2 * line, 60, line), Qt::AlignHCenter | Qt::AlignTop, text);
        }
        p.drawText(QRectF(left, bottom + 1.2 * line, right - left, line), Qt::AlignHCenter | Qt::AlignTop,
                   QStringLiteral("Diminution (mm)"));

        for (std::size_t i = 0; i < CorrosionPage::members().size(); ++i) {
            const double y = top + rowHeight * static_cast<double>(i);
            const QRectF nameBox(area.left(), y, nameWidth, rowHeight);
            p.setPen(palette().color(QPalette::Text));
            p.drawText(nameBox, Qt::AlignLeft | Qt::AlignVCenter,
                       QString::fromLatin1(memberName(CorrosionPage::members()[i])));
            if (i >= results_.size()) continue;
            const WastageResult& r = results_[i];
            const double barTop = y + 0.2 * rowHeight, barHeight = 0.6 * rowHeight;
            if (!hasAllowance(r)) {
                const QString why = r.outcome == WastageResult::Outcome::asBuiltFails
                                        ? QStringLiteral("as built fails: %1").arg(QString::fromStdString(r.governing))
                                    : r.outcome == WastageResult::Outcome::noSuchMember
                                        ? QStringLiteral("the panel has no such member")
                                        : QStringLiteral("the stiffener profile cannot be formed");
                p.setPen(r.outcome == WastageResult::Outcome::asBuiltFails ? failColour
                                                                           : palette().color(QPalette::Text));
                p.drawText(QRectF(left + 4, y, right - left, rowHeight), Qt::AlignLeft | Qt::AlignVCenter, why);
                continue;
            }
            p.fillRect(QRectF(left, barTop, xOf(r.allowable) - left, barHeight), barColour);
            // The threshold, dashed across the bar.
            QPen dashed(thresholdColour, 2.5, Qt::DashLine);
            p.setPen(dashed);
            const double xt = xOf(substantialCorrosionShare * r.allowable);
            p.drawLine(QPointF(xt, barTop - 0.1 * rowHeight), QPointF(xt, barTop + 1.2 * barHeight));
            // The current thickness: as built at 0, or where the gauging puts it.
            const double d = current(i);
            const QColor mark = d > r.allowable ? failColour : palette().color(QPalette::Text);
            p.setPen(QPen(mark, 3));
            const double xc = xOf(d);
            p.drawLine(QPointF(xc, y + 0.05 * rowHeight), QPointF(xc, y + 0.95 * rowHeight));
            p.setPen(palette().color(QPalette::Text));
            const double textLeft = std::max(xOf(r.allowable), xc) + 6;
            p.drawText(QRectF(textLeft, y, area.right() - textLeft, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                       barLabel(i));
        }
        p.restore();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Base));
        paintOn(p, QRectF(rect()).adjusted(8, 6, -8, -4));
    }

private:
    // The current diminution of member i: 0 as built, original - gauged with a gauging.
    double current(std::size_t i) const {
        const int g = gaugedIndex(CorrosionPage::members()[i]);
        if (g < 0 || i >= results_.size() || !gauged_[static_cast<std::size_t>(g)]) return 0;
        return std::max(0.0, results_[i].original - *gauged_[static_cast<std::size_t>(g)]);
    }
    QString mm(double value) const { return QString::fromStdString(formatNumber(value, "0.00", separator_)); }
    // "8.65 of 20.00 mm; now 18.50 mm" right of a bar; nothing for a member without an allowance.
    QString barLabel(std::size_t i) const {
        if (i >= results_.size() || !hasAllowance(results_[i])) return {};
        const WastageResult& r = results_[i];
        return QStringLiteral("%1 of %2 mm; now %3 mm")
            .arg(mm(r.allowable), mm(r.original), mm(r.original - current(i)));
    }

    std::vector<WastageResult> results_;
    MemberThicknesses gauged_{};
    char separator_ = '.';
};

const std::array<Member, 6>& CorrosionPage::members() {
    return allMembers;
}

CorrosionPage::CorrosionPage(const Catalogue& catalogue, char decimalSeparator, QWidget* parent)
    : StudyPage(catalogue, decimalSeparator, parent) {
    setObjectName(QStringLiteral("corrosionPage"));
    basisBox_ = new QComboBox(this);
    basisBox_->setObjectName(QStringLiteral("corrosionBasis"));
    basisBox_->addItem(QStringLiteral("strength"));
    basisBox_->addItem(QStringLiteral("all checks"));
    auto* basisLabel = new QLabel(QStringLiteral("&Basis"), this);
    basisLabel->setBuddy(basisBox_);
    clear_ = new QPushButton(QStringLiteral("Clear &gauging"), this);
    clear_->setObjectName(QStringLiteral("clearGauging"));
    auto* controls = new QHBoxLayout;
    controls->addWidget(basisLabel);
    controls->addWidget(basisBox_);
    controls->addStretch(1);
    controls->addWidget(clear_);

    bars_ = new WastageBars(this);
    table_ = new QTableWidget(static_cast<int>(members().size()), columnCount, this);
    table_->setObjectName(QStringLiteral("corrosionTable"));
    QStringList titles;
    for (const char* h : headings) titles << QString::fromLatin1(h);
    table_->setHorizontalHeaderLabels(titles);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(noteColumn, QHeaderView::Stretch);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    note_ = new QLabel(QStringLiteral("Type a gauged thickness into a member's row: the main window shows the gauged "
                                      "utilisations beside the ones as built until the gauging is cleared."),
                       this);
    note_->setObjectName(QStringLiteral("corrosionNote"));
    note_->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(bars_, 3);
    layout->addWidget(table_, 2);
    layout->addWidget(note_);

    connect(basisBox_, &QComboBox::currentIndexChanged, this,
            [this](int index) { setBasis(index == 1 ? WastageBasis::allChecks : WastageBasis::strength); });
    connect(table_, &QTableWidget::cellChanged, this, &CorrosionPage::gaugedEdited);
    connect(clear_, &QPushButton::clicked, this, &CorrosionPage::clearGauging);
    showResults();
}

void CorrosionPage::setBasis(WastageBasis basis) {
    if (basis == basis_) return;
    basis_ = basis;
    const QSignalBlocker block(basisBox_);
    basisBox_->setCurrentIndex(basis == WastageBasis::allChecks ? 1 : 0);
    recompute();
}

void CorrosionPage::recompute() {
    if (!hasCase_) return;
    const CaseInputs c = case_;
    const WastageBasis basis = basis_;
    const Catalogue& catalogue = catalogue_;
    study_->start<std::vector<WastageResult>>(
        1,
        [c, basis, &catalogue](const StudyControl& control) {
            CaseRunner runner(catalogue);
            std::vector<WastageResult> found;
            for (const Member m : members()) {
                if (control.progress && !control.progress(found.size(), members().size())) break;
                found.push_back(allowableDiminution(c, m, basis, runner));
            }
            return found;
        },
        [this](std::vector<WastageResult>& found) {
            results_ = std::move(found);
            showResults();
            emit shown();
        });
}

QString CorrosionPage::studyTitle() const {
    return QStringLiteral("Allowable diminution (%1)").arg(QString::fromLatin1(basisName(basis_)));
}

QString CorrosionPage::fileStem() const {
    return QStringLiteral("wastage-%1").arg(QString::fromLatin1(basisName(basis_)));
}

std::string CorrosionPage::dataTable() const {
    std::string out = wastageHeader();
    const CaseLabel who{0, case_.projectName, case_.identification};
    for (std::size_t i = 0; i < results_.size() && i < members().size(); ++i)
        appendWastageRow(out, who, members()[i], basis_, results_[i]);
    return out;
}

void CorrosionPage::showResults() {
    filling_ = true;
    for (std::size_t i = 0; i < members().size(); ++i) {
        const auto row = static_cast<int>(i);
        std::array<std::string, noteColumn> cells{};
        if (i < results_.size()) cells = shownCells(results_[i], separator_);
        for (int column = 0; column < gaugedColumn; ++column) {
            const std::string text =
                column == 0 ? memberName(members()[i]) : cells[static_cast<std::size_t>(column - 1)];
            auto* item = new QTableWidgetItem(QString::fromStdString(text));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (column != 0 && column < 6) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(row, column, item);
        }
    }
    showGaugedCells();
    filling_ = false;
    bars_->show(results_, gauged_, separator_);
}

void CorrosionPage::showGaugedCells() {
    const bool wasFilling = filling_;
    filling_ = true;
    for (std::size_t i = 0; i < members().size(); ++i) {
        const int g = gaugedIndex(members()[i]);
        auto* item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const bool member = i < results_.size() && results_[i].outcome != WastageResult::Outcome::noSuchMember &&
                            results_[i].outcome != WastageResult::Outcome::noProfile;
        if (g >= 0 && member) {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
            if (const auto& t = gauged_[static_cast<std::size_t>(g)])
                item->setText(QString::fromStdString(formatNumber(*t, "0.00", separator_)));
            item->setToolTip(QStringLiteral("The thickness measured, in mm; empty: as built"));
        } else {
            item->setFlags(Qt::ItemIsEnabled);
        }
        table_->setItem(static_cast<int>(i), gaugedColumn, item);
    }
    clear_->setEnabled(std::any_of(gauged_.begin(), gauged_.end(), [](const auto& t) { return t.has_value(); }));
    filling_ = wasFilling;
}

void CorrosionPage::gaugedEdited(int row, int column) {
    if (filling_ || column != gaugedColumn || row < 0 || row >= static_cast<int>(members().size())) return;
    const Member m = members()[static_cast<std::size_t>(row)];
    const QString text = table_->item(row, column)->text().trimmed();
    if (text.isEmpty()) {
        setGauged(m, std::nullopt);
        return;
    }
    const DecimalMode mode = separator_ == ',' ? DecimalMode::comma : DecimalMode::period;
    const std::optional<double> t = parseNumber(text.toStdString(), mode);
    if (!t || !(*t > 0)) {
        note_->setText(QStringLiteral("%1: \"%2\" is not a thickness above 0; the gauging is kept as it was.")
                           .arg(QString::fromLatin1(memberName(m)), text));
        showGaugedCells();
        return;
    }
    setGauged(m, t);
}

void CorrosionPage::setGauged(Member m, std::optional<double> thickness) {
    const int g = gaugedIndex(m);
    if (g < 0) return;
    gauged_[static_cast<std::size_t>(g)] = thickness;
    showGaugedCells();
    bars_->show(results_, gauged_, separator_);
    emit gaugingChanged(gauged_);
}

void CorrosionPage::clearGauging() {
    gauged_ = {};
    showGaugedCells();
    bars_->show(results_, gauged_, separator_);
    emit gaugingChanged(gauged_);
}

void CorrosionPage::showGauging(const MemberThicknesses& thickness) {
    gauged_ = thickness;
    showGaugedCells();
    bars_->show(results_, gauged_, separator_);
}

void CorrosionPage::showGaugingProblem(const QString& problem) {
    note_->setText(problem.isEmpty() ? QStringLiteral("Gauged utilisations are shown beside the ones as built in the "
                                                      "main window's list until the gauging is cleared.")
                                     : QStringLiteral("The gauging is not applied: %1.").arg(problem));
}

void CorrosionPage::draw(QPainter& painter, const QRectF& target) {
    bars_->paintOn(painter, target);
}

} // namespace korvel
