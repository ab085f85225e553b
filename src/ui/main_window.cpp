#include "ui/main_window.h"

#include "ui/batch_window.h"

#include "design/box_messages.h"
#include "engine/assessment.h"
#include "files/project_file.h"
#include "report/c_factor_caption.h"
#include "report/control_summary.h"
#include "ui/analysis_panel.h"
#include "ui/cfactor_panel.h"
#include "ui/figure_panel.h"
#include "ui/input_panel.h"
#include "ui/line_input.h"
#include "ui/main_window_results.h"
#include "ui/margin_line.h"
#include "ui/material_panel.h"
#include "ui/results_model.h"
#include "ui/studies_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <set>

namespace korvel {

namespace {

// A splitter handle the engineer can see: a groove with a row of grip dots across its middle,
// in the palette's own shades so that it shows on a light and a dark desktop alike.
class GripHandle final : public QSplitterHandle {
public:
    GripHandle(Qt::Orientation orientation, QSplitter* parent) : QSplitterHandle(orientation, parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect r = rect();
        painter.fillRect(r, palette().color(underMouse() ? QPalette::Midlight : QPalette::Button));
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette().color(QPalette::Dark));
        const bool across = orientation() == Qt::Vertical; // the handle lies horizontally
        const QPoint centre = r.center();
        for (int i = -3; i <= 3; ++i) {
            const QPoint dot = across ? QPoint(centre.x() + 6 * i, centre.y()) : QPoint(centre.x(), centre.y() + 6 * i);
            painter.drawEllipse(dot, 1, 1);
        }
    }
    void enterEvent(QEnterEvent* event) override {
        QSplitterHandle::enterEvent(event);
        update();
    }
    void leaveEvent(QEvent* event) override {
        QSplitterHandle::leaveEvent(event);
        update();
    }
};

class GripSplitter final : public QSplitter {
public:
    GripSplitter(Qt::Orientation orientation, QWidget* parent) : QSplitter(orientation, parent) {
        setHandleWidth(7);
        setChildrenCollapsible(false);
    }

protected:
    QSplitterHandle* createHandle() override { return new GripHandle(orientation(), this); }
};

} // namespace

MainWindow::MainWindow(AppContext& context, WindowServices services, QWidget* parent)
    : QMainWindow(parent), ctx_(context), services_(services) {
    setObjectName(QStringLiteral("mainWindow"));
    buildLayout();
    buildMenus();
    connectControls();
    setContextMenusToWindow();
    markSaved();
    updateCaption();
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &MainWindow::focusWindowChanged);
}

MainWindow::~MainWindow() {
    // The boxes report their last focus loss while the base class destroys them; nothing may
    // be validated by a window that is going away.
    closing_ = true;
    for (LineInput* box : inputs_->boxes()) disconnect(box, nullptr, this, nullptr);
    disconnect(qGuiApp, nullptr, this, nullptr);
}

