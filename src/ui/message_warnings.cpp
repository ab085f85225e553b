#include "ui/message_warnings.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace korvel {

QWidget* workingWindow(QWidget* fallback) {
    QWidget* active = QApplication::activeWindow();
    if (active != nullptr && active->isVisible()) return active;
    return fallback != nullptr ? fallback->window() : nullptr;
}

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
    const QPointer<QWidget> owner = workingWindow(parent_.data());
    QMessageBox box(QMessageBox::Warning, QStringLiteral("KORVEL"), QString::fromStdString(text), QMessageBox::Ok,
                    owner.data());
    box.exec();
    giveFocusBack(owner);
}

SaveChoice MessageBoxMessages::askSaveChanges(const std::string& name) {
    const QPointer<QWidget> owner = workingWindow(parent_.data());
    QMessageBox box(QMessageBox::Question, QStringLiteral("KORVEL"), QString::fromStdString(saveChangesQuestion(name)),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner.data());
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    const int answer = box.exec();
    giveFocusBack(owner);
    if (answer == QMessageBox::Save) return SaveChoice::save;
    if (answer == QMessageBox::Discard) return SaveChoice::discard;
    return SaveChoice::cancel;
}

bool MessageBoxMessages::offer(const std::string& text, const std::string& action) {
    const QPointer<QWidget> owner = workingWindow(parent_.data());
    QMessageBox box(QMessageBox::Warning, QStringLiteral("KORVEL"), QString::fromStdString(text), QMessageBox::Ok,
                    owner.data());
    QPushButton* wayRound = box.addButton(QString::fromStdString(action), QMessageBox::AcceptRole);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    giveFocusBack(owner);
    return box.clickedButton() == wayRound;
}

void MessageBoxMessages::giveFocusBack(const QPointer<QWidget>& owner) {
    // The window the user was working in gets the keyboard back, whatever the platform's window
    // manager does after a modal box: the focus rules of the boxes rely on it. Its own focus
    // widget (the box warned about) takes the typing, never a box of another window.
    if (owner != nullptr && owner->isVisible()) owner->activateWindow();
}

} // namespace korvel
