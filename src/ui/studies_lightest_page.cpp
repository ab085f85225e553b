#include "ui/studies_lightest_page.h"

#include "design/number_format.h"
#include "engine/assessment.h"
#include "sections/profile_types.h"
#include "studies/study_tables.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace korvel {

namespace {

constexpr Family pageFamilies[] = {Family::lTable, Family::bfTable, Family::flatbarTable, Family::flatbar,
                                   Family::angle,  Family::tee,     Family::iSection};

const char* const headers[] = {"Designation", "kg/m", "Highest UF", "Check", "Passes"};

// A cell that sorts by its number rather than its text.
class NumberItem final : public QTableWidgetItem {
public:
    NumberItem(const QString& text, double value) : QTableWidgetItem(text) { setData(Qt::UserRole, value); }
    bool operator<(const QTableWidgetItem& other) const override {
        return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
    }
};

// The winners and the case's own profile as the table shows them.
std::vector<LightestRow> tableRows(const CaseInputs& c, const LightestResult& r, const Catalogue& catalogue) {
    std::vector<LightestRow> rows;
    bool currentListed = false;
    for (const RankedCandidate& k : r.passing) {
        LightestRow row;
        row.candidate = k.candidate;
        row.designation = candidateText(k.candidate);
        row.weight = k.candidate.weight();
        row.highest = k.verdict.highest;
        if (k.verdict.highestCheck >= 0) row.check = checkSymbol(static_cast<std::size_t>(k.verdict.highestCheck));
        row.passes = k.passes;
        CaseInputs with = c;
        applyCandidate(with, k.candidate);
        row.current = with == c;
        currentListed = currentListed || row.current;
        rows.push_back(std::move(row));
    }
    if (!currentListed) {
        DesignCase dc;
        static_cast<CaseInputs&>(dc) = c;
        IgnoreWarnings quiet;
        runCase(dc, catalogue, AssessOptions{}, quiet);
        const CaseVerdict v = caseVerdict(dc);
        LightestRow own;
        own.designation = stiffenerDesignation(dc);
        own.weight = dc.stiff.Ax > 0 ? dc.stiff.Ax * 7.85e-3 : 0;
        own.highest = v.highest;
        if (v.highestCheck >= 0) own.check = checkSymbol(static_cast<std::size_t>(v.highestCheck));
        own.passes = v.passes(~girderRules());
        own.current = true;
        own.candidateKnown = false;
        rows.push_back(std::move(own));
    }
    return rows;
}

} // namespace

LightestPage::LightestPage(const Catalogue& catalogue, char decimalSeparator, QWidget* parent)
    : StudyPage(catalogue, decimalSeparator, parent) {
    setObjectName(QStringLiteral("lightestPage"));
    auto* families = new QHBoxLayout;
    families->addWidget(new QLabel(QStringLiteral("Families:"), this));
    for (std::size_t i = 0; i < familyBoxes_.size(); ++i) {
        familyBoxes_[i] = new QCheckBox(QString::fromLatin1(familyName(pageFamilies[i])), this);
        familyBoxes_[i]->setObjectName(QStringLiteral("family%1").arg(i));
        familyBoxes_[i]->setChecked(true);
        families->addWidget(familyBoxes_[i]);
    }
    families->addStretch(1);

    top_ = new QSpinBox(this);
    top_->setObjectName(QStringLiteral("lightestTop"));
    top_->setRange(1, 200);
    top_->setValue(defaultTop);
    auto* topLabel = new QLabel(QStringLiteral("&Top"), this);
    topLabel->setBuddy(top_);
    search_ = new QPushButton(QStringLiteral("&Search"), this);
    cancel_ = new QPushButton(QStringLiteral("Canc&el"), this);
    cancel_->setObjectName(QStringLiteral("lightestCancel"));
    cancel_->setEnabled(false);
    use_ = new QPushButton(QStringLiteral("&Use this profile"), this);
    use_->setObjectName(QStringLiteral("useProfile"));
    use_->setEnabled(false);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("lightestProgress"));
    progress_->setRange(0, 1);
    progress_->setValue(0);
    auto* controls = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{topLabel, top_, search_, cancel_, progress_})
        controls->addWidget(w);
    controls->addStretch(1);
    controls->addWidget(use_);

    table_ = new QTableWidget(0, 5, this);
    table_->setObjectName(QStringLiteral("lightestTable"));
    QStringList titles;
    for (const char* h : headers) titles << QString::fromLatin1(h);
    table_->setHorizontalHeaderLabels(titles);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setSortIndicator(1, Qt::AscendingOrder); // lightest first
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lightestStatus"));
    status_->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(families);
    layout->addLayout(controls);
    layout->addWidget(table_, 1);
    layout->addWidget(status_);

    connect(search_, &QPushButton::clicked, this, &LightestPage::recompute);
    connect(cancel_, &QPushButton::clicked, this, [this] { study_->cancel(); });
    connect(study_, &BackgroundStudy::cancelled, this, &LightestPage::searchCancelled);
    connect(study_, &BackgroundStudy::progressed, this, [this](int done, int total) {
        progress_->setRange(0, std::max(1, total));
        progress_->setValue(done);
    });
    connect(use_, &QPushButton::clicked, this, &LightestPage::useChosen);
    connect(table_, &QTableWidget::itemSelectionChanged, this, [this] {
        const QList<QTableWidgetItem*> chosen = table_->selectedItems();
        bool usable = false;
        if (!chosen.isEmpty()) {
            const int index = table_->item(chosen.front()->row(), 0)->data(Qt::UserRole + 1).toInt();
            usable = index >= 0 && index < static_cast<int>(result_.rows.size()) &&
                     result_.rows[static_cast<std::size_t>(index)].candidateKnown;
        }
        use_->setEnabled(usable);
    });
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this] { useChosen(); });
}

