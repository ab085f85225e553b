#include "ui/file_dialogs.h"

#include "ui/message_warnings.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace korvel {

QStringList fileDialogFilters(const FileDialogRequest& request) {
    QString pattern = QString::fromStdString(request.filter);
    if (!pattern.contains(QLatin1Char('*'))) pattern = QStringLiteral("*.") + pattern;
    const QString extension = QString::fromStdString(request.defaultExtension);
    const QString described = extension == QLatin1String("korvp")
                                  ? QStringLiteral("KORVEL project (%1)").arg(pattern)
                                  : QStringLiteral("%1 files (%2)").arg(extension, pattern);
    return {described, QStringLiteral("All files (*)")};
}

std::optional<FileChoice> QtFileDialogs::ask(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(workingWindow(parent_.data()));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(fileDialogFilters(request));
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    if (!request.askOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.title.empty()) dialog.setWindowTitle(QString::fromStdString(request.title));

    const QString folder = QString::fromStdString(request.initialFolder);
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) dialog.setDirectory(folder);
    // A wildcard proposal ("*.korvp") is what the filter already shows; only a real name is
    // proposed (Save As offers the current file, "New File" is no name).
    const QString initial = QString::fromStdString(request.initialName);
    if (!initial.isEmpty() && !initial.contains(QLatin1Char('*')) && initial != QLatin1String("New File")) {
        const QFileInfo info(initial);
        if (info.isAbsolute() && info.dir().exists()) dialog.setDirectory(info.dir());
        dialog.selectFile(info.fileName());
    }

    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;

    FileChoice choice;
    choice.path = QDir::toNativeSeparators(chosen.front()).toStdString();
    choice.folder = QDir::toNativeSeparators(QFileInfo(chosen.front()).absolutePath() + QLatin1Char('/')).toStdString();
    return choice;
}

std::optional<FileChoice> QtFileDialogs::chooseFileToOpen(const FileDialogRequest& request) {
    return ask(request, false);
}

std::optional<FileChoice> QtFileDialogs::chooseFileToSave(const FileDialogRequest& request) {
    return ask(request, true);
}

} // namespace korvel
