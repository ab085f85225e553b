// korvel-fe as the user runs it, on the worked example of docs/fe-stresses.md (tests/data/fe):
// the batch file and the audit against reference files byte for byte, the batch file run by
// korvel-batch, and the panels that fail named while the others are still written.
//
// The references are regenerated, after a change that is meant, in tests/data/fe with
//   korvel-fe stresses.csv panels.tsv --template template.kori --combinations combinations.tsv
//       -o example.kori --audit example-audit.tsv      (one line)

#include "support/program_run.h"

#include <gtest/gtest.h>

#include <string>

namespace korvel {
namespace {

const fs::path data = fs::path(KORVEL_TEST_DATA_DIR) / "fe";
const fs::path program = fs::path(KORVEL_PROGRAM_DIR) / "korvel-fe";

std::string in(const char* name) {
    return (data / name).string();
}

TEST(FeProgram, WorkedExampleAsTheReferenceAndRunByKorvelBatch) {
    TempFolder folder;
    const ProgramRun run = runProgram(program, folder,
                                      {in("stresses.csv"), in("panels.tsv"), "--template", in("template.kori"),
                                       "--combinations", in("combinations.tsv"), "-o", folder.file("out.kori"),
                                       "--audit", folder.file("audit.tsv"), "--plots", folder.file("plots")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readAll(folder.file("out.kori")), readAll(data / "example.kori"));
    EXPECT_EQ(readAll(folder.file("audit.tsv")), readAll(data / "example-audit.tsv"));
    EXPECT_NE(readAll(folder.path() / "plots" / "P1_ULS.svg").find("SigxA = -131.96"), std::string::npos);

    const ProgramRun batch = runProgram(fs::path(KORVEL_PROGRAM_DIR) / "korvel-batch", folder,
                                        {folder.file("out.kori"), "-o", folder.file("out.koro")});
    EXPECT_EQ(batch.status, 0) << batch.err;
    EXPECT_NE(readAll(folder.file("out.koro")).find("P1/SLS"), std::string::npos);
}

TEST(FeProgram, FailedPanelsAreNamedAndTheOthersWritten) {
    struct Case {
        const char* what;
        std::vector<std::string> args;
        int status;
        std::string message; // in standard error
        bool written;        // panel P1's cases in the output
    };
    TempFolder folder;
    const std::string out = folder.file("out.kori");
    const Case cases[] = {
        {"faulty panels",
         {in("stresses.csv"), in("panels-faulty.tsv"), "--template", in("template.kori"), "-o", out},
         1,
         "panels-faulty.tsv:3: panel \"P2\": no element in its plate field",
         true},
        {"no template", {in("stresses.csv"), in("panels.tsv"), "-o", out}, 2, "--template is missing", false},
        {"a tolerance that is not a length",
         {in("stresses.csv"), in("panels.tsv"), "--template", in("template.kori"), "--plane-tolerance", "x"},
         2,
         "--plane-tolerance: not a length in mm: \"x\"",
         false},
        {"an output over an input",
         {in("stresses.csv"), in("panels.tsv"), "--template", in("template.kori"), "--audit", in("panels.tsv")},
         2,
         "panels.tsv is an input file itself; name another",
         false},
        {"a missing table",
         {in("none.csv"), in("panels.tsv"), "--template", in("template.kori"), "-o", out},
         1,
         "none.csv: file not found",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(out);
        const ProgramRun run = runProgram(program, folder, c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(readAll(out).find("Demo\tP1/still\t") != std::string::npos, c.written);
    }
}

} // namespace
} // namespace korvel