void LightestPage::setFamilies(const std::vector<Family>& families) {
    for (std::size_t i = 0; i < familyBoxes_.size(); ++i)
        familyBoxes_[i]->setChecked(std::find(families.begin(), families.end(), pageFamilies[i]) != families.end());
}

std::vector<Family> LightestPage::families() const {
    std::vector<Family> out;
    for (std::size_t i = 0; i < familyBoxes_.size(); ++i)
        if (familyBoxes_[i]->isChecked()) out.push_back(pageFamilies[i]);
    return out;
}

void LightestPage::setTop(int top) {
    top_->setValue(top);
}

int LightestPage::top() const {
    return top_->value();
}

void LightestPage::recompute() {
    if (!hasCase_) return;
    // A search in hand is dropped first: its "cancelled" must not land on the new one.
    study_->cancel();
    const std::vector<Family> chosen = families();
    if (chosen != rankedFamilies_) ranked_.reset();
    const std::shared_ptr<const std::vector<Candidate>> ranked = ranked_;
    const CaseInputs c = case_;
    const int top = top_->value();
    const Catalogue& catalogue = catalogue_;
    cancelled_ = false;
    cancel_->setEnabled(true);
    progress_->setRange(0, 0); // busy until the candidates are ranked
    status_->setText(QStringLiteral("Searching\u2026"));
    struct Outcome {
        std::shared_ptr<const std::vector<Candidate>> ranked;
        LightestPageResult page;
    };
    study_->start<Outcome>(
        allThreads(),
        [c, top, chosen, ranked, &catalogue](const StudyControl& control) {
            Outcome o;
            o.ranked = ranked ? ranked
                              : std::make_shared<const std::vector<Candidate>>(
                                    rankedCandidates(catalogue, chosen, control.threads));
            o.page.result = lightestCandidates(c, *o.ranked, top, catalogue, control);
            if (!o.page.result.stopped) o.page.rows = tableRows(c, o.page.result, catalogue);
            return o;
        },
        [this, chosen](Outcome& o) {
            rankedFamilies_ = chosen;
            ranked_ = o.ranked;
            result_ = std::move(o.page);
            cancel_->setEnabled(false);
            progress_->setRange(0, 1);
            progress_->setValue(1);
            showRows();
        });
}

void LightestPage::searchCancelled() {
    cancelled_ = true;
    cancel_->setEnabled(false);
    progress_->setRange(0, 1);
    progress_->setValue(0);
    status_->setText(QStringLiteral("Search cancelled."));
}

