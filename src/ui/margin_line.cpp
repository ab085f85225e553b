#include "ui/margin_line.h"

#include "report/margin_text.h"
#include "ui/verdict_colours.h"

namespace korvel {

MarginLine::MarginLine(const Catalogue& catalogue, QWidget* parent) : QLabel(parent), runner_(catalogue) {
    setObjectName(QStringLiteral("marginLine"));
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont f = font();
    f.setBold(true);
    setFont(f);
    timer_.setSingleShot(true);
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &MarginLine::computeReserve);
}

void MarginLine::showCase(const DesignCase& dc, char decimalSeparator) {
    separator_ = decimalSeparator;
    verdict_ = caseVerdict(dc);
    inputs_ = dc;
    analysis_ = dc.analysis;
    reserve_.reset();
    showText();
    timer_.start();
}

void MarginLine::finishReserve() {
    if (!timer_.isActive()) return;
    timer_.stop();
    computeReserve();
}

void MarginLine::computeReserve() {
    reserve_ = reserveFactor(inputs_, runner_);
    ++reserves_;
    showText();
}

void MarginLine::showText() {
    setText(QString::fromStdString(listMarginText(verdict_, reserve_ ? &*reserve_ : nullptr, analysis_, separator_)));
    const Rgb c = verdictColour(verdict_);
    // Readable on the window's ground of any palette, dark ones included.
    QPalette p = palette();
    p.setColor(QPalette::WindowText, readableOn(QColor(c.r, c.g, c.b), p.color(QPalette::Window)));
    setPalette(p);
}

} // namespace korvel
