// The batch window's results grouped by panel, drawn offscreen for docs/:
// korvel_envelope_screenshots PROGRAM_FOLDER PANELS.kori OUT.png [WIDTH HEIGHT]. The file is run
// as Save Result to File runs it (its table is written beside it), the first two panels are
// expanded and the window is grabbed.

#include "ui/app_context.h"
#include "ui/batch_panel_model.h"
#include "ui/batch_results_page.h"
#include "ui/batch_window.h"

#include <QApplication>
#include <QTabWidget>
#include <QTreeView>

#include <cstdio>
#include <cstdlib>

namespace {

class QuietMessages final : public korvel::UserMessages {
public:
    void warning(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: korvel_envelope_screenshots PROGRAM_FOLDER PANELS.kori OUT.png [WIDTH HEIGHT]\n");
        return 2;
    }
    korvel::AppContext ctx;
    if (korvel::prepareStart(ctx, argv[1])) {
        std::fprintf(stderr, "the tables cannot be loaded from %s\n", argv[1]);
        return 1;
    }
    QuietMessages messages;
    korvel::BatchState state;
    korvel::BatchWindow batch(nullptr, ctx.dc, ctx.catalogue, ctx.decimalMode, state, [] {});
    batch.setMessages(&messages);
    batch.resize(argc > 5 ? std::atoi(argv[4]) : 1100, argc > 5 ? std::atoi(argv[5]) : 520);
    batch.show();
    if (!batch.openBatchFile(QString::fromLocal8Bit(argv[2])) || !batch.saveResults()) return 1;
    if (auto* tabs = batch.findChild<QTabWidget*>(QStringLiteral("batchTabs"))) tabs->setCurrentIndex(1);
    korvel::BatchResultsPage* page = batch.resultsPage();
    page->setGrouped(true);
    QTreeView* tree = page->panelTree();
    for (int row = 0; row < 2 && row < tree->model()->rowCount(); ++row) tree->expand(tree->model()->index(row, 0));
    page->fitColumns();
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    return batch.grab().save(QString::fromLocal8Bit(argv[3])) ? 0 : 1;
}
