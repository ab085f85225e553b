// The batch window "Database ": opening a batch file, choosing cases, writing the results table.

#include "support/qt_application.h"
#include "ui/batch_results_page.h"
#include "ui/batch_window.h"

#include "design/design_case.h"
#include "files/batch_run.h"
#include "support/fake_warnings.h"
#include "support/test_catalogue.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace korvel {
namespace {

class RecordingMessages final : public UserMessages {
public:
    void warning(const std::string& text) override { seen.push_back(text); }
    std::vector<std::string> seen;
};

class FakeDialogs final : public FileDialogs {
public:
    std::optional<FileChoice> chooseFileToOpen(const FileDialogRequest& request) override {
        asked = request;
        return answer;
    }
    std::optional<FileChoice> chooseFileToSave(const FileDialogRequest&) override { return saveAnswer; }
    std::optional<FileDialogRequest> asked;
    std::optional<FileChoice> answer;
    std::optional<FileChoice> saveAnswer;
};

// The new-file panel as a batch line: built-up L 200x90x9x12, T-girder 800x200x10x20, tank
// bulkhead, s1 = s2 = 625 within L1 = 3000 and L2 = 2500, so no geometry warning.
std::array<std::string, 32> newFileFields(const std::string& identification) {
    return {"Project",       identification, "0",    "1.43", "0.6",  "235",  "400",         "235",
            "400",           "206000",       "1",    "65",   "0",    "LW",   "200x90x9x12", "TG",
            "800x200x10x20", "3000",         "2500", "8000", "6000", "3000", "20",          "625",
            "625",           "-100",         "-100", "-30",  "-30",  "40",   "0.03",        "0.03"};
}

std::string caseLine(const std::string& identification,
                     std::initializer_list<std::pair<int, std::string>> changes = {}) {
    std::array<std::string, 32> fields = newFileFields(identification);
    for (const auto& [field, value] : changes) fields[static_cast<std::size_t>(field)] = value;
    std::string line;
    for (const std::string& f : fields) line += (line.empty() ? "" : "\t") + f;
    return line;
}

std::string readAll(const QString& path) {
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class BatchWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        resetToNewFile(dc);
        window = std::make_unique<BatchWindow>(nullptr, dc, catalogue, DecimalMode::period, state, [this] { ++shown; });
        window->setMessages(&messages);
        window->setFileDialogs(&dialogs);
    }

    QString write(const QString& name, const std::vector<std::string>& lines) {
        const QString path = folder.filePath(name);
        std::ofstream out(QFile::encodeName(path).toStdString(), std::ios::binary);
        for (const std::string& line : lines) out << line << "\r\n";
        return path;
    }

    // Two comments and three cases; the spans tell the cases apart.
    QString writeSmallFile(const QString& name = QStringLiteral("cases.kori")) {
        return write(name, {"%Deck panels", caseLine("C1"), caseLine("C2", {{17, "2800"}}), "%Bulkhead\tnote",
                            caseLine("C3", {{17, "2600"}, {22, "18"}}), "End"});
    }

    QStringList items() const {
        QStringList list;
        for (int i = 0; i < window->caseList()->count(); ++i) list.append(window->caseList()->itemText(i));
        return list;
    }

    // What the batch core writes for the same list: the window must write exactly this.
    std::string coreResults(const BatchList& list) {
        DesignCase scratch;
        resetToNewFile(scratch);
        IgnoreWarnings quiet;
        return runBatch(list, scratch, catalogue, quiet).text;
    }

    QTemporaryDir folder;
    Catalogue catalogue = testCatalogue();
    DesignCase dc;
    BatchState state;
    RecordingMessages messages;
    FakeDialogs dialogs;
    int shown = 0;
    std::unique_ptr<BatchWindow> window;
};

