// Replacing a saved file through a hidden temporary file: write-protected and linked targets, the
// reason of a failure, long names, and no temporary file left behind. The tests also run as the
// administrator, who may write any file: a read-only target is recognised by its permission bits.

#include "design/design_case.h"
#include "files/file_replacement.h"
#include "files/project_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

namespace korvel {
namespace {

// The names in the folder, hidden ones included.
std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FileReplacement, ReadOnlyTargetIsRefusedAndLeftUntouched) {
    TempFolder folder;
    folder.write("kept.korvp", "previous");
    const fs::path target = folder.path() / "kept.korvp";
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    EXPECT_EQ(std::optional<std::string>("the file is read-only"), replaceFileContent(target, "new"));
    DesignCase dc;
    const ProjectFileOutcome written = writeProjectFile(target.string(), dc);
    EXPECT_EQ("can't save file - " + target.string() + ": the file is read-only", written.message);
    EXPECT_EQ(newFileMarker, dc.fileName);

    EXPECT_EQ("previous", readAll(target));
    EXPECT_EQ(fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read, fs::status(target).permissions());
    EXPECT_EQ(std::vector<std::string>{"kept.korvp"}, namesIn(folder.path()));
}

TEST(FileReplacement, ReplacementKeepsThePermissionsOfTheFileItReplaces) {
    TempFolder folder;
    folder.write("shared.koro", "previous");
    const fs::path target = folder.path() / "shared.koro";
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target, mode);
    ASSERT_FALSE(replaceFileContent(target, "new"));
    EXPECT_EQ("new", readAll(target));
    EXPECT_EQ(mode, fs::status(target).permissions());
}

TEST(FileReplacement, SymbolicLinksAreWrittenThroughAndStayLinks) {
    TempFolder folder;
    fs::create_directory(folder.path() / "real");
    folder.write("real/case.korvp", "previous");
    // A chain: near -> far (relative to its own folder) -> real/case.korvp.
    fs::create_symlink("real/case.korvp", folder.path() / "far.korvp");
    fs::create_symlink(folder.path() / "far.korvp", folder.path() / "near.korvp");
    ASSERT_FALSE(replaceFileContent(folder.path() / "near.korvp", "new"));
    EXPECT_TRUE(fs::is_symlink(folder.path() / "near.korvp"));
    EXPECT_TRUE(fs::is_symlink(folder.path() / "far.korvp"));
    EXPECT_EQ("new", readAll(folder.path() / "real/case.korvp"));
    EXPECT_EQ((std::vector<std::string>{"far.korvp", "near.korvp", "real"}), namesIn(folder.path()));
    EXPECT_EQ(std::vector<std::string>{"case.korvp"}, namesIn(folder.path() / "real"));

    // A link to a file not yet there creates that file.
    fs::create_symlink("real/later.korvp", folder.path() / "later.korvp");
    ASSERT_FALSE(replaceFileContent(folder.path() / "later.korvp", "first"));
    EXPECT_TRUE(fs::is_symlink(folder.path() / "later.korvp"));
    EXPECT_EQ("first", readAll(folder.path() / "real/later.korvp"));

    // A link to a read-only file is refused like the file itself.
    fs::permissions(folder.path() / "real/case.korvp", fs::perms::owner_read);
    EXPECT_EQ(std::optional<std::string>("the file is read-only"),
              replaceFileContent(folder.path() / "near.korvp", "newer"));
    EXPECT_EQ("new", readAll(folder.path() / "real/case.korvp"));
}

TEST(FileReplacement, NamesUpToTheFileNameLimitSave) {
    // 250 and 255 bytes; the last two in two-byte letters, so that the temporary name is cut
    // between letters.
    std::string twoByte;
    for (int i = 0; i < 125; ++i) twoByte += "\xC3\xB8";
    for (const std::string& name : {std::string(245, 'n') + ".koro", std::string(249, 'n') + ".korvp", twoByte,
                                    "x" + twoByte.substr(0, 248) + ".koro"}) {
        SCOPED_TRACE(name.size());
        TempFolder folder;
        const fs::path target = folder.path() / name;
        ASSERT_FALSE(replaceFileContent(target, "first"));
        ASSERT_FALSE(replaceFileContent(target, "second"));
        EXPECT_EQ("second", readAll(target));
        EXPECT_EQ(std::vector<std::string>{name}, namesIn(folder.path()));
    }
}

TEST(FileReplacement, WhileWritingOnlyAHiddenTemporaryFileIsThere) {
    TempFolder folder;
    folder.write("table.koro", "previous");
    const fs::path target = folder.path() / "table.koro";
    std::vector<std::string> during;
    ASSERT_FALSE(replaceFileWith(target, [&](std::ostream& out) {
        out << "rows";
        during = namesIn(folder.path());
    }));
    ASSERT_EQ(2u, during.size());
    EXPECT_EQ('.', during[0][0]) << during[0];
    EXPECT_EQ("table.koro", during[1]);
    EXPECT_EQ("rows", readAll(target));
}

