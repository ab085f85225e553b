// The report of a whole batch: korvel --pdf --batch as the user runs it, read back with pdftotext;
// the batch window's "Export all to PDF…"; a cancelled export.

#include "design/tab_cells.h"
#include "support/program_run.h"
#include "support/qt_application.h"
#include "support/test_catalogue.h"
#include "ui/batch_report_pdf.h"
#include "ui/batch_window.h"

#include <QAction>
#include <QDateTime>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <regex>
#include <sstream>

namespace korvel {
namespace {

const fs::path korvel = fs::path(KORVEL_PROGRAM_DIR) / "korvel";
const fs::path referenceCases = fs::path(KORVEL_TEST_DATA_DIR) / "reference" / "cases.kori";

// A program of the PATH (pdftotext comes with poppler-utils).
fs::path onPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':'))
        if (fs::exists(fs::path(folder) / name)) return fs::path(folder) / name;
    return {};
}

// The text of each page.
std::vector<std::string> pageTexts(const TempFolder& folder, const std::string& pdf) {
    const fs::path pdftotext = onPath("pdftotext");
    if (pdftotext.empty()) {
        ADD_FAILURE() << "pdftotext is not installed (poppler-utils)";
        return {};
    }
    const ProgramRun run = runProgram(pdftotext, folder, {pdf, folder.file("pages.txt")});
    EXPECT_EQ(0, run.status) << run.err;
    std::vector<std::string> pages;
    std::istringstream text(readAll(folder.file("pages.txt")));
    std::string page;
    while (std::getline(text, page, '\f')) pages.push_back(page);
    if (!pages.empty() && pages.back().find_first_not_of("\n ") == std::string::npos) pages.pop_back();
    return pages;
}

// The first `n` case lines of the reference cases with their identifications.
std::string firstCases(int n, std::vector<std::string>& identifications) {
    std::istringstream in(readAll(referenceCases));
    std::string line;
    std::string text;
    while (n > 0 && std::getline(in, line)) {
        if (line.empty() || line.find_first_not_of(' ') == std::string::npos ||
            line[line.find_first_not_of(' ')] == '%')
            continue;
        const std::size_t tab = line.find('\t');
        identifications.push_back(line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1));
        text += line + "\n";
        --n;
    }
    return text + "End\n";
}

class BatchReportPdf : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(fs::exists(korvel)) << korvel << " is not built"; }
    TempFolder folder;
};

TEST_F(BatchReportPdf, TenCasesGiveASummaryAndOnePagePerCase) {
    std::vector<std::string> ids;
    folder.write("ten.kori", firstCases(10, ids));
    ASSERT_EQ(10u, ids.size());
    const ProgramRun run =
        runProgram(korvel, folder, {"--pdf", folder.file("ten.pdf"), "--batch", folder.file("ten.kori")});
    ASSERT_EQ(0, run.status) << run.err;
    const std::vector<std::string> pages = pageTexts(folder, folder.file("ten.pdf"));
    ASSERT_EQ(11u, pages.size());
    for (std::size_t k = 0; k < pages.size(); ++k) {
        SCOPED_TRACE("page " + std::to_string(k + 1));
        EXPECT_NE(std::string::npos, pages[k].find("Page " + std::to_string(k + 1) + " of 11"));
        EXPECT_NE(std::string::npos, pages[k].find("Made with KORVEL ")) << "provenance at the foot";
        for (std::size_t c = 0; c < ids.size(); ++c) {
            const bool shown = pages[k].find("Identification: " + ids[c] + "\n") != std::string::npos;
            EXPECT_EQ(k == c + 1, shown) << ids[c];
            if (k == 0) {
                EXPECT_NE(std::string::npos, pages[0].find(ids[c])) << "summary row of " << ids[c];
            }
        }
    }
}