TEST_F(BatchWindowTest, StartsWithOneBlankItemAndItsLabelsAndMenus) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Database "));
    EXPECT_EQ(items(), QStringList{QStringLiteral(" ")});
    EXPECT_EQ(window->caseList()->currentText(), QStringLiteral(" "));
    EXPECT_EQ(window->caseList()->objectName(), QStringLiteral("caseList"));
    const std::pair<const char*, const char*> labels[] = {{"caseListLabel", "Show reults for Stiffener:"},
                                                          {"inputFileLabel", "Input file:"},
                                                          {"outputFileLabel", "Output file:"}};
    for (const auto& [name, text] : labels) {
        const auto* label = window->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), QString::fromLatin1(text));
    }
    const std::pair<const char*, const char*> actions[] = {{"openFileAction", "&Open Database File"},
                                                           {"saveResultAction", "&Save Result to File"}};
    for (const auto& [name, text] : actions) {
        const auto* action = window->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->text(), QString::fromLatin1(text));
    }
}

TEST_F(BatchWindowTest, OpeningListsEntriesInFileOrderAndShowsTheFirstCase) {
    const QString path = writeSmallFile();
    ASSERT_TRUE(window->openBatchFile(path));

    // A case shows its identification, a comment its first field only.
    EXPECT_EQ(items(), (QStringList{"%Deck panels", "C1", "C2", "%Bulkhead", "C3"}));
    EXPECT_EQ(state.currentEntry, 1);
    EXPECT_EQ(window->caseList()->currentText(), QStringLiteral("C1"));
    EXPECT_TRUE(window->caseList()->isEnabled());
    EXPECT_EQ(window->inputFileText(), path);
    EXPECT_EQ(state.currentFile, path.toStdString());
    EXPECT_EQ(state.lastFolder, QDir(folder.path()).absolutePath().toStdString() + "/");
    EXPECT_TRUE(messages.seen.empty());

    // C1 was calculated in full, as the core calculates it, and the owner was told once.
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(dc.identification, "C1");
    DesignCase reference;
    resetToNewFile(reference);
    IgnoreWarnings quiet;
    runBatchCase(state.list.entries[1], reference, catalogue, quiet);
    EXPECT_EQ(dc.uf.UFpb, reference.uf.UFpb);
    EXPECT_EQ(dc.uf.UFsm, reference.uf.UFsm);
    EXPECT_EQ(dc.uf.UFy, reference.uf.UFy);
    EXPECT_GT(dc.uf.UFpb, 0.0);
}

TEST_F(BatchWindowTest, ChoosingAnItemRunsACaseAndIgnoresAComment) {
    ASSERT_TRUE(window->openBatchFile(writeSmallFile()));
    struct Row {
        int item;
        const char* identificationAfter;
        double L1After;
        int shownAfter;
    };
    // Opening already showed C1 once.
    const Row rows[] = {
        {2, "C2", 2800, 2}, // a case: run and shown
        {3, "C2", 2800, 2}, // a comment: nothing changes
        {4, "C3", 2600, 3}, //
        {0, "C3", 2600, 3}, // the first comment
        {1, "C1", 3000, 4}, // back to the first case
    };
    for (const Row& row : rows) {
        emit window->caseList()->activated(row.item);
        EXPECT_EQ(state.currentEntry, row.item);
        EXPECT_EQ(dc.identification, row.identificationAfter) << "item " << row.item;
        EXPECT_EQ(dc.L1, row.L1After) << "item " << row.item;
        EXPECT_EQ(shown, row.shownAfter) << "item " << row.item;
    }
    EXPECT_EQ(dc.t, 20);
}

TEST_F(BatchWindowTest, TheBlankItemOfAFreshWindowRunsEntryZero) {
    const QString path = write(QStringLiteral("first.kori"), {caseLine("Z0", {{17, "2900"}}), caseLine("Z1"), "End"});
    ASSERT_TRUE(window->openBatchFile(path));
    resetToNewFile(dc);
    window->restart();
    EXPECT_EQ(items(), QStringList{QStringLiteral(" ")});
    EXPECT_EQ(state.currentEntry, 0);

    emit window->caseList()->activated(0);
    EXPECT_EQ(dc.identification, "Z0");
    EXPECT_EQ(dc.L1, 2900);
}

