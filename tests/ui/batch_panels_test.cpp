// The batch window's results grouped by panel, and its exports: the envelope as korvel-batch
// --envelope writes it, the rows shown as a workbook.

#include "support/program_run.h"
#include "support/qt_application.h"
#include "support/reference_cases.h"
#include "ui/batch_panel_model.h"
#include "ui/batch_results_page.h"
#include "ui/batch_window.h"

#include "xlsx/workbook_reader.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QAction>
#include <QComboBox>
#include <QTableView>
#include <QTreeView>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace korvel {
namespace {

class SaveTo final : public FileDialogs {
public:
    std::optional<FileChoice> chooseFileToOpen(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<FileChoice> chooseFileToSave(const FileDialogRequest& request) override {
        asked = request;
        return FileChoice{path, {}};
    }
    std::string path;
    std::optional<FileDialogRequest> asked;
};

class Messages final : public UserMessages {
public:
    void warning(const std::string& text) override { seen.push_back(text); }
    std::vector<std::string> seen;
};

// The first 20 reference cases as load cases of three panels, the panels' lines interleaved
// (case k of P(k mod 3)), and a last case without "/", a panel of its own with load case "".
std::string panelsFile() {
    std::istringstream in(readAll(referenceFolder / "cases.kori"));
    std::string text = "% panels\n";
    int k = 0;
    for (std::string line; std::getline(in, line) && k <= 20;) {
        const std::size_t first = line.find_first_not_of(' ');
        if (first == std::string::npos || line[first] == '%' || line.compare(first, 3, "End") == 0) continue;
        const std::size_t tab = line.find('\t');
        const std::size_t end = line.find('\t', tab + 1);
        const std::string id = k < 20 ? "P" + std::to_string(k % 3) + "/LC" + std::to_string(k) : "SOLO";
        text += line.substr(0, tab + 1) + id + line.substr(end) + "\n";
        ++k;
    }
    return text + "End\n";
}

class BatchPanels : public ::testing::Test {
protected:
    void SetUp() override {
        folder.write("panels.kori", panelsFile());
        resetToNewFile(dc);
        window.setFileDialogs(&dialogs);
        window.setMessages(&messages);
        ASSERT_TRUE(window.openBatchFile(QString::fromStdString(folder.file("panels.kori"))));
        ASSERT_TRUE(window.saveResults());
        messages.seen.clear(); // the reference cases stop in some checks on purpose
    }

    // korvel-batch --envelope on the same file and tables.
    std::string commandLineEnvelope() {
        const ProgramRun run =
            runProgram(fs::path(KORVEL_PROGRAM_DIR) / "korvel-batch", folder,
                       {folder.file("panels.kori"), "-o", folder.file("cli.koro"), "--data",
                        (referenceFolder / "tables").string(), "--envelope", folder.file("cli.tsv")});
        EXPECT_EQ(0, run.status) << run.err;
        return readAll(folder.file("cli.tsv"));
    }

