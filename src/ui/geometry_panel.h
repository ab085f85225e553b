#pragma once

// Frame fr21 "Geometry (mm)": plate thickness, the two stiffener spacings, the stiffener spans on
// both sides of the girder, the girder spans for buckling and scantlings and the distance between
// the girder's tripping brackets.

#include "design/design_case.h"

#include <QGroupBox>

namespace korvel {

class LineInput;

class GeometryPanel final : public QGroupBox {
    Q_OBJECT
public:
    explicit GeometryPanel(QWidget* parent = nullptr);

    // t "#0.0", s1 and s2 "#00", the spans "#0".
    void showCase(const DesignCase& dc, char decimalSeparator);

    LineInput* it() const { return it_; }
    LineInput* is1() const { return is1_; }
    LineInput* is2() const { return is2_; }
    LineInput* il1() const { return il1_; }
    LineInput* il2() const { return il2_; }
    LineInput* iLg() const { return iLg_; }
    LineInput* iLgs() const { return iLgs_; }
    LineInput* iLt() const { return iLt_; }

private:
    LineInput* it_;
    LineInput* is1_;
    LineInput* is2_;
    LineInput* il1_;
    LineInput* il2_;
    LineInput* iLg_;
    LineInput* iLgs_;
    LineInput* iLt_;
};

} // namespace korvel
