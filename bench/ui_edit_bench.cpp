// An edit in the main window: the calculation, the results list and the figure brought up to
// date, as after the engineer leaves a box (offscreen platform, no display needed).
#include "ui/app_context.h"
#include "ui/file_dialogs.h"
#include "ui/main_window.h"
#include "ui/message_warnings.h"
#include "ui/qt_settings_store.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace korvel;

namespace {

void editRecalculatesAndRepaints(benchmark::State& state) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "ui_edit_bench";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QTemporaryDir settingsFolder;
    AppContext context;
    if (prepareStart(context, std::filesystem::canonical("/proc/self/exe").parent_path())) {
        state.SkipWithError("the tables are not in the program folder");
        return;
    }
    MessageBoxMessages messages;
    QtSettingsStore settings(settingsFolder.filePath(QStringLiteral("settings.ini")));
    QtFileDialogs dialogs;
    MainWindow window(context, {messages, settings, dialogs});
    window.start();
    window.show();
    QApplication::processEvents();
    double L1 = 3000;
    for (auto _ : state) {
        L1 = L1 == 3000 ? 3100 : 3000;
        context.dc.L1 = L1;
        window.recalculate();
        window.repaint(); // paints the figure and the list now, not at the next event
    }
}
BENCHMARK(editRecalculatesAndRepaints)->Unit(benchmark::kMillisecond);

} // namespace
