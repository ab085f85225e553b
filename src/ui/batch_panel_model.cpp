#include "ui/batch_panel_model.h"

#include "design/number_parser.h"
#include "design/tab_cells.h"
#include "ui/batch_result_cells.h"

#include <limits>

namespace korvel {

namespace {

// The envelope table's columns before the checks: project, panel, cases, verdict, highest,
// check, load case; then a value and its load case per check; then failed rules and stopped.
constexpr std::size_t panelColumn = 1;
constexpr std::size_t casesColumn = 2;
constexpr std::size_t verdictColumn = 3;
constexpr std::size_t highestColumn = 4;
constexpr std::size_t loadCaseColumn = 6;
constexpr std::size_t firstCheckColumn = 7;

bool isValueColumn(std::size_t column) {
    return column == highestColumn ||
           (column >= firstCheckColumn && column < firstCheckColumn + 2 * checkTable.size() &&
            (column - firstCheckColumn) % 2 == 0);
}

bool isCaseOfCheckColumn(std::size_t column) {
    return column >= firstCheckColumn && column < firstCheckColumn + 2 * checkTable.size() &&
           (column - firstCheckColumn) % 2 == 1;
}

} // namespace

BatchPanelModel::BatchPanelModel(char separator, QObject* parent)
    : QAbstractItemModel(parent), separator_(separator), headings_(tabCells(envelopeHeader())) {}

BatchPanelModel::Row BatchPanelModel::rowOf(const std::string& line, Verdict verdict, int entry) {
    Row row;
    row.cells = tabCells(line);
    row.verdict = verdict;
    row.entry = entry;
    for (const std::string& cell : row.cells) {
        const std::optional<double> number = parseFileNumber(cell);
        row.numbers.push_back(number ? *number : std::numeric_limits<double>::quiet_NaN());
    }
    return row;
}

void BatchPanelModel::clear() {
    beginResetModel();
    builder_ = EnvelopeBuilder();
    cases_.clear();
    casesOfPanel_.clear();
    panelIndex_.clear();
    panels_.clear();
    panelLines_.clear();
    shownCases_.clear();
    endResetModel();
}

void BatchPanelModel::addCase(int entry, const std::string& project, const std::string& identification,
                              const CaseOutcome& outcome) {
    builder_.add(project, identification, outcome);
    // The panel as the builder finds it: by project and the identification before its "/".
    key_.assign(project);
    key_ += '\t';
    key_ += splitPanelIdentification(identification).first;
    const auto [at, added] = panelIndex_.try_emplace(key_, casesOfPanel_.size());
    if (added) casesOfPanel_.emplace_back();
    casesOfPanel_[at->second].push_back(static_cast<int>(cases_.size()));

    // The case as a panel of its own: its values and failed rules in the panel's columns.
    EnvelopeBuilder alone;
    alone.add(project, identification, outcome);
    std::string line;
    appendEnvelopeRow(line, alone.panels().front());
    Row row = rowOf(line, alone.panels().front().verdict(), entry);
    row.cells.resize(headings_.size());
    row.numbers.resize(headings_.size(), std::numeric_limits<double>::quiet_NaN());
    // Under "panel" the load case; the panel's own columns and the repeated load case left empty.
    row.cells[panelColumn] = std::string(splitPanelIdentification(identification).second);
    for (std::size_t c = 0; c < row.cells.size(); ++c) {
        if (c == 0 || c == casesColumn || c == loadCaseColumn || isCaseOfCheckColumn(c)) {
            row.cells[c].clear();
            row.numbers[c] = std::numeric_limits<double>::quiet_NaN();
        }
    }
    cases_.push_back(std::move(row));
}

void BatchPanelModel::publish() {
    beginResetModel();
    panels_.clear();
    panelLines_.clear();
    for (const PanelEnvelope& panel : builder_.panels()) {
        panelLines_.emplace_back();
        appendEnvelopeRow(panelLines_.back(), panel);
        panels_.push_back(rowOf(panelLines_.back(), panel.verdict(), -1));
    }
    shownCases_ = casesOfPanel_;
    endResetModel();
}

std::string BatchPanelModel::envelopeText() const {
    std::string text = envelopeHeader();
    for (const std::string& row : panelLines_) text += row;
    return text;
}

QModelIndex BatchPanelModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column < 0 || column >= columnCount()) return {};
    if (!parent.isValid()) return row < rowCount() ? createIndex(row, column, quintptr(0)) : QModelIndex();
    // A case row carries its panel's row, plus one (0 marks a panel row).
    if (parent.internalId() != 0 || row >= rowCount(parent)) return {};
    return createIndex(row, column, static_cast<quintptr>(parent.row()) + 1);
}

QModelIndex BatchPanelModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == 0) return {};
    return createIndex(static_cast<int>(child.internalId() - 1), 0, quintptr(0));
}

int BatchPanelModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return static_cast<int>(panels_.size());
    if (parent.internalId() != 0 || parent.column() != 0 || parent.row() < 0 ||
        static_cast<std::size_t>(parent.row()) >= shownCases_.size())
        return 0;
    return static_cast<int>(shownCases_[static_cast<std::size_t>(parent.row())].size());
}

int BatchPanelModel::columnCount(const QModelIndex&) const {
    return static_cast<int>(headings_.size());
}

const BatchPanelModel::Row* BatchPanelModel::rowAt(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this) return nullptr;
    if (index.internalId() == 0)
        return static_cast<std::size_t>(index.row()) < panels_.size() ? &panels_[static_cast<std::size_t>(index.row())]
                                                                      : nullptr;
    const auto panel = static_cast<std::size_t>(index.internalId() - 1);
    if (panel >= shownCases_.size() || static_cast<std::size_t>(index.row()) >= shownCases_[panel].size())
        return nullptr;
    const int at = shownCases_[panel][static_cast<std::size_t>(index.row())];
    return at >= 0 && static_cast<std::size_t>(at) < cases_.size() ? &cases_[static_cast<std::size_t>(at)] : nullptr;
}

int BatchPanelModel::entryOf(const QModelIndex& index) const {
    const Row* row = rowAt(index);
    return row != nullptr ? row->entry : -1;
}

Verdict BatchPanelModel::verdictOf(const QModelIndex& index) const {
    const Row* row = rowAt(index);
    return row != nullptr ? row->verdict : Verdict::ok;
}

QVariant BatchPanelModel::data(const QModelIndex& index, int role) const {
    const Row* row = rowAt(index);
    if (row == nullptr || index.column() >= static_cast<int>(row->cells.size())) return {};
    const auto column = static_cast<std::size_t>(index.column());
    if (role == Qt::ForegroundRole && column == verdictColumn)
        return QBrush(verdictColour(row->verdict == Verdict::ok ? passingGreen : failingRed));
    // A failing panel or case stands out by its name, as a failing case in the flat table.
    return resultCellData({row->cells[column], row->numbers[column], isValueColumn(column),
                           column == panelColumn && row->verdict != Verdict::ok},
                          role, sortRole, separator_);
}

QVariant BatchPanelModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    return QString::fromStdString(headings_[static_cast<std::size_t>(section)]);
}

void BatchPanelFilter::setFailingOnly(bool failingOnly) {
    failingOnly_ = failingOnly;
    invalidateFilter();
}

bool BatchPanelFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    if (!failingOnly_ || sourceParent.isValid()) return true;
    const auto* panels = qobject_cast<const BatchPanelModel*>(sourceModel());
    return panels == nullptr || panels->verdictOf(panels->index(sourceRow, 0)) != Verdict::ok;
}

} // namespace korvel
