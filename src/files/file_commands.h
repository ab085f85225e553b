#pragma once

// The File menu's New, Open, Save, Save As and recent-file commands as operations on the design
// case. The user is asked through a file-dialog interface (the window's common dialogs, a fake
// in tests); the recent-file list lives in a settings store. Each command returns what
// happened; the window shows a failure's message with an exclamation icon and, when a case was
// loaded, closes the open profile dialogs and refreshes itself.

#include "design/catalogue.h"
#include "design/design_case.h"
#include "design/warning_sink.h"
#include "files/recent_files.h"
#include "files/settings_store.h"

#include <optional>
#include <string>
#include <utility>

namespace korvel {

inline constexpr const char* projectExtension = "korvp";

// What a file dialog is asked to show. The read-only option is always hidden.
struct FileDialogRequest {
    std::string initialName;
    std::string defaultExtension;
    std::string filter;
    std::string initialFolder;
    bool askOverwrite = false; // save dialogs: ask before an existing file is replaced
    std::string title = {};    // the dialog's caption; empty: the desktop's own ("Save As", "Open")
    bool operator==(const FileDialogRequest& o) const {
        return initialName == o.initialName && defaultExtension == o.defaultExtension && filter == o.filter &&
               initialFolder == o.initialFolder && askOverwrite == o.askOverwrite && title == o.title;
    }
};

// The user's choice: the full path and the folder the dialog ended in.
struct FileChoice {
    std::string path;
    std::string folder;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Empty when the user cancels.
    virtual std::optional<FileChoice> chooseFileToOpen(const FileDialogRequest& request) = 0;
    virtual std::optional<FileChoice> chooseFileToSave(const FileDialogRequest& request) = 0;
};

// What the File menu keeps beside the design case (whose fileName is the current file name):
// the folder the dialogs start in (at first the program folder), the recent-file items, and
// whether the user was told that the recent list cannot be stored.
struct FileSession {
    std::string workingFolder;
    RecentMenu recent;
    bool recentNotStoredTold = false;
};

// Said once per session when the settings cannot keep the recent-file list.
inline constexpr const char* recentNotStoredMessage =
    "The recent-file list cannot be saved: the settings cannot be written. Files opened or saved "
    "now will be missing from it next time.";

struct FileCommandOutcome {
    enum class Status { done, cancelled, failed };
    Status status = Status::done;
    std::string message;     // set when failed
    bool caseLoaded = false; // the design case was replaced and calculated
    std::string warning;     // what went wrong beside a command that worked, for the user to read

    static FileCommandOutcome cancelled() { return {Status::cancelled, {}, false, {}}; }
    static FileCommandOutcome failed(std::string why) { return {Status::failed, std::move(why), false, {}}; }
};

// Everything a command works on.
struct FileContext {
    DesignCase& dc;
    const Catalogue& catalogue;
    WarningSink& warnings;
    SettingsStore& settings;
    FileDialogs& dialogs;
    FileSession& session;
};

// "&New": the new-file case, prepared and calculated; the file name becomes "New File".
FileCommandOutcome newFile(FileContext& ctx);

// "&Open": asks for a ".korvp" file and loads it. A path other than the current file becomes
// recent item 1. A missing or malformed file changes nothing but the working folder.
FileCommandOutcome openFile(FileContext& ctx);

// Open after its dialog, or for a project named on the command line (a double-click on it in the
// file manager): loads the file, which becomes recent item 1; its folder is where the next dialog
// starts.
FileCommandOutcome openChosenFile(FileContext& ctx, const FileChoice& choice);

// "&Save": writes to the current file; a never-saved case asks for a name first (and whether
// an existing file may be replaced) and the new path becomes recent item 1.
FileCommandOutcome saveFile(FileContext& ctx);

// "Save &As": asks for a name, proposing the current one; a path other than the current file
// becomes the current file and recent item 1.
FileCommandOutcome saveFileAs(FileContext& ctx);

// Recent item n (1 to 4) chosen: loads its file and moves it to the top of the list. A missing
// or malformed file changes nothing and is reported like Open.
FileCommandOutcome openRecentFile(FileContext& ctx, int n);

// The path cut back to its last folder separator ('/' or '\'), the separator included; empty
// when the path has none.
std::string folderOf(const std::string& path);

} // namespace korvel
