#include "ui/batch_results_page.h"

#include "design/decimal_text.h"
#include "design/tab_cells.h"
#include "files/batch_results_table.h"
#include "files/file_commands.h"
#include "files/file_replacement.h"
#include "report/tab_separated.h"
#include "ui/batch_panel_model.h"
#include "ui/batch_result_cells.h"
#include "ui/message_warnings.h"
#include "ui/verdict_colours.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTreeView>
#include <QVBoxLayout>

#include <cstdlib>
#include <filesystem>
#include <limits>

namespace korvel {

namespace {

// The flat table and the panels' tree alike: sortable, file order until a heading is clicked,
// whole rows selected, nothing edited, columns the user can widen.
template <class View>
void setUpResultsView(View& view, QHeaderView& header, QAbstractItemModel* model, const QString& name) {
    view.setObjectName(name);
    view.setModel(model);
    view.setSortingEnabled(true);
    view.sortByColumn(-1, Qt::AscendingOrder);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setWordWrap(false);
    header.setSectionResizeMode(QHeaderView::Interactive);
    header.setDefaultSectionSize(70);
}

// The number a cell holds in full ("0.43", "-100", "2.06E+5"); NaN for any other text.
double cellNumber(const std::string& cell) {
    if (cell.empty()) return std::numeric_limits<double>::quiet_NaN();
    char* end = nullptr;
    const double value = std::strtod(cell.c_str(), &end);
    return end != nullptr && *end == '\0' ? value : std::numeric_limits<double>::quiet_NaN();
}

} // namespace

BatchResultsModel::BatchResultsModel(char separator, QObject* parent)
    : QAbstractTableModel(parent), separator_(separator), headings_(tabCells(batchResultsHeader())),
      inputColumns_(batchResultsInputColumns()) {
    // Why a row is marked: the checks it fails and where its calculation stopped.
    headings_.emplace_back(failedChecksHeading);
}

void BatchResultsModel::clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void BatchResultsModel::addCase(int entry, int line, const DesignCase& dc) {
    Row row;
    row.entry = entry;
    row.line = line;
    std::string text;
    appendBatchResultLine(text, dc);
    row.cells = tabCells(text);
    row.cells.resize(headings_.size() - 1);
    row.failed = failedChecks(dc);
    row.verdict = korvel::verdictOf(dc.fault.stopped(), row.failed);
    std::string failedText = korvel::failedText(row.failed);
    if (dc.fault.stopped()) failedText += (failedText.empty() ? "" : "; ") + std::string("stopped in ") + dc.fault.step;
    row.cells.push_back(std::move(failedText));
    for (const std::string& cell : row.cells) row.numbers.push_back(cellNumber(cell));
    const int at = static_cast<int>(rows_.size());
    beginInsertRows({}, at, at);
    rows_.push_back(std::move(row));
    endInsertRows();
}

int BatchResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int BatchResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headings_.size());
}

bool BatchResultsModel::isResultColumn(int column) const {
    return column >= inputColumns_;
}

QVariant BatchResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount() || index.column() < 0 ||
        index.column() >= columnCount())
        return {};
    const Row& row = rows_[static_cast<std::size_t>(index.row())];
    const auto column = static_cast<std::size_t>(index.column());
    return resultCellData({row.cells[column], row.numbers[column], isResultColumn(index.column()),
                           index.column() == 1 && row.verdict != Verdict::ok},
                          role, sortRole, separator_);
}

QVariant BatchResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) {
        // The line of the batch file the case stands on.
        if (section < 0 || section >= rowCount()) return {};
        return rows_[static_cast<std::size_t>(section)].line;
    }
    if (section < 0 || section >= columnCount()) return {};
    return QString::fromStdString(headings_[static_cast<std::size_t>(section)]);
}

int BatchResultsModel::entryOf(int row) const {
    return row >= 0 && row < rowCount() ? rows_[static_cast<std::size_t>(row)].entry : -1;
}

Verdict BatchResultsModel::verdictOf(int row) const {
    return row >= 0 && row < rowCount() ? rows_[static_cast<std::size_t>(row)].verdict : Verdict::ok;
}

const FailedChecks& BatchResultsModel::failedOf(int row) const {
    static const FailedChecks none;
    return row >= 0 && row < rowCount() ? rows_[static_cast<std::size_t>(row)].failed : none;
}

