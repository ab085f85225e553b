#pragma once

// Frame "Buckling/Yield/Scantling": which checks the list shows (buckling, scantling and
// yield, or both) and whether the stiffener deformation enters the buckling check. The check
// box is offered only while the buckling checks alone are listed.

#include "design/design_case.h"

#include <QGroupBox>

class QCheckBox;
class QRadioButton;

namespace korvel {

class AnalysisPanel final : public QGroupBox {
    Q_OBJECT
public:
    explicit AnalysisPanel(QWidget* parent = nullptr);

    // The selection's button and the check box state.
    void showCase(const DesignCase& dc);
    void setDeformationVisible(bool visible);

    QRadioButton* analysisButton(int analysis) const;
    QCheckBox* deformationBox() const { return deformationBox_; }

signals:
    void analysisChosen(int analysis);
    void deformationToggled(bool include);

private:
    QRadioButton* bucklingOption_;
    QRadioButton* scantlingYieldOption_;
    QRadioButton* allChecksOption_;
    QCheckBox* deformationBox_;
};

} // namespace korvel
