#include "ui/batch_window.h"

#include "design/number_format.h"
#include "files/file_replacement.h"
#include "files/table_stamps.h"
#include "ui/batch_report_export.h"
#include "ui/batch_results_page.h"
#include "ui/batch_verdicts.h"
#include "ui/file_dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <unordered_map>
#include <utility>
#include <variant>

namespace korvel {

namespace {

namespace fs = std::filesystem;

// Entries run between two looks at the event queue: small enough that the progress dialog and
// its Cancel button answer at once, large enough that 10001 cases cost no visible overhead.
constexpr int entriesPerChunk = 250;

// Geometry warnings of one case, kept instead of opening a message box for each.
class CaseWarnings final : public WarningSink {
public:
    void warn(const std::string& message, InputBox) override { messages.push_back(message); }
    std::vector<std::string> messages;
};

std::string toStd(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString fromStd(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string joined(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (const std::string& part : parts) {
        if (!text.empty()) text += separator;
        text += part;
    }
    return text;
}

std::string readFailure(const BatchError& error) {
    if (error.notFound) return "can't find file - " + error.file;
    std::string text = "can't read file - " + error.file;
    if (error.line > 0) text += "\nline " + std::to_string(error.line);
    return text + ": " + error.problem;
}

void appendNotes(std::string& text, const char* heading, const std::vector<BatchRunNotes::CaseNote>& notes, int cases,
                 int maxListed) {
    if (notes.empty()) return;
    text += "\n\n" + std::string(heading) + " in " + std::to_string(notes.size()) + " of " + std::to_string(cases) +
            (cases == 1 ? " case:" : " cases:");
    int listed = 0;
    for (const BatchRunNotes::CaseNote& note : notes) {
        if (listed == maxListed) break;
        text +=
            "\n  line " + std::to_string(note.line) + " (" + note.identification + "): " + joined(note.messages, "; ");
        ++listed;
    }
    if (static_cast<int>(notes.size()) > listed)
        text += "\n  ... and " + std::to_string(notes.size() - static_cast<std::size_t>(listed)) + " more";
}

} // namespace

BatchState startupBatchState(StartupBatch startup, const fs::path& programFolder, const fs::path& outputFolder,
                             const std::string& openFolder) {
    BatchState state;
    state.list = std::move(startup.list);
    if (startup.status != StartupBatch::Status::inputMissing &&
        startup.status != StartupBatch::Status::inputUnreadable) {
        state.currentFile = (programFolder / startupBatchInput).string();
        if (!outputFolder.empty()) state.outputFile = (outputFolder / startupBatchOutput).string();
    }
    state.lastFolder = openFolder.empty() ? programFolder.string() : openFolder;
    return state;
}

QStringList batchListItems(const BatchList& list) {
    QStringList items;
    items.reserve(static_cast<int>(list.entries.size()));
    for (const BatchEntry& e : list.entries)
        items.append(QString::fromStdString(e.isCase() ? e.inputs.identification : e.comment));
    return items;
}

std::string batchRunSummary(const BatchRunNotes& notes, const std::string& outputPath, int maxListed) {
    if (notes.warned.empty() && notes.stopped.empty()) return {};
    std::string text = "Results of " + std::to_string(notes.cases) + (notes.cases == 1 ? " case" : " cases") +
                       " written to " + outputPath + ".";
    appendNotes(text, "Warnings", notes.warned, notes.cases, maxListed);
    appendNotes(text, "Calculation stopped", notes.stopped, notes.cases, maxListed);
    return text;
}

std::string batchRunStatus(const BatchRunNotes& notes, int entries, double seconds, char sep) {
    std::string text = std::to_string(entries) + " entries written in " + formatNumber(seconds, "0.00", sep) + " s; " +
                       notes.failed.verdictsText() + "; " + std::to_string(notes.failed.cases) +
                       (notes.failed.cases == 1 ? " case" : " cases") + " with a failed check";
    if (notes.failed.cases > 0) text += " (" + notes.failed.text() + ")";
    return text;
}

BatchWindow::BatchWindow(QWidget* owner, DesignCase& dc, const Catalogue& catalogue, DecimalMode mode,
                         BatchState& state, std::function<void()> caseShown)
    : QMainWindow(owner, owner != nullptr ? Qt::Tool : Qt::Window), dc_(dc), catalogue_(catalogue), mode_(mode),
      state_(state), caseShown_(std::move(caseShown)) {
    setObjectName(QStringLiteral("batchWindow"));
    setWindowTitle(QStringLiteral("Database "));

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    openFileAction_ = file->addAction(QStringLiteral("&Open Database File"), this, &BatchWindow::openDatabaseFile);
    openFileAction_->setObjectName(QStringLiteral("openFileAction"));
    saveResultAction_ = file->addAction(QStringLiteral("&Save Result to File"), this, [this] { saveResults(); });
    saveResultAction_->setObjectName(QStringLiteral("saveResultAction"));
    // The report of every case: ui/batch_report_export.h.
    const auto reportJob = [this] {
        BatchReportJob job;
        job.parent = this;
        job.list = &state_.list;
        job.inputFile = state_.currentFile;
        job.catalogue = &catalogue_;
        job.selection = dc_.analysis;
        job.messages = &messages();
        job.dialogs = &fileDialogs();
        job.separator = mode_ == DecimalMode::comma ? ',' : '.';
        job.status = [this](const std::string& text) { statusBar()->showMessage(QString::fromStdString(text)); };
        return job;
    };
    file->addAction(QStringLiteral("&Import FE stresses\u2026"), this,
                    [this] {
                        FeImportJob job;
                        job.parent = this;
                        job.catalogue = &catalogue_;
                        job.dialogs = &fileDialogs();
                        job.messages = &messages();
                        job.remembered = &state_.feImport;
                        job.folder = state_.lastFolder;
                        job.open = [this](const std::string& path) {
                            return openBatchFile(QString::fromStdString(path));
                        };
                        job.status = [this](const std::string& text) {
                            statusBar()->showMessage(QString::fromStdString(text));
                        };
                        importFeStresses(job);
                    })
        ->setObjectName(QStringLiteral("importFeAction"));
    file->addSeparator();
    file->addAction(QString::fromUtf8(exportAllPdfCaption), this, [reportJob] { exportBatchReportPdf(reportJob()); })
        ->setObjectName(QStringLiteral("exportAllPdfAction"));
    file->addAction(QString::fromUtf8(printAllCaption), this, [reportJob] { printBatchReport(reportJob()); })
        ->setObjectName(QStringLiteral("printAllCasesAction"));

    auto* central = new QWidget(this);
    auto* grid = new QGridLayout;
    auto* label1 = new QLabel(QStringLiteral("Show reults for Stiffener:"), central);
    label1->setObjectName(QStringLiteral("caseListLabel"));
    caseList_ = new QComboBox(central);
    caseList_->setObjectName(QStringLiteral("caseList"));
    // Measuring ten thousand items on every fill would stall the window.
    caseList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    caseList_->setMinimumContentsLength(40);
    caseList_->setMaxVisibleItems(25);
    label1->setBuddy(caseList_);
    connect(caseList_, &QComboBox::activated, this, &BatchWindow::chooseEntry);

    auto* label2 = new QLabel(QStringLiteral("Input file:"), central);
    label2->setObjectName(QStringLiteral("inputFileLabel"));
    inputFileName_ = new QLabel(central);
    inputFileName_->setObjectName(QStringLiteral("inputFileName"));
    auto* label4 = new QLabel(QStringLiteral("Output file:"), central);
    label4->setObjectName(QStringLiteral("outputFileLabel"));
    outputFileName_ = new QLabel(central);
    outputFileName_->setObjectName(QStringLiteral("outputFileName"));
    for (QLabel* path : {inputFileName_, outputFileName_}) {
        path->setTextInteractionFlags(Qt::TextSelectableByMouse);
        path->setWordWrap(true);
    }

    grid->addWidget(label1, 0, 0);
    grid->addWidget(caseList_, 0, 1);
    grid->addWidget(label2, 1, 0);
    grid->addWidget(inputFileName_, 1, 1);
    grid->addWidget(label4, 2, 0);
    grid->addWidget(outputFileName_, 2, 1);
    grid->setColumnStretch(1, 1);

    backButton_ = new QPushButton(QStringLiteral("Back to Program"), central);
    backButton_->setObjectName(QStringLiteral("backButton"));
    connect(backButton_, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(backButton_);

    auto* layout = new QVBoxLayout(central);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);
    addResultsPage(central);
    statusBar();

    restart();
}

BatchWindow::~BatchWindow() = default;

void BatchWindow::setMessages(UserMessages* messages) {
    messages_ = messages;
}

void BatchWindow::setFileDialogs(FileDialogs* dialogs) {
    dialogs_ = dialogs;
}

UserMessages& BatchWindow::messages() {
    if (messages_) return *messages_;
    if (!ownMessages_) ownMessages_ = std::make_unique<MessageBoxMessages>(this);
    return *ownMessages_;
}

FileDialogs& BatchWindow::fileDialogs() {
    if (dialogs_) return *dialogs_;
    if (!ownDialogs_) ownDialogs_ = std::make_unique<QtFileDialogs>(this);
    return *ownDialogs_;
}

void BatchWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && !running_) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void BatchWindow::restart() {
    if (running_) return;
    state_.currentEntry = 0;
    caseList_->clear();
    caseList_->addItem(QStringLiteral(" "));
    caseList_->setCurrentIndex(0);
    // Saving before any file is opened here writes the entries last read: say which file that is.
    inputFileName_->setText(fromStd(state_.currentFile));
}

QString BatchWindow::inputFileText() const {
    return inputFileName_->text();
}

QString BatchWindow::outputFileText() const {
    return outputFileName_->text();
}

void BatchWindow::openDatabaseFile() {
    if (running_) return;
    FileDialogRequest request;
    request.initialName = "*.kori";
    request.defaultExtension = "kori";
    request.filter = "*.kori";
    request.initialFolder =
        state_.lastFolder.empty() ? toStd(QCoreApplication::applicationDirPath()) : state_.lastFolder;
    const std::optional<FileChoice> choice = fileDialogs().chooseFileToOpen(request);
    if (!choice) return;
    openBatchFile(fromStd(choice->path));
}

bool BatchWindow::openBatchFile(const QString& path) {
    if (running_) return false;
    BatchRead read = readBatchFile(toStd(path), mode_, catalogue_);
    if (const auto* error = std::get_if<BatchError>(&read)) {
        messages().warning(readFailure(*error));
        return false;
    }

    if (std::get<BatchList>(read).caseCount() > 0 && !mayReplaceCase()) return false;

    state_.list = std::move(std::get<BatchList>(read));
    state_.currentFile = toStd(path);
    state_.outputFile.clear();
    state_.lastFolder = folderOf(state_.currentFile);
    fillList();

    // The first case (comment lines skipped) is shown at once; a file of comments only has none.
    const int first = state_.list.caseIndex(1);
    state_.currentEntry = first >= 0 ? first : 0;
    if (first >= 0) runOneCase(first);

    if (caseList_->count() > 0) caseList_->setCurrentIndex(state_.currentEntry);
    caseList_->setEnabled(true);
    inputFileName_->setText(path);
    // Nothing of this file has been written yet: no output file is named, no results are listed.
    outputFileName_->clear();
    resultsPage_->clear();
    statusBar()->showMessage(
        tr("%1 cases, %2 comment lines").arg(state_.list.caseCount()).arg(state_.list.commentCount()));
    return true;
}

void BatchWindow::fillList() {
    caseList_->clear();
    caseList_->addItems(batchListItems(state_.list));
    markCommentLines();
    showBatchVerdicts(caseList_, state_.list, catalogue_);
}

void BatchWindow::chooseEntry(int index) {
    if (running_ || index < 0) return;
    const bool isCase = index < static_cast<int>(state_.list.entries.size()) &&
                        state_.list.entries[static_cast<std::size_t>(index)].isCase();
    if (isCase && !mayReplaceCase()) {
        // The case on the screen stays, and the list names it again.
        const QSignalBlocker quiet(caseList_);
        if (state_.currentEntry < caseList_->count()) caseList_->setCurrentIndex(state_.currentEntry);
        return;
    }
    state_.currentEntry = index;
    if (isCase) runOneCase(index);
}

bool BatchWindow::mayReplaceCase() {
    return !mayReplaceCase_ || mayReplaceCase_();
}

void BatchWindow::runOneCase(int index) {
    const BatchEntry& entry = state_.list.entries[static_cast<std::size_t>(index)];
    CaseWarnings warnings;
    runBatchCase(entry, dc_, catalogue_, warnings);
    if (caseShown_) caseShown_();
    // The geometry warnings of one case come together, after the main window shows the case.
    if (!warnings.messages.empty()) messages().warning(joined(warnings.messages, "\n"));
}

bool BatchWindow::saveResults() {
    if (running_) return false;
    if (state_.currentFile.empty()) {
        messages().warning("No batch file has been read: choose Open Database File first.");
        return false;
    }
    const std::string output = state_.outputFile.empty() ? batchOutputPath(state_.currentFile) : state_.outputFile;
    if (sameFile(state_.currentFile, output)) {
        messages().warning("can't save file - " + output + ": it is the batch file itself");
        return false;
    }
    // The run leaves the file's last case on the screen.
    if (state_.list.caseCount() > 0 && !mayReplaceCase()) return false;
    running_ = true;
    const BatchList& list = state_.list;
    const int total = static_cast<int>(list.entries.size());
    const DesignCase before = dc_;

    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QProgressDialog> progress;
    if (total > entriesPerChunk) {
        progress = std::make_unique<QProgressDialog>(tr("Writing the results of %1 entries ...").arg(total),
                                                     tr("Cancel"), 0, total, this);
        progress->setWindowTitle(windowTitle());
        // Nothing may change the design case or the list while the run owns them.
        progress->setWindowModality(Qt::ApplicationModal);
        progress->setMinimumDuration(500);
        progress->setAutoClose(false);
        progress->setAutoReset(false);
    }

    BatchRunNotes notes;
    CaseWarnings warnings;
    bool cancelled = false;
    BatchHooks hooks;
    hooks.beforeCase = [&](const BatchEntry&) { warnings.messages.clear(); };
    const std::function<void(const BatchEntry&, const DesignCase&)> tableRow = resultsTableFiller();
    hooks.afterCase = [&](const BatchEntry& entry, const DesignCase& dc) {
        tableRow(entry, dc);
        ++notes.cases;
        notes.failed.add(dc.fault.stopped(), failedChecks(dc));
        if (!warnings.messages.empty())
            notes.warned.push_back({entry.line, entry.inputs.identification, std::move(warnings.messages)});
        if (dc.fault.stopped())
            notes.stopped.push_back({entry.line, entry.inputs.identification, {dc.fault.message()}});
    };
    // The event queue is looked at between chunks of entries, never after the last one.
    hooks.progress = [&](int done, int all) {
        if (!progress || done % entriesPerChunk != 0 || done == all) return;
        progress->setValue(done);
        QCoreApplication::processEvents();
        cancelled = progress->wasCanceled();
    };
    hooks.cancelled = [&] { return cancelled; };

    const BatchWritten written = writeBatchResults(output, list, dc_, catalogue_, warnings, hooks);
    if (progress) progress->setValue(total);
    progress.reset();

    if (std::holds_alternative<BatchCancelled>(written)) {
        // A cancelled run writes nothing and leaves the case the user was looking at.
        dc_ = before;
        running_ = false;
        resultsPage_->runEnded();
        if (caseShown_) caseShown_();
        statusBar()->showMessage(tr("Cancelled: no results written"));
        return false;
    }

    const double seconds = static_cast<double>(clock.elapsed()) / 1000.0;
    running_ = false;
    resultsPage_->runEnded();
    showLastCaseInList();
    if (caseShown_) caseShown_();
    if (const auto* failure = std::get_if<std::string>(&written)) {
        messages().warning(*failure);
        return false;
    }
    outputFileName_->setText(fromStd(output));
    // What the main window shows comes first: the counts that follow may run past the window's edge.
    std::string status = batchRunStatus(notes, total, seconds, mode_ == DecimalMode::comma ? ',' : '.');
    if (list.caseCount() > 0)
        status = "Done: the main window shows case " + std::to_string(list.caseCount()) + "; " + status;
    statusBar()->showMessage(QString::fromStdString(status));
    const std::string summary = batchRunSummary(notes, output);
    if (!summary.empty()) messages().warning(summary);
    return true;
}

void BatchWindow::markCommentLines() {
    // Comment lines are read, not chosen: greyed, and passed over by the keys and the mouse.
    auto* items = qobject_cast<QStandardItemModel*>(caseList_->model());
    if (items == nullptr) return;
    const int count = std::min(items->rowCount(), static_cast<int>(state_.list.entries.size()));
    for (int i = 0; i < count; ++i)
        if (!state_.list.entries[static_cast<std::size_t>(i)].isCase())
            if (QStandardItem* item = items->item(i))
                item->setFlags(item->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEnabled));
}

void BatchWindow::showLastCaseInList() {
    // After a results run the design case holds the file's last case: the list names it too.
    const int last = state_.list.caseIndex(state_.list.caseCount());
    state_.currentEntry = last >= 0 ? last : 0;
    if (last >= 0 && last < caseList_->count()) caseList_->setCurrentIndex(last);
}

void BatchWindow::addResultsPage(QWidget* casesPage) {
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("batchTabs"));
    tabs->addTab(casesPage, QStringLiteral("C&ases"));
    resultsPage_ = new BatchResultsPage(mode_ == DecimalMode::comma ? ',' : '.', tabs);
    tabs->addTab(resultsPage_, QStringLiteral("&Results table"));
    setCentralWidget(tabs);
    // The table wants room: a window still at its small first size grows when the page is shown.
    connect(tabs, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == 1 && height() < 400) resize(std::max(width(), 900), 520);
    });
    connect(resultsPage_, &BatchResultsPage::caseChosen, this, [this](int entry) {
        if (entry < 0 || entry >= caseList_->count()) return;
        caseList_->setCurrentIndex(entry);
        chooseEntry(entry);
    });
    connect(resultsPage_, &BatchResultsPage::exportRequested, this, [this](ResultsExport what) {
        WorkbookProperties properties;
        if (what == ResultsExport::workbook) {
            // As korvel-batch --format xlsx names its workbook; the tables were loaded from the
            // program folder at start-up.
            const std::int64_t now = QDateTime::currentSecsSinceEpoch();
            const Provenance provenance =
                makeProvenance(std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String()), now);
            properties.title = "KORVEL results of " + std::filesystem::path(state_.currentFile).filename().string();
            properties.version = provenance.version;
            for (const TableStamp& t : provenance.tables)
                properties.tables += (properties.tables.empty() ? "" : ", ") + t.file + " " + t.checksum;
            properties.dateTime = provenance.dateTime;
            properties.created = now;
        }
        resultsPage_->exportShown(fileDialogs(), messages(), state_.lastFolder, what, properties);
    });
}