const std::vector<std::string>& BatchResultsModel::cellsOf(int row) const {
    static const std::vector<std::string> none;
    return row >= 0 && row < rowCount() ? rows_[static_cast<std::size_t>(row)].cells : none;
}

void BatchResultsFilter::setFailingOnly(bool failingOnly) {
    failingOnly_ = failingOnly;
    invalidateFilter();
}

void BatchResultsFilter::setCheck(int check) {
    check_ = check >= 0 && static_cast<std::size_t>(check) < checkCount ? check : -1;
    invalidateFilter();
}

void BatchResultsFilter::setText(const QString& text) {
    text_ = text.trimmed();
    invalidateFilter();
}

bool BatchResultsFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    const auto* results = qobject_cast<const BatchResultsModel*>(sourceModel());
    if (results == nullptr) return true;
    const FailedChecks& failed = results->failedOf(sourceRow);
    // A chosen check shows the cases that fail it; "Failing only" alone those that fail any check
    // or whose calculation stopped.
    if (check_ >= 0 && !failed.test(static_cast<std::size_t>(check_))) return false;
    if (failingOnly_ && results->verdictOf(sourceRow) == Verdict::ok) return false;
    if (text_.isEmpty()) return true;
    for (int column = 0; column < results->columnCount(); ++column)
        if (results->index(sourceRow, column).data().toString().contains(text_, Qt::CaseInsensitive)) return true;
    return false;
}

