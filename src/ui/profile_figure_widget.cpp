#include "ui/profile_figure_widget.h"

#include "figures/pictures.h"
#include "figures/profile_figure.h"
#include "report/proportion_display.h"
#include "sections/profile_outline.h"
#include "sections/stiffener_section.h"
#include "ui/qt_drawing_surface.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <memory>
#include <string>

namespace korvel {

ProfileFigureWidget::ProfileFigureWidget(const QString& name, QSize size, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    setFixedSize(size);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ProfileFigureWidget::showStiffenerFigure(const DesignCase& dc, bool toScale) {
    // The figure reads the outline, the type and the dimensions; a copy keeps it as it was drawn.
    auto snapshot = std::make_shared<const DesignCase>(dc);
    draw_ = [snapshot, toScale](DrawingSurface& surface, char separator) {
        drawProfileFigure(surface, *snapshot, toScale, separator);
    };
    square_ = toScale;
    update();
}

void ProfileFigureWidget::showGirderFigure(int girderType) {
    const std::string name(girderSchematicPictureName(girderType));
    draw_ = [name](DrawingSurface& surface, char) {
        // The picture fills the area, which has the picture's proportions.
        surface.setScale(0, 0, 100, 75);
        drawPicture(surface, name, 0, 0, 100, 75);
    };
    square_ = false;
    update();
}

void ProfileFigureWidget::showProportionCheck(const StiffenerSection& section) {
    draw_ = [section](DrawingSurface& surface, char separator) {
        double y = 0;
        proportionCheckDisplay(surface, section, y, 1, 0, separator);
    };
    update();
}

void ProfileFigureWidget::paintOn(DrawingSurface& surface) const {
    if (draw_) draw_(surface, separator_);
}

void ProfileFigureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    // The to-scale outline has a square scale: drawn on a square it keeps its proportions.
    QRectF target(rect());
    if (square_) {
        const double side = std::min(target.width(), target.height());
        target = QRectF(target.center().x() - side / 2, target.center().y() - side / 2, side, side);
    }
    QtDrawingSurface surface(painter, target);
    paintOn(surface);
}

void ProfileFigureWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        event->accept();
        emit clicked();
        return;
    }
    QWidget::mousePressEvent(event);
}

} // namespace korvel
