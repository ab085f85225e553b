#pragma once

// The left column of the working window: the identification boxes, the material frame, the
// loading condition and safety format, the structure-type tabs and the geometry and stress frames
// (inside the frame "Geometry && Stresses"). It knows its input boxes by their InputBox and every control
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
    // Any control of the column by its name ("L1Box", "plateMaterialList" ...); nullptr when there is none.
    QWidget* control(const QString& name) const;

    LineInput* projectBox() const { return projectBox_; }
    LineInput* identBox() const { return identBox_; }
    MaterialPanel* materials() const { return materials_; }
    LoadingPanel* loading() const { return loading_; }
    CFactorPanel* cfactor() const { return cfactor_; }
    GeometryPanel* geometry() const { return geometry_; }
    StressPanel* stresses() const { return stresses_; }

private:
    void registerBoxes();

    LineInput* projectBox_;
    LineInput* identBox_;
    MaterialPanel* materials_;
    LoadingPanel* loading_;
    CFactorPanel* cfactor_;
    GeometryPanel* geometry_;
    StressPanel* stresses_;
    std::vector<LineInput*> boxes_;
    std::map<InputBox, LineInput*> byId_;
};

} // namespace korvel