BatchResultsPage::BatchResultsPage(char separator, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("resultsPage"));
    model_ = new BatchResultsModel(separator, this);
    filter_ = new BatchResultsFilter(this);
    filter_->setSourceModel(model_);
    filter_->setSortRole(BatchResultsModel::sortRole);

    failingOnly_ = new QCheckBox(QStringLiteral("Fa&iling only"), this);
    failingOnly_->setObjectName(QStringLiteral("failingOnly"));
    check_ = new QComboBox(this);
    check_->setObjectName(QStringLiteral("checkFilter"));
    check_->addItem(QStringLiteral("Any check"), -1);
    for (std::size_t i = 0; i < checkCount; ++i) check_->addItem(QString::fromUtf8(checkName(i)), static_cast<int>(i));
    auto* checkLabel = new QLabel(QStringLiteral("Failing &check:"), this);
    checkLabel->setBuddy(check_);
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("textFilter"));
    text_->setPlaceholderText(QStringLiteral("Filter by text"));
    text_->setClearButtonEnabled(true);
    export_ = new QPushButton(QStringLiteral("&Export\u2026"), this);
    export_->setObjectName(QStringLiteral("exportTable"));
    export_->setToolTip(QStringLiteral("The rows shown, as TAB-separated text or as a workbook"));
    auto* exportMenu = new QMenu(export_);
    QAction* asText = exportMenu->addAction(QStringLiteral("As TAB-separated &text\u2026"));
    asText->setObjectName(QStringLiteral("exportText"));
    QAction* asWorkbook = exportMenu->addAction(QStringLiteral("As &workbook (.xlsx)\u2026"));
    asWorkbook->setObjectName(QStringLiteral("exportWorkbook"));
    export_->setMenu(exportMenu);
    exportEnvelope_ = new QPushButton(QStringLiteral("Export e&nvelope\u2026"), this);
    exportEnvelope_->setObjectName(QStringLiteral("exportEnvelope"));
    exportEnvelope_->setToolTip(
        QStringLiteral("A row per panel over its load cases, TAB-separated as korvel-batch --envelope writes it"));
    group_ = new QCheckBox(QStringLiteral("&Group by panel"), this);
    group_->setObjectName(QStringLiteral("groupByPanel"));
    group_->setToolTip(
        QStringLiteral("A row per panel (the identification before its \"/\"), its load cases under it"));
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("resultsCount"));

    table_ = new QTableView(this);
    setUpResultsView(*table_, *table_->horizontalHeader(), filter_, QStringLiteral("resultsTable"));
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setToolTip(QStringLiteral("Double-click a case to show it in the main window"));

    // The utilisations stand right after the identification, the rest of the inputs after them:
    // what decides a case is seen without scrolling. The export keeps the file's order.
    const int inputs = batchResultsInputColumns();
    for (int column = inputs; column < model_->columnCount(); ++column)
        table_->horizontalHeader()->moveSection(table_->horizontalHeader()->visualIndex(column), 2 + column - inputs);
    // The group labels ("Buckling", "Scant/Yield") are the same in every row: the view leaves
    // them out, the export keeps them.
    for (int column = inputs; column < model_->columnCount(); ++column)
        if (model_->headerData(column, Qt::Horizontal).toString() == QLatin1String("Buckling") ||
            model_->headerData(column, Qt::Horizontal).toString() == QLatin1String("Scant/Yield"))
            table_->setColumnHidden(column, true);

    panels_ = new BatchPanelModel(separator, this);
    panelFilter_ = new BatchPanelFilter(this);
    panelFilter_->setSourceModel(panels_);
    panelFilter_->setSortRole(BatchPanelModel::sortRole);
    tree_ = new QTreeView(this);
    setUpResultsView(*tree_, *tree_->header(), panelFilter_, QStringLiteral("panelTree"));
    tree_->setUniformRowHeights(true);
    tree_->setAlternatingRowColors(true);
    tree_->setToolTip(QStringLiteral("Expand a panel to see its load cases; double-click a case to show it"));
    tree_->hide();

    auto* filters = new QHBoxLayout;
    filters->addWidget(group_);
    filters->addWidget(failingOnly_);
    filters->addWidget(checkLabel);
    filters->addWidget(check_);
    filters->addWidget(text_, 1);
    filters->addWidget(export_);
    filters->addWidget(exportEnvelope_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(table_, 1);
    layout->addWidget(tree_, 1);
    layout->addWidget(count_);

    connect(failingOnly_, &QCheckBox::toggled, filter_, &BatchResultsFilter::setFailingOnly);
    connect(failingOnly_, &QCheckBox::toggled, panelFilter_, &BatchPanelFilter::setFailingOnly);
    connect(group_, &QCheckBox::toggled, this, &BatchResultsPage::setGrouped);
    connect(check_, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int at) { filter_->setCheck(check_->itemData(at).toInt()); });
    connect(text_, &QLineEdit::textChanged, filter_, &BatchResultsFilter::setText);
    connect(asText, &QAction::triggered, this, [this] { emit exportRequested(ResultsExport::text); });
    connect(asWorkbook, &QAction::triggered, this, [this] { emit exportRequested(ResultsExport::workbook); });
    connect(exportEnvelope_, &QPushButton::clicked, this, [this] { emit exportRequested(ResultsExport::envelope); });
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        const int entry = model_->entryOf(filter_->mapToSource(index).row());
        if (entry >= 0) emit caseChosen(entry);
    });
    // A panel's row opens and closes as ever; a case's row shows the case.
    connect(tree_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        const int entry = panels_->entryOf(panelFilter_->mapToSource(index));
        if (entry >= 0) emit caseChosen(entry);
    });
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(filter_, signal, this, &BatchResultsPage::showCount);
    connect(filter_, &QAbstractItemModel::modelReset, this, &BatchResultsPage::showCount);
    connect(filter_, &QAbstractItemModel::layoutChanged, this, &BatchResultsPage::showCount);
    connect(panelFilter_, &QAbstractItemModel::modelReset, this, &BatchResultsPage::showCount);
    connect(panelFilter_, &QAbstractItemModel::layoutChanged, this, &BatchResultsPage::showCount);
    showCount();
}

void BatchResultsPage::clear() {
    model_->clear();
    panels_->clear();
}

void BatchResultsPage::addCase(int entry, int line, const std::string& project, const std::string& identification,
                               const DesignCase& dc) {
    model_->addCase(entry, line, dc);
    panels_->addCase(entry, project, identification, caseOutcome(dc));
}

void BatchResultsPage::runEnded() {
    panels_->publish();
    fitColumns();
}

void BatchResultsPage::setGrouped(bool grouped) {
    if (group_->isChecked() != grouped) group_->setChecked(grouped);
    // The check and text filters are the flat table's; "Failing only" serves both.
    check_->setEnabled(!grouped);
    text_->setEnabled(!grouped);
    table_->setVisible(!grouped);
    tree_->setVisible(grouped);
    showCount();
}

bool BatchResultsPage::grouped() const {
    return group_->isChecked();
}

