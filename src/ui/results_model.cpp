#include "ui/results_model.h"

#include "report/control_summary.h"
#include "ui/verdict_colours.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include <algorithm>

namespace korvel {

namespace {

QColor toQColor(Rgb c) {
    return verdictColour(c);
}

const char* const headers[] = {controlColumnTitle, ratioColumnTitle, referenceColumnTitle, gaugedColumnTitle};

} // namespace

ResultsModel::ResultsModel(QObject* parent) : QAbstractTableModel(parent) {}

void ResultsModel::setRows(std::vector<ListingRow> rows) {
    const bool gauged =
        std::any_of(rows.begin(), rows.end(), [](const ListingRow& row) { return !row.beside.empty(); });
    // Most edits change values, not the number of lines: the view then keeps its scroll
    // position and selection instead of jumping back to the top after every calculation.
    if (!rows.empty() && rows.size() == rows_.size() && gauged == gauged_) {
        rows_ = std::move(rows);
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        return;
    }
    beginResetModel();
    rows_ = std::move(rows);
    gauged_ = gauged;
    endResetModel();
}

int ResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ResultsModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return gauged_ ? columnCount_ : gaugedColumn;
}

double ResultsModel::columnShare(int column) {
    switch (column) {
    case controlColumn:
        return controlColumnShare;
    case valueColumn:
        return ratioColumnShare;
    case referenceColumn:
        return referenceColumnShare;
    case gaugedColumn:
        return ratioColumnShare;
    default:
        return 0;
    }
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.parent().isValid() || index.row() < 0 ||
        index.row() >= static_cast<int>(rows_.size()) || index.column() < 0 || index.column() >= columnCount())
        return {};
    const ListingRow& row = rows_[static_cast<std::size_t>(index.row())];
    const int column = index.column();

    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: {
        const std::string& text = column == controlColumn  ? row.control
                                  : column == valueColumn  ? row.value
                                  : column == gaugedColumn ? row.beside
                                                           : row.reference;
        if (role == Qt::ToolTipRole && text.empty()) return {};
        return QString::fromStdString(text);
    }
    case Qt::ForegroundRole:
        if (column == valueColumn && !row.value.empty()) return QBrush(toQColor(row.colour));
        if (column == gaugedColumn && !row.beside.empty()) return QBrush(toQColor(row.besideColour));
        // A remark alone in its row (the y-stress error, a stopped calculation) carries its
        // colour in the control text.
        if (column == controlColumn && row.value.empty() && row.colour != Rgb{}) return QBrush(toQColor(row.colour));
        return {};
    case Qt::FontRole:
        if (row.heading || ((column == valueColumn || column == gaugedColumn) && row.valueBold)) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    case Qt::TextAlignmentRole:
        if (column == valueColumn || column == gaugedColumn) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    case rowRole:
        return QVariant::fromValue(row);
    default:
        return {};
    }
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return QString::fromUtf8(headers[section]);
    case Qt::FontRole: {
        QFont font;
        font.setBold(true);
        return font;
    }
    case Qt::TextAlignmentRole:
        if (section == valueColumn || section == gaugedColumn)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    default:
        return {};
    }
}

Qt::ItemFlags ResultsModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

} // namespace korvel