void MainWindow::buildLayout() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    inputs_ = new InputPanel(central);

    figure_ = new FigurePanel(ctx_.dc, central);

    // The analysis selection closes the input column, in the height the geometry and stress
    // frames leave; the summary list it governs takes the right column under the figure.
    auto* leftColumn = new QWidget(central);
    leftColumn->setObjectName(QStringLiteral("inputColumn"));
    analysis_ = new AnalysisPanel(leftColumn);
    auto* leftLayout = new QVBoxLayout(leftColumn);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(4);
    leftLayout->addWidget(inputs_);
    leftLayout->addWidget(analysis_);
    leftLayout->addStretch(1);
    inputs_->setParent(leftColumn);

    // On a small or highly scaled screen the input column scrolls rather than push the window's
    // minimum height beyond the screen (at scale 2 on 1920 x 1080 the boxes below the stresses
    // and the analysis buttons would be out of reach). Its width is always given in full.
    auto* inputScroll = new QScrollArea(central);
    inputScroll->setObjectName(QStringLiteral("inputScroll"));
    inputScroll->setFrameShape(QFrame::NoFrame);
    inputScroll->setWidgetResizable(true);
    inputScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    inputScroll->setWidget(leftColumn);
    inputScroll->setMinimumWidth(leftColumn->minimumSizeHint().width() +
                                 inputScroll->verticalScrollBar()->sizeHint().width());
    // A box reached with Enter or an arrow key, or given the focus by a warning, is scrolled into view.
    connect(qApp, &QApplication::focusChanged, inputScroll, [inputScroll, leftColumn](QWidget*, QWidget* now) {
        if (now != nullptr && leftColumn->isAncestorOf(now)) inputScroll->ensureWidgetVisible(now);
    });

    auto* result = new QWidget(central);
    result->setObjectName(QStringLiteral("resultsPanel"));
    model_ = new ResultsModel(this);
    list_ = new ResultsList(result);
    list_->setModel(model_);
    auto* resultLayout = new QVBoxLayout(result);
    resultLayout->setContentsMargins(0, 0, 0, 0);
    resultLayout->setSpacing(4);
    margin_ = new MarginLine(ctx_.catalogue, result);
    resultLayout->addWidget(margin_);
    resultLayout->addWidget(list_, 1);

    // The figure keeps its proportions at a modest height and grows with the window by a quarter
    // of what the window gains; the list takes the rest of the height.
    auto* right = new GripSplitter(Qt::Vertical, central);
    right->setObjectName(QStringLiteral("rightSplitter"));
    right->addWidget(figure_);
    right->addWidget(result);
    right->setStretchFactor(0, 1);
    right->setStretchFactor(1, 3);

    // The engineer may give the list more room at the expense of the inputs, or the reverse.
    auto* columns = new GripSplitter(Qt::Horizontal, central);
    columns->setObjectName(QStringLiteral("columnSplitter"));
    columns->addWidget(inputScroll);
    columns->addWidget(right);
    columns->setStretchFactor(0, 0);
    columns->setStretchFactor(1, 1);

    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->addWidget(columns);
    setCentralWidget(central);

    // Tab goes on from the last input box to the analysis selection and the profile buttons.
    QWidget* previous = inputs_->control(QStringLiteral("signButton"));
    for (QWidget* next : std::initializer_list<QWidget*>{
             analysis_->analysisButton(analysisBuckling), analysis_->analysisButton(analysisScantlingYield),
             analysis_->analysisButton(analysisAll), analysis_->deformationBox(), figure_->stiffenerButton(),
             figure_->girderButton(), list_}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

void MainWindow::setContextMenusToWindow() {
    // A right click on any control, label, frame, the figure or the list shows the Profile menu:
    // the controls pass the request on to the window instead of offering their own menus.
    for (QWidget* w : findChildren<QWidget*>()) {
        if (qobject_cast<QMenu*>(w) != nullptr || qobject_cast<QMenuBar*>(w) != nullptr) continue;
        w->setContextMenuPolicy(Qt::NoContextMenu);
    }
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    // Over the summary list the menu offers the copies first, then the Profile menu's entries.
    const QPoint onList = list_->viewport()->mapFromGlobal(event->globalPos());
    if (list_->viewport()->rect().contains(onList)) {
        auto* menu = new QMenu(this);
        menu->setObjectName(QStringLiteral("listMenu"));
        menu->setAttribute(Qt::WA_DeleteOnClose);
        list_->addCopyEntries(menu);
        menu->addSeparator();
        menu->addActions(profileMenu_->actions());
        menu->popup(event->globalPos());
        event->accept();
        return;
    }
    profileMenu_->popup(event->globalPos());
    event->accept();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!saveChangesFirst()) {
        event->ignore();
        return;
    }
    closing_ = true;
    QMainWindow::closeEvent(event);
}

