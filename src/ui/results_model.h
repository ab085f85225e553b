#pragma once

// The control summary list as a table model: one row per listing row of the calculation, three
// columns "Control", "Interaction Ratio" and "Reference ", and a fourth, "Gauged", while the rows
// carry the values of the case with gauged thicknesses (the list shows it beside the ratio). The value column is bold
// in its verdict colour (dark green within the limit, dark red exceeded, black without verdict); headings are bold
// across the row; the red remarks are red in the control column.

#include "report/listing_row.h"

#include <QAbstractTableModel>

#include <vector>

Q_DECLARE_METATYPE(korvel::ListingRow)

namespace korvel {

class ResultsModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { controlColumn = 0, valueColumn = 1, referenceColumn = 2, gaugedColumn = 3, columnCount_ = 4 };
    // The whole ListingRow of the row, whatever the column.
    static constexpr int rowRole = Qt::UserRole + 1;

    explicit ResultsModel(QObject* parent = nullptr);

    // Replaces every row (the list is rebuilt after each calculation). The "Gauged" column is
    // there while some row carries a value beside its own.
    void setRows(std::vector<ListingRow> rows);
    bool showsGauged() const { return gauged_; }
    const std::vector<ListingRow>& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Share of the list's width each column takes: 0.7, 0.1, 0.15.
    static double columnShare(int column);

private:
    std::vector<ListingRow> rows_;
    bool gauged_ = false;
};

} // namespace korvel