void LightestPage::showRows() {
    table_->setSortingEnabled(false);
    table_->clearContents();
    table_->setRowCount(static_cast<int>(result_.rows.size()));
    for (std::size_t i = 0; i < result_.rows.size(); ++i) {
        const LightestRow& r = result_.rows[i];
        const int row = static_cast<int>(i);
        auto* name = new QTableWidgetItem(QString::fromStdString(r.designation) +
                                          (r.current ? QStringLiteral("  \u25c0 current") : QString()));
        name->setData(Qt::UserRole + 1, row);
        table_->setItem(row, 0, name);
        table_->setItem(row, 1,
                        new NumberItem(QString::fromStdString(formatNumber(r.weight, "0.00", separator_)), r.weight));
        table_->setItem(
            row, 2, new NumberItem(QString::fromStdString(formatNumber(r.highest, "0.000", separator_)), r.highest));
        table_->setItem(row, 3, new QTableWidgetItem(QString::fromStdString(r.check)));
        table_->setItem(row, 4,
                        new NumberItem(r.passes ? QStringLiteral("yes") : QStringLiteral("no"), r.passes ? 1 : 0));
        if (r.current) {
            for (int col = 0; col < 5; ++col) {
                QTableWidgetItem* item = table_->item(row, col);
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
                item->setBackground(QColor(255, 250, 200));
            }
        }
    }
    table_->setSortingEnabled(true);
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    const LightestResult& r = result_.result;
    QString status = QStringLiteral("%1 of %2 asked for pass; %3 candidates calculated.")
                         .arg(r.passing.size())
                         .arg(top_->value())
                         .arg(r.searched);
    if (r.unchangedFailing.any())
        status += QStringLiteral(" The girder fails its own rules, which no stiffener changes: %1.")
                      .arg(QString::fromStdString(checkList(r.unchangedFailing)));
    status_->setText(status);
    emit shown();
}

bool LightestPage::selectRow(int tableRow) {
    if (tableRow < 0 || tableRow >= table_->rowCount()) return false;
    table_->selectRow(tableRow);
    return true;
}

void LightestPage::useChosen() {
    const QList<QTableWidgetItem*> chosen = table_->selectedItems();
    if (chosen.isEmpty()) return;
    const int index = table_->item(chosen.front()->row(), 0)->data(Qt::UserRole + 1).toInt();
    if (index < 0 || index >= static_cast<int>(result_.rows.size())) return;
    const LightestRow& row = result_.rows[static_cast<std::size_t>(index)];
    if (!row.candidateKnown) return;
    emit useProfile(row.candidate);
}

QString LightestPage::studyTitle() const {
    return QStringLiteral("Lightest stiffener profile");
}

QString LightestPage::fileStem() const {
    return QStringLiteral("lightest");
}

std::string LightestPage::dataTable() const {
    std::string out = lightestHeader(false);
    appendLightestRows(out, CaseLabel{0, case_.projectName, case_.identification}, result_.result);
    return out;
}

void LightestPage::draw(QPainter& painter, const QRectF& target) {
    // The table as the page shows it, in its present order, one line a row.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(10);
    painter.setFont(font);
    const QFontMetricsF m(font, painter.device());
    const double line = m.height() * 1.35;
    const double widths[] = {0.40, 0.12, 0.14, 0.16, 0.10};
    double y = target.top();
    const auto writeRow = [&](const QStringList& cells, bool bold) {
        QFont f = font;
        f.setBold(bold);
        painter.setFont(f);
        double x = target.left();
        for (int col = 0; col < cells.size() && col < 5; ++col) {
            const double w = widths[col] * target.width();
            painter.drawText(QRectF(x, y, w, line), Qt::AlignLeft | Qt::AlignVCenter, cells[col]);
            x += w;
        }
        y += line;
    };
    QStringList titles;
    for (const char* h : headers) titles << QString::fromLatin1(h);
    writeRow(titles, true);
    painter.drawLine(QPointF(target.left(), y), QPointF(target.right(), y));
    for (int row = 0; row < table_->rowCount() && y + line <= target.bottom() - line; ++row) {
        QStringList cells;
        for (int col = 0; col < 5; ++col)
            cells << (table_->item(row, col) ? table_->item(row, col)->text() : QString());
        writeRow(cells, table_->item(row, 0) && table_->item(row, 0)->font().bold());
    }
    painter.setFont(font);
    painter.drawText(QRectF(target.left(), y + line * 0.5, target.width(), line * 2), Qt::AlignLeft | Qt::TextWordWrap,
                     status_->text());
}

} // namespace korvel