TEST_F(BatchWindowTest, SavingWritesWhatTheCoreWritesUnderTheOutputName) {
    struct Row {
        const char* input;
        const char* output;
    };
    const Row rows[] = {
        {"cases.kori", "cases.koro"},
        {"CASES.KORI", "CASES.koro"},
        {"cases.txt", "cases.txt.koro"}, // another extension stays
        {"run.koro", "run.koro.koro"},   // the table never takes the input's own name
        {"ab", "ab.koro"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input);
        const QString input = writeSmallFile(QString::fromLatin1(row.input));
        ASSERT_TRUE(window->openBatchFile(input));
        const int shownBefore = shown;
        emit window->caseList()->activated(2);

        ASSERT_TRUE(window->saveResults());
        const QString output = folder.filePath(QString::fromLatin1(row.output));
        EXPECT_EQ(window->outputFileText(), output);
        EXPECT_EQ(readAll(output), coreResults(state.list));

        // The design case holds the last case and the list names it; the owner refreshes once for
        // the whole run.
        EXPECT_EQ(dc.identification, "C3");
        EXPECT_EQ(window->caseList()->currentText(), QStringLiteral("C3"));
        EXPECT_EQ(state.currentEntry, window->caseList()->currentIndex());
        EXPECT_EQ(shown, shownBefore + 2);
        EXPECT_TRUE(messages.seen.empty());
    }
}

// The results page: one row per case (comments are no rows), sortable, filtered by "Failing
// only", by one check and by a text, a double-click showing the case, exported as TAB-separated
// text with the period; comment lines of the list cannot be chosen; a new file names no output.
TEST_F(BatchWindowTest, TheResultsPageSortsFiltersShowsAndExportsTheCases) {
    const QString input =
        write(QStringLiteral("page.kori"), {"%Deck panels", caseLine("C1"), caseLine("THIN", {{17, "2800"}, {22, "6"}}),
                                            "%Bulkhead\tnote", caseLine("C3", {{17, "2600"}}), "End"});
    ASSERT_TRUE(window->openBatchFile(input));
    auto* list = qobject_cast<QStandardItemModel*>(window->caseList()->model());
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(list->item(0)->isEnabled());
    EXPECT_FALSE(list->item(3)->isEnabled());
    EXPECT_TRUE(list->item(1)->isEnabled());
    ASSERT_TRUE(window->saveResults());

    BatchResultsPage* page = window->resultsPage();
    BatchResultsModel* rows = page->model();
    BatchResultsFilter* shown = page->filter();
    ASSERT_EQ(rows->rowCount(), 3);
    EXPECT_EQ(rows->headerData(1, Qt::Vertical).toInt(), 3); // THIN stands on line 3
    const auto identifications = [&] {
        QStringList ids;
        for (int r = 0; r < shown->rowCount(); ++r) ids << shown->index(r, 1).data().toString();
        return ids;
    };
    shown->sort(14, Qt::AscendingOrder); // L1: 2600, 2800, 3000
    EXPECT_EQ(identifications(), (QStringList{"C3", "THIN", "C1"}));

    // The thin plate fails a check the others pass (the small test catalogue may fail others).
    std::size_t failing = 0;
    while (failing < checkCount &&
           !(rows->failedOf(1).test(failing) && !rows->failedOf(0).test(failing) && !rows->failedOf(2).test(failing)))
        ++failing;
    ASSERT_LT(failing, checkCount);
    shown->setFailingOnly(true);
    EXPECT_EQ(shown->rowCount(), static_cast<int>(rows->failedOf(0).any() + 1 + rows->failedOf(2).any()));
    EXPECT_TRUE(identifications().contains(QStringLiteral("THIN")));
    shown->setFailingOnly(false);
    shown->setCheck(static_cast<int>(failing));
    EXPECT_EQ(identifications(), QStringList{"THIN"});
    shown->setCheck(-1);
    shown->setText(QStringLiteral("c3"));
    EXPECT_EQ(identifications(), QStringList{"C3"});
    const std::string text = page->shownText();
    EXPECT_EQ(text.rfind("Line\tProject:\tIdentification:", 0), 0u) << text;
    EXPECT_NE(text.find("\n5\t"), std::string::npos) << text; // C3's line, then its cells

    emit page->table()->doubleClicked(shown->index(0, 0));
    EXPECT_EQ(dc.identification, "C3");
    EXPECT_EQ(window->caseList()->currentText(), QStringLiteral("C3"));

    ASSERT_TRUE(window->openBatchFile(writeSmallFile()));
    EXPECT_TRUE(window->outputFileText().isEmpty());
    EXPECT_EQ(rows->rowCount(), 0);
}

