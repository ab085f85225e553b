#pragma once

// The left column of the working window: the identification boxes, the material frame, the
// loading condition and safety format, the structure-type tabs and the geometry and stress frames
// (inside fr2 "Geometry && Stresses"). It knows its input boxes by their InputBox and every control
// by its name; what the controls do is the window's business.

#include "design/catalogue.h"
#include "design/design_case.h"
#include "design/input_box.h"

#include <QWidget>

#include <map>
#include <vector>

namespace korvel {

class CFactorPanel;
class GeometryPanel;
class LineInput;
class LoadingPanel;
class MaterialPanel;
class StressPanel;

class InputPanel final : public QWidget {
    Q_OBJECT
public:
    explicit InputPanel(QWidget* parent = nullptr);

    // Writes every input control from the design case, in the masks of the window refresh.
    void showCase(const DesignCase& dc, const Catalogue& catalogue, char decimalSeparator);

    // The box of an InputBox; nullptr for none.
    LineInput* box(InputBox id) const;
    const std::vector<LineInput*>& boxes() const { return boxes_; }
    // Any control of the column by its name ("il1", "cbofyp" ...); nullptr when there is none.
    QWidget* control(const QString& name) const;

    LineInput* iproj() const { return iproj_; }
    LineInput* iident() const { return iident_; }
    MaterialPanel* materials() const { return materials_; }
    LoadingPanel* loading() const { return loading_; }
    CFactorPanel* cfactor() const { return cfactor_; }
    GeometryPanel* geometry() const { return geometry_; }
    StressPanel* stresses() const { return stresses_; }

private:
    void registerBoxes();

    LineInput* iproj_;
    LineInput* iident_;
    MaterialPanel* materials_;
    LoadingPanel* loading_;
    CFactorPanel* cfactor_;
    GeometryPanel* geometry_;
    StressPanel* stresses_;
    std::vector<LineInput*> boxes_;
    std::map<InputBox, LineInput*> byId_;
};

} // namespace korvel
