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
    iproj_ = new LineInput(InputBox::projectName, QStringLiteral("iproj"), top);
    iident_ = new LineInput(InputBox::identification, QStringLiteral("iident"), top);
    auto* projLabel = new QLabel(QStringLiteral("Project name:"), top);
    projLabel->setObjectName(QStringLiteral("lblproj"));
    auto* identLabel = new QLabel(QStringLiteral("Identification:"), top);
    identLabel->setObjectName(QStringLiteral("lblident"));
    topGrid->addWidget(projLabel, 0, 0);
    topGrid->addWidget(iproj_, 0, 1);
    topGrid->addWidget(identLabel, 0, 2);
    topGrid->addWidget(iident_, 0, 3);
    for (LineInput* name : {iproj_, iident_}) name->setMinimumWidth(80);
    topGrid->setColumnStretch(1, 1);
    topGrid->setColumnStretch(3, 1);

    materials_ = new MaterialPanel(this);
    loading_ = new LoadingPanel(this);
    cfactor_ = new CFactorPanel(this);

    auto* fr2 = new QGroupBox(QStringLiteral("Geometry && Stresses"), this);
    fr2->setObjectName(QStringLiteral("fr2"));
    geometry_ = new GeometryPanel(fr2);
    stresses_ = new StressPanel(fr2);
    auto* fr2Layout = new QHBoxLayout(fr2);
    fr2Layout->setContentsMargins(4, 2, 4, 4);
    fr2Layout->addWidget(geometry_);
    fr2Layout->addWidget(stresses_, 1);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(top);
    column->addWidget(materials_);
    column->addWidget(loading_);
    column->addWidget(cfactor_);
    column->addWidget(fr2);

    registerBoxes();

    // Tab walks the inputs in the order Enter does, then the buttons and options.
    const char* order[] = {"iproj",        "iident",       "cbofyp",     "ifyp",       "ifup",       "cbofys", "ifys",
                           "ifus",         "ie",           "opt_cond_a", "opt_cond_b", "opt_cond_c", "ifs",    "iufa",
                           "SSTabCfactor", "iunit_length", "il1",        "il2",        "iLg",        "it",     "is1",
                           "is2",          "iLgs",         "iLt",        "isigx1",     "isigx2",     "isigy1", "isigy3",
                           "itau1",        "ip1",          "ips",        "Command1"};
    QWidget* previous = nullptr;
    for (const char* name : order) {
        QWidget* next = control(QString::fromLatin1(name));
        if (next == nullptr) continue;
        if (previous != nullptr) setTabOrder(previous, next);
        previous = next;
    }
}

void InputPanel::registerBoxes() {
    boxes_ = {iproj_,
              iident_,
              materials_->ifyp(),
              materials_->ifup(),
              materials_->ifys(),
              materials_->ifus(),
              materials_->ie(),
              loading_->ifs(),
              loading_->iufa(),
              cfactor_->iunitLength(),
              geometry_->il1(),
              geometry_->il2(),
              geometry_->iLg(),
              geometry_->it(),
              geometry_->is1(),
              geometry_->is2(),
              geometry_->iLgs(),
              geometry_->iLt(),
              stresses_->isigx1(),
              stresses_->isigx2(),
              stresses_->isigy1(),
              stresses_->isigy3(),
              stresses_->itau1(),
              stresses_->ip1(),
              stresses_->ips()};
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
    iproj_->showText(QString::fromStdString(dc.projectName));
    iident_->showText(QString::fromStdString(dc.identification));
    loading_->showCase(dc, sep);
    materials_->showCase(dc, catalogue, sep);
    cfactor_->iunitLength()->showText(QString::fromStdString(boxText(dc.UL, "#0", sep, findInputLimit(InputBox::UL))));
    cfactor_->showCaption(cFactorCaption(dc), sep);
    geometry_->showCase(dc, sep);
    stresses_->showCase(dc, sep);
}

} // namespace korvel
