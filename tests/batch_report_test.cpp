// Batch reports: the summary rows against the results table on the reference cases, the cases a
// report takes, the listing korvel-batch writes against the window's result list, the summary's
// pages, and the checksums and clock of the provenance.

#include "design/number_parser.h"
#include "files/batch_run.h"
#include "files/batch_stream_source.h"
#include "files/table_loader.h"
#include "files/table_stamps.h"
#include "report/batch_report_plan.h"
#include "report/batch_summary_page.h"
#include "report/control_summary.h"
#include "support/program_run.h"
#include "support/recording_surface.h"
#include "support/reference_cases.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>
#include <variant>

#include <fcntl.h>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace korvel {
namespace {

std::vector<std::string> split(const std::string& s, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(s);
    while (std::getline(in, part, separator)) parts.push_back(part);
    return parts;
}

// The summary shows what the results table shows: the checks whose cells exceed 1 are its failed
// utilisation checks, its highest is the table's highest cell, and a case with such a cell is NOK.
TEST(BatchReportSummary, RowsAgreeWithTheResultsTableOnTheReferenceCases) {
    const Catalogue tables = referenceTables();
    const BatchList list = referenceCases(tables);
    DesignCase dc;
    IgnoreWarnings quiet;
    const BatchResults results = runBatch(list, dc, tables, quiet);
    std::vector<std::string> lines = split(results.text, '\n');
    const std::vector<std::string> header = split(lines.at(0).substr(0, lines[0].size() - 1), '\t');
    std::map<std::string, std::size_t> columnOf;
    for (std::size_t i = 0; i < header.size(); ++i) columnOf[header[i]] = i;

    const std::optional<BatchReportPlan> plan = planBatchReport(list, {}, tables);
    ASSERT_TRUE(plan);
    ASSERT_EQ(static_cast<std::size_t>(list.caseCount()), plan->pages.size());
    std::size_t row = 0;
    int compared = 0;
    for (std::size_t entry = 0; entry < list.entries.size(); ++entry) {
        const std::string& line = lines.at(entry + 1);
        while (row < plan->rows.size() && plan->rows[row].comment) ++row;
        if (!list.entries[entry].isCase()) continue;
        const BatchCaseSummary& s = plan->rows.at(row++);
        const std::vector<std::string> cells = split(line.substr(0, line.size() - 1), '\t');
        SCOPED_TRACE(s.identification);
        EXPECT_EQ(cells.at(1), s.identification);
        double highest = -1;
        bool anyFailed = false;
        for (std::size_t c = 0; c < checkTable.size(); ++c) {
            const std::string& cell = cells.at(columnOf.at(checkTable[c].heading));
            const double value = std::strtod(cell.c_str(), nullptr);
            highest = std::max(highest, value);
            anyFailed = anyFailed || value > 1;
            // A cell of "1.00" may hold a value just above 1: the table cannot tell.
            if (cell != "1.00") {
                EXPECT_EQ(value > 1, s.failed[c]) << checkTable[c].heading << " " << cell;
            }
        }
        if (highest < 0) {
            EXPECT_EQ(nullptr, s.highestCheck);
        } else {
            EXPECT_NEAR(highest, std::strtod(s.highestText().c_str(), nullptr), 1e-9);
        }
        // A stopped case is stopped whatever it failed before the stop; one that ran to its end
        // with a utilisation above 1 is NOK.
        EXPECT_EQ(!s.stoppedIn.empty(), s.verdict == Verdict::stopped);
        if (anyFailed && s.stoppedIn.empty()) {
            EXPECT_EQ(Verdict::nok, s.verdict);
        }
        if (s.verdict == Verdict::ok) {
            EXPECT_TRUE(s.failed.none() && s.stoppedIn.empty());
        }
        ++compared;
    }
    EXPECT_EQ(list.caseCount(), compared);
    EXPECT_EQ(plan->title.cases, plan->title.ok + plan->title.nok + plan->title.stopped);
    EXPECT_GT(plan->title.stopped + plan->title.nok, 0);
}

TEST(BatchReportSummary, ChosenCasesKeepTheCommentsBeforeThem) {
    const Catalogue tables = referenceTables();
    const BatchList list = referenceCases(tables);
    std::vector<bool> chosen(static_cast<std::size_t>(list.caseCount()), false);
    chosen[0] = chosen[4] = true;
    const std::optional<BatchReportPlan> plan = planBatchReport(list, chosen, tables);
    ASSERT_TRUE(plan);
    ASSERT_EQ(4u, plan->rows.size()); // the two comment lines before case 1, cases 1 and 5
    EXPECT_TRUE(plan->rows[0].comment && plan->rows[1].comment);
    EXPECT_EQ(1, plan->rows[2].caseNumber);
    EXPECT_EQ(5, plan->rows[3].caseNumber);
    EXPECT_EQ((std::vector<std::int64_t>{1, 5}), plan->caseNumbers);

    int calls = 0;
    EXPECT_FALSE(planBatchReport(list, {}, tables, [&](int, int) { return ++calls < 3; })) << "cancelled";
    EXPECT_EQ(3, calls);
}

// The entries of a file come again for every pass, as the whole-file reader reads them; an input
// that can be read only once is kept.
TEST(BatchEntrySource, EveryPassGivesTheEntriesOfTheFile) {
    const Catalogue tables = referenceTables();
    const BatchList list = referenceCases(tables);
    TempFolder folder;
    const std::string fifo = folder.file("cases.fifo");
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    const int writer = open(fifo.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    const std::string text = readAll((referenceFolder / "cases.kori").string());
    // Larger than a pipe holds: written by a thread while the source reads it.
    std::thread feed([&] {
        for (std::size_t at = 0; at < text.size();) {
            const ssize_t written = write(writer, text.data() + at, text.size() - at);
            if (written <= 0) break;
            at += static_cast<std::size_t>(written);
        }
    });
    auto fromFifo = BatchEntrySource::open(fifo, DecimalMode::period, tables);
    feed.join();
    close(writer);
    auto fromFile = BatchEntrySource::open((referenceFolder / "cases.kori").string(), DecimalMode::period, tables);
    for (auto* opened : {&fromFile, &fromFifo}) {
        ASSERT_TRUE(std::holds_alternative<BatchEntrySource>(*opened));
        BatchEntrySource& source = std::get<BatchEntrySource>(*opened);
        EXPECT_EQ(list.caseCount(), source.caseCount());
        for (int pass = 0; pass < 2; ++pass) {
            ASSERT_TRUE(source.restart());
            std::vector<BatchEntry> entries;
            BatchEntry entry;
            while (source.next(entry)) entries.push_back(entry);
            EXPECT_FALSE(source.error());
            EXPECT_EQ(list.entries, entries) << "pass " << pass;
        }
    }
}

TEST(BatchReportSummary, CaseSelections) {
    struct Row {
        const char* text;
        std::vector<int> cases; // chosen, of 12
        const char* problem;    // part of the reason, when refused
    };
    const Row rows[] = {
        {"3,7-12", {3, 7, 8, 9, 10, 11, 12}, nullptr},
        {" 5 , 1-2 ,5", {1, 2, 5}, nullptr},
        {"12", {12}, nullptr},
        {"13", {}, "case 13 is not in the file, which has 12 cases"},
        {"0", {}, "not an ascending range"},
        {"9-3", {}, "not an ascending range"},
        {"3,,4", {}, "is not a case number"},
        {"x", {}, "is not a case number"},
        {"-4", {}, "is not a case number"},
        {"", {}, "no cases given"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const auto parsed = parseCaseSelection(row.text, 12);
        if (row.problem) {
            const auto* reason = std::get_if<std::string>(&parsed);
            ASSERT_TRUE(reason);
            EXPECT_NE(std::string::npos, reason->find(row.problem)) << *reason;
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<std::vector<bool>>(parsed)) << std::get<std::string>(parsed);
        std::vector<bool> expected(12, false);
        for (const int n : row.cases) expected[static_cast<std::size_t>(n - 1)] = true;
        EXPECT_EQ(expected, std::get<std::vector<bool>>(parsed));
    }
}

// Every row lands on exactly one page, and a heading is never left at the foot of a page.
TEST(BatchReportSummary, PagesTakeEveryRowOnceAndKeepHeadingsWithTheirCases) {
    std::vector<BatchCaseSummary> rows;
    for (int i = 0; i < 300; ++i) {
        BatchCaseSummary s;
        s.comment = i % 7 == 6;
        rows.push_back(s);
    }
    for (const std::size_t footer : {0u, 2u}) {
        test::RecordingSurface page;
        const std::vector<SummaryPageRows> pages = layoutSummaryPages(page, rows, PageSize{}, footer);
        ASSERT_GT(pages.size(), 1u);
        std::size_t next = 0;
        for (const SummaryPageRows& p : pages) {
            EXPECT_EQ(next, p.first);
            ASSERT_GT(p.count, 0u);
            next = p.first + p.count;
            if (next < rows.size()) {
                EXPECT_FALSE(rows[next - 1].comment) << "heading at the foot of a page";
            }
        }
        EXPECT_EQ(rows.size(), next);
    }
    test::RecordingSurface page;
    EXPECT_EQ((std::vector<SummaryPageRows>{{0, 0}}), layoutSummaryPages(page, {}, PageSize{}, 2));
}

// Every failed check of a row is on the page, its list wrapped onto as many lines as it needs,
// and the pages still take every row once. A user's text too long for its cell ends in "…", and
// fitting it measures about a cell's worth of it, whatever its length (a 2 MB identification once
// took the PDF forever, each character cut off costing a measurement of all the rest).
TEST(BatchReportSummary, FailedChecksWrapAndLongTextsAreCutInTimeOfTheirCell) {
    BatchCaseSummary many;
    many.caseNumber = 1;
    many.failed = ~FailedChecks{};
    many.verdict = Verdict::nok;
    many.stoppedIn = "girder scantlings";
    BatchCaseSummary longId;
    longId.caseNumber = 2;
    const std::string ellipsis = "\xe2\x80\xa6";
    for (const std::size_t length : {2500u, 20000u, 2000000u}) {
        SCOPED_TRACE(std::to_string(length) + " characters");
        longId.identification.assign(length, 'x');
        std::vector<BatchCaseSummary> rows(60, many);
        rows.push_back(longId);
        test::RecordingSurface page;
        const std::vector<SummaryPageRows> pages = layoutSummaryPages(page, rows, PageSize{}, 2);
        EXPECT_LT(page.measuredBytes, 200000u);
        std::size_t next = 0;
        std::string shown; // every text, one after another
        int cut = 0;
        for (const SummaryPageRows& p : pages) {
            EXPECT_EQ(next, p.first);
            next = p.first + p.count;
            page.clear();
            page.measuredBytes = 0;
            composeSummaryPage(page, rows, p, SummaryTitle{}, PageSize{}, ReportTime{}, SummaryPageMarks{});
            EXPECT_LT(page.measuredBytes, 200000u);
            for (const auto& t : page.texts) {
                shown += t.text + " ";
                const bool ends = t.text.size() >= 3 && t.text.substr(t.text.size() - 3) == ellipsis;
                // Only the identification is cut; a failed-check list never.
                EXPECT_EQ(t.text.rfind("xx", 0) == 0, ends) << t.text.substr(0, 80);
                cut += ends ? 1 : 0;
            }
        }
        EXPECT_EQ(rows.size(), next);
        EXPECT_EQ(1, cut);
        const std::string everyCheck = many.failedText() + "; stopped in girder scantlings";
        std::size_t times = 0;
        for (std::size_t at = shown.find(everyCheck); at != std::string::npos; at = shown.find(everyCheck, at + 1))
            ++times;
        EXPECT_EQ(60u, times) << "each case's whole list of failed checks";
    }
}

// korvel-batch --listing, streamed on two threads, writes for each case the rows of the window's
// result list with both listings.
TEST(BatchListing, EachCaseHasTheRowsOfTheWindowsList) {
    const fs::path program = fs::path(KORVEL_PROGRAM_DIR) / "korvel-batch";
    ASSERT_TRUE(fs::exists(program));
    TempFolder folder;
    const ProgramRun run =
        runProgram(program, folder,
                   {"--listing", (referenceFolder / "cases.kori").string(), "--data",
                    (referenceFolder / "tables").string(), "-j", "2", "-o", folder.file("list.txt")});
    ASSERT_EQ(0, run.status) << run.err;
    const std::string text = readAll(folder.file("list.txt"));

    const Catalogue tables = referenceTables();
    const BatchList list = referenceCases(tables);
    std::string expected;
    DesignCase dc;
    IgnoreWarnings quiet;
    int n = 0;
    for (const BatchEntry& e : list.entries) {
        if (!e.isCase()) {
            expected += e.comment + "\n";
            continue;
        }
        runBatchCase(e, dc, tables, quiet);
        dc.analysis = analysisAll;
        expected += "Case " + std::to_string(++n) + ", line " + std::to_string(e.line) + ": " + e.inputs.projectName +
                    " / " + e.inputs.identification + "\n";
        for (const ListingRow& row : controlSummary(dc)) {
            expected += row.control;
            if (!row.value.empty() || !row.reference.empty()) {
                expected += "\t" + row.value + "\t" + row.reference;
                if (row.colour == paletteColour(statusOk)) expected += "\tOK";
                if (row.colour == paletteColour(statusFail)) expected += "\tNOK";
            }
            expected += "\n";
        }
        expected += "\n";
    }
    EXPECT_EQ(expected, text);
    // Stable: a second run, on one thread, gives the same bytes.
    const ProgramRun again = runProgram(program, folder,
                                        {"--listing", (referenceFolder / "cases.kori").string(), "--data",
                                         (referenceFolder / "tables").string(), "-j", "1"});
    EXPECT_EQ(text, again.out);
}

TEST(Provenance, ChecksumsAndClock) {
    EXPECT_EQ("cbf29ce484222325", hex64(fnv1a64("")));
    EXPECT_EQ("af63dc4c8601ec8c", hex64(fnv1a64("a")));
    EXPECT_EQ("85944171f73967e8", hex64(fnv1a64("foobar")));
    EXPECT_EQ(fnv1a64("foobar"), fnv1a64("bar", fnv1a64("foo"))) << "in pieces as in one";

    const std::pair<std::int64_t, const char*> times[] = {{0, "1970-01-01T00:00:00Z"},
                                                          {951782400, "2000-02-29T00:00:00Z"},
                                                          {1798761600, "2027-01-01T00:00:00Z"},
                                                          {-1, "1969-12-31T23:59:59Z"},
                                                          {4102444799, "2099-12-31T23:59:59Z"}};
    for (const auto& [seconds, text] : times) EXPECT_EQ(text, utcDateTime(seconds));

    TempFolder folder;
    folder.write("lprof.dat", "a");
    const std::vector<TableStamp> stamps = tableStamps(folder.path());
    ASSERT_EQ(5u, stamps.size());
    EXPECT_EQ((TableStamp{"lprof.dat", "af63dc4c8601ec8c"}), stamps[1]);
    EXPECT_EQ((TableStamp{"KORmat.dat", ""}), stamps[4]) << "a missing table has no checksum";
}

} // namespace
} // namespace korvel