    TempFolder folder;
    Catalogue catalogue = referenceTables();
    DesignCase dc;
    BatchState state;
    SaveTo dialogs;
    Messages messages;
    BatchWindow window{nullptr, dc, catalogue, DecimalMode::period, state, [] {}};
};

TEST_F(BatchPanels, GroupingGivesARowPerPanelWithItsCasesAsChildren) {
    BatchResultsPage* page = window.resultsPage();
    BatchPanelModel* panels = page->panels();
    QAbstractItemModelTester tester(panels, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModelTester filtered(page->panelFilter(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    panels->publish();
    page->setGrouped(true);
    EXPECT_TRUE(page->panelTree()->isVisibleTo(page));
    EXPECT_FALSE(page->table()->isVisibleTo(page));

    // Panels in order of first appearance, each with its cases in file order.
    const std::vector<std::pair<std::string, std::vector<std::string>>> expected = {
        {"P0", {"LC0", "LC3", "LC6", "LC9", "LC12", "LC15", "LC18"}},
        {"P1", {"LC1", "LC4", "LC7", "LC10", "LC13", "LC16", "LC19"}},
        {"P2", {"LC2", "LC5", "LC8", "LC11", "LC14", "LC17"}},
        {"SOLO", {""}}};
    ASSERT_EQ(static_cast<int>(expected.size()), panels->rowCount());
    for (int p = 0; p < panels->rowCount(); ++p) {
        const QModelIndex panel = panels->index(p, 1);
        EXPECT_EQ(expected[static_cast<std::size_t>(p)].first, panel.data().toString().toStdString());
        EXPECT_EQ(-1, panels->entryOf(panel));
        const QModelIndex first = panels->index(p, 0);
        ASSERT_EQ(expected[static_cast<std::size_t>(p)].second.size(),
                  static_cast<std::size_t>(panels->rowCount(first)));
        EXPECT_EQ(QString::number(panels->rowCount(first)), panels->index(p, 2).data().toString()) << "cases";
        for (int c = 0; c < panels->rowCount(first); ++c) {
            const QModelIndex child = panels->index(c, 1, first);
            EXPECT_EQ(expected[static_cast<std::size_t>(p)].second[static_cast<std::size_t>(c)],
                      child.data().toString().toStdString());
            EXPECT_EQ(first, child.parent());
            EXPECT_GE(panels->entryOf(child), 0);
        }
    }

    // A panel's value of a check is the highest of its cases'.
    const QModelIndex p0 = panels->index(0, 0);
    for (int column = 7; column < panels->columnCount() - 2; column += 2) {
        double highest = -1;
        for (int c = 0; c < panels->rowCount(p0); ++c) {
            const QVariant v = panels->index(c, column, p0).data(BatchPanelModel::sortRole);
            if (v.typeId() == QMetaType::Double) highest = std::max(highest, v.toDouble());
        }
        const QVariant panelValue = panels->index(0, column).data(BatchPanelModel::sortRole);
        if (highest >= 0) {
            EXPECT_EQ(highest, panelValue.toDouble())
                << panels->headerData(column, Qt::Horizontal).toString().toStdString();
        }
    }

    // "Failing only" keeps the panels that are not OK.
    int notOk = 0;
    for (int p = 0; p < panels->rowCount(); ++p) notOk += panels->verdictOf(panels->index(p, 0)) != Verdict::ok;
    page->panelFilter()->setFailingOnly(true);
    EXPECT_EQ(notOk, page->panelFilter()->rowCount());
    page->panelFilter()->setFailingOnly(false);

    // A double-click on a case shows it in the main window, as on a row of the flat table.
    const QModelIndex lc5 = page->panelFilter()->mapFromSource(panels->index(1, 0, panels->index(2, 0)));
    emit page->panelTree()->doubleClicked(lc5);
    EXPECT_EQ("P2/LC5", dc.identification);
    EXPECT_EQ(QStringLiteral("P2/LC5"), window.caseList()->currentText());

    page->setGrouped(false);
    EXPECT_TRUE(page->table()->isVisibleTo(page));
}

TEST_F(BatchPanels, TheEnvelopeExportIsTheCommandLinesEnvelopeTable) {
    dialogs.path = folder.file("envelope.txt");
    auto* exportEnvelope = window.resultsPage()->findChild<QAbstractButton*>(QStringLiteral("exportEnvelope"));
    ASSERT_NE(nullptr, exportEnvelope);
    exportEnvelope->click();
    ASSERT_TRUE(dialogs.asked);
    EXPECT_EQ("envelope.txt", dialogs.asked->initialName);
    const std::string exported = readAll(folder.file("envelope.txt"));
    EXPECT_EQ(commandLineEnvelope(), exported);
    EXPECT_EQ(5, std::count(exported.begin(), exported.end(), '\n')) << "a header and four panels";
    EXPECT_TRUE(messages.seen.empty());
}

// The rows shown as a workbook: a ZIP archive whose Results sheet reads back with the shown rows.
TEST_F(BatchPanels, TheTableExportsAsAWorkbook) {
    BatchResultsPage* page = window.resultsPage();
    dialogs.path = folder.file("results.xlsx");
    auto* asWorkbook = page->findChild<QAction*>(QStringLiteral("exportWorkbook"));
    ASSERT_NE(nullptr, asWorkbook);
    asWorkbook->trigger();
    ASSERT_TRUE(dialogs.asked);
    EXPECT_EQ("results.xlsx", dialogs.asked->initialName);
    EXPECT_TRUE(messages.seen.empty()) << messages.seen.front();
    const std::string bytes = readAll(folder.file("results.xlsx"));
    EXPECT_EQ(0u, bytes.rfind("PK", 0));
    EXPECT_TRUE(looksLikeWorkbook(folder.file("results.xlsx")));
    // The reader opens it and parses its sheets; it then refuses the Results sheet as batch lines
    // (the results run past the 32 batch fields), naming the sheet and the cell.
    const auto read = readWorkbookBatch(folder.file("results.xlsx"));
    ASSERT_TRUE(std::holds_alternative<WorkbookError>(read));
    EXPECT_NE(std::string::npos, std::get<WorkbookError>(read).message.find(": sheet Results, row "))
        << std::get<WorkbookError>(read).message;
    for (const char* part : {"xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml", "xl/worksheets/sheet3.xml"})
        EXPECT_NE(std::string::npos, bytes.find(part)) << part << ": Results, Summary and Envelope";
}

} // namespace
} // namespace korvel
