// Screenshots of the main window, its margin line and the studies window's four pages, drawn
// offscreen for docs/: korvel_studies_screenshots PROGRAM_FOLDER OUT_FOLDER [WIDTH HEIGHT].
// Without a size the windows keep their default sizes. With KORVEL_DARK set, the Fusion style
// with a dark palette (a dark desktop such as Adwaita:dark); the scale follows QT_SCALE_FACTOR.

#include "ui/app_context.h"
#include "ui/batch_window.h"
#include "ui/main_window.h"
#include "ui/qt_settings_store.h"
#include "ui/studies_capacity_page.h"
#include "ui/studies_corrosion_page.h"
#include "ui/studies_lightest_page.h"
#include "ui/studies_sweep_page.h"
#include "ui/studies_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPalette>
#include <QRadioButton>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

namespace {

class QuietMessages final : public korvel::UserMessages {
public:
    void warning(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

class NoDialogs final : public korvel::FileDialogs {
public:
    std::optional<korvel::FileChoice> chooseFileToOpen(const korvel::FileDialogRequest&) override { return {}; }
    std::optional<korvel::FileChoice> chooseFileToSave(const korvel::FileDialogRequest&) override { return {}; }
};

void settle(korvel::StudiesWindow* w) {
    QElapsedTimer clock;
    clock.start();
    while ((w->following() || w->currentPage()->busy()) && clock.elapsed() < 60000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!qEnvironmentVariableIsEmpty("KORVEL_DARK")) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(53, 53, 53));
        dark.setColor(QPalette::WindowText, QColor(238, 238, 236));
        dark.setColor(QPalette::Base, QColor(36, 36, 36));
        dark.setColor(QPalette::AlternateBase, QColor(45, 45, 45));
        dark.setColor(QPalette::Text, QColor(238, 238, 236));
        dark.setColor(QPalette::Button, QColor(60, 60, 60));
        dark.setColor(QPalette::ButtonText, QColor(238, 238, 236));
        dark.setColor(QPalette::Highlight, QColor(21, 83, 158));
        dark.setColor(QPalette::HighlightedText, Qt::white);
        dark.setColor(QPalette::ToolTipBase, QColor(53, 53, 53));
        dark.setColor(QPalette::ToolTipText, QColor(238, 238, 236));
        dark.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
        QApplication::setPalette(dark);
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: korvel_studies_screenshots PROGRAM_FOLDER OUT_FOLDER [WIDTH HEIGHT]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    const int width = argc > 4 ? std::atoi(argv[3]) : 0;
    const int height = argc > 4 ? std::atoi(argv[4]) : 0;

    korvel::AppContext ctx;
    if (korvel::prepareStart(ctx, argv[1])) {
        std::fprintf(stderr, "the tables cannot be loaded from %s\n", argv[1]);
        return 1;
    }
    QTemporaryDir settingsFolder;
    korvel::QtSettingsStore settings(settingsFolder.filePath(QStringLiteral("settings.ini")));
    QuietMessages messages;
    NoDialogs dialogs;
    korvel::MainWindow window(ctx, korvel::WindowServices{messages, settings, dialogs});
    window.start();
    if (width > 0) window.resize(width, height);
    window.show();
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    // The whole list of checks: Buckling / Scantling / Yield.
    if (auto* all = window.findChild<QRadioButton*>(QStringLiteral("allChecksOption"))) all->click();
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    window.grab().save(out + QStringLiteral("/main-window.png"));
    // The margin line with the results list under it.
    QWidget* result = window.findChild<QWidget*>(QStringLiteral("resultsPanel"));
    (result != nullptr ? result->grab() : window.grab()).save(out + QStringLiteral("/margin-line.png"));

    // The batch window beside it, on the start-up file, before and after Save Result to File.
    const QString cases = settingsFolder.filePath(QStringLiteral("cases.kori"));
    QFile::copy(QString::fromLocal8Bit(argv[1]) + QStringLiteral("/dummy.kori"), cases);
    window.openBatchWindow();
    if (auto* batch = window.findChild<korvel::BatchWindow*>()) {
        batch->setMessages(&messages);
        batch->setFileDialogs(&dialogs);
        batch->openBatchFile(cases);
        auto* tabs = batch->findChild<QTabWidget*>(QStringLiteral("batchTabs"));
        if (tabs != nullptr) tabs->setCurrentIndex(1);
        for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
        batch->grab().save(out + QStringLiteral("/batch-results-empty.png"));
        batch->saveResults();
        for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
        batch->grab().save(out + QStringLiteral("/batch-results-table.png"));
        if (tabs != nullptr) tabs->setCurrentIndex(0);
        for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
        batch->grab().save(out + QStringLiteral("/batch-window.png"));
        batch->close();
    }

    window.openStudiesWindow(korvel::StudiesWindow::sweep);
    korvel::StudiesWindow* studies = window.studiesWindow();
    if (width > 0) studies->resize(width, height);
    studies->followNow();
    settle(studies);
    studies->grab().save(out + QStringLiteral("/studies-sweep.png"));
    // With KORVEL_STUDY_PDF set, the printed form of the sweep page too.
    if (!qEnvironmentVariableIsEmpty("KORVEL_STUDY_PDF"))
        studies->exportPdf(out + QStringLiteral("/studies-sweep.pdf"));
    studies->showPage(korvel::StudiesWindow::capacity);
    settle(studies);
    studies->grab().save(out + QStringLiteral("/studies-capacity.png"));
    if (!qEnvironmentVariableIsEmpty("KORVEL_STUDY_PDF")) {
        studies->capacityPage()->setEqualScaling(true);
        for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
        studies->grab().save(out + QStringLiteral("/studies-capacity-equal.png"));
        studies->capacityPage()->setRequest(
            korvel::CapacityRequest{korvel::LoadGroup::sigx, korvel::LoadGroup::tau, 72, true});
        settle(studies);
        studies->grab().save(out + QStringLiteral("/studies-capacity-tau.png"));
        studies->capacityPage()->setEqualScaling(false);
    }
    studies->showPage(korvel::StudiesWindow::lightest);
    settle(studies);
    studies->lightestPage()->selectRow(0);
    studies->grab().save(out + QStringLiteral("/studies-lightest.png"));
    // The Corrosion page with the plate gauged 1.5 mm thinner than built, and the main window's
    // list with the gauged values beside its own.
    studies->showPage(korvel::StudiesWindow::corrosion);
    settle(studies);
    korvel::CorrosionPage* corrosion = studies->corrosionPage();
    if (!corrosion->results().empty())
        corrosion->setGauged(korvel::Member::plate, corrosion->results().front().original - 1.5);
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    studies->grab().save(out + QStringLiteral("/studies-corrosion.png"));
    window.grab().save(out + QStringLiteral("/main-window-gauged.png"));
    return 0;
}
