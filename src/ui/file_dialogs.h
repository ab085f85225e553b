#pragma once

// The File menu's common dialogs on the desktop: QFileDialog for opening and saving project
// files, asked as the file commands describe (initial name, default extension, filter, starting
// folder, whether to ask before replacing a file).

#include "files/file_commands.h"

#include <QPointer>
#include <QWidget>

namespace korvel {

class QtFileDialogs final : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    std::optional<FileChoice> chooseFileToOpen(const FileDialogRequest& request) override;
    std::optional<FileChoice> chooseFileToSave(const FileDialogRequest& request) override;

private:
    std::optional<FileChoice> ask(const FileDialogRequest& request, bool save);

    QPointer<QWidget> parent_;
};

// The name filter a request's filter text becomes: "korvp" and "*.korvp" both list the project
// files, and every file can still be chosen.
QStringList fileDialogFilters(const FileDialogRequest& request);

} // namespace korvel
