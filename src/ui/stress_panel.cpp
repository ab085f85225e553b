#include "ui/stress_panel.h"

#include "design/input_limits.h"
#include "ui/line_input.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace korvel {

StressPanel::StressPanel(QWidget* parent) : QGroupBox(QStringLiteral("Stresses (MPa)"), parent) {
    setObjectName(QStringLiteral("fr22"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(3);

    const auto add = [&](InputBox id, const char* name, const char* symbol, int row, int column) {
        auto* label = new QLabel(QString::fromUtf8(symbol), this);
        label->setObjectName(QStringLiteral("lbl") + QString::fromLatin1(name));
        grid->addWidget(label, row, column, Qt::AlignRight);
        auto* box = new LineInput(id, QString::fromLatin1(name), this);
        grid->addWidget(box, row, column + 1);
        return box;
    };
    // SigxA and SigxB side by side over SigyA and SigyC: the arrow keys move in this grid.
    isigx1_ = add(InputBox::SigxA, "isigx1", "SigxA =", 0, 0);
    isigx2_ = add(InputBox::SigxB, "isigx2", "SigxB =", 0, 2);
    isigy1_ = add(InputBox::SigyA, "isigy1", "SigyA =", 1, 0);
    isigy3_ = add(InputBox::SigyC, "isigy3", "SigyC =", 1, 2);
    itau1_ = add(InputBox::Tau, "itau1", "Tau =", 2, 0);
    ip1_ = add(InputBox::p, "ip1", "p =", 3, 0);
    ips_ = add(InputBox::ps, "ips", "ps =", 4, 0);
    ip1_->setToolTip(QStringLiteral("(Positive on plate side; 0.10 MPa is about 10 water pressure)"));
    ips_->setToolTip(QStringLiteral("(Positive on stiffener side; 0.10 MPa is about 10 water pressure)"));
    grid->addWidget(new QLabel(QStringLiteral("(Buckling / Yield)"), this), 3, 2, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("(Scantling)"), this), 4, 2, 1, 2);

    command1_ = new QPushButton(QStringLiteral("+/-"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setToolTip(QStringLiteral("Pressure p on the other side"));
    command1_->setAutoDefault(false);
    grid->addWidget(command1_, 2, 3);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(4, 1);

    connect(command1_, &QPushButton::clicked, this, &StressPanel::signFlipRequested);
}

void StressPanel::showPressure(const DesignCase& dc, char sep) {
    ip1_->showText(QString::fromStdString(boxText(dc.p, "##0.000", sep)));
}

void StressPanel::showCase(const DesignCase& dc, char sep) {
    const auto show = [sep](LineInput* box, auto value, const char* mask) {
        box->showText(QString::fromStdString(boxText(value, mask, sep, findInputLimit(box->box()))));
    };
    show(isigx1_, dc.SigxA, "##0.0");
    show(isigx2_, dc.SigxB, "##0.0");
    show(isigy1_, dc.SigyA, "##0.0");
    show(isigy3_, dc.SigyC, "##0.0");
    show(itau1_, dc.Tau, "##0.0");
    showPressure(dc, sep);
    show(ips_, dc.ps, "##0.000");
}

} // namespace korvel