std::function<void(const BatchEntry&, const DesignCase&)> BatchWindow::resultsTableFiller() {
    // Each case's row goes into the table as soon as it is calculated; the table shows the rows
    // whenever the run looks at the event queue.
    resultsPage_->clear();
    auto entryOfLine = std::make_shared<std::unordered_map<int, int>>();
    for (std::size_t i = 0; i < state_.list.entries.size(); ++i)
        (*entryOfLine)[state_.list.entries[i].line] = static_cast<int>(i);
    return [this, entryOfLine](const BatchEntry& entry, const DesignCase& dc) {
        const auto found = entryOfLine->find(entry.line);
        resultsPage_->addCase(found != entryOfLine->end() ? found->second : -1, entry.line, entry.inputs.projectName,
                              entry.inputs.identification, dc);
    };
}

void placeBeside(QWidget* window, const QWidget* owner) {
    if (owner == nullptr || owner->screen() == nullptr) return;
    // Right of the main window, or left of it where there is more room, narrowed to the room
    // when that still shows its controls; level with its top. Never a screen corner far from the
    // work, and over the main window only when the screen has no room beside it.
    const QRect free = owner->screen()->availableGeometry();
    const QRect main = owner->frameGeometry();
    const int right = free.right() - main.right();
    const int left = main.left() - free.left();
    const int least = window->minimumSizeHint().width();
    int width = window->width();
    if (std::max(right, left) < width) width = std::max(least, std::max(right, left));
    window->resize(width, window->height());
    int x = right >= left ? main.right() + 1 : main.left() - width;
    x = std::clamp(x, free.left(), std::max(free.left(), free.right() + 1 - width));
    const int y = std::clamp(main.top(), free.top(), std::max(free.top(), free.bottom() + 1 - window->height()));
    window->move(x, y);
}

BatchWindow* openBatchWindow(QWidget* owner, DesignCase& dc, const Catalogue& catalogue, DecimalMode mode,
                             BatchState& state, std::function<void()> caseShown) {
    BatchWindow* window =
        owner ? owner->findChild<BatchWindow*>(QStringLiteral("batchWindow"), Qt::FindDirectChildrenOnly) : nullptr;
    if (!window) {
        window = new BatchWindow(owner, dc, catalogue, mode, state, std::move(caseShown));
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->resize(620, 200);
        placeBeside(window, owner);
    } else {
        window->restart();
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace korvel
