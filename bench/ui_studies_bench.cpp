// The main window with the studies window open: an edit (calculation, results list, figure and
// margin line repainted, the studies window told), the reserve factor λ* the margin line
// computes once the listing is shown, and a page of the studies window following the edit off
// the interface thread (offscreen platform, no display needed).
#include "ui/app_context.h"
#include "ui/file_dialogs.h"
#include "ui/main_window.h"
#include "ui/margin_line.h"
#include "ui/message_warnings.h"
#include "ui/qt_settings_store.h"
#include "ui/studies_window.h"
#include "ui/study_page.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

using namespace korvel;

namespace {

struct Fixture {
    Fixture() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
        ok = !prepareStart(context, std::filesystem::canonical("/proc/self/exe").parent_path());
        if (!ok) return;
        settings = std::make_unique<QtSettingsStore>(settingsFolder.filePath(QStringLiteral("settings.ini")));
        window = std::make_unique<MainWindow>(context, WindowServices{messages, *settings, dialogs});
        window->start();
        window->show();
        QApplication::processEvents();
    }
    void edit() {
        L1 = L1 == 3000 ? 3100 : 3000;
        context.dc.L1 = L1;
        window->recalculate();
        window->repaint();
    }
    void openStudies(int page) {
        window->openStudiesWindow(page);
        window->studiesWindow()->followNow();
        settle();
    }
    void settle() {
        StudiesWindow* s = window->studiesWindow();
        while (s->following() || s->currentPage()->busy()) {
            QApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::usleep(50);
        }
    }

    int argc = 1;
    char name[16] = "ui_studies";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
    QTemporaryDir settingsFolder;
    AppContext context;
    bool ok = false;
    MessageBoxMessages messages;
    std::unique_ptr<QtSettingsStore> settings;
    QtFileDialogs dialogs;
    std::unique_ptr<MainWindow> window;
    double L1 = 3000;
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

// What the engineer waits for after leaving a box: the window repainted, with the studies
// window open on its sweep page (which only restarts its timer here).
void editWithStudiesOpen(benchmark::State& state) {
    Fixture& f = fixture();
    if (!f.ok) return state.SkipWithError("the tables are not in the program folder");
    f.openStudies(static_cast<int>(state.range(0)));
    for (auto _ : state) f.edit();
    f.window->marginLine()->finishReserve();
    f.settle();
}
BENCHMARK(editWithStudiesOpen)->Arg(StudiesWindow::sweep)->Arg(StudiesWindow::capacity)->Unit(benchmark::kMillisecond);

// λ* of the margin line after an edit: what runs from the event loop once the listing shows.
void reserveAfterEdit(benchmark::State& state) {
    Fixture& f = fixture();
    if (!f.ok) return state.SkipWithError("the tables are not in the program folder");
    for (auto _ : state) {
        state.PauseTiming();
        f.edit();
        state.ResumeTiming();
        f.window->marginLine()->finishReserve();
    }
}
BENCHMARK(reserveAfterEdit)->Unit(benchmark::kMicrosecond);

// A page following an edit off the interface thread, until its chart shows the new case.
void pageFollowsEdit(benchmark::State& state) {
    Fixture& f = fixture();
    if (!f.ok) return state.SkipWithError("the tables are not in the program folder");
    f.openStudies(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        f.edit();
        state.ResumeTiming();
        f.window->studiesWindow()->followNow();
        f.settle();
    }
}
BENCHMARK(pageFollowsEdit)
    ->Arg(StudiesWindow::sweep)
    ->Arg(StudiesWindow::capacity)
    ->Arg(StudiesWindow::lightest)
    ->Unit(benchmark::kMillisecond);

} // namespace
