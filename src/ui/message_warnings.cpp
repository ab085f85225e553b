#include "ui/message_warnings.h"

#include <QMessageBox>

namespace korvel {

void MessageBoxMessages::warning(const std::string& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("KORVEL"), QString::fromStdString(text), QMessageBox::Ok,
                    parent_.data());
    box.exec();
    // The window the user was working in gets the keyboard back, whatever the platform's window
    // manager does after a modal box: the focus rules of the boxes rely on it.
    if (parent_ != nullptr && parent_->isVisible()) parent_->window()->activateWindow();
}

} // namespace korvel
