// The working window keeps the engineer's work and numbers whole: a modified case is marked and
// asked about before it is set aside, a case from the batch window never takes a project's name,
// every caption reads as written, printing without a printer says so, and the ratio column is as
// wide as its values.

#include "support/qt_application.h"
#include "ui/batch_window.h"
#include "ui/main_window_fixture.h"
#include "ui/main_window_results.h"
#include "ui/results_model.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>

#include <algorithm>

namespace korvel {
namespace {

using test::dataFolder;
using test::MainWindowTest;

QString titleOf(const std::string& name, bool modified) {
    return QString::fromStdString("KORVEL: " + name + (modified ? "*" : ""));
}

TEST_F(MainWindowTest, AnEditMarksTheCaptionAndSavingClearsIt) {
    startWindow();
    EXPECT_EQ(window->windowTitle(), titleOf("New File", false));
    typeAndLeave(InputBox::L1, QStringLiteral("2800"));
    EXPECT_EQ(window->windowTitle(), titleOf("New File", true));
    typeAndLeave(InputBox::projectName, QStringLiteral("Deck"));
    EXPECT_TRUE(window->isModified());

    const std::string path = folder.filePath(QStringLiteral("deck.korvp")).toStdString();
    dialogs.next = path;
    named<QAction>("saveAction")->trigger();
    EXPECT_EQ(window->windowTitle(), titleOf(path, false));
    named<QRadioButton>("conditionB")->click();
    EXPECT_EQ(window->windowTitle(), titleOf(path, true));
    EXPECT_TRUE(messages.asked.empty());
}

TEST_F(MainWindowTest, NewAsksAboutUnsavedChangesCancelKeepsAndDiscardProceeds) {
    startWindow();
    typeAndLeave(InputBox::L1, QStringLiteral("2800"));
    messages.saveAnswer = SaveChoice::cancel;
    named<QAction>("newAction")->trigger();
    EXPECT_EQ(messages.asked, std::vector<std::string>{"Save changes to New File?"});
    EXPECT_EQ(ctx.dc.L1, static_cast<double>(2800.0f));
    EXPECT_EQ(window->windowTitle(), titleOf("New File", true));

    messages.saveAnswer = SaveChoice::discard;
    named<QAction>("newAction")->trigger();
    EXPECT_EQ(messages.asked.size(), 2u);
    EXPECT_EQ(ctx.dc.L1, 3000);
    EXPECT_EQ(window->windowTitle(), titleOf("New File", false));

    // Nothing changed since: no question.
    named<QAction>("newAction")->trigger();
    EXPECT_EQ(messages.asked.size(), 2u);
}

TEST_F(MainWindowTest, SaveInTheQuestionSavesAndItsCancelledNameCancelsTheAction) {
    startWindow();
    const std::string path = folder.filePath(QStringLiteral("deck.korvp")).toStdString();
    dialogs.next = path;
    named<QAction>("saveAction")->trigger();

    // Open and a recent file ask with the name the caption shows.
    typeAndLeave(InputBox::L1, QStringLiteral("2700"));
    messages.saveAnswer = SaveChoice::cancel;
    named<QAction>("openAction")->trigger();
    named<QAction>("recentFile1")->trigger();
    EXPECT_EQ(messages.asked, std::vector<std::string>(2, "Save changes to " + path + "?"));
    EXPECT_EQ(dialogs.requests.size(), 1u); // the open dialog never showed

    messages.saveAnswer = SaveChoice::save;
    named<QAction>("newAction")->trigger();
    EXPECT_EQ(ctx.dc.L1, 3000);
    DesignCase saved;
    ASSERT_TRUE(readProjectFile(path, ctx.catalogue, saved).ok());
    EXPECT_EQ(saved.L1, static_cast<double>(2700.0f));

    // A never-saved case: Save asks for a name, and cancelling there cancels New.
    typeAndLeave(InputBox::L1, QStringLiteral("2600"));
    dialogs.next.clear();
    named<QAction>("newAction")->trigger();
    EXPECT_EQ(ctx.dc.L1, static_cast<double>(2600.0f));
    EXPECT_EQ(window->windowTitle(), titleOf("New File", true));
}

TEST_F(MainWindowTest, ClosingIsRefusedOnCancel) {
    startWindow();
    typeAndLeave(InputBox::L1, QStringLiteral("2800"));
    messages.saveAnswer = SaveChoice::cancel;
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    messages.saveAnswer = SaveChoice::discard;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(messages.asked.size(), 2u);
}

TEST_F(MainWindowTest, ACaseShownFromTheBatchWindowBelongsToNoProjectFile) {
    ASSERT_TRUE(QFile::copy(dataFolder + QStringLiteral("dummy.kori"), folder.filePath(QStringLiteral("cases.kori"))));
    startWindow();
    const std::string path = folder.filePath(QStringLiteral("deck.korvp")).toStdString();
    dialogs.next = path;
    named<QAction>("saveAction")->trigger();
    ASSERT_EQ(ctx.dc.fileName, path);

    named<QAction>("openDatabaseAction")->trigger();
    auto* batch = window->findChild<BatchWindow*>();
    ASSERT_NE(batch, nullptr);
    batch->setMessages(&messages);
    batch->setFileDialogs(&dialogs);
    ASSERT_TRUE(batch->openBatchFile(folder.filePath(QStringLiteral("cases.kori"))));
    EXPECT_EQ(ctx.dc.fileName, newFileMarker);
    EXPECT_EQ(window->windowTitle(), titleOf("New File", false));

    // Save asks for a name instead of writing the batch case over the project.
    dialogs.next.clear();
    const std::size_t asked = dialogs.requests.size();
    named<QAction>("saveAction")->trigger();
    ASSERT_EQ(dialogs.requests.size(), asked + 1);
    EXPECT_TRUE(dialogs.requests.back().askOverwrite);
    batch->close();
}

// A batch case takes the place of the case on the screen: opening a batch file, picking a case
// and writing the results each ask about unsaved edits first, and Cancel keeps them.
TEST_F(MainWindowTest, ABatchCaseAsksBeforeItReplacesUnsavedEdits) {
    ASSERT_TRUE(QFile::copy(dataFolder + QStringLiteral("dummy.kori"), folder.filePath(QStringLiteral("cases.kori"))));
    startWindow();
    const std::string path = folder.filePath(QStringLiteral("deck.korvp")).toStdString();
    dialogs.next = path;
    named<QAction>("saveAction")->trigger();
    typeAndLeave(InputBox::L1, QStringLiteral("2800"));
    ASSERT_TRUE(window->isModified());

    named<QAction>("openDatabaseAction")->trigger();
    auto* batch = window->findChild<BatchWindow*>();
    ASSERT_NE(batch, nullptr);
    batch->setMessages(&messages);
    batch->setFileDialogs(&dialogs);
    const std::string question = "Save changes to " + path + "?";

    messages.saveAnswer = SaveChoice::cancel;
    EXPECT_FALSE(batch->openBatchFile(folder.filePath(QStringLiteral("cases.kori"))));
    EXPECT_EQ(messages.asked, std::vector<std::string>{question});
    EXPECT_EQ(ctx.dc.L1, static_cast<double>(2800.0f));
    EXPECT_EQ(window->windowTitle(), titleOf(path, true));

    messages.saveAnswer = SaveChoice::save;
    ASSERT_TRUE(batch->openBatchFile(folder.filePath(QStringLiteral("cases.kori"))));
    EXPECT_EQ(messages.asked.size(), 2u);
    DesignCase saved;
    readProjectFile(path, ctx.catalogue, saved);
    EXPECT_EQ(saved.L1, static_cast<double>(2800.0f)) << "saved before the batch case came";
    EXPECT_EQ(window->windowTitle(), titleOf("New File", false));

    // Edits of the batch case shown are asked about before another case is picked; Cancel keeps
    // the case and the list names it again.
    const int shown = batch->caseList()->currentIndex();
    typeAndLeave(InputBox::L1, QStringLiteral("2900"));
    messages.saveAnswer = SaveChoice::cancel;
    const int other = shown + 1 < batch->caseList()->count() ? shown + 1 : 0;
    batch->chooseEntry(other);
    EXPECT_EQ(messages.asked.size(), 3u);
    EXPECT_EQ(ctx.dc.L1, static_cast<double>(2900.0f));
    EXPECT_EQ(batch->caseList()->currentIndex(), shown);
    EXPECT_FALSE(batch->saveResults());
    EXPECT_EQ(messages.asked.size(), 4u);
    EXPECT_EQ(ctx.dc.L1, static_cast<double>(2900.0f));

    messages.saveAnswer = SaveChoice::discard;
    ASSERT_TRUE(batch->saveResults());
    EXPECT_TRUE(batch->statusBar()->currentMessage().startsWith(QStringLiteral("Done: the main window shows case ")));
    batch->close();
}

// "Export PDFâ€¦" is UTF-8 read as Latin-1: no caption may hold those characters.
bool misread(const QString& text) {
    return text.contains(QChar(0x00E2)) || text.contains(QChar(0x20AC)) || text.contains(QChar(0xFFFD));
}

TEST_F(MainWindowTest, EveryCaptionReadsAsWritten) {
    startWindow();
    EXPECT_EQ(named<QAction>("exportPdfAction")->text(), QString::fromUtf8("&Export PDF\u2026"));
    const QList<QAction*> actions = window->findChildren<QAction*>();
    ASSERT_GT(actions.size(), 40);
    for (const QAction* action : actions) {
        EXPECT_FALSE(misread(action->text())) << action->objectName().toStdString();
        EXPECT_EQ(QString::fromUtf8(action->text().toUtf8()), action->text());
    }
    for (const QMenu* menu : window->findChildren<QMenu*>()) EXPECT_FALSE(misread(menu->title()));
    for (const QLabel* label : window->findChildren<QLabel*>()) EXPECT_FALSE(misread(label->text()));
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
        EXPECT_FALSE(misread(button->text()));
}

TEST_F(MainWindowTest, PrintWithoutAPrinterSaysSoAndOffersExportPdf) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed here";
    startWindow();
    named<QAction>("printMenuBucklingAction")->trigger();
    const std::pair<std::string, std::string> offer{"No printer is installed; use Export PDF", "Export PDF\u2026"};
    EXPECT_EQ(messages.offered, (std::vector<std::pair<std::string, std::string>>{offer}));
    EXPECT_TRUE(dialogs.requests.empty());