// A flat bar 200x9 has hw/tw = 22.2 over its limit 0.4·sqrt(E/Fy) = 11.8: the case fails its web
// proportions whatever its utilisations, and the page says so as every other output does: the
// row is marked, "Failing only" and the proportions filter show it, and the last column names
// the rule.
TEST_F(BatchWindowTest, AFailedProportionRuleMarksTheRowAndIsNamed) {
    const QString input =
        write(QStringLiteral("flat.kori"), {caseLine("FLAT", {{13, "FB"}, {14, "200x9"}}), caseLine("C2"), "End"});
    ASSERT_TRUE(window->openBatchFile(input));
    ASSERT_TRUE(window->saveResults());
    BatchResultsModel* rows = window->resultsPage()->model();
    BatchResultsFilter* shown = window->resultsPage()->filter();
    ASSERT_EQ(rows->rowCount(), 2);
    EXPECT_TRUE(rows->failedOf(0).test(webProportionsRule));
    EXPECT_EQ(rows->verdictOf(0), Verdict::nok);
    const int last = rows->columnCount() - 1;
    EXPECT_EQ(rows->headerData(last, Qt::Horizontal).toString(),
              QString::fromLatin1(BatchResultsModel::failedChecksHeading));
    EXPECT_TRUE(rows->index(0, last).data().toString().contains(QStringLiteral("web proportions")));
    EXPECT_TRUE(rows->index(0, 1).data(Qt::BackgroundRole).isValid());
    shown->setCheck(static_cast<int>(webProportionsRule));
    ASSERT_EQ(shown->rowCount(), 1);
    EXPECT_EQ(shown->index(0, 1).data().toString(), QStringLiteral("FLAT"));
    shown->setCheck(-1);
    shown->setFailingOnly(true);
    EXPECT_EQ(shown->rowCount(), (rows->verdictOf(1) == Verdict::ok ? 1 : 2));
    // The file keeps its 44 columns; the last column is the page's own.
    std::istringstream table(readAll(folder.filePath(QStringLiteral("flat.koro"))));
    std::string header;
    std::getline(table, header);
    EXPECT_EQ(std::count(header.begin(), header.end(), '\t'), 43);
}

TEST_F(BatchWindowTest, ResultsTableHasHeaderCommentsAndOneLinePerCase) {
    ASSERT_TRUE(window->openBatchFile(writeSmallFile()));
    ASSERT_TRUE(window->saveResults());
    std::istringstream table(readAll(folder.filePath(QStringLiteral("cases.koro"))));
    std::vector<std::string> lines;
    for (std::string line; std::getline(table, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].rfind("Project:\tIdentification:\t", 0), 0u);
    EXPECT_EQ(lines[1], "%Deck panels\r");
    EXPECT_EQ(lines[4], "%Bulkhead\r");
    for (int i : {2, 3, 5}) {
        const auto tabs =
            std::count(lines[static_cast<std::size_t>(i)].begin(), lines[static_cast<std::size_t>(i)].end(), '\t');
        EXPECT_EQ(tabs, 43) << "line " << i;
    }
    EXPECT_EQ(lines[3].rfind("Project\tC2\tA\t1.43\t0.60\t235/400\t235/400\t2.06E+5\tTank bulkhead\t-\t", 0), 0u);
}

