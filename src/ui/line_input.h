#pragma once

// An input box of the working window. While it has the focus its background is light yellow
// (255, 255, 192) and its whole text is selected; when the focus moves on to another control of
// the window it reports that it was left, and the window validates it. A focus lost to a message
// box, a menu or another application is no leaving: the user has not moved on, and validating
// then would show the same warning twice.
//
// Enter and the arrow keys are reported instead of being handled: the window decides where they
// move the focus (the Enter key is swallowed).

#include "design/input_box.h"

#include <QColor>
#include <QLineEdit>

#include <string_view>

namespace korvel {

class LineInput : public QLineEdit {
    Q_OBJECT
public:
    // `name` is the control name the rest of the program uses ("L1Box", "FSBox" ...).
    LineInput(InputBox box, const QString& name, QWidget* parent = nullptr);

    InputBox box() const { return box_; }

    // Number boxes are as wide as the longest number they show ("-100.000", "2.06E+5"); the
    // identification boxes take the room they are given.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static QColor focusColour() { return {255, 255, 192}; }
    static QColor normalColour() { return Qt::white; }

    // Light yellow or white background.
    void setHighlighted(bool on);
    bool isHighlighted() const { return highlighted_; }

    // Shows a text set by the program (not typed): the box counts as unmodified afterwards.
    void showText(const QString& text);

    // Whether Left and Right move the focus (the stress grid) instead of the cursor.
    void setArrowsLeftRight(bool on) { leftRightMoves_ = on; }
    // Whether Up and Down move the focus.
    void setArrowsUpDown(bool on) { upDownMoves_ = on; }

signals:
    void left(korvel::InputBox box);
    void enterPressed();
    void arrowPressed(int key);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool isNumberBox() const;

    InputBox box_;
    bool highlighted_ = false;
    bool selectOnRelease_ = false;
    bool leftRightMoves_ = false;
    bool upDownMoves_ = false;
};

// Whether a focus change with this reason means the user moved on to another control.
bool isLeavingReason(Qt::FocusReason reason);

} // namespace korvel
