// Gauged thicknesses are of the structure a survey measured: opening another project or starting
// a new one forgets them, in the main window's list and on the Corrosion page alike.

#include "main_window_fixture.h"
#include "support/qt_application.h"

#include "ui/results_model.h"
#include "ui/studies_corrosion_page.h"
#include "ui/studies_window.h"

#include <QCoreApplication>
#include <QTableWidget>

namespace korvel::test {
namespace {

class GaugingSession : public MainWindowTest {
protected:
    // The plate gauged 2.5 mm thinner on the Corrosion page, as the engineer types it.
    CorrosionPage* gaugePlate() {
        window->openStudiesWindow(StudiesWindow::corrosion);
        StudiesWindow* studies = window->studiesWindow();
        studies->followNow();
        CorrosionPage* page = studies->corrosionPage();
        if (!waitFor([&] { return !studies->following() && !page->busy(); }) || page->results().empty()) return page;
        page->table()
            ->item(0, CorrosionPage::gaugedColumn)
            ->setText(QString::number(page->results().front().original - 2.5));
        return page;
    }
};

TEST_F(GaugingSession, OpeningAnotherProjectOrANewOneForgetsTheGauging) {
    startWindow();
    const QString project = QStringLiteral(KORVEL_TEST_DATA_DIR "/project/example190.korvp");
    for (const bool open : {true, false}) {
        CorrosionPage* page = gaugePlate();
        ASSERT_FALSE(page->results().empty());
        ASSERT_TRUE(page->gauged()[0].has_value());
        ASSERT_EQ(window->results()->columnCount(), 4);
        if (open) {
            window->openProjectPath(project);
        } else {
            // The case was not changed by hand, so nothing asks to be saved first.
            window->newFile();
        }
        EXPECT_EQ(window->results()->columnCount(), 3) << (open ? "opened" : "new");
        EXPECT_FALSE(page->gauged()[0].has_value()) << (open ? "opened" : "new");
    }
}

} // namespace
} // namespace korvel::test
