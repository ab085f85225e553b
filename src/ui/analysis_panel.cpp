#include "ui/analysis_panel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QRadioButton>
#include <QSignalBlocker>

namespace korvel {

AnalysisPanel::AnalysisPanel(QWidget* parent) : QGroupBox(QStringLiteral("Buckling/Yield/Scantling"), parent) {
    setObjectName(QStringLiteral("fr23"));
    opt1_ = new QRadioButton(QStringLiteral("Buckling "), this);
    opt1_->setObjectName(QStringLiteral("optbuckling1"));
    opt2_ = new QRadioButton(QStringLiteral("Scantling / Yield "), this);
    opt2_->setObjectName(QStringLiteral("optbuckling2"));
    opt3_ = new QRadioButton(QStringLiteral("Buckling / Scantling /  Yield"), this);
    opt3_->setObjectName(QStringLiteral("optBuckling3"));
    defChbox_ = new QCheckBox(QStringLiteral("- Include deformation"), this);
    defChbox_->setObjectName(QStringLiteral("def_chbox"));

    auto* group = new QButtonGroup(this);
    group->addButton(opt1_, analysisBuckling);
    group->addButton(opt2_, analysisScantlingYield);
    group->addButton(opt3_, analysisAll);

    // A strip above the list it governs: the three selections in a row, the check box under
    // the buckling selection it belongs to.
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setVerticalSpacing(0);
    layout->addWidget(opt1_, 0, 0);
    layout->addWidget(opt2_, 0, 1);
    layout->addWidget(opt3_, 0, 2);
    layout->addWidget(defChbox_, 1, 0, 1, 2);
    layout->setColumnStretch(3, 1);
    // The check box keeps its place when hidden, so the frame does not jump.
    QSizePolicy keep = defChbox_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    defChbox_->setSizePolicy(keep);

    connect(group, &QButtonGroup::idClicked, this, &AnalysisPanel::analysisChosen);
    connect(defChbox_, &QCheckBox::clicked, this, &AnalysisPanel::deformationToggled);
}

QRadioButton* AnalysisPanel::analysisButton(int analysis) const {
    switch (analysis) {
    case analysisBuckling:
        return opt1_;
    case analysisScantlingYield:
        return opt2_;
    case analysisAll:
        return opt3_;
    default:
        return nullptr;
    }
}

void AnalysisPanel::showCase(const DesignCase& dc) {
    if (QRadioButton* button = analysisButton(dc.analysis)) button->setChecked(true);
    defChbox_->setChecked(dc.includeDeformation);
}

void AnalysisPanel::setDeformationVisible(bool visible) {
    defChbox_->setVisible(visible);
}

} // namespace korvel