void MainWindow::updateCaption() {
    std::string caption = windowCaption(ctx_.dc);
    if (isModified()) caption += '*';
    setWindowTitle(QString::fromStdString(caption));
}

bool MainWindow::isModified() const {
    return projectFileText(ctx_.dc) != savedText_;
}

void MainWindow::markSaved() {
    savedText_ = projectFileText(ctx_.dc);
}

bool MainWindow::saveChangesFirst() {
    commitPendingEdit();
    if (!isModified()) return true;
    switch (services_.messages.askSaveChanges(ctx_.dc.fileName)) {
    case SaveChoice::save:
        saveFile();
        // A cancelled name or a failed write keeps the case, and the action waits.
        return !isModified();
    case SaveChoice::discard:
        return true;
    case SaveChoice::cancel:
        break;
    }
    return false;
}

void MainWindow::start() {
    inputs_->materials()->fillMaterials(ctx_.catalogue.materials, separator());
    refreshWindow();
    updateCaption();

    // The start-up batch shows the last case of "dummy.kori" and refreshes "dummy.koro". It
    // never stops the program: without the file the window keeps the new-file case. Its other
    // cases are not on the screen, so their warnings would only puzzle; the warnings of the case
    // shown come with its calculation below.
    IgnoreWarnings quiet;
    ctx_.startupBatch =
        runStartupBatch(ctx_.programFolder, ctx_.dc, ctx_.catalogue, ctx_.decimalMode, quiet, ctx_.outputFolder);
    ctx_.dc.fileName = newFileMarker;

    sizeWindow();
    ctx_.files.recent = rebuildRecentMenu(services_.settings, ctx_.files.recent);
    showRecentMenu();
    // The file dialogs start where the engineer last worked: the folder of the last project,
    // the first time the documents folder (not the program's own folder).
    std::string folder = lastProjectFolder(services_.settings);
    if (folder.empty()) folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
    if (!folder.empty()) ctx_.files.workingFolder = folder;
    refreshWindow();
    recalculate();
    markSaved();
    updateCaption();
}

void MainWindow::sizeWindow() {
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)) return;
    const QScreen* s = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    const double scale = s != nullptr ? s->logicalDotsPerInchX() / 96.0 : 1.0;
    int width = static_cast<int>(std::lround(1024 * scale));
    int height = static_cast<int>(std::lround(0.95 * 768 * scale));
    if (s != nullptr) {
        // A screen smaller than the design size still shows the whole window.
        const QRect available = s->availableGeometry();
        width = std::min(width, available.width());
        height = std::min(height, available.height());
    }
    resize(width, height);
    // The inputs take the width they need and the figure a modest height: the summary list gets
    // the rest of the window.
    if (auto* columns = findChild<QSplitter*>(QStringLiteral("columnSplitter"))) {
        const QWidget* column = columns->widget(0);
        const int inputs = std::max(column->minimumWidth(), column->minimumSizeHint().width());
        columns->setSizes({inputs, std::max(width - inputs, 1)});
    }
    if (auto* right = findChild<QSplitter*>(QStringLiteral("rightSplitter"))) {
        // A fifth of a tall window, its own height at least.
        const int figure = std::max(figure_->sizeHint().height(), height / 5);
        right->setSizes({figure, std::max(height - figure, 1)});
    }
}

void MainWindow::refreshWindow() {
    inputs_->showCase(ctx_.dc, ctx_.catalogue, separator());
    analysis_->showCase(ctx_.dc);
    showCalculation();
}

void MainWindow::recalculate() {
    if (calculating_) return;
    calculating_ = true;
    ++calculations_;
    runCase(ctx_.dc, ctx_.catalogue, {}, warnings_);
    showCalculation();
    calculating_ = false;
    showWarnings();
}

