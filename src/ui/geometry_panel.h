#pragma once

// Frame "Geometry (mm)": plate thickness, the two stiffener spacings, the stiffener spans on
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

    LineInput* tBox() const { return tBox_; }
    LineInput* s1Box() const { return s1Box_; }
    LineInput* s2Box() const { return s2Box_; }
    LineInput* L1Box() const { return L1Box_; }
    LineInput* L2Box() const { return L2Box_; }
    LineInput* LgBox() const { return LgBox_; }
    LineInput* LgsBox() const { return LgsBox_; }
    LineInput* LtBox() const { return LtBox_; }

private:
    LineInput* tBox_;
    LineInput* s1Box_;
    LineInput* s2Box_;
    LineInput* L1Box_;
    LineInput* L2Box_;
    LineInput* LgBox_;
    LineInput* LgsBox_;
    LineInput* LtBox_;
};

} // namespace korvel
