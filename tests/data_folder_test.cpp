// Where the programs find their data and where they write by themselves: the build folder, an
// installation (bin/ beside share/korvel), --data, and the user's data folder. Last, korvel-batch
// run from an installed layout with a home of its own.

#include "design/version.h"
#include "files/data_folder.h"
#include "files/table_loader.h"
#include "support/program_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace korvel {
namespace {

TEST(DataFolder, BesideTheProgramThenShareKorvelThenGivenWins) {
    TempFolder root;
    const fs::path build = root.path() / "build" / "bin";
    const fs::path bin = root.path() / "usr" / "bin";
    const fs::path share = root.path() / "usr" / "share" / "korvel";
    const fs::path empty = root.path() / "empty" / "bin";
    for (const fs::path& folder : {build, bin, share, empty}) fs::create_directories(folder);
    for (const fs::path& folder : {build, share}) std::ofstream(folder / materialFileName) << "x";
    const fs::path given = root.path() / "mine";

    const struct {
        const char* name;
        fs::path program;
        fs::path given;
        DataFolder expected;
    } rows[] = {
        {"build folder: the tables beside the program", build, {}, {build, false}},
        {"installed: ../share/korvel", bin, {}, {share, true}},
        {"--data wins over the build folder", build, given, {given, false}},
        {"--data wins over an installation", bin, given, {given, false}},
        {"no tables anywhere: the program folder, whose table is named missing", empty, {}, {empty, false}},
    };
    for (const auto& row : rows) EXPECT_EQ(row.expected, findDataFolder(row.program, row.given)) << row.name;
}

TEST(DataFolder, UserDataFolderFollowsXdgThenHome) {
    const struct {
        const char* xdg;
        const char* home;
        fs::path expected;
    } rows[] = {
        {"/x/data", "/home/u", "/x/data/korvel"},
        {nullptr, "/home/u", "/home/u/.local/share/korvel"},
        {"relative/data", "/home/u", "/home/u/.local/share/korvel"}, // a relative XDG path is ignored
        {"", "/home/u", "/home/u/.local/share/korvel"},
        {nullptr, nullptr, {}},
        {nullptr, "", {}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.expected, userDataFolder(row.xdg, row.home))
            << (row.xdg ? row.xdg : "(unset)") << ", " << (row.home ? row.home : "(unset)");
}

TEST(DataFolder, MakingTheUserFolderCreatesParentsOrSaysWhyNot) {
    TempFolder root;
    EXPECT_EQ(std::nullopt, makeDataFolder(root.path() / "a" / "b" / "korvel"));
    EXPECT_TRUE(fs::is_directory(root.path() / "a" / "b" / "korvel"));
    EXPECT_EQ(std::nullopt, makeDataFolder(root.path() / "a")) << "an existing folder is fine";

    root.write("file", "in the way");
    const std::optional<std::string> blocked = makeDataFolder(root.path() / "file" / "korvel");
    ASSERT_TRUE(blocked.has_value());
    EXPECT_EQ("can't create the data folder " + (root.path() / "file" / "korvel").string() +
                  ": a file stands where a folder should be",
              *blocked);
    const std::optional<std::string> notFolder = makeDataFolder(root.path() / "file");
    ASSERT_TRUE(notFolder.has_value());
    EXPECT_NE(std::string::npos, notFolder->find(": a file stands where a folder should be")) << *notFolder;
    EXPECT_NE(std::string::npos, makeDataFolder({})->find("neither XDG_DATA_HOME nor HOME is set"));
}

// Sets an environment variable for the programs a test starts, and puts it back afterwards.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedVariable() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

// korvel-batch copied into an installed layout: the tables from ../share/korvel, which stays
// untouched, and "dummy.koro" in the user's data folder; a data folder that cannot be made is a
// message and exit status 4.
TEST(DataFolder, InstalledBatchReadsShareAndWritesTheUserFolder) {
    TempFolder root;
    const fs::path bin = root.path() / "usr" / "bin";
    const fs::path share = root.path() / "usr" / "share" / "korvel";
    fs::create_directories(bin);
    fs::create_directories(share);
    fs::copy_file(fs::path(KORVEL_PROGRAM_DIR) / "korvel-batch", bin / "korvel-batch");
    for (const char* name : {bfFileName, lFileName, tFileName, flatbarFileName, materialFileName, "dummy.kori"})
        fs::copy_file(fs::path(KORVEL_PROGRAM_DIR) / name, share / name);
    const fs::path home = root.path() / "home";
    fs::create_directories(home);

    const ScopedVariable noXdg("XDG_DATA_HOME", nullptr);
    const ScopedVariable ownHome("HOME", home.c_str());
    const ProgramRun run = runProgram(bin / "korvel-batch", root, {});
    EXPECT_EQ(0, run.status) << run.err;
    const fs::path written = home / ".local" / "share" / "korvel" / "dummy.koro";
    EXPECT_TRUE(fs::exists(written));
    EXPECT_NE(std::string::npos, run.err.find("results in " + written.string())) << run.err;
    EXPECT_FALSE(fs::exists(share / "dummy.koro"));

    root.write("blocked", "a file where the data folder should be");
    const ScopedVariable blockedXdg("XDG_DATA_HOME", root.file("blocked").c_str());
    const ProgramRun blocked = runProgram(bin / "korvel-batch", root, {});
    EXPECT_EQ(4, blocked.status);
    EXPECT_EQ(0u, blocked.err.find("korvel-batch: can't create the data folder " + root.file("blocked") + "/korvel: "))
        << blocked.err;

    const ProgramRun version = runProgram(bin / "korvel-batch", root, {"--version"});
    EXPECT_EQ(0, version.status);
    EXPECT_EQ(std::string("korvel-batch ") + programVersion + "\n", version.out);
}

} // namespace
} // namespace korvel