TEST_F(BatchReportPdf, ChosenCasesAndWrongChoices) {
    std::vector<std::string> ids;
    folder.write("ten.kori", firstCases(10, ids));
    const ProgramRun run = runProgram(
        korvel, folder,
        {"--pdf", folder.file("some.pdf"), "--batch", folder.file("ten.kori"), "--cases", "2,4-5", "--selection", "1"});
    ASSERT_EQ(0, run.status) << run.err;
    const std::vector<std::string> pages = pageTexts(folder, folder.file("some.pdf"));
    ASSERT_EQ(4u, pages.size());
    EXPECT_NE(std::string::npos, pages[1].find("Identification: " + ids[1]));
    EXPECT_NE(std::string::npos, pages[3].find("Identification: " + ids[4]));
    EXPECT_EQ(std::string::npos, pages[1].find("PLATE SCANTLING")) << "selection 1: buckling only";

    const ProgramRun wrong = runProgram(
        korvel, folder, {"--pdf", folder.file("x.pdf"), "--batch", folder.file("ten.kori"), "--cases", "9-11"});
    EXPECT_EQ(2, wrong.status);
    EXPECT_NE(std::string::npos, wrong.err.find("case 11 is not in the file, which has 10 cases")) << wrong.err;
    EXPECT_FALSE(fs::exists(folder.file("x.pdf")));
    const ProgramRun alone = runProgram(korvel, folder, {"--cases", "1"});
    EXPECT_EQ(2, alone.status) << "--cases without --pdf";
}

// The first `n` reference cases as load cases of panels: case k (from 0) is "P1/LCk+1" for the
// first `firstPanel` cases, then "P2/LCk+1".
std::string panelCases(int n, int firstPanel) {
    std::vector<std::string> ids;
    std::istringstream in(firstCases(n, ids));
    std::string text;
    int k = 0;
    for (std::string line; std::getline(in, line);) {
        const std::size_t tab = line.find('\t');
        if (tab != std::string::npos) {
            const std::size_t end = line.find('\t', tab + 1);
            line.replace(tab + 1, end - tab - 1, (k < firstPanel ? "P1/LC" : "P2/LC") + std::to_string(k + 1));
            ++k;
        }
        text += line + "\n";
    }
    return text;
}

// With --envelope a page per panel (two for the panel of nine load cases: eight across a page)
// follows the summary, before the case pages; each shows its panel and the highest value of every
// check that korvel-batch --envelope writes for it.
TEST_F(BatchReportPdf, EnvelopePagesFollowTheSummaryWithTheEnvelopeTablesNumbers) {
    folder.write("panels.kori", panelCases(11, 9));
    const ProgramRun run = runProgram(
        korvel, folder, {"--pdf", folder.file("env.pdf"), "--batch", folder.file("panels.kori"), "--envelope"});
    ASSERT_EQ(0, run.status) << run.err;
    const std::vector<std::string> pages = pageTexts(folder, folder.file("env.pdf"));
    ASSERT_EQ(1u + 2u + 1u + 11u, pages.size());
    for (std::size_t k = 0; k < pages.size(); ++k)
        EXPECT_NE(std::string::npos, pages[k].find("Page " + std::to_string(k + 1) + " of 15")) << k;

    const fs::path batch = fs::path(KORVEL_PROGRAM_DIR) / "korvel-batch";
    const ProgramRun table = runProgram(
        batch, folder,
        {folder.file("panels.kori"), "-o", folder.file("panels.koro"), "--envelope", folder.file("envelope.tsv")});
    ASSERT_EQ(0, table.status) << table.err;
    std::istringstream rows(readAll(folder.file("envelope.tsv")));
    std::string line;
    std::getline(rows, line);
    const std::vector<std::string> headings = tabCells(line);
    const std::map<std::string, std::string> pageOf = {{"P1", pages[1] + pages[2]}, {"P2", pages[3]}};
    int panels = 0;
    while (std::getline(rows, line)) {
        const std::vector<std::string> cells = tabCells(line);
        ASSERT_EQ(headings.size(), cells.size());
        const std::string& page = pageOf.at(cells[1]);
        ++panels;
        EXPECT_NE(std::string::npos, page.find("envelope of panel " + cells[1])) << page;
        // Each check's highest value beside its load case in the envelope column.
        for (std::size_t c = 7; c + 1 < headings.size() - 2; c += 2) {
            if (!cells[c].empty()) {
                EXPECT_NE(std::string::npos, page.find(cells[c] + " " + cells[c + 1])) << headings[c] << "\n" << page;
            }
        }
        EXPECT_NE(std::string::npos, page.find("verdict " + cells[3])) << page;
    }
    EXPECT_EQ(2, panels);
    for (std::size_t k = 4; k < pages.size(); ++k)
        EXPECT_NE(std::string::npos, pages[k].find("Identification: P")) << "case pages after the panels";

    const ProgramRun plain =
        runProgram(korvel, folder, {"--pdf", folder.file("plain.pdf"), "--batch", folder.file("panels.kori")});
    ASSERT_EQ(0, plain.status) << plain.err;
    EXPECT_EQ(12u, pageTexts(folder, folder.file("plain.pdf")).size()) << "no envelope pages unless asked";
    const ProgramRun alone = runProgram(korvel, folder, {"--pdf", folder.file("x.pdf"), "--envelope"});
    EXPECT_EQ(2, alone.status);
    EXPECT_NE(std::string::npos, alone.err.find("--envelope goes with --batch")) << alone.err;
}

