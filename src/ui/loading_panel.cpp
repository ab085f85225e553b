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
    setObjectName(QStringLiteral("fr10"));

    optA_ = new QRadioButton(QStringLiteral("Cond. A (static)"), this);
    optA_->setObjectName(QStringLiteral("opt_cond_a"));
    optB_ = new QRadioButton(QStringLiteral("Cond. B (comb.)"), this);
    optB_->setObjectName(QStringLiteral("opt_cond_b"));
    optC_ = new QRadioButton(QStringLiteral("Cond. C (other)"), this);
    optC_->setObjectName(QStringLiteral("opt_cond_c"));
    auto* group = new QButtonGroup(this);
    group->addButton(optA_, conditionA);
    group->addButton(optB_, conditionB);
    group->addButton(optC_, conditionC);

    ifs_ = new LineInput(InputBox::FS, QStringLiteral("ifs"), this);
    iufa_ = new LineInput(InputBox::UF, QStringLiteral("iufa"), this);

    // The three conditions one above the other, the safety format beside them.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);
    grid->addWidget(optA_, 0, 0);
    grid->addWidget(optB_, 1, 0);
    grid->addWidget(optC_, 2, 0);
    grid->setColumnMinimumWidth(1, 8);
    grid->addWidget(new QLabel(QStringLiteral("Factor of Safety F.S. ="), this), 0, 2, Qt::AlignRight);
    grid->addWidget(ifs_, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("(yield)"), this), 0, 4);
    grid->addWidget(new QLabel(QStringLiteral("Max Allow Utiliz. Factor ="), this), 1, 2, Qt::AlignRight);
    grid->addWidget(iufa_, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("(buckling)"), this), 1, 4);
    grid->setColumnStretch(4, 1);

    // Clicks of the user only: the program's own selection (refresh) changes nothing.
    connect(group, &QButtonGroup::idClicked, this, &LoadingPanel::conditionChosen);
}

QRadioButton* LoadingPanel::conditionButton(int condition) const {
    switch (condition) {
    case conditionA:
        return optA_;
    case conditionB:
        return optB_;
    case conditionC:
        return optC_;
    default:
        return nullptr;
    }
}

void LoadingPanel::showCase(const DesignCase& dc, char sep) {
    if (QRadioButton* button = conditionButton(dc.loadingCondition)) {
        const QSignalBlocker block(button);
        button->setChecked(true);
    }
    ifs_->showText(QString::fromStdString(boxText(dc.FS, "#0.00", sep, findInputLimit(InputBox::FS))));
    iufa_->showText(QString::fromStdString(boxText(dc.UF, "#0.00", sep, findInputLimit(InputBox::UF))));
}

} // namespace korvel
