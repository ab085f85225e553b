#pragma once

// The batch window's results grouped by panel: a row per panel with the columns of the envelope
// table (korvel-batch --envelope), the panel's cases as its children. A case row holds its load
// case under "panel" and its own values under the checks, so that what governs a panel is read
// down its column. The panels come from the one EnvelopeBuilder; the export is the envelope table
// byte for byte.
//
// Cases are added as a run calculates them; the rows shown change only on publish(), so that a
// run of many thousand cases does not rebuild the tree after each one.

#include "checks/failed_checks.h"
#include "files/panel_envelope.h"

#include <QAbstractItemModel>
#include <QSortFilterProxyModel>

#include <string>
#include <unordered_map>
#include <vector>

namespace korvel {

class BatchPanelModel final : public QAbstractItemModel {
    Q_OBJECT
public:
    // The value a column sorts by: the number of a numeric cell, else its text.
    static constexpr int sortRole = Qt::UserRole + 1;

    explicit BatchPanelModel(char decimalSeparator, QObject* parent = nullptr);

    // Empties the model for a new run (shown at once).
    void clear();
    // The case of batch list entry `entry` with this project and identification, just calculated.
    void addCase(int entry, const std::string& project, const std::string& identification, const CaseOutcome& outcome);
    // Shows the panels and cases added so far.
    void publish();

    // The envelope table of every panel published: the header and a row per panel.
    std::string envelopeText() const;
    // The rows of the envelope table, one line per panel, for a workbook's Envelope sheet.
    const std::vector<std::string>& envelopeRows() const { return panelLines_; }

    // The batch list entry of a case row; -1 for a panel row.
    int entryOf(const QModelIndex& index) const;
    Verdict verdictOf(const QModelIndex& index) const;
    int panelCount() const { return static_cast<int>(panels_.size()); }
    int caseCount() const { return static_cast<int>(cases_.size()); }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    struct Row {
        std::vector<std::string> cells; // as the envelope table writes them
        std::vector<double> numbers;    // each cell's number; NaN for a text
        Verdict verdict = Verdict::ok;
        int entry = -1; // a case's batch list entry
    };
    static Row rowOf(const std::string& line, Verdict verdict, int entry);
    const Row* rowAt(const QModelIndex& index) const;

    char separator_;
    std::vector<std::string> headings_;
    // Filled while a run goes on.
    EnvelopeBuilder builder_;
    std::vector<Row> cases_;
    std::vector<std::vector<int>> casesOfPanel_;
    std::unordered_map<std::string, std::size_t> panelIndex_;
    std::string key_;
    // What the model shows: the panels and, per panel, its cases (indices into cases_).
    std::vector<Row> panels_;
    std::vector<std::string> panelLines_; // each panel's envelope table row
    std::vector<std::vector<int>> shownCases_;
};

// "Failing only" over the panels: a panel that is not OK, with all its cases.
class BatchPanelFilter final : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setFailingOnly(bool failingOnly);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    bool failingOnly_ = false;
};

} // namespace korvel
