#pragma once

// The picture areas of the profile windows: the section figure, the cross-section (the outline to scale
// or the schematic picture of the type; the fixed picture of a girder), and the flange-and-web figure, the web and
// flange proportion check of the stiffener. An area keeps what it was last told to show, a copy
// of the values, and paints it through the drawing interface whenever Qt asks, so an uncovered
// or resized window shows the same drawing until the next change.

#include "design/design_case.h"

#include <QWidget>

#include <functional>

namespace korvel {

class DrawingSurface;

class ProfileFigureWidget final : public QWidget {
    Q_OBJECT
public:
    // `name` is the control name ("sectionFigure", "flangeWebFigure"); `size` its fixed size in pixels.
    ProfileFigureWidget(const QString& name, QSize size, QWidget* parent = nullptr);

    // The section figure of a stiffener window: to scale on its plate strip, or the schematic picture (4:3).
    void showStiffenerFigure(const DesignCase& dc, bool toScale);
    // The section figure of a girder window: the fixed picture of girder type 1 (angle) or any other (tee).
    void showGirderFigure(int girderType);
    // The flange-and-web figure: the flange and web lines with their verdicts (dialog mode: y = 0, x = 1).
    void showProportionCheck(const StiffenerSection& section);

    // Draws the current content on any surface: the widget's own paint event, a test recorder; its
    // numbers with the decimal separator set last.
    void paintOn(DrawingSurface& surface) const;
    // The decimal separator of the numbers the figure writes (comma mode: ',').
    void setDecimalSeparator(char separator) { separator_ = separator; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::function<void(DrawingSurface&, char separator)> draw_;
    bool square_ = false; // the outline to scale: drawn on the largest centred square
    char separator_ = '.';
};

} // namespace korvel
