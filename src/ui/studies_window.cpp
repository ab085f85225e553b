#include "ui/studies_window.h"

#include "ui/report_printer.h"
#include "ui/studies_capacity_page.h"
#include "ui/studies_lightest_page.h"
#include "ui/studies_sweep_page.h"

#include <QAction>
#include <QChartView>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

#include <filesystem>

namespace korvel {

void addStudiesMenu(QMenuBar* bar, const std::function<void(int)>& open) {
    auto* menu = new QMenu(QStringLiteral("&Studies"), bar);
    menu->setObjectName(QStringLiteral("studiesMenu"));
    bar->addMenu(menu);
    const struct {
        const char* name;
        const char* caption;
        Qt::Key key;
    } entries[] = {{"sweepAction", "S&weep\u2026", Qt::Key_1},
                   {"capacityAction", "&Capacity curve\u2026", Qt::Key_2},
                   {"lightestAction", "&Lightest profile\u2026", Qt::Key_3},
                   {"corrosionAction", "C&orrosion\u2026", Qt::Key_4}};
    for (int page = 0; page < StudiesWindow::pageCount; ++page) {
        QAction* a = menu->addAction(QString::fromUtf8(entries[page].caption));
        a->setObjectName(QString::fromLatin1(entries[page].name));
        a->setShortcut(QKeySequence(Qt::CTRL | entries[page].key));
        QObject::connect(a, &QAction::triggered, bar, [open, page] { open(page); });
    }
}

StudiesWindow::StudiesWindow(StudiesContext context, QWidget* parent)
    : QWidget(parent, Qt::Tool), ctx_(std::move(context)) {
    // A tool window of the main window: always over it, never modal, so a file dialog or the
    // main window taking the focus does not bury it.
    setObjectName(QStringLiteral("studies"));
    setWindowTitle(QStringLiteral("Studies"));
    setAttribute(Qt::WA_DeleteOnClose);

    tabs_ = new QTabWidget(this);
    sweep_ = new SweepPage(ctx_.catalogue, ctx_.decimalSeparator, tabs_);
    capacity_ = new CapacityPage(ctx_.catalogue, ctx_.decimalSeparator, tabs_);
    lightest_ = new LightestPage(ctx_.catalogue, ctx_.decimalSeparator, tabs_);
    corrosion_ = new CorrosionPage(ctx_.catalogue, ctx_.decimalSeparator, tabs_);
    tabs_->addTab(sweep_, QStringLiteral("S&weep"));
    tabs_->addTab(capacity_, QStringLiteral("&Capacity curve"));
    tabs_->addTab(lightest_, QStringLiteral("&Lightest profile"));
    tabs_->addTab(corrosion_, QStringLiteral("C&orrosion"));
    connect(tabs_, &QTabWidget::currentChanged, this, &StudiesWindow::pageChanged);
    connect(lightest_, &LightestPage::useProfile, this, [this](const Candidate& c) {
        if (ctx_.useProfile) ctx_.useProfile(c);
    });
    if (ctx_.gauging) corrosion_->showGauging(ctx_.gauging());
    connect(corrosion_, &CorrosionPage::gaugingChanged, this, [this](const MemberThicknesses& thickness) {
        if (ctx_.gauge) corrosion_->showGaugingProblem(QString::fromStdString(ctx_.gauge(thickness)));
    });

    pngButton_ = new QPushButton(QStringLiteral("Export P&NG\u2026"), this);
    svgButton_ = new QPushButton(QStringLiteral("Export S&VG\u2026"), this);
    auto* data = new QPushButton(QStringLiteral("Export &data\u2026"), this);
    auto* pdf = new QPushButton(QStringLiteral("Export PD&F\u2026"), this);
    auto* printButton = new QPushButton(QStringLiteral("&Print\u2026"), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    pngButton_->setObjectName(QStringLiteral("exportPng"));
    svgButton_->setObjectName(QStringLiteral("exportSvg"));
    data->setObjectName(QStringLiteral("exportData"));
    pdf->setObjectName(QStringLiteral("exportPdf"));
    printButton->setObjectName(QStringLiteral("print"));
    connect(pngButton_, &QPushButton::clicked, this,
            [this] { askAndExport("png", "PNG pictures (*.png)", &StudiesWindow::exportPng); });
    connect(svgButton_, &QPushButton::clicked, this,
            [this] { askAndExport("svg", "SVG drawings (*.svg)", &StudiesWindow::exportSvg); });
    connect(data, &QPushButton::clicked, this,
            [this] { askAndExport("tsv", "TAB-separated tables (*.tsv)", &StudiesWindow::exportData); });
    connect(pdf, &QPushButton::clicked, this,
            [this] { askAndExport("pdf", "PDF (*.pdf)", &StudiesWindow::exportPdf); });
    connect(printButton, &QPushButton::clicked, this, &StudiesWindow::print);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {pngButton_, svgButton_, data, pdf, printButton}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);

    follow_.setSingleShot(true);
    follow_.setInterval(followDelayMs);
    connect(&follow_, &QTimer::timeout, this, &StudiesWindow::followNow);
    // Within the screen, however highly scaled (1920 x 1080 at scale 2 is 960 x 540).
    QSize size(1000, 680);
    if (const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size());
    resize(size);
}

StudiesWindow::~StudiesWindow() {
    // Closing cancels the work in hand: no thread outlives the window.
    for (StudyPage* p : pages()) p->cancel();
}

std::array<StudyPage*, StudiesWindow::pageCount> StudiesWindow::pages() const {
    return {sweep_, capacity_, lightest_, corrosion_};
}

void StudiesWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void StudiesWindow::closeEvent(QCloseEvent* event) {
    for (StudyPage* p : pages()) p->cancel();
    QWidget::closeEvent(event);
}

StudyPage* StudiesWindow::currentPage() const {
    return qobject_cast<StudyPage*>(tabs_->currentWidget());
}

void StudiesWindow::showPage(int page) {
    if (page < 0 || page >= tabs_->count()) page = 0;
    tabs_->setCurrentIndex(page);
    pageChanged();
}

void StudiesWindow::caseChanged() {
    for (bool& s : stale_) s = true;
    follow_.start();
}

void StudiesWindow::showGauging(const MemberThicknesses& thickness) {
    corrosion_->showGauging(thickness);
    corrosion_->showGaugingProblem({});
}

void StudiesWindow::followNow() {
    follow_.stop();
    const int page = tabs_->currentIndex();
    if (page < 0 || page >= pageCount || !ctx_.currentCase) return;
    stale_[page] = false;
    currentPage()->setCase(ctx_.currentCase());
}

void StudiesWindow::pageChanged() {
    const bool chart = currentPage() != nullptr && currentPage()->chartView() != nullptr;
    pngButton_->setEnabled(chart);
    svgButton_->setEnabled(chart);
    const int page = tabs_->currentIndex();
    if (page >= 0 && page < pageCount && stale_[page] && !follow_.isActive()) followNow();
}

QString StudiesWindow::pageTitle(const StudyPage& page) const {
    const CaseInputs& c = page.currentCase();
    return QStringLiteral("KORVEL \u2013 %1 \u2013 Project: %2, Identification: %3")
        .arg(page.studyTitle(), QString::fromStdString(c.projectName), QString::fromStdString(c.identification));
}

bool StudiesWindow::exportPng(const QString& path) {
    StudyPage* page = currentPage();
    if (page == nullptr || page->chartView() == nullptr) return false;
    return saveChartPng(page->chartView(), path, &lastError_);
}

bool StudiesWindow::exportSvg(const QString& path) {
    StudyPage* page = currentPage();
    if (page == nullptr || page->chartView() == nullptr) return false;
    return saveChartSvg(page->chartView(), path, pageTitle(*page), &lastError_);
}

bool StudiesWindow::exportData(const QString& path) {
    StudyPage* page = currentPage();
    return page != nullptr && saveTextFile(path, page->dataTable(), &lastError_);
}

bool StudiesWindow::exportPdf(const QString& path) {
    StudyPage* page = currentPage();
    if (page == nullptr) return false;
    return writeStudyPdf(
        path, pageTitle(*page), [page](QPainter& p, const QRectF& r) { page->draw(p, r); }, &lastError_);
}

void StudiesWindow::print() {
    StudyPage* page = currentPage();
    if (page == nullptr) return;
    // Without a printer the print dialog would be empty: the main window's message and way round.
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        if (ctx_.messages != nullptr && ctx_.messages->offer(noPrinterMessage, exportPdfCaption))
            askAndExport("pdf", "PDF (*.pdf)", &StudiesWindow::exportPdf);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!choosePrinter(this, printer)) return;
    if (!printStudyPage(printer, pageTitle(*page), [page](QPainter& p, const QRectF& r) { page->draw(p, r); }))
        tell(QStringLiteral("The print job could not be started; nothing was printed."));
}

void StudiesWindow::askAndExport(const char* extension, const char* filter,
                                 bool (StudiesWindow::*write)(const QString&)) {
    StudyPage* page = currentPage();
    if (page == nullptr || ctx_.dialogs == nullptr) return;
    const std::string name = page->fileStem().toStdString() + "." + extension;
    FileDialogRequest request{name, extension, filter, ctx_.workingFolder, true};
    const std::optional<FileChoice> choice = ctx_.dialogs->chooseFileToSave(request);
    if (!choice) return;
    lastError_.clear();
    if (!(this->*write)(QString::fromStdString(choice->path)))
        tell(lastError_.isEmpty() ? QStringLiteral("can't save file - %1").arg(QString::fromStdString(choice->path))
                                  : lastError_);
}

void StudiesWindow::tell(const QString& problem) {
    if (ctx_.messages != nullptr) ctx_.messages->warning(problem.toStdString());
}

} // namespace korvel
