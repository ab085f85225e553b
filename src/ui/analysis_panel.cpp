#include "ui/analysis_panel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QRadioButton>
#include <QSignalBlocker>

namespace korvel {

AnalysisPanel::AnalysisPanel(QWidget* parent) : QGroupBox(QStringLiteral("Buckling/Yield/Scantling"), parent) {
    setObjectName(QStringLiteral("analysisPanel"));
    bucklingOption_ = new QRadioButton(QStringLiteral("Buckling "), this);
    bucklingOption_->setObjectName(QStringLiteral("bucklingOption"));
    scantlingYieldOption_ = new QRadioButton(QStringLiteral("Scantling / Yield "), this);
    scantlingYieldOption_->setObjectName(QStringLiteral("scantlingYieldOption"));
    allChecksOption_ = new QRadioButton(QStringLiteral("Buckling / Scantling /  Yield"), this);
    allChecksOption_->setObjectName(QStringLiteral("allChecksOption"));
    deformationBox_ = new QCheckBox(QStringLiteral("- Include deformation"), this);
    deformationBox_->setObjectName(QStringLiteral("deformationBox"));

    auto* group = new QButtonGroup(this);
    group->addButton(bucklingOption_, analysisBuckling);
    group->addButton(scantlingYieldOption_, analysisScantlingYield);
    group->addButton(allChecksOption_, analysisAll);

    // A strip above the list it governs: the three selections in a row, the check box under
    // the buckling selection it belongs to.
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setVerticalSpacing(0);
    layout->addWidget(bucklingOption_, 0, 0);
    layout->addWidget(scantlingYieldOption_, 0, 1);
    layout->addWidget(allChecksOption_, 0, 2);
    layout->addWidget(deformationBox_, 1, 0, 1, 2);
    layout->setColumnStretch(3, 1);
    // The check box keeps its place when hidden, so the frame does not jump.
    QSizePolicy keep = deformationBox_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    deformationBox_->setSizePolicy(keep);

    connect(group, &QButtonGroup::idClicked, this, &AnalysisPanel::analysisChosen);
    connect(deformationBox_, &QCheckBox::clicked, this, &AnalysisPanel::deformationToggled);
}

QRadioButton* AnalysisPanel::analysisButton(int analysis) const {
    switch (analysis) {
    case analysisBuckling:
        return bucklingOption_;
    case analysisScantlingYield:
        return scantlingYieldOption_;
    case analysisAll:
        return allChecksOption_;
    default:
        return nullptr;
    }
}

void AnalysisPanel::showCase(const DesignCase& dc) {
    if (QRadioButton* button = analysisButton(dc.analysis)) button->setChecked(true);
    deformationBox_->setChecked(dc.includeDeformation);
}

void AnalysisPanel::setDeformationVisible(bool visible) {
    deformationBox_->setVisible(visible);
}

} // namespace korvel
