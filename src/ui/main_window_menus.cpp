// The working window's menus: File (with the recent files and the print commands), Profile (also
// the right-click menu), Database, Print and Help, and what their entries do.

#include "files/project_file.h"
#include "sections/profile_types.h"
#include "ui/about_window.h"
#include "ui/batch_window.h"
#include "ui/documents.h"
#include "ui/help_window.h"
#include "ui/input_panel.h"
#include "ui/line_input.h"
#include "ui/main_window.h"
#include "ui/profile_dialog.h"
#include "ui/report_printer.h"
#include "ui/studies_window.h"

#include <QAbstractPrintDialog>
#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QShortcut>
#include <QUrl>

#include <filesystem>

namespace korvel {

namespace {

constexpr const char* exportPdfMenuCaption = "&Export PDF\u2026";

QAction* addEntry(QMenu* menu, const char* name, const char* caption) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QMenu* addSubmenu(QWidget* parent, QMenu* into, const char* name, const char* caption) {
    auto* menu = new QMenu(QString::fromUtf8(caption), parent);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Action"));
    into->addMenu(menu);
    return menu;
}

// A path in a menu caption: "&" would mark an access key.
QString menuText(const std::string& text) {
    return QString::fromStdString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// The access keys of the stiffener types that have none of their own, or whose own another entry
// has (T-table and Trapez-profile), one letter each that no other entry of the submenu uses.
QString stiffenerMenuCaption(const char* name, const char* caption) {
    static const std::pair<const char*, const char*> keyed[] = {{"mnustifflb", "L-b&uilt-up"},
                                                                {"mnustifftb", "T-built-u&p"},
                                                                {"mnustifffb", "Fl&atbar-built-up"},
                                                                {"mnustiffib", "&I-built-up"},
                                                                {"mnustiffusp", "Trape&z-profile"}};
    QString given = QString::fromUtf8(caption);
    for (const auto& [entry, text] : keyed) {
        QString withKey = QString::fromUtf8(text);
        if (qstrcmp(entry, name) == 0 &&
            QString(withKey).remove(QLatin1Char('&')) == QString(given).remove(QLatin1Char('&')))
            return withKey;
    }
    return given;
}

} // namespace

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();

