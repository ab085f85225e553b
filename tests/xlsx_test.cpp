// The results workbook, opened for real: LibreOffice turns its sheets back into text, and every
// cell of the results table reads as the table wrote it; the summary's figures are numbers; a
// target that cannot be written is refused and leaves nothing behind.

#include "xlsx/results_workbook.h"

#include "files/batch_results_table.h"
#include "files/batch_run.h"
#include "support/program_run.h"
#include "support/reference_cases.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <sys/stat.h>

namespace korvel {
namespace {

std::vector<std::string> cellsOf(std::string line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (std::size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
        cells.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    cells.push_back(line.substr(start));
    // A sheet's row runs to the widest row; the quotes of a text cell are the export's.
    for (std::string& c : cells)
        if (c.size() >= 2 && c.front() == '"' && c.back() == '"') c = c.substr(1, c.size() - 2);
    while (!cells.empty() && cells.back().empty()) cells.pop_back();
    return cells;
}

// Each sheet of `workbook` as TAB-separated text, as LibreOffice shows its cells.
std::vector<std::string> sheetsAsText(const TempFolder& folder, const std::string& workbook,
                                      const std::vector<std::string>& sheets) {
    const ProgramRun run =
        runProgram("/usr/bin/soffice", folder,
                   {"-env:UserInstallation=file://" + folder.file("profile"), "--headless", "--convert-to",
                    "csv:Text - txt - csv (StarCalc):9,34,76,1,,0,false,true,true,false,false,-1", "--outdir",
                    folder.file("csv"), workbook});
    EXPECT_EQ(run.status, 0) << run.err;
    std::vector<std::string> texts;
    const std::string stem = fs::path(workbook).stem().string();
    for (const std::string& sheet : sheets) texts.push_back(readAll(folder.file("csv/" + stem + "-" + sheet + ".csv")));
    return texts;
}

TEST(ResultsWorkbook, LibreOfficeReadsEveryCellAsTheTableWroteIt) {
    const Catalogue tables = referenceTables();
    const BatchList list = referenceCases(tables);
    DesignCase dc;
    IgnoreWarnings quiet;
    const std::string table = runBatch(list, dc, tables, quiet).text;
    std::istringstream lines(table);
    std::string line;
    std::getline(lines, line);
    const std::vector<std::string> header = cellsOf(line);
    std::vector<bool> utilisation(header.size(), false);
    for (std::size_t c = static_cast<std::size_t>(batchResultsInputColumns()); c < header.size(); ++c)
        utilisation[c] = true;

    TempFolder folder;
    const std::string target = folder.file("results.xlsx");
    {
        ResultsWorkbook workbook(target, {"KORVEL results", "1.9", "bfprof.dat 0123", "2026-12-08T10:00:00Z", 0},
                                 header, utilisation);
        ASSERT_TRUE(workbook.ok()) << workbook.failure();
        while (std::getline(lines, line)) workbook.addRow(line);
        workbook.setSummary({{"cases", "135"}, {"highest utilisation", "17.29"}, {"highest check", "UFpb"}});
        workbook.setEnvelope("project\tpanel\tcases\tverdict\thighest\tUFpb\tUFpb case",
                             {"Deck\tP1\t2\tNOK\t1.25\t1.25\tstorm"});
        const std::optional<std::string> failed = workbook.finish();
        ASSERT_FALSE(failed) << *failed;
    }
    const std::vector<std::string> sheets = sheetsAsText(folder, target, {"Results", "Summary", "Envelope"});
    std::istringstream expected(table), shown(sheets[0]);
    std::string want, got;
    int rows = 0;
    while (std::getline(expected, want)) {
        ASSERT_TRUE(std::getline(shown, got)) << "row " << rows;
        EXPECT_EQ(cellsOf(want), cellsOf(got)) << "row " << rows;
        ++rows;
    }
    EXPECT_FALSE(std::getline(shown, got));
    EXPECT_EQ(rows, list.entries.size() + 1);
    EXPECT_NE(sheets[1].find("cases\t135\n"), std::string::npos) << sheets[1];
    EXPECT_NE(sheets[1].find("highest utilisation\t17.29\n"), std::string::npos) << sheets[1];
    EXPECT_NE(sheets[2].find("Deck\tP1\t2\tNOK\t1.25\t1.25\tstorm"), std::string::npos) << sheets[2];
}

TEST(ResultsWorkbook, AnUnwritableTargetIsRefusedAndLeavesNothing) {
    TempFolder folder;
    fs::create_directories(folder.file("locked"));
    chmod(folder.file("locked").c_str(), 0555);
    const std::string target = folder.file("locked/results.xlsx");
    ResultsWorkbook workbook(target, {}, {"Project:", "UFpb"}, {false, true});
    workbook.addRow("P\t0.50\r\n");
    const std::optional<std::string> failed = workbook.finish();
    chmod(folder.file("locked").c_str(), 0755);
    // As root the folder's mode does not stop the write: then the workbook is simply there.
    if (geteuid() != 0) {
        ASSERT_TRUE(failed);
        EXPECT_FALSE(fs::exists(target));
    }
    const std::optional<std::string> noFolder =
        ResultsWorkbook(folder.file("missing/r.xlsx"), {}, {"Project:"}, {false}).finish();
    ASSERT_TRUE(noFolder);
    EXPECT_NE(noFolder->find("folder"), std::string::npos) << *noFolder;
}

} // namespace
} // namespace korvel