TEST_F(BatchWindowTest, AFaultyFileIsReportedWithItsLineAndTheListStays) {
    ASSERT_TRUE(window->openBatchFile(writeSmallFile()));
    const QStringList before = items();
    const std::size_t entriesBefore = state.list.entries.size();
    const std::string fileBefore = state.currentFile;

    std::string shortLine = caseLine("S");
    shortLine.erase(shortLine.rfind('\t'));
    struct Row {
        const char* name;
        std::vector<std::string> lines;
        const char* expectLine; // text the message must hold
    };
    const Row rows[] = {
        {"few.kori", {"%ok", caseLine("A"), shortLine, "End"}, "line 3"},
        {"noend.kori", {caseLine("A"), caseLine("B")}, "line 3"},
        {"capitalx.kori", {"%ok", caseLine("A", {{14, "200X90X9X12"}})}, "line 2"},
        {"code.kori", {caseLine("A"), caseLine("B"), caseLine("C"), caseLine("D", {{10, "7"}}), "End"}, "line 4"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        messages.seen.clear();
        const int shownBefore = shown;
        const QString path = write(QString::fromLatin1(row.name), row.lines);
        EXPECT_FALSE(window->openBatchFile(path));
        ASSERT_EQ(messages.seen.size(), 1u);
        EXPECT_NE(messages.seen[0].find("can't read file - " + path.toStdString()), std::string::npos)
            << messages.seen[0];
        EXPECT_NE(messages.seen[0].find(row.expectLine), std::string::npos) << messages.seen[0];
        EXPECT_EQ(items(), before);
        EXPECT_EQ(state.list.entries.size(), entriesBefore);
        EXPECT_EQ(state.currentFile, fileBefore);
        EXPECT_EQ(shown, shownBefore);
    }

    messages.seen.clear();
    const QString missing = folder.filePath(QStringLiteral("missing.kori"));
    EXPECT_FALSE(window->openBatchFile(missing));
    EXPECT_EQ(messages.seen, std::vector<std::string>{"can't find file - " + missing.toStdString()});
    EXPECT_EQ(items(), before);
}

TEST_F(BatchWindowTest, GeometryWarningsOfAResultsRunComeAsOneSummary) {
    // s1 = 3500 exceeds both L1 = 3000 and L2 = 2500: two warnings per case.
    std::vector<std::string> lines{"%wide plates"};
    for (int i = 1; i <= 50; ++i) lines.push_back(caseLine("W" + std::to_string(i), {{23, "3500"}}));
    lines.push_back(caseLine("fine"));
    lines.push_back("End");
    const QString path = write(QStringLiteral("wide.kori"), lines);

    ASSERT_TRUE(window->openBatchFile(path));
    // Showing one case gives its two warnings together, after the owner shows the case.
    ASSERT_EQ(messages.seen.size(), 1u);
    EXPECT_EQ(messages.seen[0], " s1 <= L1  \n s1 <= L2  ");

    messages.seen.clear();
    ASSERT_TRUE(window->saveResults());
    ASSERT_EQ(messages.seen.size(), 1u);
    const std::string& summary = messages.seen[0];
    EXPECT_NE(summary.find("Results of 51 cases written to " + folder.filePath("wide.koro").toStdString()),
              std::string::npos)
        << summary;
    EXPECT_NE(summary.find("Warnings in 50 of 51 cases:"), std::string::npos) << summary;
    EXPECT_NE(summary.find("line 2 (W1):  s1 <= L1  ;  s1 <= L2  "), std::string::npos) << summary;
    EXPECT_NE(summary.find("... and 38 more"), std::string::npos) << summary;
    EXPECT_EQ(summary.find("Calculation stopped"), std::string::npos) << summary;
}

TEST_F(BatchWindowTest, StoppedCalculationsAreSummarisedWithTheirReason) {
    // t = 0 divides by zero in the plate check.
    const QString path = write(QStringLiteral("stop.kori"), {caseLine("ok"), caseLine("thin", {{22, "0"}}), "End"});
    ASSERT_TRUE(window->openBatchFile(path));
    ASSERT_TRUE(window->saveResults());
    ASSERT_EQ(messages.seen.size(), 1u);
    EXPECT_NE(messages.seen[0].find("Calculation stopped in 1 of 2 cases:\n  line 2 (thin): Calculation stopped in "),
              std::string::npos)
        << messages.seen[0];
}

TEST_F(BatchWindowTest, OpenCommandAsksForAKoriFileAndCancelChangesNothing) {
    state.lastFolder = folder.path().toStdString() + "/";
    window->openDatabaseFile(); // the fake dialog answers "cancel"
    ASSERT_TRUE(dialogs.asked.has_value());
    EXPECT_EQ(dialogs.asked->filter, "*.kori");
    EXPECT_EQ(dialogs.asked->defaultExtension, "kori");
    EXPECT_EQ(dialogs.asked->initialName, "*.kori");
    EXPECT_EQ(dialogs.asked->initialFolder, state.lastFolder);
    EXPECT_EQ(items(), QStringList{QStringLiteral(" ")});
    EXPECT_TRUE(messages.seen.empty());
    EXPECT_EQ(shown, 0);

    const QString path = writeSmallFile();
    dialogs.answer = FileChoice{path.toStdString(), folder.path().toStdString() + "/"};
    window->openDatabaseFile();
    EXPECT_EQ(items().size(), 5);
    EXPECT_EQ(dc.identification, "C1");
}

TEST_F(BatchWindowTest, SavingWithoutAnyBatchFileSaysSo) {
    EXPECT_FALSE(window->saveResults());
    ASSERT_EQ(messages.seen.size(), 1u);
    EXPECT_NE(messages.seen[0].find("No batch file has been read"), std::string::npos);
}

TEST_F(BatchWindowTest, SavingBeforeOpeningWritesTheStartupFileAgain) {
    const QString dummy = write(QStringLiteral("dummy.kori"), {"%start", caseLine("D1"), caseLine("D2"), "End"});
    RecordingWarnings warnings;
    const std::filesystem::path programFolder = QFile::encodeName(folder.path()).toStdString();
    state =
        startupBatchState(runStartupBatch(programFolder, dc, catalogue, DecimalMode::period, warnings), programFolder);
    EXPECT_EQ(state.currentFile, dummy.toStdString());
    QFile::remove(folder.filePath(QStringLiteral("dummy.koro")));

    window->restart();
    EXPECT_EQ(window->inputFileText(), dummy);
    ASSERT_TRUE(window->saveResults());
    EXPECT_EQ(readAll(folder.filePath(QStringLiteral("dummy.koro"))), coreResults(state.list));
    EXPECT_EQ(dc.identification, "D2");
}

// Installed, the start-up file lies in the read-only program folder: its results go to the
// user's folder, at start-up and when saved again; another batch file's results go beside it.
TEST_F(BatchWindowTest, AnInstalledStartupRunIsSavedIntoTheUsersFolder) {
    const QString dummy = write(QStringLiteral("dummy.kori"), {"%start", caseLine("D1"), "End"});
    const QString user = folder.filePath(QStringLiteral("user"));
    ASSERT_TRUE(QDir().mkpath(user));
    RecordingWarnings warnings;
    const std::filesystem::path programFolder = QFile::encodeName(folder.path()).toStdString();
    const std::filesystem::path userFolder = QFile::encodeName(user).toStdString();
    state = startupBatchState(runStartupBatch(programFolder, dc, catalogue, DecimalMode::period, warnings, userFolder),
                              programFolder, userFolder, "/documents/");
    EXPECT_EQ(state.currentFile, dummy.toStdString());
    EXPECT_EQ(state.lastFolder, "/documents/");
    EXPECT_TRUE(QFile::exists(user + QStringLiteral("/dummy.koro")));
    QFile::remove(user + QStringLiteral("/dummy.koro"));

    window->restart();
    ASSERT_TRUE(window->saveResults());
    EXPECT_EQ(readAll(user + QStringLiteral("/dummy.koro")), coreResults(state.list));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("dummy.koro"))));

    ASSERT_TRUE(window->openBatchFile(writeSmallFile()));
    ASSERT_TRUE(window->saveResults());
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("cases.koro"))));
}

