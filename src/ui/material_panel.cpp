#include "ui/material_panel.h"

#include "checks/materials.h"
#include "design/input_limits.h"
#include "sections/profile_list.h"
#include "ui/line_input.h"
#include "ui/list_notes.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace korvel {

namespace {

QLabel* label(const QString& text, QWidget* parent, const char* name = nullptr) {
    auto* l = new QLabel(text, parent);
    if (name != nullptr) l->setObjectName(QString::fromLatin1(name));
    return l;
}

} // namespace

MaterialPanel::MaterialPanel(QWidget* parent) : QGroupBox(QStringLiteral("Material / MPa"), parent) {
    setObjectName(QStringLiteral("materialPanel"));

    plateList_ = new QComboBox(this);
    plateList_->setObjectName(QStringLiteral("plateMaterialList"));
    FypBox_ = new LineInput(InputBox::Fyp, QStringLiteral("FypBox"), this);
    FupBox_ = new LineInput(InputBox::Fup, QStringLiteral("FupBox"), this);
    stiffenerList_ = new QComboBox(this);
    stiffenerList_->setObjectName(QStringLiteral("stiffenerMaterialList"));
    FysBox_ = new LineInput(InputBox::Fys, QStringLiteral("FysBox"), this);
    FusBox_ = new LineInput(InputBox::Fus, QStringLiteral("FusBox"), this);
    EBox_ = new LineInput(InputBox::E, QStringLiteral("EBox"), this);

    for (QComboBox* list : {plateList_, stiffenerList_}) {
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->setMinimumContentsLength(10);
    }

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(3);
    grid->addWidget(label(QStringLiteral("Plate/Girder:"), this, "plateGirderLabel"), 0, 0);
    grid->addWidget(plateList_, 0, 1);
    grid->addWidget(label(QStringLiteral("Fyp="), this), 0, 2, Qt::AlignRight);
    grid->addWidget(FypBox_, 0, 3);
    grid->addWidget(label(QStringLiteral("Fup="), this), 0, 4, Qt::AlignRight);
    grid->addWidget(FupBox_, 0, 5);
    grid->addWidget(label(QStringLiteral("Stiffener:"), this, "stiffenerLabel"), 1, 0);
    grid->addWidget(stiffenerList_, 1, 1);
    grid->addWidget(label(QStringLiteral("Fys="), this), 1, 2, Qt::AlignRight);
    grid->addWidget(FysBox_, 1, 3);
    grid->addWidget(label(QStringLiteral("Fus="), this), 1, 4, Qt::AlignRight);
    grid->addWidget(FusBox_, 1, 5);
    grid->addWidget(label(QStringLiteral("Youngs modulus E:"), this), 2, 0, 1, 2);
    grid->addWidget(EBox_, 2, 3);
    grid->setColumnStretch(1, 1);

    // Only a choice of the user counts; the program's own selection (refresh) is silent.
    connect(plateList_, qOverload<int>(&QComboBox::activated), this, &MaterialPanel::plateMaterialChosen);
    connect(stiffenerList_, qOverload<int>(&QComboBox::activated), this, &MaterialPanel::stiffenerMaterialChosen);
}

void MaterialPanel::fillMaterials(const MaterialTable& materials, char sep) {
    for (QComboBox* list : {plateList_, stiffenerList_}) {
        const QSignalBlocker block(list);
        list->clear();
        for (int i = 0; i <= materials.lastRow(); ++i) {
            const Material& m = materials.rows[static_cast<std::size_t>(i)];
            list->addItem(QString::fromStdString(m.name));
            // The last grade is the user's own: its strengths are typed, not listed.
            list->setItemData(i, QString::fromStdString(materialNote(m, i == materials.lastRow(), sep)), noteRole);
        }
        showListNotes(list);
    }
}

void MaterialPanel::showStrengths(const DesignCase& dc, char sep) {
    // A strength being typed is not overwritten before the user leaves its box.
    const CaseInputs inForce = inputsInForce(dc);
    for (LineInput* box : {FypBox_, FupBox_, FysBox_, FusBox_})
        if (!(box->hasFocus() && box->isModified()))
            box->showText(QString::fromStdString(fieldBoxText(inForce, box->box(), sep)));
}

void MaterialPanel::showCase(const DesignCase& dc, const Catalogue& catalogue, char sep) {
    {
        const QSignalBlocker blockPlate(plateList_);
        const QSignalBlocker blockStiffener(stiffenerList_);
        plateList_->setCurrentIndex(catalogue.materials.hasRow(dc.plateMaterial) ? dc.plateMaterial : -1);
        stiffenerList_->setCurrentIndex(catalogue.materials.hasRow(dc.stiffenerMaterial) ? dc.stiffenerMaterial : -1);
    }
    const bool plateTyped = isUserDefinedMaterial(catalogue, dc.plateMaterial);
    const bool stiffenerTyped = isUserDefinedMaterial(catalogue, dc.stiffenerMaterial);
    FypBox_->setEnabled(plateTyped);
    FupBox_->setEnabled(plateTyped);
    FysBox_->setEnabled(stiffenerTyped);
    FusBox_->setEnabled(stiffenerTyped);
    showStrengths(dc, sep);
    EBox_->showText(QString::fromStdString(fieldBoxText(dc, InputBox::E, sep)));
}

} // namespace korvel
