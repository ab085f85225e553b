#pragma once

// Frame "Stresses (MPa)": the in-plane stresses SigxA, SigxB (edges A and B), SigyA, SigyC
// (stiffener ends A and C) and Tau, and the lateral pressures p (buckling and yield) and ps
// (scantlings). Compression is negative. "+/-" turns the pressure to the other side.

#include "design/design_case.h"

#include <QGroupBox>

class QPushButton;

namespace korvel {

class LineInput;

class StressPanel final : public QGroupBox {
    Q_OBJECT
public:
    explicit StressPanel(QWidget* parent = nullptr);

    // Stresses "##0.0", pressures "##0.000".
    void showCase(const DesignCase& dc, char decimalSeparator);
    void showPressure(const DesignCase& dc, char decimalSeparator);

    LineInput* SigxABox() const { return SigxABox_; }
    LineInput* SigxBBox() const { return SigxBBox_; }
    LineInput* SigyABox() const { return SigyABox_; }
    LineInput* SigyCBox() const { return SigyCBox_; }
    LineInput* TauBox() const { return TauBox_; }
    LineInput* pBox() const { return pBox_; }
    LineInput* psBox() const { return psBox_; }
    QPushButton* signButton() const { return signButton_; }

signals:
    void signFlipRequested();

private:
    LineInput* SigxABox_;
    LineInput* SigxBBox_;
    LineInput* SigyABox_;
    LineInput* SigyCBox_;
    LineInput* TauBox_;
    LineInput* pBox_;
    LineInput* psBox_;
    QPushButton* signButton_;
};

} // namespace korvel