TEST_F(BatchWindowTest, TenThousandCasesAreWrittenInChunksWithoutMessages) {
    std::vector<std::string> lines{"%large run"};
    for (int i = 0; i < maxBatchEntries - 1; ++i)
        lines.push_back(caseLine("N" + std::to_string(i), {{17, std::to_string(2500 + i % 700)}}));
    lines.push_back("End");
    ASSERT_TRUE(window->openBatchFile(write(QStringLiteral("large.kori"), lines)));
    EXPECT_EQ(window->caseList()->count(), maxBatchEntries);

    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(window->saveResults());
    RecordProperty("seconds_for_10001_entries", std::to_string(static_cast<double>(clock.elapsed()) / 1000.0));
    EXPECT_EQ(readAll(folder.filePath(QStringLiteral("large.koro"))), coreResults(state.list));
    EXPECT_TRUE(messages.seen.empty());
    EXPECT_EQ(dc.identification, "N9999");
}

TEST_F(BatchWindowTest, CancellingALongRunWritesNothingAndKeepsTheCaseShown) {
    std::vector<std::string> lines;
    for (int i = 0; i < 2000; ++i) lines.push_back(caseLine("L" + std::to_string(i)));
    lines.push_back("End");
    ASSERT_TRUE(window->openBatchFile(write(QStringLiteral("long.kori"), lines)));
    emit window->caseList()->activated(7);
    ASSERT_EQ(dc.identification, "L7");

    // The progress dialog is asked to cancel as soon as the run first looks at the event queue.
    QTimer::singleShot(0, window.get(), [this] {
        if (auto* progress = window->findChild<QProgressDialog*>()) progress->cancel();
    });
    EXPECT_FALSE(window->saveResults());
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("long.koro"))));
    EXPECT_EQ(dc.identification, "L7");
    EXPECT_TRUE(window->outputFileText().isEmpty());
    EXPECT_TRUE(messages.seen.empty());
}

