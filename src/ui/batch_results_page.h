#pragma once

// The batch window's results table page: one row per case of the last results run, with the
// columns of the results table (the inputs as the file gave them, then every utilisation),
// sortable by any column, coloured by verdict (a utilisation above 1 dark red, within the limit
// dark green; a failing case's identification on a light red ground), filtered by "Failing
// only", by one check or by a text, filled while the run goes on, and exported as TAB-separated
// text or as a workbook. A double-click shows the case in the main window. "Group by panel" shows
// a row per panel over its load cases instead (the envelope table, the cases as its children),
// whose envelope is exported as the envelope table.

#include "checks/failed_checks.h"
#include "design/design_case.h"
#include "xlsx/results_workbook.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QStringList>
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTreeView;

namespace korvel {

class BatchPanelFilter;
class BatchPanelModel;

class FileDialogs;
class UserMessages;

// The rows of the page.
class BatchResultsModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    // The value a column sorts by: the number of a numeric cell, else its text.
    static constexpr int sortRole = Qt::UserRole + 1;
    // The last column, after the results table's own: the failed checks of a row, and where its
    // calculation stopped.
    static constexpr const char* failedChecksHeading = "Failed checks";

    explicit BatchResultsModel(char decimalSeparator, QObject* parent = nullptr);

    // Empties the table for a new run.
    void clear();
    // Appends the row of a case just calculated (dc holds its results); `entry` is its index in
    // the batch list.
    void addCase(int entry, int line, const DesignCase& dc);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    int entryOf(int row) const;
    const FailedChecks& failedOf(int row) const;
    Verdict verdictOf(int row) const;
    // The cells of a row as the file writes them (the period, whatever the locale).
    const std::vector<std::string>& cellsOf(int row) const;
    const std::vector<std::string>& headings() const { return headings_; }

private:
    struct Row {
        int entry = -1;
        int line = 0;
        std::vector<std::string> cells; // as written to the file
        std::vector<double> numbers;    // each cell's number; NaN for a text
        FailedChecks failed;
        Verdict verdict = Verdict::ok;
    };
    bool isResultColumn(int column) const;

    char separator_;
    std::vector<std::string> headings_;
    int inputColumns_ = 0;
    std::vector<Row> rows_;
};

// "Failing only", one check, a text.
class BatchResultsFilter final : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setFailingOnly(bool failingOnly);
    // A check by its index of failedChecks; -1: any check.
    void setCheck(int check);
    void setText(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    bool failingOnly_ = false;
    int check_ = -1;
    QString text_;
};

// What "Export…" and "Export envelope…" write.
enum class ResultsExport { text, workbook, envelope };

class BatchResultsPage final : public QWidget {
    Q_OBJECT
public:
    BatchResultsPage(char decimalSeparator, QWidget* parent = nullptr);

    BatchResultsModel* model() const { return model_; }
    BatchResultsFilter* filter() const { return filter_; }
    QTableView* table() const { return table_; }
    BatchPanelModel* panels() const { return panels_; }
    BatchPanelFilter* panelFilter() const { return panelFilter_; }
    QTreeView* panelTree() const { return tree_; }

    // Empties both tables for a new run.
    void clear();
    // The row of a case just calculated (dc holds its results): `entry` is its index in the batch
    // list, the project and identification are the line's own (the panel and load case).
    void addCase(int entry, int line, const std::string& project, const std::string& identification,
                 const DesignCase& dc);
    // After a run, finished or cancelled: the panels shown, every column fitted.
    void runEnded();
    // "Group by panel".
    void setGrouped(bool grouped);
    bool grouped() const;

    // Every column as wide as its heading and texts (after a run).
    void fitColumns();
    // The rows shown (filtered and sorted) with the headings, TAB-separated.
    std::string shownText() const;
    // The envelope table of the panels, as korvel-batch --envelope writes it.
    std::string envelopeText() const;
    // The rows shown as a workbook at `path` (the Results sheet; the panels' envelope as its
    // Envelope sheet); the failure's reason, or nothing.
    std::optional<std::string> writeWorkbook(const std::string& path, const WorkbookProperties& properties) const;
    // "Export…" and "Export envelope…": asks for a file and writes it; false when nothing was written.
    bool exportShown(FileDialogs& dialogs, UserMessages& messages, const std::string& folder,
                     ResultsExport what = ResultsExport::text, const WorkbookProperties& properties = {});

signals:
    // A row was double-clicked: the batch list entry of its case.
    void caseChosen(int entry);
    void exportRequested(korvel::ResultsExport what);

private:
    void showCount();

    BatchResultsModel* model_;
    BatchResultsFilter* filter_;
    QTableView* table_;
    QCheckBox* failingOnly_;
    QComboBox* check_;
    QLineEdit* text_;
    QPushButton* export_;
    QPushButton* exportEnvelope_;
    QCheckBox* group_;
    BatchPanelModel* panels_;
    BatchPanelFilter* panelFilter_;
    QTreeView* tree_;
    QLabel* count_;
};

} // namespace korvel
