#pragma once

// The about window: the product name in the product colour, what the program checks, its version
// and a picture of the stiffened panel. It is centred on the screen and closes on a click on
// any of its texts or on the picture.

#include "design/version.h"

#include <QColor>
#include <QDialog>

class QLabel;

namespace korvel {

inline const QColor productColour{0, 85, 152};
inline constexpr const char* productName = "KORVEL";
inline constexpr const char* productDescription = "Plate/Stiff/Girder check based on ABS Offshore Structures";
inline constexpr const char* productVersion = "Version " KORVEL_VERSION;

class AboutWindow : public QDialog {
    Q_OBJECT

public:
    explicit AboutWindow(QWidget* owner = nullptr);

    // The window's top left corner that centres it on `screen` (both in screen pixels).
    static QPoint centredOn(const QRect& screen, const QSize& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The Help menu's "&About KORVP": shows the about window, centred on the screen, and returns it
// (it deletes itself when closed).
AboutWindow* showAboutWindow(QWidget* owner);

} // namespace korvel