void MainWindow::showCalculation() {
    // What the calculation itself shows: the strengths of the material refresh, the c-factor
    // caption, the figure and the designations, the check box and the summary list.
    inputs_->materials()->showStrengths(ctx_.dc, separator());
    inputs_->cfactor()->showCaption(cFactorCaption(ctx_.dc, separator()));
    figure_->showCase(ctx_.dc, separator());
    analysis_->setDeformationVisible(showsIncludeDeformation(ctx_.dc));
    showPrintShortcut();
    // A list of another length keeps the place the engineer scrolled to as far as it can.
    const int scrolled = list_->verticalScrollBar()->value();
    // In comma mode every number of the list is written with the comma (the clauses keep theirs).
    model_->setRows(summaryRows());
    list_->verticalScrollBar()->setValue(scrolled);
    list_->applyColumnShares();
    // The margin line's λ* and the studies window follow once the listing is on the screen.
    margin_->showCase(ctx_.dc, separator());
    if (studies_) studies_->caseChanged();
    updateCaption();
}

void MainWindow::showWarnings() {
    if (!inBoxLeft_) focusClaimed_ = false;
    // A calculation that gives the same warning for the same values (the window activated again,
    // another box left) does not show it again.
    std::vector<MessageWarnings::Pending> warnings = warnings_.take();
    // One entry, one message: the box just warned about is not warned about again through the
    // calculation it feeds (L1 = 0: "L1 >= 50", not also " s1 <= L1 "). Those warnings are not
    // remembered as shown, so they come when the box is left again with the value kept.
    if (inBoxLeft_ && boxWarned_) return;
    // The rest is one message, a line per warning: a second box would take the typing meant for
    // the box the first one gave the focus to.
    std::set<std::string> given;
    std::string text;
    InputBox focus = InputBox::none;
    for (const MessageWarnings::Pending& w : warnings) {
        const std::string key = w.message + '\n' + std::to_string(static_cast<int>(w.focus));
        given.insert(key);
        if (!shownWarnings_.firstTime("calculation", key, warningValues(ctx_.dc, w.focus, w.message))) continue;
        if (!text.empty()) text += '\n';
        text += w.focus != InputBox::none ? namedBoxWarning(ctx_.dc, w.focus, w.message, separator()) : w.message;
        if (focus == InputBox::none) focus = w.focus;
    }
    shownWarnings_.settle("calculation", given);
    if (text.empty()) return;
    warn(text);
    if (focus != InputBox::none) focusBox(focus);
}

void MainWindow::warn(const std::string& text) {
    services_.messages.warning(text);
}

void MainWindow::focusBox(InputBox box) {
    LineInput* target = inputs_->box(box);
    if (target == nullptr || !target->isEnabled()) return;
    // Within one action only the first warning moves the focus: two boxes never pass it to and
    // fro ("L2 >= 50" keeps it in L2 although " s1 <= L2 " follows).
    if (focusClaimed_) return;
    focusClaimed_ = true;
    // The control the focus is taken from was only passed through: it is not validated.
    const bool wasMoving = movingFocus_;
    movingFocus_ = true;
    target->setFocus(Qt::OtherFocusReason);
    movingFocus_ = wasMoving;
}

void MainWindow::focusWindowChanged(QWindow* now) {
    if (closing_) return;
    QWindow* own = windowHandle();
    if (now == nullptr) return; // another application: the case cannot have changed there
    if (now != own) {
        // Menus, tool tips and the like are part of this window's own use.
        const Qt::WindowType type = now->type();
        if (type == Qt::Window || type == Qt::Dialog || type == Qt::Tool) lastOtherWindow_ = now;
        return;
    }
    // Back from another window of the program (a profile dialog, the batch window): the case may
    // have changed there, so it is calculated again. Back from a message box, a file or print
    // dialog of this window: nothing changed, and calculating again would repeat its warnings.
    QWindow* previous = lastOtherWindow_.data();
    lastOtherWindow_.clear();
    if (previous == nullptr || previous->modality() != Qt::NonModal) return;
    if (calculating_ || validating_) return;
    recalculate();
}

} // namespace korvel
