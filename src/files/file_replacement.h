#pragma once

// Replacing a file the user keeps: the project file, the batch results table and the PDF report
// (composed in memory first, as the PDF writer cannot tell why its own file failed).
// The new content goes to a hidden temporary file beside the target (".NAME.korvel-PID-N"),
// which is flushed to the disk and then renamed over the target in one step, and the folder is
// flushed after the rename. So the previous file stays whole until the new one is complete, a
// failed save leaves no temporary file, and a save killed half-way can at most leave a hidden one.
//
// A target that is a symbolic link is written through to the file it points to; the link stays.
// A target nobody may write (no write permission bit, or one this user may not write) is refused
// and left untouched, as the rename alone would replace it.
//
// Every failure is a reason in plain words ("the disk is full", "permission denied", "the folder
// does not exist", "it is a folder", ...) for the message "can't save file - PATH: REASON".

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace korvel {

// What an error number (errno) means to the user, in plain words: "permission denied", ...
std::string plainErrorReason(int error);

// "can't save file - " + path + ": " + reason.
std::string saveFailureMessage(const std::string& path, const std::string& reason);

// Replaces the content of `target`; the reason of a failure, or nothing.
std::optional<std::string> replaceFileContent(const std::filesystem::path& target, std::string_view content);

// Told the temporary file's path once it exists, and an empty path once it is gone (renamed to
// the target or removed): a program stopped by a signal meanwhile removes it.
using TemporaryNotice = std::function<void(const std::filesystem::path& temporary)>;

// The same with the content written by `write` to the temporary file as it is produced, so that
// a long table need not be held in memory. A stream that fails, or a `write` that throws, fails
// the save.
std::optional<std::string> replaceFileWith(const std::filesystem::path& target,
                                           const std::function<void(std::ostream&)>& write,
                                           const TemporaryNotice& notice = {});

// Which of several files could not be replaced, and why.
struct FilesFailure {
    std::size_t file = 0; // index of the target
    std::string reason;
    bool operator==(const FilesFailure& o) const { return file == o.file && reason == o.reason; }
};

// Told the temporary files once they exist, and an empty list once they are gone.
using TemporariesNotice = std::function<void(const std::vector<std::filesystem::path>& temporaries)>;

// Replaces the files together, all or none: `write` is given one stream per target (in their
// order), each onto its temporary file; when every one is written and on the disk they are
// renamed over their targets one after another, and when a rename fails the targets already
// replaced get their previous content back (a target that was not there is removed again).
std::optional<FilesFailure> replaceFilesWith(const std::vector<std::filesystem::path>& targets,
                                             const std::function<void(const std::vector<std::ostream*>&)>& write,
                                             const TemporariesNotice& notice = {});

// True when both paths name one existing file, through links and relative paths alike.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

} // namespace korvel