void BatchResultsPage::fitColumns() {
    // Measured on the first rows only: a run of ten thousand cases is not measured row by row.
    table_->horizontalHeader()->setResizeContentsPrecision(200);
    table_->resizeColumnsToContents();
    tree_->header()->setResizeContentsPrecision(200);
    for (int column = 0; column < panels_->columnCount(); ++column) tree_->resizeColumnToContents(column);
}

void BatchResultsPage::showCount() {
    // An empty table says how it is filled.
    if (model_->rowCount() == 0) {
        count_->setText(QStringLiteral("Run Save Result to File to fill this table"));
        return;
    }
    if (grouped()) {
        count_->setText(QStringLiteral("%1 of %2 panels shown, %3 cases")
                            .arg(panelFilter_->rowCount())
                            .arg(panels_->panelCount())
                            .arg(panels_->caseCount()));
        return;
    }
    count_->setText(QStringLiteral("%1 of %2 cases shown").arg(filter_->rowCount()).arg(model_->rowCount()));
}

std::string BatchResultsPage::shownText() const {
    TextTable table;
    std::vector<std::string> headings{"Line"};
    headings.insert(headings.end(), model_->headings().begin(), model_->headings().end());
    table.push_back(std::move(headings));
    for (int row = 0; row < filter_->rowCount(); ++row) {
        const int source = filter_->mapToSource(filter_->index(row, 0)).row();
        std::vector<std::string> cells{model_->headerData(source, Qt::Vertical).toString().toStdString()};
        const std::vector<std::string>& values = model_->cellsOf(source);
        cells.insert(cells.end(), values.begin(), values.end());
        table.push_back(std::move(cells));
    }
    return tabSeparated(table);
}

std::string BatchResultsPage::envelopeText() const {
    return panels_->envelopeText();
}

std::optional<std::string> BatchResultsPage::writeWorkbook(const std::string& path,
                                                           const WorkbookProperties& properties) const {
    const std::string text = shownText();
    std::string_view rest = text;
    const std::size_t firstEnd = rest.find('\n');
    const std::vector<std::string> header = tabCells(rest.substr(0, firstEnd));
    rest.remove_prefix(firstEnd == std::string_view::npos ? rest.size() : firstEnd + 1);
    // The utilisations after the line and the inputs; not the failed checks' text at the end.
    std::vector<bool> utilisation(header.size(), false);
    for (std::size_t c = 1 + static_cast<std::size_t>(batchResultsInputColumns()); c + 1 < header.size(); ++c)
        utilisation[c] = true;
    ResultsWorkbook workbook(path, properties, header, utilisation);
    if (!workbook.ok()) return workbook.failure();
    for (std::size_t end = rest.find('\n'); end != std::string_view::npos; end = rest.find('\n')) {
        workbook.addRow(std::string(rest.substr(0, end + 1)));
        rest.remove_prefix(end + 1);
    }
    workbook.setSummary({{"cases shown", std::to_string(filter_->rowCount())},
                         {"cases", std::to_string(model_->rowCount())},
                         {"panels", std::to_string(panels_->panelCount())}});
    workbook.setEnvelope(envelopeHeader(), panels_->envelopeRows());
    return workbook.finish();
}

bool BatchResultsPage::exportShown(FileDialogs& dialogs, UserMessages& messages, const std::string& folder,
                                   ResultsExport what, const WorkbookProperties& properties) {
    FileDialogRequest request{"results.txt", "txt", "*.txt", folder, true, "Export results table"};
    if (what == ResultsExport::workbook)
        request = {"results.xlsx", "xlsx", "*.xlsx", folder, true, "Export results table"};
    if (what == ResultsExport::envelope) request = {"envelope.txt", "txt", "*.txt", folder, true, "Export envelope"};
    const std::optional<FileChoice> choice = dialogs.chooseFileToSave(request);
    if (!choice) return false;
    std::optional<std::string> failure;
    switch (what) {
    case ResultsExport::text:
        failure = replaceFileContent(std::filesystem::path(choice->path), shownText());
        break;
    case ResultsExport::workbook:
        failure = writeWorkbook(choice->path, properties);
        break;
    case ResultsExport::envelope:
        failure = replaceFileContent(std::filesystem::path(choice->path), envelopeText());
        break;
    }
    if (failure) {
        messages.warning(saveFailureMessage(choice->path, *failure));
        return false;
    }
    return true;
}

} // namespace korvel
