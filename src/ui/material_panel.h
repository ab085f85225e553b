#pragma once

// Frame "Material / MPa": the plate/girder and stiffener steel grades with their yield and
// tensile strengths, and Young's modulus. A catalogue grade's strengths are copied from the table
// and shown in disabled boxes; the user-defined last grade opens them for typing.

#include "design/catalogue.h"
#include "design/design_case.h"

#include <QGroupBox>

class QComboBox;

namespace korvel {

class LineInput;

class MaterialPanel final : public QGroupBox {
    Q_OBJECT
public:
    explicit MaterialPanel(QWidget* parent = nullptr);

    // The grade names, positions 0 to the last row of the table, in both lists.
    // The grade names, each with its strengths beside it in the drop-down.
    void fillMaterials(const MaterialTable& materials, char decimalSeparator);

    // Selected grades, which boxes are open for typing, and the strengths and E.
    void showCase(const DesignCase& dc, const Catalogue& catalogue, char decimalSeparator);
    // The strengths only ("#000"), as every material refresh writes them.
    void showStrengths(const DesignCase& dc, char decimalSeparator);

    QComboBox* plateList() const { return plateList_; }
    QComboBox* stiffenerList() const { return stiffenerList_; }
    LineInput* FypBox() const { return FypBox_; }
    LineInput* FupBox() const { return FupBox_; }
    LineInput* FysBox() const { return FysBox_; }
    LineInput* FusBox() const { return FusBox_; }
    LineInput* EBox() const { return EBox_; }

signals:
    void plateMaterialChosen(int index);
    void stiffenerMaterialChosen(int index);

private:
    QComboBox* plateList_;
    QComboBox* stiffenerList_;
    LineInput* FypBox_;
    LineInput* FupBox_;
    LineInput* FysBox_;
    LineInput* FusBox_;
    LineInput* EBox_;
};

} // namespace korvel
