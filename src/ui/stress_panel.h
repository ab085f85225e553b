#pragma once

// Frame fr22 "Stresses (MPa)": the in-plane stresses SigxA, SigxB (edges A and B), SigyA, SigyC
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

    LineInput* isigx1() const { return isigx1_; }
    LineInput* isigx2() const { return isigx2_; }
    LineInput* isigy1() const { return isigy1_; }
    LineInput* isigy3() const { return isigy3_; }
    LineInput* itau1() const { return itau1_; }
    LineInput* ip1() const { return ip1_; }
    LineInput* ips() const { return ips_; }
    QPushButton* signButton() const { return command1_; }

signals:
    void signFlipRequested();

private:
    LineInput* isigx1_;
    LineInput* isigx2_;
    LineInput* isigy1_;
    LineInput* isigy3_;
    LineInput* itau1_;
    LineInput* ip1_;
    LineInput* ips_;
    QPushButton* command1_;
};

} // namespace korvel
