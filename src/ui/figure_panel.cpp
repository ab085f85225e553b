#include "ui/figure_panel.h"

#include "figures/panel_figure.h"
#include "figures/pictures.h"
#include "sections/profile_types.h"
#include "ui/qt_drawing_surface.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace korvel {

namespace {

constexpr int pictureSide = 36;
// Room around the schematic, in figure units, for the labels at its edges.
constexpr double figureMargin = 3;

} // namespace

PanelFigureView::PanelFigureView(const DesignCase& dc, QWidget* parent) : QWidget(parent), dc_(dc) {
    setObjectName(QStringLiteral("panelFigure"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize PanelFigureView::sizeHint() const {
    return {260, 120};
}

QSize PanelFigureView::minimumSizeHint() const {
    return {160, 100};
}

void PanelFigureView::paintFigure(QPainter& painter, const QRectF& target, const DesignCase& dc, char sep) {
    QtDrawingSurface surface(painter, target);
    // One scale for both directions keeps the schematic's proportions; the figure is centred.
    const double w = panelFigureWidth + 2 * figureMargin;
    const double h = panelFigureHeight + 2 * figureMargin;
    const double scale = std::max(1e-6, std::min(target.width() / w, target.height() / h));
    const double userWidth = target.width() / scale;
    const double userHeight = target.height() / scale;
    const double left = -(userWidth - panelFigureWidth) / 2;
    const double bottom = -(userHeight - panelFigureHeight) / 2;
    surface.setScale(left, bottom + userHeight, left + userWidth, bottom);
    surface.clear();
    // The labels shrink with the figure (a splitter dragged up), down to a size still legible,
    // so that they keep clear of each other and of the lines they name.
    Font font;
    font.name = "arial";
    font.size = std::clamp(8 * std::min(target.width() / 300, target.height() / 150), 5.0, 8.0);
    surface.setFont(font);
    drawPanelFigure(surface, dc, 0, 0, sep);
}

void PanelFigureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    paintFigure(painter, QRectF(rect()), dc_, separator_);
}

QPixmap profilePicture(std::string_view name, int side, double pixelRatio) {
    const double ratio = std::max(1.0, pixelRatio);
    const int pixels = static_cast<int>(std::lround(side * ratio));
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QtDrawingSurface surface(painter, QRectF(0, 0, pixels, pixels));
    surface.setScale(0, 0, side, side);
    const bool drawn = drawPicture(surface, name, 0, 0, side, side);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    return drawn ? pixmap : QPixmap();
}

FigurePanel::FigurePanel(const DesignCase& dc, QWidget* parent) : QGroupBox(QStringLiteral("Figure"), parent) {
    setObjectName(QStringLiteral("figurePanel"));
    figure_ = new PanelFigureView(dc, this);

    stiffenerLabel_ = new QLabel(this);
    stiffenerLabel_->setObjectName(QStringLiteral("stiffenerProfile"));
    girderLabel_ = new QLabel(this);
    girderLabel_->setObjectName(QStringLiteral("girderProfile"));
    for (QLabel* designation : {stiffenerLabel_, girderLabel_}) {
        QFont bold = designation->font();
        bold.setBold(true);
        designation->setFont(bold);
        designation->setTextInteractionFlags(Qt::TextSelectableByMouse);
        designation->setWordWrap(true);
    }

    stiffenerButton_ = new QPushButton(this);
    stiffenerButton_->setObjectName(QStringLiteral("stiffenerPictureButton"));
    stiffenerButton_->setToolTip(QStringLiteral("Stiffener profile"));
    girderButton_ = new QPushButton(this);
    girderButton_->setObjectName(QStringLiteral("girderPictureButton"));
    girderButton_->setToolTip(QStringLiteral("Girder profile"));
    for (QPushButton* button : {stiffenerButton_, girderButton_}) {
        button->setIconSize(QSize(pictureSide, pictureSide));
        button->setFixedSize(pictureSide + 10, pictureSide + 10);
        button->setAutoDefault(false);
    }

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setVerticalSpacing(2);
    // The schematic takes the left of the frame; the two profiles stand one over the other at
    // its right, each a button beside its label and designation, so the frame stays low and the
    // summary list below it gets the height.
    layout->addWidget(figure_, 0, 0, 2, 1);
    auto* stiffLabel = new QLabel(QStringLiteral("Stiffener profile:"), this);
    stiffLabel->setObjectName(QStringLiteral("stiffenerProfileLabel"));
    auto* girdLabel = new QLabel(QStringLiteral("Girder profile:"), this);
    girdLabel->setObjectName(QStringLiteral("girderProfileLabel"));
    const auto profile = [&](int row, QPushButton* button, QLabel* label, QLabel* designation) {
        layout->addWidget(button, row, 1, Qt::AlignTop);
        auto* texts = new QVBoxLayout;
        texts->setSpacing(0);
        texts->addWidget(label);
        texts->addWidget(designation);
        texts->addStretch(1);
        layout->addLayout(texts, row, 2);
    };
    profile(0, stiffenerButton_, stiffLabel, stiffenerLabel_);
    profile(1, girderButton_, girdLabel, girderLabel_);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(2, 1);
    // A designation breaks only at its spaces: its longest word is shown whole.
    for (QLabel* designation : {stiffenerLabel_, girderLabel_})
        designation->setMinimumWidth(designation->fontMetrics().horizontalAdvance(QStringLiteral("800x200x10.0x20.0")) +
                                     4);

    connect(stiffenerButton_, &QPushButton::clicked, this, &FigurePanel::stiffenerButtonClicked);
    connect(girderButton_, &QPushButton::clicked, this, &FigurePanel::girderButtonClicked);
}

void FigurePanel::showCase(const DesignCase& dc, char sep) {
    stiffenerLabel_->setText(QString::fromStdString(stiffenerDesignation(dc, sep)));
    girderLabel_->setText(QString::fromStdString(girderDesignation(dc, sep)));
    figure_->setDecimalSeparator(sep);
    // The pictures are drawn again only when the type changed.
    const std::string stiff(stiffenerPictureName(dc.stiffenerType));
    if (stiff != stiffenerPicture_ || stiffenerButton_->icon().isNull()) {
        stiffenerPicture_ = stiff;
        stiffenerButton_->setIcon(QIcon(profilePicture(stiff, pictureSide, devicePixelRatioF())));
    }
    const std::string gird(girderPictureName(dc.girderType));
    if (gird != girderPicture_ || girderButton_->icon().isNull()) {
        girderPicture_ = gird;
        girderButton_->setIcon(QIcon(profilePicture(gird, pictureSide, devicePixelRatioF())));
    }
    figure_->update();
}

} // namespace korvel
