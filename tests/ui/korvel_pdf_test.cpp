// korvel --pdf: the printed report composed without a window, run as the user runs it.

#include "support/program_run.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

const fs::path program = fs::path(KORVEL_PROGRAM_DIR) / "korvel";

class KorvelPdf : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(fs::exists(program)) << program << " is not built"; }
    TempFolder folder;
};

TEST_F(KorvelPdf, StartUpCaseAsOnePagePdf) {
    const ProgramRun run = runProgram(program, folder, {"--pdf", folder.file("report.pdf"), "--selection", "3"});
    EXPECT_EQ(0, run.status) << run.err;
    const std::string pdf = readAll(folder.file("report.pdf"));
    ASSERT_GT(pdf.size(), 1000u);
    EXPECT_EQ(0u, pdf.find("%PDF"));
    EXPECT_NE(std::string::npos, pdf.find("/Count 1")) << "one page";
}

TEST_F(KorvelPdf, UnreadableProjectFileGivesItsMessageAndAStatus) {
    folder.write("broken.korvp", "190\r\n\"Project\"\r\n");
    const ProgramRun missing = runProgram(program, folder, {"--pdf", folder.file("a.pdf"), folder.file("none.korvp")});
    EXPECT_EQ(1, missing.status);
    EXPECT_NE(std::string::npos, missing.err.find("can't find file - ")) << missing.err;

    const ProgramRun broken = runProgram(program, folder, {"--pdf", folder.file("b.pdf"), folder.file("broken.korvp")});
    EXPECT_EQ(1, broken.status);
    EXPECT_NE(std::string::npos, broken.err.find("can't read file - ")) << broken.err;
    EXPECT_FALSE(fs::exists(folder.file("b.pdf")));
}

TEST_F(KorvelPdf, AReportThatCannotBeSavedFailsWithTheReason) {
    folder.write("kept.pdf", "previous report");
    fs::permissions(folder.file("kept.pdf"), fs::perms::owner_read);
    const ProgramRun run = runProgram(program, folder, {"--pdf", folder.file("kept.pdf")});
    EXPECT_EQ(4, run.status);
    EXPECT_NE(std::string::npos,
              run.err.find("korvel: can't save file - " + folder.file("kept.pdf") + ": the file is read-only\n"))
        << run.err;
    EXPECT_EQ("previous report", readAll(folder.file("kept.pdf")));
}

TEST_F(KorvelPdf, BadArgumentsExplainTheUsage) {
    const ProgramRun run = runProgram(program, folder, {"--pdf", folder.file("c.pdf"), "--selection", "4"});
    EXPECT_EQ(2, run.status);
    EXPECT_NE(std::string::npos, run.err.find("--selection takes 1 (buckling), 2 (scantling/yield) or 3 (both)"));
    EXPECT_NE(std::string::npos, run.err.find("usage: korvel"));
}

TEST_F(KorvelPdf, TwoProjectFilesAreAnError) {
    const ProgramRun run =
        runProgram(program, folder, {"--pdf", folder.file("d.pdf"), folder.file("a.korvp"), folder.file("b.korvp")});
    EXPECT_EQ(2, run.status);
    EXPECT_NE(std::string::npos, run.err.find("one project file only")) << run.err;
    EXPECT_FALSE(fs::exists(folder.file("d.pdf")));
}

} // namespace
} // namespace korvel
