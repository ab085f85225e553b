#include "ui/input_panel.h"

#include "design/input_limits.h"
#include "report/c_factor_caption.h"
#include "ui/cfactor_panel.h"
#include "ui/geometry_panel.h"
#include "ui/input_panel_navigation.h"
#include "ui/line_input.h"
#include "ui/loading_panel.h"
#include "ui/material_panel.h"
#include "ui/stress_panel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korvel {

InputPanel::InputPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("inputs"));

    auto* top = new QWidget(this);
    top->setObjectName(QStringLiteral("top"));
    auto* topGrid = new QGridLayout(top);
    topGrid->setContentsMargins(2, 0, 2, 0);
    topGrid->setVerticalSpacing(3);
    projectBox_ = new LineInput(InputBox::projectName, QStringLiteral("projectBox"), top);
    identBox_ = new LineInput(InputBox::identification, QStringLiteral("identBox"), top);
    auto* projLabel = new QLabel(QStringLiteral("Project name:"), top);
    projLabel->setObjectName(QStringLiteral("projectLabel"));
    auto* identLabel = new QLabel(QStringLiteral("Identification:"), top);
    identLabel->setObjectName(QStringLiteral("identLabel"));
    topGrid->addWidget(projLabel, 0, 0);
    topGrid->addWidget(projectBox_, 0, 1);
    topGrid->addWidget(identLabel, 0, 2);
    topGrid->addWidget(identBox_, 0, 3);
    for (LineInput* name : {projectBox_, identBox_}) name->setMinimumWidth(80);
    topGrid->setColumnStretch(1, 1);
    topGrid->setColumnStretch(3, 1);

    materials_ = new MaterialPanel(this);
    loading_ = new LoadingPanel(this);
    cfactor_ = new CFactorPanel(this);

    auto* geometryAndStresses = new QGroupBox(QStringLiteral("Geometry && Stresses"), this);
    geometryAndStresses->setObjectName(QStringLiteral("geometryStressFrame"));
    geometry_ = new GeometryPanel(geometryAndStresses);
    stresses_ = new StressPanel(geometryAndStresses);
    auto* geometryAndStressesLayout = new QHBoxLayout(geometryAndStresses);
    geometryAndStressesLayout->setContentsMargins(4, 2, 4, 4);
    geometryAndStressesLayout->addWidget(geometry_);
    geometryAndStressesLayout->addWidget(stresses_, 1);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(top);
    column->addWidget(materials_);
    column->addWidget(loading_);
    column->addWidget(cfactor_);
    column->addWidget(geometryAndStresses);

    registerBoxes();

    // Tab walks the inputs in the order Enter does, then the buttons and options.
    const char* order[] = {"projectBox", "identBox",   "plateMaterialList",
                           "FypBox",     "FupBox",     "stiffenerMaterialList",
                           "FysBox",     "FusBox",     "EBox",
                           "conditionA", "conditionB", "conditionC",
                           "FSBox",      "UFBox",      "cfactorTabs",
                           "ULBox",      "L1Box",      "L2Box",
                           "LgBox",      "tBox",       "s1Box",
                           "s2Box",      "LgsBox",     "LtBox",
                           "SigxABox",   "SigxBBox",   "SigyABox",
                           "SigyCBox",   "TauBox",     "pBox",
                           "psBox",      "signButton"};
    QWidget* previous = nullptr;
    for (const char* name : order) {
        QWidget* next = control(QString::fromLatin1(name));
        if (next == nullptr) continue;
        if (previous != nullptr) setTabOrder(previous, next);
        previous = next;
    }
}

void InputPanel::registerBoxes() {
    boxes_ = {projectBox_,           identBox_,
              materials_->FypBox(),  materials_->FupBox(),
              materials_->FysBox(),  materials_->FusBox(),
              materials_->EBox(),    loading_->FSBox(),
              loading_->UFBox(),     cfactor_->ULBox(),
              geometry_->L1Box(),    geometry_->L2Box(),
              geometry_->LgBox(),    geometry_->tBox(),
              geometry_->s1Box(),    geometry_->s2Box(),
              geometry_->LgsBox(),   geometry_->LtBox(),
              stresses_->SigxABox(), stresses_->SigxBBox(),
              stresses_->SigyABox(), stresses_->SigyCBox(),
              stresses_->TauBox(),   stresses_->pBox(),
              stresses_->psBox()};
    for (LineInput* b : boxes_) {
        byId_[b->box()] = b;
        const std::string name = b->objectName().toStdString();
        b->setArrowsUpDown(movesUpDown(name));
        b->setArrowsLeftRight(movesLeftRight(name));
    }
}

LineInput* InputPanel::box(InputBox id) const {
    const auto found = byId_.find(id);
    return found == byId_.end() ? nullptr : found->second;
}

QWidget* InputPanel::control(const QString& name) const {
    if (name.isEmpty()) return nullptr;
    return findChild<QWidget*>(name);
}

void InputPanel::showCase(const DesignCase& dc, const Catalogue& catalogue, char sep) {
    projectBox_->showText(QString::fromStdString(dc.projectName));
    identBox_->showText(QString::fromStdString(dc.identification));
    loading_->showCase(dc, sep);
    materials_->showCase(dc, catalogue, sep);
    cfactor_->ULBox()->showText(QString::fromStdString(fieldBoxText(dc, InputBox::UL, sep)));
    cfactor_->showCaption(cFactorCaption(dc, sep));
    geometry_->showCase(dc, sep);
    stresses_->showCase(dc, sep);
}

} // namespace korvel
