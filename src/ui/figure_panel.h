#pragma once

// Frame "Figure": the panel layout schematic, the designations of the stiffener and
// girder profiles, and the picture buttons that open the dialog of the current stiffener type and
// girder type.

#include "design/design_case.h"

#include <QGroupBox>
#include <QWidget>

class QLabel;
class QPushButton;

namespace korvel {

// The figure box: draws the panel schematic of the design case on every repaint, in proportion
// and centred, through the same drawing routine the printed report uses.
class PanelFigureView final : public QWidget {
    Q_OBJECT
public:
    PanelFigureView(const DesignCase& dc, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Paints the figure on any device of the given size (the window's box, an image in tests); its
    // numbers ("0.25a") are written with `decimalSeparator`.
    static void paintFigure(QPainter& painter, const QRectF& target, const DesignCase& dc, char decimalSeparator = '.');
    void setDecimalSeparator(char separator) { separator_ = separator; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const DesignCase& dc_;
    char separator_ = '.';
};

class FigurePanel final : public QGroupBox {
    Q_OBJECT
public:
    FigurePanel(const DesignCase& dc, QWidget* parent = nullptr);

    // Designations (numbers with `decimalSeparator`) and button pictures of the current profiles;
    // the figure is repainted.
    void showCase(const DesignCase& dc, char decimalSeparator = '.');

    PanelFigureView* figure() const { return figure_; }
    QLabel* stiffenerLabel() const { return stiffenerLabel_; }
    QLabel* girderLabel() const { return girderLabel_; }
    QPushButton* stiffenerButton() const { return stiffenerButton_; }
    QPushButton* girderButton() const { return girderButton_; }

signals:
    void stiffenerButtonClicked();
    void girderButtonClicked();

private:
    PanelFigureView* figure_;
    QLabel* stiffenerLabel_;
    QLabel* girderLabel_;
    QPushButton* stiffenerButton_;
    QPushButton* girderButton_;
    std::string stiffenerPicture_;
    std::string girderPicture_;
};

// A profile button's picture drawn by code at `side` pixels; a null pixmap for an unknown name.
// `pixelRatio` device pixels per pixel: the picture stays sharp on a scaled screen.
QPixmap profilePicture(std::string_view name, int side, double pixelRatio = 1);

} // namespace korvel
