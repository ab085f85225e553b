#include "ui/line_input.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>

namespace korvel {

bool isLeavingReason(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

LineInput::LineInput(InputBox box, const QString& name, QWidget* parent) : QLineEdit(parent), box_(box) {
    setObjectName(name);
    setHighlighted(false);
    if (isNumberBox()) setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

bool LineInput::isNumberBox() const {
    return box_ != InputBox::projectName && box_ != InputBox::identification;
}

QSize LineInput::sizeHint() const {
    QSize hint = QLineEdit::sizeHint();
    if (isNumberBox()) hint.setWidth(fontMetrics().horizontalAdvance(QStringLiteral("-000.000")) + 12);
    return hint;
}

QSize LineInput::minimumSizeHint() const {
    QSize hint = QLineEdit::minimumSizeHint();
    if (isNumberBox()) hint.setWidth(sizeHint().width());
    return hint;
}

void LineInput::setHighlighted(bool on) {
    highlighted_ = on;
    QPalette pal = palette();
    const QColor colour = on ? focusColour() : normalColour();
    // A disabled box keeps the style's disabled look, so a copied material strength reads as such.
    pal.setColor(QPalette::Active, QPalette::Base, colour);
    pal.setColor(QPalette::Inactive, QPalette::Base, colour);
    // The box is white or light yellow whatever the desktop's colours: its text is black, so that
    // it reads on a dark desktop as well.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Text, Qt::black);
        pal.setColor(group, QPalette::PlaceholderText, Qt::darkGray);
    }
    setPalette(pal);
}

void LineInput::showText(const QString& text) {
    setText(text);
    setModified(false);
}

void LineInput::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    setHighlighted(true);
    // Back from a menu the cursor stays where the user left it.
    if (event->reason() != Qt::PopupFocusReason) selectAll();
    // A click would put the cursor where it landed; the whole text stays selected instead.
    selectOnRelease_ = event->reason() == Qt::MouseFocusReason;
}

void LineInput::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    selectOnRelease_ = false;
    if (isLeavingReason(event->reason())) emit left(box_);
}

void LineInput::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (selectOnRelease_ && !hasSelectedText()) selectAll();
    selectOnRelease_ = false;
}

void LineInput::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        event->accept();
        emit enterPressed();
        return;
    }
    if (plain && (((key == Qt::Key_Up || key == Qt::Key_Down) && upDownMoves_) ||
                  ((key == Qt::Key_Left || key == Qt::Key_Right) && leftRightMoves_))) {
        event->accept();
        emit arrowPressed(key);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace korvel