TEST(FileReplacement, EveryFailureKeepsThePreviousFileAndLeavesNoTemporaryFile) {
    struct Row {
        const char* name;
        std::function<std::optional<std::string>(const fs::path& target)> replace;
        const char* reason;
    };
    const Row rows[] = {
        {"writer throws",
         [](const fs::path& t) {
             return replaceFileWith(t, [](std::ostream& out) {
                 out << "half";
                 throw std::runtime_error("stopped");
             });
         },
         "the content could not be produced"},
        {"stream fails",
         [](const fs::path& t) {
             return replaceFileWith(t, [](std::ostream& out) {
                 out << "half";
                 out.setstate(std::ios::badbit);
             });
         },
         "the file could not be written completely"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder folder;
        folder.write("kept.koro", "previous");
        EXPECT_EQ(std::optional<std::string>(row.reason), row.replace(folder.path() / "kept.koro"));
        EXPECT_EQ("previous", readAll(folder.path() / "kept.koro"));
        EXPECT_EQ(std::vector<std::string>{"kept.koro"}, namesIn(folder.path()));
    }
}

// Two files replaced together: each failure, up to a rename that fails after the first file was
// replaced, leaves both as they were and no temporary file.
TEST(FileReplacement, TwoFilesAreReplacedTogetherOrNotAtAll) {
    TempFolder folder;
    fs::create_directory(folder.path() / "second");
    const std::vector<fs::path> targets = {folder.path() / "table.tsv", folder.path() / "second" / "cases.kori"};
    const auto reset = [&] {
        folder.write("table.tsv", "old table");
        folder.write("second/cases.kori", "old cases");
    };
    const auto writeBoth = [](const std::vector<std::ostream*>& out) {
        *out.at(0) << "new table";
        *out.at(1) << "new cases";
    };
    struct Row {
        const char* name;
        std::function<std::optional<FilesFailure>()> replace;
        std::size_t failed;
    };
    const std::vector<Row> rows = {
        {"the second stream fails",
         [&] {
             return replaceFilesWith(targets, [](const std::vector<std::ostream*>& out) {
                 *out.at(0) << "new table";
                 out.at(1)->setstate(std::ios::failbit);
             });
         },
         1},
        {"the first target is read-only",
         [&] {
             fs::permissions(targets[0], fs::perms::owner_read);
             auto failure = replaceFilesWith(targets, writeBoth);
             fs::permissions(targets[0], fs::perms::owner_read | fs::perms::owner_write);
             return failure;
         },
         0},
        {"the second rename fails after the first",
         [&] {
             return replaceFilesWith(targets, [&](const std::vector<std::ostream*>& out) {
                 writeBoth(out);
                 // The second temporary file goes with its folder, which comes back empty.
                 fs::remove_all(folder.path() / "second");
                 fs::create_directory(folder.path() / "second");
                 folder.write("second/cases.kori", "old cases");
             });
         },
         1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        reset();
        const std::optional<FilesFailure> failure = row.replace();
        ASSERT_TRUE(failure);
        EXPECT_EQ(row.failed, failure->file);
        EXPECT_EQ("old table", readAll(targets[0]));
        EXPECT_EQ("old cases", readAll(targets[1]));
        EXPECT_EQ((std::vector<std::string>{"second", "table.tsv"}), namesIn(folder.path()));
        EXPECT_EQ((std::vector<std::string>{"cases.kori"}), namesIn(folder.path() / "second"));
    }

    fs::remove(targets[1]);
    std::vector<fs::path> during;
    ASSERT_FALSE(replaceFilesWith(targets, writeBoth, [&](const std::vector<fs::path>& temporaries) {
        if (!temporaries.empty()) during = temporaries;
    }));
    EXPECT_EQ(2u, during.size());
    EXPECT_EQ("new table", readAll(targets[0]));
    EXPECT_EQ("new cases", readAll(targets[1]));
    EXPECT_EQ((std::vector<std::string>{"second", "table.tsv"}), namesIn(folder.path()));
}

TEST(FileReplacement, ReasonsInPlainWords) {
    TempFolder folder;
    fs::create_directory(folder.path() / "folder.korvp");
    EXPECT_EQ(std::optional<std::string>("it is a folder"), replaceFileContent(folder.path() / "folder.korvp", "x"));
    EXPECT_EQ(std::optional<std::string>("the folder does not exist"),
              replaceFileContent(folder.path() / "missing" / "x.korvp", "x"));
    EXPECT_EQ(std::optional<std::string>("no file name was given"), replaceFileContent(fs::path(), "x"));
    EXPECT_EQ(std::optional<std::string>("the file name is too long"),
              replaceFileContent(folder.path() / std::string(256, 'n'), "x"));
    EXPECT_EQ("can't save file - /a/b.koro: the disk is full", saveFailureMessage("/a/b.koro", "the disk is full"));

    // A folder this user may not write; the administrator may write any folder.
    if (geteuid() != 0) {
        fs::create_directory(folder.path() / "closed");
        fs::permissions(folder.path() / "closed", fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(std::optional<std::string>("permission denied"),
                  replaceFileContent(folder.path() / "closed" / "x.korvp", "x"));
        fs::permissions(folder.path() / "closed", fs::perms::owner_all);
    }
    EXPECT_EQ(std::vector<std::string>{"folder.korvp"}, namesIn(folder.path()));
}

TEST(FileReplacement, SameFileThroughLinksAndDetours) {
    TempFolder folder;
    folder.write("a.kori", "a");
    folder.write("b.kori", "b");
    fs::create_directory(folder.path() / "sub");
    fs::create_symlink(folder.path() / "a.kori", folder.path() / "link.koro");
    const fs::path a = folder.path() / "a.kori";
    EXPECT_TRUE(sameFile(a, a));
    EXPECT_TRUE(sameFile(a, folder.path() / "sub" / ".." / "a.kori"));
    EXPECT_TRUE(sameFile(a, folder.path() / "link.koro"));
    EXPECT_FALSE(sameFile(a, folder.path() / "b.kori"));
    EXPECT_FALSE(sameFile(a, folder.path() / "a.koro")) << "a file not there is no other file";
}

} // namespace
} // namespace korvel
