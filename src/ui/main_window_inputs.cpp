// The working window's inputs: validation of a box the user leaves, keyboard movement, and the
// option buttons, lists and "+/-" that change the case and recalculate.

#include "checks/materials.h"
#include "design/box_messages.h"
#include "design/input_limits.h"
#include "ui/analysis_panel.h"
#include "ui/cfactor_panel.h"
#include "ui/figure_panel.h"
#include "ui/input_panel.h"
#include "ui/input_panel_navigation.h"
#include "ui/line_input.h"
#include "ui/loading_panel.h"
#include "ui/main_window.h"
#include "ui/material_panel.h"
#include "ui/stress_panel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>

#include <set>

namespace korvel {

namespace {

// Box texts show the user's decimal separator; the masks have no other period.
QString displayText(const std::string& text, char separator) {
    QString shown = QString::fromStdString(text);
    if (separator != '.') shown.replace(QLatin1Char('.'), QLatin1Char(separator));
    return shown;
}

} // namespace

void MainWindow::connectControls() {
    for (LineInput* box : inputs_->boxes()) {
        connect(box, &LineInput::left, this, &MainWindow::boxLeft);
        connect(box, &LineInput::enterPressed, this, [this, box] { moveOnEnter(box->objectName()); });
        connect(box, &LineInput::arrowPressed, this, [this, box](int key) { moveOnArrow(box, key); });
    }
    MaterialPanel* materials = inputs_->materials();
    materials->plateList()->installEventFilter(this);
    materials->stiffenerList()->installEventFilter(this);
    connect(materials, &MaterialPanel::plateMaterialChosen, this, &MainWindow::choosePlateMaterial);
    connect(materials, &MaterialPanel::stiffenerMaterialChosen, this, &MainWindow::chooseStiffenerMaterial);
    connect(inputs_->loading(), &LoadingPanel::conditionChosen, this, &MainWindow::chooseCondition);
    connect(inputs_->cfactor(), &CFactorPanel::structureTypeChosen, this, &MainWindow::chooseStructureType);
    connect(inputs_->cfactor(), &CFactorPanel::structureOptionChosen, this, &MainWindow::chooseStructureOption);
    connect(analysis_, &AnalysisPanel::analysisChosen, this, &MainWindow::chooseAnalysis);
    connect(analysis_, &AnalysisPanel::deformationToggled, this, &MainWindow::chooseDeformation);
    connect(inputs_->stresses(), &StressPanel::signFlipRequested, this, &MainWindow::flipPressureSign);
    connect(figure_, &FigurePanel::stiffenerButtonClicked, this,
            [this] { openStiffenerDialog(ctx_.dc.stiffenerType); });
    connect(figure_, &FigurePanel::girderButtonClicked, this, [this] { openGirderDialog(ctx_.dc.girderType); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Enter on a material list moves on like Enter in a box.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* list = qobject_cast<QComboBox*>(watched);
        if (list != nullptr && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            !list->view()->isVisible()) {
            moveOnEnter(list->objectName());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::boxLeft(InputBox id) {
    LineInput* box = inputs_->box(id);
    if (box == nullptr || closing_) return;
    if (movingFocus_ || validating_) {
        box->setHighlighted(false);
        return;
    }
    validating_ = true;
    // One leave is one action: the first warning that gives the focus back decides where it goes.
    focusClaimed_ = false;
    inBoxLeft_ = true;
    boxWarned_ = false;
    DesignCase& dc = ctx_.dc;

    if (id == InputBox::projectName || id == InputBox::identification) {
        (id == InputBox::projectName ? dc.projectName : dc.identification) = box->text().toStdString();
        box->setHighlighted(false);
        validating_ = false;
        inBoxLeft_ = false;
        updateCaption();
        return;
    }

    const std::string typed = box->text().toStdString();
    const Validation v = validateBox(dc, id, typed, ctx_.decimalMode);
    if (!v.inputError) box->showText(displayText(v.display, separator()));
    // White before the focus may come back: a box that gets the focus again turns yellow.
    if (!v.keepHighlight) box->setHighlighted(false);
    // A warning already shown for this value is not shown again, nor does it take the focus back:
    // the engineer who leaves the box a second time means to keep the value.
    const std::string scope = "box " + box->objectName().toStdString();
    std::set<std::string> given;
    if (!v.warning.empty()) {
        given.insert(v.warning);
        if (shownWarnings_.firstTime(scope, v.warning, warningValues(dc, id, v.warning))) {
            warn(namedBoxWarning(dc, id, v.warning, separator()));
            boxWarned_ = true;
            if (v.focusBack) focusBox(id);
        }
    }
    if (v.inputError) {
        // A box that holds no number cannot be left: this one is said every time.
        warn(namedTextWarning(id, typed, inputErrorMessage));
        boxWarned_ = true;
        focusBox(id);
    }
    shownWarnings_.settle(scope, given);
    validating_ = false;
    if (v.recalculate) recalculate();
    if (v.refreshWindow) refreshWindow();
    inBoxLeft_ = false;
    boxWarned_ = false;
}

void MainWindow::commitPendingEdit() {
    // A value typed but not yet confirmed by leaving its box counts before a case is saved or
    // printed; the focus stays where it is.
    auto* box = qobject_cast<LineInput*>(QApplication::focusWidget());
    if (box == nullptr || !box->isModified() || box->window() != this) return;
    boxLeft(box->box());
    if (box->hasFocus()) box->setHighlighted(true);
}

void MainWindow::focusControl(const QString& name) {
    QWidget* target = inputs_->control(name);
    if (target == nullptr || !target->isEnabled() || !target->isVisibleTo(this)) return;
    target->setFocus(Qt::OtherFocusReason);
}

void MainWindow::moveOnEnter(const QString& from) {
    focusControl(QString::fromStdString(nextOnEnter(from.toStdString(), ctx_.dc, ctx_.catalogue)));
}

void MainWindow::moveOnArrow(LineInput* from, int key) {
    ArrowKey arrow = ArrowKey::down;
    switch (key) {
    case Qt::Key_Up:
        arrow = ArrowKey::up;
        break;
    case Qt::Key_Left:
        arrow = ArrowKey::left;
        break;
    case Qt::Key_Right:
        arrow = ArrowKey::right;
        break;
    default:
        break;
    }
    focusControl(QString::fromStdString(nextOnArrow(from->objectName().toStdString(), arrow)));
}

void MainWindow::choosePlateMaterial(int index) {
    DesignCase& dc = ctx_.dc;
    dc.plateMaterial = index;
    const bool typed = isUserDefinedMaterial(ctx_.catalogue, index);
    inputs_->materials()->FypBox()->setEnabled(typed);
    inputs_->materials()->FupBox()->setEnabled(typed);
    if (typed) {
        // The user's own grade starts from the strengths the boxes show.
        dc.Fyp = dc.plateSteel.Fy;
        dc.Fup = dc.plateSteel.Fu;
    }
    refreshPlateMaterial(dc, ctx_.catalogue);
    inputs_->materials()->showStrengths(dc, separator());
    recalculate();
}

void MainWindow::chooseStiffenerMaterial(int index) {
    DesignCase& dc = ctx_.dc;
    dc.stiffenerMaterial = index;
    const bool typed = isUserDefinedMaterial(ctx_.catalogue, index);
    inputs_->materials()->FysBox()->setEnabled(typed);
    inputs_->materials()->FusBox()->setEnabled(typed);
    if (typed) {
        dc.Fys = dc.stiffenerSteel.Fy;
        dc.Fus = dc.stiffenerSteel.Fu;
    }
    refreshStiffenerMaterial(dc, ctx_.catalogue);
    inputs_->materials()->showStrengths(dc, separator());
    recalculate();
}

void MainWindow::chooseCondition(int condition) {
    chooseLoadingCondition(ctx_.dc, condition);
    inputs_->loading()->showCase(ctx_.dc, separator());
    recalculate();
    refreshWindow();
}

void MainWindow::chooseStructureType(int type) {
    ctx_.dc.structureType = type;
    recalculate();
}

void MainWindow::chooseStructureOption(int option) {
    ctx_.dc.structureOption = option;
    recalculate();
}

void MainWindow::chooseAnalysis(int analysis) {
    ctx_.dc.analysis = analysis;
    recalculate();
    refreshWindow();
}

void MainWindow::chooseDeformation(bool include) {
    ctx_.dc.includeDeformation = include;
    recalculate();
}

void MainWindow::flipPressureSign() {
    // A p typed but not yet confirmed is the one whose sign changes.
    commitPendingEdit();
    ctx_.dc.p = -ctx_.dc.p;
    inputs_->stresses()->showPressure(ctx_.dc, separator());
    recalculate();
}

} // namespace korvel
