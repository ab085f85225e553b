#include "ui/fe_import_command.h"

#include "fe/fe_import.h"
#include "files/file_replacement.h"
#include "ui/message_warnings.h"

#include <QApplication>
#include <QProgressDialog>

#include <filesystem>
#include <optional>

namespace korvel {

namespace {

namespace fs = std::filesystem;

std::string folderOf(const std::string& path, const std::string& fallback) {
    return path.empty() ? fallback : fs::path(path).parent_path().string();
}

// One file through the open dialog, starting at the one chosen last; empty when cancelled.
std::optional<std::string> chooseInput(const FeImportJob& job, std::string& remembered, const char* filter,
                                       const char* title) {
    FileDialogRequest request;
    request.initialName = fs::path(remembered).filename().string();
    request.filter = filter;
    request.initialFolder = folderOf(remembered, job.folder);
    request.title = title;
    const std::optional<FileChoice> choice = job.dialogs->chooseFileToOpen(request);
    if (!choice) return std::nullopt;
    remembered = choice->path;
    return choice->path;
}

} // namespace

std::string feImportWarnings(const std::vector<std::string>& errors, const std::vector<std::string>& warnings,
                             std::size_t maxListed) {
    std::vector<std::string> lines = errors;
    lines.insert(lines.end(), warnings.begin(), warnings.end());
    if (lines.empty()) return {};
    std::string text = "The import of the finite-element stresses noted:";
    for (std::size_t i = 0; i < lines.size() && i < maxListed; ++i) text += "\n" + lines[i];
    if (lines.size() > maxListed)
        text += "\n… and " + std::to_string(lines.size() - maxListed) + " more (see the audit)";
    return text;
}

bool importFeStresses(const FeImportJob& job) {
    if (!job.catalogue || !job.dialogs || !job.messages || !job.remembered) return false;
    FeImportFiles& files = *job.remembered;
    FeRequest request;
    const auto stresses = chooseInput(job, files.stresses, "Element stresses (*.tsv *.csv *.txt);;All files (*)",
                                      "Import FE stresses: element stresses");
    if (!stresses) return false;
    const auto panels =
        chooseInput(job, files.panels, "Panels (*.tsv *.txt);;All files (*)", "Import FE stresses: panels");
    if (!panels) return false;
    const auto templates = chooseInput(job, files.templateFile, "Batch files (*.kori);;All files (*)",
                                       "Import FE stresses: template cases");
    if (!templates) return false;
    FileDialogRequest save;
    save.initialName = files.output.empty() ? std::string("fe-cases.kori") : fs::path(files.output).filename().string();
    save.defaultExtension = "kori";
    save.filter = "Batch files (*.kori)";
    save.initialFolder = folderOf(files.output.empty() ? *stresses : files.output, job.folder);
    save.askOverwrite = true;
    save.title = "Import FE stresses: save the batch file";
    const std::optional<FileChoice> output = job.dialogs->chooseFileToSave(save);
    if (!output) return false;
    files.output = output->path;

    request.stresses = *stresses;
    request.panels = *panels;
    request.templateFile = *templates;
    FeOutcome outcome;
    {
        // The reduction reads the whole stress table: a busy indicator while it does.
        QProgressDialog busy(QStringLiteral("Reducing the element stresses…"), QString(), 0, 0, job.parent);
        busy.setWindowModality(Qt::WindowModal);
        busy.setMinimumDuration(0);
        busy.show();
        QApplication::processEvents();
        outcome = runFeImport(request, *job.catalogue);
    }
    std::vector<std::string> warnings;
    for (const PanelCaseResult& r : outcome.results)
        for (const std::string& w : r.warnings) warnings.push_back(r.panel + "/" + r.combination + ": " + w);
    if (outcome.nothing) {
        job.messages->warning(feImportWarnings(outcome.errors, {}));
        return false;
    }
    if (const auto failed = replaceFileContent(fs::path(output->path), outcome.kori)) {
        job.messages->warning(saveFailureMessage(output->path, *failed));
        return false;
    }
    const fs::path audit = fs::path(output->path).replace_extension(".audit.tsv");
    if (const auto failed = replaceFileContent(audit, outcome.audit)) {
        job.messages->warning(saveFailureMessage(audit.string(), *failed));
        return false;
    }
    if (const std::string noted = feImportWarnings(outcome.errors, warnings); !noted.empty())
        job.messages->warning(noted);
    if (job.status)
        job.status(std::to_string(outcome.results.size()) + " cases written to " + output->path + ", the audit to " +
                   audit.string());
    return job.open ? job.open(output->path) : true;
}

} // namespace korvel