class SaveTo final : public FileDialogs {
public:
    explicit SaveTo(std::string path) : path_(std::move(path)) {}
    std::optional<FileChoice> chooseFileToOpen(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<FileChoice> chooseFileToSave(const FileDialogRequest& request) override {
        asked = request;
        return FileChoice{path_, {}};
    }
    std::optional<FileDialogRequest> asked;

private:
    std::string path_;
};

class NoMessages final : public UserMessages {
public:
    void warning(const std::string& text) override { seen.push_back(text); }
    std::vector<std::string> seen;
};

TEST_F(BatchReportPdf, TheBatchWindowExportsEveryCase) {
    std::vector<std::string> ids;
    folder.write("three.kori", firstCases(3, ids));
    const Catalogue catalogue = testCatalogue();
    DesignCase dc;
    BatchState state;
    BatchWindow window(nullptr, dc, catalogue, DecimalMode::period, state, [] {});
    SaveTo dialogs(folder.file("all.pdf"));
    NoMessages messages;
    window.setFileDialogs(&dialogs);
    window.setMessages(&messages);
    auto* exportAll = window.findChild<QAction*>(QStringLiteral("exportAllPdfAction"));
    ASSERT_NE(nullptr, exportAll);
    EXPECT_EQ(QStringLiteral("&Export all to PDF\u2026"), exportAll->text());
    ASSERT_NE(nullptr, window.findChild<QAction*>(QStringLiteral("printAllCasesAction")));

    exportAll->trigger();
    EXPECT_EQ(1u, messages.seen.size()) << "no batch file read yet";
    ASSERT_TRUE(window.openBatchFile(QString::fromStdString(folder.file("three.kori"))));
    const DesignCase shown = dc;
    exportAll->trigger();
    ASSERT_TRUE(dialogs.asked);
    EXPECT_EQ("three.pdf", dialogs.asked->initialName);
    const std::string pdf = readAll(folder.file("all.pdf"));
    EXPECT_EQ(0u, pdf.find("%PDF"));
    EXPECT_NE(std::string::npos, pdf.find("/Count 4")) << "a summary page and three case pages";
    EXPECT_TRUE(static_cast<const CaseInputs&>(shown) == dc) << "the case shown stays";
}

// Cancelling leaves the file that was there and no temporary file beside it.
TEST_F(BatchReportPdf, ACancelledExportKeepsThePreviousFile) {
    std::vector<std::string> ids;
    folder.write("three.kori", firstCases(3, ids));
    folder.write("kept.pdf", "previous report");
    const Catalogue catalogue = testCatalogue();
    const BatchRead read = readBatchFile(folder.file("three.kori"), DecimalMode::period, catalogue);
    ASSERT_TRUE(std::holds_alternative<BatchList>(read));
    for (const int stopAt : {1, 5}) {
        int steps = 0;
        const BatchReportWritten written =
            writeBatchReportPdf(QString::fromStdString(folder.file("kept.pdf")), std::get<BatchList>(read), catalogue,
                                BatchReportRequest{}, [&](int, int) { return ++steps < stopAt; });
        EXPECT_EQ(BatchReportEnd::cancelled, written.end) << stopAt;
        EXPECT_EQ("previous report", readAll(folder.file("kept.pdf")));
    }
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.path())) ++files;
    EXPECT_EQ(2, files) << "three.kori and kept.pdf only";
}

} // namespace
} // namespace korvel