    messages.takeOffer = true;
    const QString pdf = folder.filePath(QStringLiteral("report.pdf"));
    dialogs.next = pdf.toStdString();
    named<QAction>("printAllChecksAction")->trigger();
    EXPECT_EQ(messages.offered.size(), 2u);
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].defaultExtension, "pdf");
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(messages.seen.empty());
}

TEST_F(MainWindowTest, APrintJobThatCannotStartIsReported) {
    startWindow();
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("no such folder/report.pdf")));
    EXPECT_FALSE(window->printOn(printer, 2));
    ASSERT_EQ(messages.seen.size(), 1u);
    EXPECT_NE(messages.seen[0].find("could not be started"), std::string::npos) << messages.seen[0];
}

// Every value of the ratio column fits its column whole, in the font the row shows it in.
void expectRatioColumnHoldsItsValues(ResultsList* list) {
    QAbstractItemModel* model = list->model();
    const int column = ResultsModel::valueColumn;
    const int margins = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    const int width = list->header()->sectionSize(column);
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, column);
        const QString text = index.data(Qt::DisplayRole).toString();
        QFont font = list->font();
        const QVariant rowFont = index.data(Qt::FontRole);
        if (rowFont.isValid()) font = rowFont.value<QFont>().resolve(list->font());
        EXPECT_GE(width, QFontMetrics(font).horizontalAdvance(text) + margins) << text.toStdString();
    }
}

TEST_F(MainWindowTest, ThinPlateValuesAreShownWhole) {
    startWindow();
    typeAndLeave(InputBox::t, QStringLiteral("0.05"));
    ASSERT_EQ(ctx.dc.t, 0.05); // as a batch line gives it
    ResultsModel* model = window->results();
    const auto longest = std::max_element(model->rows().begin(), model->rows().end(),
                                          [](const auto& a, const auto& b) { return a.value.size() < b.value.size(); });
    ASSERT_NE(longest, model->rows().end());
    ASSERT_GE(longest->value.size(), 6u) << longest->value; // a value wider than the column's share
    expectRatioColumnHoldsItsValues(window->resultsList());
    window->resize(640, window->height());
    QApplication::processEvents();
    expectRatioColumnHoldsItsValues(window->resultsList());
}

} // namespace
} // namespace korvel
