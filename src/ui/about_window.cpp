#include "ui/about_window.h"

#include "report/verification_table.h"

#include <QEvent>
#include <QFont>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

#include <utility>

namespace korvel {

namespace {

// A stiffened panel in section: the plate with three tee stiffeners, the spacings s1 and s2
// below it and the in-plane compression on its edges.
class PanelPicture final : public QWidget {
public:
    explicit PanelPicture(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("panelPicture"));
        setFixedSize(240, 160);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), Qt::white);
        p.setWindow(0, 0, 200, 134);

        const QColor light = productColour.lighter(170);
        p.setPen(QPen(productColour, 0.8));

        // Plate and stiffeners: web 4 high-by-45, flange 28-by-5 on top.
        p.setBrush(productColour);
        p.drawRect(QRectF(12, 88, 176, 7));
        p.setBrush(light);
        for (const double x : {40.0, 100.0, 160.0}) {
            p.drawRect(QRectF(x - 2, 44, 4, 44));
            p.drawRect(QRectF(x - 14, 39, 28, 5));
        }

        // Spacings with their dimension lines.
        p.setPen(QPen(Qt::black, 0.6));
        p.setBrush(Qt::black);
        const double y = 108;
        for (const double x : {40.0, 100.0, 160.0}) p.drawLine(QPointF(x, 97), QPointF(x, y + 4));
        for (const auto& [x0, x1] : {std::pair{40.0, 100.0}, std::pair{100.0, 160.0}}) {
            p.drawLine(QPointF(x0, y), QPointF(x1, y));
            arrowHead(p, QPointF(x0, y), -1);
            arrowHead(p, QPointF(x1, y), 1);
        }
        QFont font = p.font();
        font.setPointSizeF(7);
        font.setItalic(true);
        p.setFont(font);
        p.drawText(QRectF(40, y + 2, 60, 12), Qt::AlignCenter, QStringLiteral("s1"));
        p.drawText(QRectF(100, y + 2, 60, 12), Qt::AlignCenter, QStringLiteral("s2"));

        // In-plane compression on both edges of the plate.
        p.setPen(QPen(QColor(128, 0, 0), 1.2));
        p.setBrush(QColor(128, 0, 0));
        p.drawLine(QPointF(0, 91.5), QPointF(9, 91.5));
        arrowHead(p, QPointF(10, 91.5), 1);
        p.drawLine(QPointF(200, 91.5), QPointF(191, 91.5));
        arrowHead(p, QPointF(190, 91.5), -1);
        p.setPen(QColor(128, 0, 0));
        p.drawText(QRectF(0, 72, 30, 12), Qt::AlignLeft, QStringLiteral("Sigx"));
    }

private:
    // A filled arrow head with its tip at `tip`, pointing right (+1) or left (-1).
    static void arrowHead(QPainter& p, QPointF tip, int direction) {
        QPainterPath head;
        head.moveTo(tip);
        head.lineTo(tip.x() - direction * 4.0, tip.y() - 1.8);
        head.lineTo(tip.x() - direction * 4.0, tip.y() + 1.8);
        head.closeSubpath();
        p.drawPath(head);
    }
};

QLabel* textLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

AboutWindow::AboutWindow(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("aboutWindow"));
    setWindowTitle(QStringLiteral("About ") + QString::fromUtf8(productName));
    // Esc closes the window wherever the focus is in it.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    QLabel* nameLabel = textLabel("productNameLabel", QString::fromUtf8(productName), this);
    QFont big = nameLabel->font();
    big.setPointSizeF(big.pointSizeF() * 2.4);
    big.setBold(true);
    nameLabel->setFont(big);
    QPalette palette = nameLabel->palette();
    palette.setColor(QPalette::WindowText, productColour);
    nameLabel->setPalette(palette);

    QLabel* descriptionLabel = textLabel("descriptionLabel", QString::fromUtf8(productDescription), this);
    descriptionLabel->setWordWrap(true);
    QLabel* versionLabel = textLabel("versionLabel", QString::fromUtf8(productVersion), this);
    QLabel* rulesLabel = textLabel("rulesEditionLabel", QString::fromUtf8(rulesEdition), this);
    rulesLabel->setWordWrap(true);
    auto* pic = new PanelPicture(this);

    auto* texts = new QVBoxLayout;
    texts->addWidget(nameLabel);
    texts->addWidget(descriptionLabel);
    texts->addSpacing(8);
    texts->addWidget(versionLabel);
    texts->addWidget(rulesLabel);
    texts->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(pic);
    layout->addSpacing(12);
    layout->addLayout(texts, 1);

    for (QWidget* w :
         {static_cast<QWidget*>(nameLabel), static_cast<QWidget*>(descriptionLabel),
          static_cast<QWidget*>(versionLabel), static_cast<QWidget*>(rulesLabel), static_cast<QWidget*>(pic)}) {
        w->installEventFilter(this);
        w->setCursor(Qt::PointingHandCursor);
    }
    setMinimumWidth(520);
    adjustSize();
}

QPoint AboutWindow::centredOn(const QRect& screen, const QSize& window) {
    return {screen.left() + screen.width() / 2 - window.width() / 2,
            screen.top() + screen.height() / 2 - window.height() / 2};
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        close();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

AboutWindow* showAboutWindow(QWidget* owner) {
    auto* window = new AboutWindow(owner);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen) window->move(AboutWindow::centredOn(screen->geometry(), window->frameGeometry().size()));
    window->show();
    return window;
}

} // namespace korvel