TEST_F(BatchWindowTest, CancellingKeepsTheTableOfAnEarlierRunAndLeavesNoTemporaryFile) {
    std::vector<std::string> lines;
    for (int i = 0; i < 1000; ++i) lines.push_back(caseLine("K" + std::to_string(i)));
    lines.push_back("End");
    ASSERT_TRUE(window->openBatchFile(write(QStringLiteral("kept.kori"), lines)));
    const std::string earlier = "the table of an earlier run\r\n";
    std::ofstream(QFile::encodeName(folder.filePath(QStringLiteral("kept.koro"))).toStdString(), std::ios::binary)
        << earlier;

    // Cancelled at the second look at the event queue, after 500 of the 1000 entries.
    std::function<void()> cancelAfter500 = [&] {
        auto* progress = window->findChild<QProgressDialog*>();
        if (progress && progress->value() >= 500)
            progress->cancel();
        else
            QTimer::singleShot(0, window.get(), cancelAfter500);
    };
    QTimer::singleShot(0, window.get(), cancelAfter500);
    EXPECT_FALSE(window->saveResults());
    EXPECT_EQ(readAll(folder.filePath(QStringLiteral("kept.koro"))), earlier);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({QStringLiteral("kept.kori"), QStringLiteral("kept.koro")}));
    EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("Cancelled: no results written"));
    EXPECT_EQ(dc.identification, "K0");
    EXPECT_TRUE(messages.seen.empty());
}

