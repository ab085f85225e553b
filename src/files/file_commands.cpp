#include "files/file_commands.h"

#include "checks/materials.h"
#include "engine/assessment.h"
#include "files/project_file.h"
#include "sections/girder_section.h"
#include "sections/profile_types.h"

namespace korvel {

namespace {

FileCommandOutcome fromProjectFile(const ProjectFileOutcome& outcome) {
    if (outcome.ok()) return {};
    return FileCommandOutcome::failed(outcome.message);
}

std::string dialogFolder(const FileChoice& choice) {
    return choice.folder.empty() ? folderOf(choice.path) : choice.folder;
}

FileDialogRequest saveRequest(std::string initialName, const FileSession& session) {
    // A file chosen in a save dialog is always asked about before it is replaced: a Save of a
    // never-saved case must not silently destroy a file either.
    return {std::move(initialName), projectExtension, std::string("*.") + projectExtension, session.workingFolder,
            true};
}

// Reads `path` and, when it loaded, prepares and calculates the case.
FileCommandOutcome load(FileContext& ctx, const std::string& path) {
    const ProjectFileOutcome read = readProjectFile(path, ctx.catalogue, ctx.dc);
    if (!read.ok()) return fromProjectFile(read);
    runCase(ctx.dc, ctx.catalogue, {}, ctx.warnings);
    FileCommandOutcome outcome;
    outcome.caseLoaded = true;
    return outcome;
}

// The menu after a change of the recent list; a list the settings could not keep is reported,
// once in the session.
void rebuildRecent(FileContext& ctx, bool stored, FileCommandOutcome& outcome) {
    ctx.session.recent = rebuildRecentMenu(ctx.settings, ctx.session.recent);
    if (stored || ctx.session.recentNotStoredTold) return;
    ctx.session.recentNotStoredTold = true;
    outcome.warning = recentNotStoredMessage;
}

// Save and Save As after the dialog: the written path becomes the current file; a path that
// was not the current file before goes to the top of the recent list.
FileCommandOutcome saveChosen(FileContext& ctx, const FileChoice& choice) {
    const bool sameFile = choice.path == ctx.dc.fileName;
    const ProjectFileOutcome written = writeProjectFile(choice.path, ctx.dc);
    ctx.session.workingFolder = dialogFolder(choice);
    if (!written.ok()) return fromProjectFile(written);
    FileCommandOutcome outcome;
    if (!sameFile) rebuildRecent(ctx, addRecentShifting(ctx.settings, choice.path), outcome);
    return outcome;
}

} // namespace

std::string folderOf(const std::string& path) {
    const std::size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

FileCommandOutcome newFile(FileContext& ctx) {
    resetToNewFile(ctx.dc);
    runCase(ctx.dc, ctx.catalogue, {}, ctx.warnings);
    FileCommandOutcome outcome;
    outcome.caseLoaded = true;
    return outcome;
}

FileCommandOutcome openFile(FileContext& ctx) {
    const FileDialogRequest request{std::string("*.") + projectExtension, projectExtension, projectExtension,
                                    ctx.session.workingFolder, false};
    const std::optional<FileChoice> choice = ctx.dialogs.chooseFileToOpen(request);
    if (!choice) return FileCommandOutcome::cancelled();
    return openChosenFile(ctx, *choice);
}

FileCommandOutcome openChosenFile(FileContext& ctx, const FileChoice& choice) {
    const bool sameFile = choice.path == ctx.dc.fileName;
    // The folder the user went to is where the next dialog starts, whether or not the file read.
    ctx.session.workingFolder = dialogFolder(choice);
    FileCommandOutcome outcome = load(ctx, choice.path);
    if (outcome.status != FileCommandOutcome::Status::done) return outcome;
    if (!sameFile) rebuildRecent(ctx, addRecentPromoting(ctx.settings, ctx.session.recent, choice.path), outcome);
    return outcome;
}

FileCommandOutcome saveFile(FileContext& ctx) {
    if (ctx.dc.fileName != newFileMarker) return fromProjectFile(writeProjectFile(ctx.dc.fileName, ctx.dc));
    const std::optional<FileChoice> choice =
        ctx.dialogs.chooseFileToSave(saveRequest(std::string("*.") + projectExtension, ctx.session));
    if (!choice) return FileCommandOutcome::cancelled();
    return saveChosen(ctx, *choice);
}

FileCommandOutcome saveFileAs(FileContext& ctx) {
    const std::optional<FileChoice> choice = ctx.dialogs.chooseFileToSave(saveRequest(ctx.dc.fileName, ctx.session));
    if (!choice) return FileCommandOutcome::cancelled();
    return saveChosen(ctx, *choice);
}

FileCommandOutcome openRecentFile(FileContext& ctx, int n) {
    const std::string path = ctx.session.recent.entry(n);
    if (path.empty()) return FileCommandOutcome::cancelled();
    const bool sameFile = path == ctx.dc.fileName;
    FileCommandOutcome outcome = load(ctx, path);
    if (outcome.status != FileCommandOutcome::Status::done) return outcome;
    ctx.session.workingFolder = folderOf(path);
    if (!sameFile) rebuildRecent(ctx, promoteRecentEntry(ctx.settings, path, n), outcome);
    return outcome;
}

} // namespace korvel