namespace korvel {
namespace {

// In comma mode the numbers of the summary and of the case pages are written with the comma, as
// on the one-case report; the foot's version and file names keep their periods.
TEST_F(BatchReportPdf, CommaModeWritesTheCommaOnEveryPage) {
    std::vector<std::string> ids;
    folder.write("one.kori", firstCases(1, ids));
    const Catalogue catalogue = testCatalogue();
    const BatchRead read = readBatchFile(folder.file("one.kori"), DecimalMode::period, catalogue);
    ASSERT_TRUE(std::holds_alternative<BatchList>(read));
    BatchReportRequest request;
    request.separator = ',';
    const BatchReportWritten written = writeBatchReportPdf(QString::fromStdString(folder.file("one.pdf")),
                                                           std::get<BatchList>(read), catalogue, request);
    ASSERT_EQ(BatchReportEnd::done, written.end);
    const std::vector<std::string> pages = pageTexts(folder, folder.file("one.pdf"));
    ASSERT_EQ(2u, pages.size());
    EXPECT_TRUE(std::regex_search(pages[0], std::regex(R"(\b\d,\d\d\b)"))) << "the highest utilisation";
    EXPECT_TRUE(std::regex_search(pages[1], std::regex(R"(F\.S = \d+,\d+)"))) << pages[1];
    EXPECT_FALSE(std::regex_search(pages[1], std::regex(R"(F\.S = \d+\.\d+)")));
}

// The instant a PDF's CreationDate names: "D:YYYYMMDDHHmmSS" and "Z" or an offset "+HH'mm'".
QDateTime creationDate(const std::string& pdf) {
    std::smatch m;
    if (!std::regex_search(pdf, m, std::regex(R"(/CreationDate \(D:(\d{14})(Z|([+-])(\d\d)'(\d\d)')\))"))) return {};
    QDateTime local = QDateTime::fromString(QString::fromStdString(m[1].str()), QStringLiteral("yyyyMMddHHmmss"));
    local.setTimeSpec(Qt::UTC);
    if (m[2].str() == "Z") return local;
    const int offset = (std::stoi(m[4].str()) * 60 + std::stoi(m[5].str())) * 60 * (m[3].str() == "-" ? -1 : 1);
    return local.addSecs(-offset);
}

// The PDF is dated with the report's own time: SOURCE_DATE_EPOCH for a reproducible run, as the
// pages and the provenance at their foot.
TEST_F(BatchReportPdf, CreationDateIsTheReportsTime) {
    std::vector<std::string> ids;
    folder.write("one.kori", firstCases(1, ids));
    const QDateTime newYear(QDate(2027, 1, 1), QTime(0, 0), Qt::UTC);

    const Catalogue catalogue = testCatalogue();
    const BatchRead read = readBatchFile(folder.file("one.kori"), DecimalMode::period, catalogue);
    ASSERT_TRUE(std::holds_alternative<BatchList>(read));
    BatchReportRequest request;
    request.provenance.dateTime = "2027-01-01T00:00:00Z";
    ASSERT_EQ(BatchReportEnd::done, writeBatchReportPdf(QString::fromStdString(folder.file("one.pdf")),
                                                        std::get<BatchList>(read), catalogue, request)
                                        .end);
    EXPECT_EQ(newYear, creationDate(readAll(folder.file("one.pdf"))));

    ASSERT_EQ(0, setenv("SOURCE_DATE_EPOCH", "1798761600", 1));
    const ProgramRun run =
        runProgram(korvel, folder, {"--pdf", folder.file("two.pdf"), "--batch", folder.file("one.kori")});
    unsetenv("SOURCE_DATE_EPOCH");
    ASSERT_EQ(0, run.status) << run.err;
    EXPECT_EQ(newYear, creationDate(readAll(folder.file("two.pdf"))));
}

} // namespace
} // namespace korvel
