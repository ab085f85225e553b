#include "ui/batch_results_page.h"

#include "design/decimal_text.h"
#include "design/tab_cells.h"
#include "files/batch_results_table.h"
#include "files/file_commands.h"
#include "files/file_replacement.h"
#include "report/tab_separated.h"
#include "ui/message_warnings.h"
#include "ui/verdict_colours.h"

#include <QBrush>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>

namespace korvel {

namespace {

// The number a cell holds in full ("0.43", "-100", "2.06E+5"); NaN for any other text.
double cellNumber(const std::string& cell) {
    if (cell.empty()) return std::numeric_limits<double>::quiet_NaN();
    char* end = nullptr;
    const double value = std::strtod(cell.c_str(), &end);
    return end != nullptr && *end == '\0' ? value : std::numeric_limits<double>::quiet_NaN();
}

constexpr Rgb darkGreen{0, 128, 0};
constexpr Rgb darkRed{128, 0, 0};

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
    const double number = row.numbers[column];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        // What the engineer reads follows the locale; the file keeps the period.
        return QString::fromStdString(withDecimalSeparator(row.cells[column], separator_));
    case sortRole:
        if (!std::isnan(number)) return number;
        return QString::fromStdString(row.cells[column]);
    case Qt::ForegroundRole:
        if (isResultColumn(index.column()) && !std::isnan(number) && number >= 0)
            return QBrush(verdictColour(number > 1 ? darkRed : darkGreen));
        return {};
    case Qt::BackgroundRole:
        // The identification of a failing case stands out whatever column is sorted.
        if (index.column() == 1 && row.verdict != Verdict::ok) return QBrush(failingGround());
        return {};
    case Qt::TextAlignmentRole:
        if (!std::isnan(number)) return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        return {};
    default:
        return {};
    }
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
    export_->setToolTip(QStringLiteral("The rows shown, as TAB-separated text"));
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("resultsCount"));

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("resultsTable"));
    table_->setModel(filter_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(-1, Qt::AscendingOrder); // file order until a heading is clicked
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table_->horizontalHeader()->setDefaultSectionSize(70);
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

    auto* filters = new QHBoxLayout;
    filters->addWidget(failingOnly_);
    filters->addWidget(checkLabel);
    filters->addWidget(check_);
    filters->addWidget(text_, 1);
    filters->addWidget(export_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(table_, 1);
    layout->addWidget(count_);

    connect(failingOnly_, &QCheckBox::toggled, filter_, &BatchResultsFilter::setFailingOnly);
    connect(check_, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int at) { filter_->setCheck(check_->itemData(at).toInt()); });
    connect(text_, &QLineEdit::textChanged, filter_, &BatchResultsFilter::setText);
    connect(export_, &QPushButton::clicked, this, &BatchResultsPage::exportRequested);
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        const int entry = model_->entryOf(filter_->mapToSource(index).row());
        if (entry >= 0) emit caseChosen(entry);
    });
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(filter_, signal, this, &BatchResultsPage::showCount);
    connect(filter_, &QAbstractItemModel::modelReset, this, &BatchResultsPage::showCount);
    connect(filter_, &QAbstractItemModel::layoutChanged, this, &BatchResultsPage::showCount);
    showCount();
}

void BatchResultsPage::fitColumns() {
    // Measured on the first rows only: a run of ten thousand cases is not measured row by row.
    table_->horizontalHeader()->setResizeContentsPrecision(200);
    table_->resizeColumnsToContents();
}

void BatchResultsPage::showCount() {
    // An empty table says how it is filled.
    if (model_->rowCount() == 0) {
        count_->setText(QStringLiteral("Run Save Result to File to fill this table"));
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

bool BatchResultsPage::exportShown(FileDialogs& dialogs, UserMessages& messages, const std::string& folder) {
    FileDialogRequest request{"results.txt", "txt", "*.txt", folder, true, "Export results table"};
    const std::optional<FileChoice> choice = dialogs.chooseFileToSave(request);
    if (!choice) return false;
    if (const auto failure = replaceFileContent(std::filesystem::path(choice->path), shownText())) {
        messages.warning(saveFailureMessage(choice->path, *failure));
        return false;
    }
    return true;
}

} // namespace korvel