    auto* file = new QMenu(QStringLiteral("&File"), this);
    file->setObjectName(QStringLiteral("fileMenu"));
    bar->addMenu(file);
    connect(addEntry(file, "newAction", "&New"), &QAction::triggered, this, &MainWindow::newFile);
    connect(addEntry(file, "openAction", "&Open"), &QAction::triggered, this, &MainWindow::openFile);
    connect(addEntry(file, "saveAction", "&Save"), &QAction::triggered, this, &MainWindow::saveFile);
    connect(addEntry(file, "saveAsAction", "Save &As"), &QAction::triggered, this, &MainWindow::saveFileAs);
    file->findChild<QAction*>(QStringLiteral("newAction"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    file->findChild<QAction*>(QStringLiteral("openAction"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    file->findChild<QAction*>(QStringLiteral("saveAction"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    file->findChild<QAction*>(QStringLiteral("saveAsAction"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));

    QMenu* filePrint = addSubmenu(this, file, "filePrintMenu", "&Print");
    printItems_ = {addEntry(filePrint, "printBucklingAction", "&Buckling "),
                   addEntry(filePrint, "printScantlingYieldAction", "&Scantling/Yield"),
                   addEntry(filePrint, "printAllChecksAction", "Buckling/Scantling/&Yield")};
    for (int selection = 1; selection <= 3; ++selection)
        connect(printItems_[static_cast<std::size_t>(selection - 1)], &QAction::triggered, this,
                [this, selection] { printReport(selection); });
    filePrint->addSeparator();
    QAction* previewAction = addEntry(filePrint, "printPreviewAction", "Print Pre&view\u2026");
    connect(previewAction, &QAction::triggered, this, &MainWindow::printPreview);
    QAction* exportPdfAction = addEntry(filePrint, "exportPdfAction", exportPdfMenuCaption);
    exportPdfAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(exportPdfAction, &QAction::triggered, this, &MainWindow::exportPdf);

    // The recent-file group: a separator (item 0) and items 1 to 4, hidden until filled.
    recentSeparator_ = file->addSeparator();
    recentSeparator_->setObjectName(QStringLiteral("recentFilesSeparator"));
    recentSeparator_->setVisible(false);
    for (int n = 1; n <= 4; ++n) {
        QAction* item = file->addAction(QString());
        item->setObjectName(QStringLiteral("recentFile%1").arg(n));
        item->setVisible(false);
        connect(item, &QAction::triggered, this, [this, n] { openRecentFile(n); });
        recentItems_[static_cast<std::size_t>(n - 1)] = item;
    }
    file->addSeparator();
    QAction* exitAction = addEntry(file, "exitAction", "&Exit");
    exitAction->setShortcut(QKeySequence::Quit);
    connect(exitAction, &QAction::triggered, this, &QWidget::close);

    profileMenu_ = new QMenu(QStringLiteral("&Profile"), this);
    profileMenu_->setObjectName(QStringLiteral("profileMenu"));
    bar->addMenu(profileMenu_);
    QMenu* stiff = addSubmenu(this, profileMenu_, "stiffenerMenu", "&Stiffener profile");
    for (int type = 0; type < stiffenerTypeCount; ++type) {
        const StiffenerTypeFacts& facts = *stiffenerTypeFacts(type);
        QAction* entry = addEntry(stiff, facts.menuName, facts.menuCaption);
        entry->setText(stiffenerMenuCaption(facts.menuName, facts.menuCaption));
        connect(entry, &QAction::triggered, this, [this, type] { openStiffenerDialog(type); });
    }
    QMenu* girder = addSubmenu(this, profileMenu_, "girderMenu", "&Girder profile");
    for (const GirderTypeFacts& facts : girderTypeRows()) {
        const int type = facts.code;
        connect(addEntry(girder, facts.menuName, facts.menuCaption), &QAction::triggered, this,
                [this, type] { openGirderDialog(type); });
    }

    auto* database = new QMenu(QStringLiteral("&Database"), this);
    database->setObjectName(QStringLiteral("databaseMenu"));
    bar->addMenu(database);
    connect(addEntry(database, "openDatabaseAction", "&Open Database"), &QAction::triggered, this,
            &MainWindow::openBatchWindow);

    auto* print = new QMenu(QStringLiteral("P&rint"), this);
    print->setObjectName(QStringLiteral("printMenu"));
    bar->addMenu(print);
    connect(addEntry(print, "printMenuBucklingAction", "&Buckling "), &QAction::triggered, this,
            [this] { printReport(1); });
    connect(addEntry(print, "printMenuScantlingYieldAction", "&Scantling/Yield "), &QAction::triggered, this,
            [this] { printReport(2); });
    connect(addEntry(print, "printMenuAllChecksAction", "Buckling/Scantling/&Yield"), &QAction::triggered, this,
            [this] { printReport(3); });
    // The ways round paper are found where printing is looked for, too.
    print->addSeparator();
    print->addAction(previewAction);
    print->addAction(exportPdfAction);

    addStudiesMenu(bar, [this](int page) { openStudiesWindow(page); });

    auto* help = new QMenu(QStringLiteral("&Help"), this);
    help->setObjectName(QStringLiteral("helpMenu"));
    bar->addMenu(help);
    QAction* contents = addEntry(help, "helpContentsAction", "&Contents");
    contents->setShortcut(QKeySequence(Qt::Key_F1));
    connect(contents, &QAction::triggered, this, [this] { openHelp(false); });
    connect(addEntry(help, "helpSearchAction", "&Search for Help On . . . "), &QAction::triggered, this,
            [this] { openHelp(true); });
    help->addSeparator();
    connect(addEntry(help, "updateInformationAction", "&Update Information"), &QAction::triggered, this,
            [this] { openDocument(QStringLiteral("KORVEL Update Information.pdf")); });
    connect(addEntry(help, "theoryManualAction", "&Theory Manual"), &QAction::triggered, this,
            [this] { openDocument(QStringLiteral("KORVEL Theory Manual.pdf")); });
    connect(addEntry(help, "databaseFileAction", "&Database File"), &QAction::triggered, this,
            [this] { openDocument(QStringLiteral("KORVEL Database File.pdf")); });
    help->addSeparator();
    connect(addEntry(help, "aboutAction", "&About KORVP"), &QAction::triggered, this, &MainWindow::openAboutWindow);

    // F10 opens the menu bar at its first menu, as on the other desktops.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this, [bar] {
        if (!bar->actions().isEmpty()) bar->setActiveAction(bar->actions().first());
    });
    showPrintShortcut();
}

void MainWindow::showPrintShortcut() {
    // Ctrl+P prints the report of the analysis the list shows: it sits on that Print entry.
    for (std::size_t i = 0; i < printItems_.size(); ++i) {
        if (printItems_[i] == nullptr) continue;
        const bool current = static_cast<int>(i) + 1 == ctx_.dc.analysis;
        printItems_[i]->setShortcut(current ? QKeySequence(Qt::CTRL | Qt::Key_P) : QKeySequence());
    }
}

void MainWindow::showRecentMenu() {
    const RecentMenu& recent = ctx_.files.recent;
    recentSeparator_->setVisible(recent.separatorVisible);
    for (std::size_t i = 0; i < recentItems_.size(); ++i) {
        // "&1. path": the number is the entry's access key.
        const QString caption = menuText(recent.captions[i]);
        recentItems_[i]->setText(caption.isEmpty() ? caption : QStringLiteral("&") + caption);
        recentItems_[i]->setVisible(recent.visible[i]);
    }
}

FileContext MainWindow::fileContext() {
    return FileContext{ctx_.dc, ctx_.catalogue, warnings_, services_.settings, services_.dialogs, ctx_.files};
}

void MainWindow::finishFileCommand(const FileCommandOutcome& outcome) {
    if (outcome.caseLoaded) {
        // Another case: its warnings are new to the engineer, and a survey's thicknesses belong
        // to the structure it gauged, not to this one.
        shownWarnings_.clear();
        clearGauging();
        closeProfileDialogs();
        refreshWindow();
    }
    // Opened, saved or new: the case is the one its caption names.
    if (outcome.status == FileCommandOutcome::Status::done) markSaved();
    updateCaption();
    showRecentMenu();
    if (outcome.status == FileCommandOutcome::Status::failed) warn(outcome.message);
    if (!outcome.warning.empty()) warn(outcome.warning);
    // The warnings of the calculation that followed a load.
    showWarnings();
}

void MainWindow::newFile() {
    if (!saveChangesFirst()) return;
    FileContext fc = fileContext();
    finishFileCommand(korvel::newFile(fc));
}

void MainWindow::openFile() {
    if (!saveChangesFirst()) return;
    FileContext fc = fileContext();
    finishFileCommand(korvel::openFile(fc));
}

void MainWindow::openProjectPath(const QString& path) {
    FileContext fc = fileContext();
    finishFileCommand(korvel::openChosenFile(fc, {QFileInfo(path).absoluteFilePath().toStdString(), {}}));
}

void MainWindow::openRecentFile(int n) {
    if (!saveChangesFirst()) return;
    FileContext fc = fileContext();
    finishFileCommand(korvel::openRecentFile(fc, n));
}

void MainWindow::saveFile() {
    commitPendingEdit();
    // The identification as typed, whether or not its box was left.
    ctx_.dc.projectName = inputs_->projectBox()->text().toStdString();
    ctx_.dc.identification = inputs_->identBox()->text().toStdString();
    FileContext fc = fileContext();
    finishFileCommand(korvel::saveFile(fc));
}

void MainWindow::saveFileAs() {
    commitPendingEdit();
    ctx_.dc.projectName = inputs_->projectBox()->text().toStdString();
    ctx_.dc.identification = inputs_->identBox()->text().toStdString();
    FileContext fc = fileContext();
    finishFileCommand(korvel::saveFileAs(fc));
}

void MainWindow::printReport(int selection) {
    commitPendingEdit();
    // The window shows the analysis that is printed; a changed selection is calculated as its
    // option button would.
    const bool changed = ctx_.dc.analysis != selection;
    ctx_.dc.analysis = selection;
    refreshWindow();
    if (changed) recalculate();
    ctx_.dc.printSelection = selection;
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        if (services_.messages.offer(noPrinterMessage, exportPdfCaption)) exportPdf();
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!choosePrinter(this, printer)) return;
    // The dialog leaves the chosen number of copies on the printer.
    printOn(printer, printer.copyCount() > 0 ? printer.copyCount() : 1);
}

bool MainWindow::printOn(QPrinter& printer, int copies) {
    const int printed = printReportCopies(printer, copies, ctx_.dc, ctx_.catalogue, currentReportTime(), separator());
    if (printed >= copies) return true;
    const std::string printerName = printer.printerName().isEmpty()
                                        ? std::string("the printer")
                                        : "the printer \"" + printer.printerName().toStdString() + "\"";
    if (printed == 0)
        warn("The print job could not be started on " + printerName + "; nothing was printed.");
    else
        warn("The print job on " + printerName + " stopped after " + std::to_string(printed) + " of " +
             std::to_string(copies) + " copies.");
    return false;
}

void MainWindow::printPreview() {
    commitPendingEdit();
    // The page of the analysis shown, as the printer would print it; its Print button prints it.
    ctx_.dc.printSelection = ctx_.dc.analysis;
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("Print Preview"));
    const ReportTime time = currentReportTime();
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this, time](QPrinter* target) { paintReport(*target, ctx_.dc, ctx_.catalogue, time, separator()); });
    preview.exec();
}

void MainWindow::exportPdf() {
    commitPendingEdit();
    ctx_.dc.printSelection = ctx_.dc.analysis;
    const std::string current = ctx_.dc.fileName == newFileMarker ? std::string("KORVEL") : ctx_.dc.fileName;
    const std::string proposal = std::filesystem::path(current).replace_extension("pdf").filename().string();
    FileDialogRequest request{proposal, "pdf", "*.pdf", ctx_.files.workingFolder, true, "Export PDF"};
    const std::optional<FileChoice> choice = services_.dialogs.chooseFileToSave(request);
    if (!choice) return;
    QString error;
    if (!writeReportPdf(QString::fromStdString(choice->path), ctx_.dc, ctx_.catalogue, currentReportTime(), &error,
                        separator()))
        warn(error.isEmpty() ? "can't save file - " + choice->path : error.toStdString());
}

ProfileDialogContext MainWindow::profileDialogContext() {
    // A dialog has already calculated when it reports a change: the window only shows it.
    return ProfileDialogContext{ctx_.dc, ctx_.catalogue, ctx_.decimalMode, &services_.messages,
                                [this] { showCalculation(); }};
}

void MainWindow::openStiffenerDialog(int stiffenerType) {
    if (!isStiffenerType(stiffenerType)) return;
    // The type's own table row or remembered dimensions become the working profile.
    ctx_.dc.stiffenerType = stiffenerType;
    recalculate();
    korvel::openStiffenerDialog(this, profileDialogContext(), stiffenerType);
}

void MainWindow::openGirderDialog(int girderType) {
    if (!isGirderType(girderType)) return;
    ctx_.dc.girderType = girderType;
    recalculate();
    korvel::openGirderDialog(this, profileDialogContext(), girderType);
}

void MainWindow::closeProfileDialogs() {
    korvel::closeProfileDialogs(this);
}

void MainWindow::openBatchWindow() {
    // The batch window starts from the entries of the start-up run on "dummy.kori".
    if (!batchState_)
        batchState_ = std::make_unique<BatchState>(
            startupBatchState(ctx_.startupBatch, ctx_.programFolder, ctx_.outputFolder, ctx_.files.workingFolder));
    BatchWindow* batch = korvel::openBatchWindow(this, ctx_.dc, ctx_.catalogue, ctx_.decimalMode, *batchState_, [this] {
        // A case of the batch file belongs to no project file: Save asks for a name rather than
        // writing it over the project opened before.
        ctx_.dc.fileName = newFileMarker;
        markSaved();
        closeProfileDialogs();
        refreshWindow();
        updateCaption();
    });
    // A batch case takes the place of the case on the screen: unsaved edits are asked about first.
    if (batch != nullptr) batch->setCaseGuard([this] { return saveChangesFirst(); });
}

void MainWindow::openAboutWindow() {
    showAboutWindow(this);
}

void MainWindow::openHelp(bool searchPage) {
    showHelp(this, QString::fromStdString(ctx_.programFolder.string()),
             searchPage ? HelpPage::search : HelpPage::contents);
}

void MainWindow::openDocument(const QString& fileName) {
    const QString path = documentPath(QString::fromStdString(ctx_.programFolder.string()), fileName);
    const QString problem = openDocumentWith(path, [](const QUrl& url) { return QDesktopServices::openUrl(url); });
    if (!problem.isEmpty()) warn(problem.toStdString());
}

} // namespace korvel
