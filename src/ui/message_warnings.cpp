#include "ui/message_warnings.h"

#include <QMessageBox>
#include <QPushButton>

namespace korvel {

std::string saveChangesQuestion(const std::string& name) {
    return "Save changes to " + name + "?";
}

SaveChoice UserMessages::askSaveChanges(const std::string&) {
    return SaveChoice::cancel;
}

bool UserMessages::offer(const std::string& text, const std::string&) {
    warning(text);
    return false;
}

void MessageBoxMessages::warning(const std::string& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("KORVEL"), QString::fromStdString(text), QMessageBox::Ok,
                    parent_.data());
    box.exec();
    giveFocusBack();
}

SaveChoice MessageBoxMessages::askSaveChanges(const std::string& name) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("KORVEL"), QString::fromStdString(saveChangesQuestion(name)),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent_.data());
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    const int answer = box.exec();
    giveFocusBack();
    if (answer == QMessageBox::Save) return SaveChoice::save;
    if (answer == QMessageBox::Discard) return SaveChoice::discard;
    return SaveChoice::cancel;
}

bool MessageBoxMessages::offer(const std::string& text, const std::string& action) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("KORVEL"), QString::fromStdString(text), QMessageBox::Ok,
                    parent_.data());
    QPushButton* wayRound = box.addButton(QString::fromStdString(action), QMessageBox::AcceptRole);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    giveFocusBack();
    return box.clickedButton() == wayRound;
}

void MessageBoxMessages::giveFocusBack() {
    // The window the user was working in gets the keyboard back, whatever the platform's window
    // manager does after a modal box: the focus rules of the boxes rely on it.
    if (parent_ != nullptr && parent_->isVisible()) parent_->window()->activateWindow();
}

} // namespace korvel
