#include "ui/stress_panel.h"

#include "design/input_limits.h"
#include "ui/line_input.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace korvel {

StressPanel::StressPanel(QWidget* parent) : QGroupBox(QStringLiteral("Stresses (MPa)"), parent) {
    setObjectName(QStringLiteral("stressPanel"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(3);

    const auto add = [&](InputBox id, const char* symbol, int row, int column) {
        const QString name = QString::fromLatin1(symbol);
        auto* label = new QLabel(name + QStringLiteral(" ="), this);
        label->setObjectName(name + QStringLiteral("Label"));
        grid->addWidget(label, row, column, Qt::AlignRight);
        auto* box = new LineInput(id, name + QStringLiteral("Box"), this);
        grid->addWidget(box, row, column + 1);
        return box;
    };
    // SigxA and SigxB side by side over SigyA and SigyC: the arrow keys move in this grid.
    SigxABox_ = add(InputBox::SigxA, "SigxA", 0, 0);
    SigxBBox_ = add(InputBox::SigxB, "SigxB", 0, 2);
    SigyABox_ = add(InputBox::SigyA, "SigyA", 1, 0);
    SigyCBox_ = add(InputBox::SigyC, "SigyC", 1, 2);
    TauBox_ = add(InputBox::Tau, "Tau", 2, 0);
    pBox_ = add(InputBox::p, "p", 3, 0);
    psBox_ = add(InputBox::ps, "ps", 4, 0);
    pBox_->setToolTip(QStringLiteral("(Positive on plate side; 0.10 MPa is about 10 water pressure)"));
    psBox_->setToolTip(QStringLiteral("(Positive on stiffener side; 0.10 MPa is about 10 water pressure)"));
    grid->addWidget(new QLabel(QStringLiteral("(Buckling / Yield)"), this), 3, 2, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("(Scantling)"), this), 4, 2, 1, 2);

    signButton_ = new QPushButton(QStringLiteral("+/-"), this);
    signButton_->setObjectName(QStringLiteral("signButton"));
    signButton_->setToolTip(QStringLiteral("Pressure p on the other side"));
    signButton_->setAutoDefault(false);
    grid->addWidget(signButton_, 2, 3);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(4, 1);

    connect(signButton_, &QPushButton::clicked, this, &StressPanel::signFlipRequested);
}

void StressPanel::showPressure(const DesignCase& dc, char sep) {
    pBox_->showText(QString::fromStdString(fieldBoxText(dc, InputBox::p, sep)));
}

void StressPanel::showCase(const DesignCase& dc, char sep) {
    for (LineInput* box : {SigxABox_, SigxBBox_, SigyABox_, SigyCBox_, TauBox_, pBox_, psBox_})
        box->showText(QString::fromStdString(fieldBoxText(dc, box->box(), sep)));
}

} // namespace korvel
