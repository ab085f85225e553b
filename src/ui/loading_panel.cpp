#include "ui/loading_panel.h"

#include "design/input_limits.h"
#include "ui/line_input.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>

namespace korvel {

LoadingPanel::LoadingPanel(QWidget* parent) : QGroupBox(QStringLiteral("Loading condition / Safety Format"), parent) {
    setObjectName(QStringLiteral("loadingPanel"));

    conditionA_ = new QRadioButton(QStringLiteral("Cond. A (static)"), this);
    conditionA_->setObjectName(QStringLiteral("conditionA"));
    conditionB_ = new QRadioButton(QStringLiteral("Cond. B (comb.)"), this);
    conditionB_->setObjectName(QStringLiteral("conditionB"));
    conditionC_ = new QRadioButton(QStringLiteral("Cond. C (other)"), this);
    conditionC_->setObjectName(QStringLiteral("conditionC"));
    auto* group = new QButtonGroup(this);
    group->addButton(conditionA_, conditionA);
    group->addButton(conditionB_, conditionB);
    group->addButton(conditionC_, conditionC);

    FSBox_ = new LineInput(InputBox::FS, QStringLiteral("FSBox"), this);
    UFBox_ = new LineInput(InputBox::UF, QStringLiteral("UFBox"), this);

    // The three conditions one above the other, the safety format beside them.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);
    grid->addWidget(conditionA_, 0, 0);
    grid->addWidget(conditionB_, 1, 0);
    grid->addWidget(conditionC_, 2, 0);
    grid->setColumnMinimumWidth(1, 8);
    grid->addWidget(new QLabel(QStringLiteral("Factor of Safety F.S. ="), this), 0, 2, Qt::AlignRight);
    grid->addWidget(FSBox_, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("(yield)"), this), 0, 4);
    grid->addWidget(new QLabel(QStringLiteral("Max Allow Utiliz. Factor ="), this), 1, 2, Qt::AlignRight);
    grid->addWidget(UFBox_, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("(buckling)"), this), 1, 4);
    grid->setColumnStretch(4, 1);

    // Clicks of the user only: the program's own selection (refresh) changes nothing.
    connect(group, &QButtonGroup::idClicked, this, &LoadingPanel::conditionChosen);
}

QRadioButton* LoadingPanel::conditionButton(int condition) const {
    switch (condition) {
    case conditionA:
        return conditionA_;
    case conditionB:
        return conditionB_;
    case conditionC:
        return conditionC_;
    default:
        return nullptr;
    }
}

void LoadingPanel::showCase(const DesignCase& dc, char sep) {
    if (QRadioButton* button = conditionButton(dc.loadingCondition)) {
        const QSignalBlocker block(button);
        button->setChecked(true);
    }
    for (LineInput* box : {FSBox_, UFBox_}) box->showText(QString::fromStdString(fieldBoxText(dc, box->box(), sep)));
}

} // namespace korvel