// An empty results table says how it is filled.
TEST_F(BatchWindowTest, AnEmptyResultsTableSaysHowToFillIt) {
    EXPECT_EQ(window->resultsPage()->findChild<QLabel*>(QStringLiteral("resultsCount"))->text(),
              QStringLiteral("Run Save Result to File to fill this table"));
    ASSERT_TRUE(window->openBatchFile(writeSmallFile()));
    ASSERT_TRUE(window->saveResults());
    EXPECT_EQ(window->resultsPage()->findChild<QLabel*>(QStringLiteral("resultsCount"))->text(),
              QStringLiteral("3 of 3 cases shown"));
    EXPECT_TRUE(
        window->statusBar()->currentMessage().startsWith(QStringLiteral("Done: the main window shows case 3; ")))
        << window->statusBar()->currentMessage().toStdString();
}

// Export all to PDF ends with the file's name in the status line.
TEST_F(BatchWindowTest, ExportAllEndsWithTheFileInTheStatusLine) {
    ASSERT_TRUE(window->openBatchFile(writeSmallFile()));
    const QString pdf = folder.filePath(QStringLiteral("all.pdf"));
    dialogs.saveAnswer = FileChoice{pdf.toStdString(), folder.path().toStdString()};
    auto* exportAll = window->findChild<QAction*>(QStringLiteral("exportAllPdfAction"));
    ASSERT_NE(exportAll, nullptr);
    exportAll->trigger();
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("The report of 3 cases is in ") + pdf);
    EXPECT_TRUE(messages.seen.empty());
}

// Alt and a letter reach one control of the window: a menu of the bar or a control of the page
// shown, never both; every entry of the File menu has its key.
TEST_F(BatchWindowTest, AccessKeysOfTheMenusAndTheResultsPageDoNotClash) {
    const auto keyOf = [](const QString& text) {
        const qsizetype at = text.indexOf(QLatin1Char('&'));
        return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toLower() : QChar();
    };
    std::map<QChar, QStringList> uses;
    for (QAction* top : window->menuBar()->actions()) {
        uses[keyOf(top->text())].append(top->text());
        for (QAction* entry : top->menu()->actions()) {
            if (!entry->isSeparator()) {
                EXPECT_FALSE(keyOf(entry->text()).isNull()) << entry->text().toStdString();
            }
        }
    }
    for (QAbstractButton* control : window->resultsPage()->findChildren<QAbstractButton*>())
        if (!keyOf(control->text()).isNull()) uses[keyOf(control->text())].append(control->text());
    for (QLabel* label : window->resultsPage()->findChildren<QLabel*>())
        if (label->buddy() != nullptr && !keyOf(label->text()).isNull())
            uses[keyOf(label->text())].append(label->text());
    for (const auto& [key, texts] : uses) EXPECT_EQ(texts.size(), 1) << texts.join(QStringLiteral(", ")).toStdString();
}

TEST(BatchRunSummary, NothingToTellGivesNoMessage) {
    BatchRunNotes notes;
    notes.cases = 3;
    EXPECT_EQ(batchRunSummary(notes, "out.koro"), "");
    notes.warned.push_back({4, "X", {" s2 <= l1  "}});
    EXPECT_EQ(batchRunSummary(notes, "out.koro"),
              "Results of 3 cases written to out.koro.\n\nWarnings in 1 of 3 cases:\n  line 4 (X):  s2 <= l1  ");
}

// The status line's time is composed with the window's separator; its counts and names have none.
TEST(BatchRunStatus, TheTimeIsWrittenWithTheWindowsSeparator) {
    BatchRunNotes notes;
    notes.failed.cases = 1;
    notes.failed.nok = 1;
    notes.failed.byCheck[0] = 1;
    const std::string period = batchRunStatus(notes, 52, 0.125);
    EXPECT_EQ(period.substr(0, 28), "52 entries written in 0.13 s");
    std::string comma = period;
    comma.replace(comma.find("0.13"), 4, "0,13");
    EXPECT_EQ(batchRunStatus(notes, 52, 0.125, ','), comma);
}

} // namespace
} // namespace korvel
