// The studies window and the margin line over the working window's case: what each page shows
// is what the study functions of the core give for the same case, the lightest profile goes
// back into the main window, a search can be cancelled, and every export opens again.

#include "main_window_fixture.h"
#include "report/check_line_texts.h"
#include "support/qt_application.h"

#include "design/decimal_text.h"
#include "design/number_format.h"
#include "design/tab_cells.h"
#include "engine/assessment.h"
#include "files/batch_run.h"
#include "report/margin_text.h"
#include "studies/study_runs.h"
#include "studies/wastage_table.h"
#include "ui/batch_verdicts.h"
#include "ui/batch_window.h"
#include "ui/chart_export.h"
#include "ui/margin_line.h"
#include "ui/results_model.h"
#include "ui/studies_capacity_page.h"
#include "ui/studies_corrosion_page.h"
#include "ui/studies_lightest_page.h"
#include "ui/studies_sweep_page.h"
#include "ui/studies_window.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QPainter>
#include <QPointer>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QValueAxis>

#include <algorithm>
#include <functional>
#include <sstream>

namespace korvel::test {
namespace {

class StudiesWindowTest : public MainWindowTest {
protected:
    void openAt(int page) {
        window->openStudiesWindow(page);
        studies = window->studiesWindow();
        ASSERT_NE(studies, nullptr);
        studies->followNow();
        ASSERT_TRUE(settle());
    }
    bool settle() {
        return waitFor([this] { return !studies->following() && !studies->currentPage()->busy(); });
    }
    CaseInputs shownCase() const { return static_cast<const CaseInputs&>(ctx.dc); }

    StudiesWindow* studies = nullptr;
};

TEST_F(StudiesWindowTest, MarginLineGivesTheVerdictAndReserveOfTheCore) {
    startWindow();
    MarginLine* margin = window->marginLine();
    margin->finishReserve();
    CaseRunner runner(ctx.catalogue);
    EXPECT_EQ(margin->verdict(), runner.run(shownCase()));
    ASSERT_TRUE(margin->reserve().has_value());
    EXPECT_EQ(*margin->reserve(), reserveFactor(shownCase(), runner));
    EXPECT_NE(margin->text().toStdString().find("Loads "), std::string::npos) << margin->text().toStdString();

    // An edit shows the verdict at once; λ* waits for the event loop and follows the new loads.
    typeAndLeave(InputBox::SigxA, QStringLiteral("-150"));
    EXPECT_EQ(margin->verdict(), runner.run(shownCase()));
    ASSERT_TRUE(waitFor([margin] { return !margin->reservePending(); }));
    EXPECT_EQ(*margin->reserve(), reserveFactor(shownCase(), runner));
}

TEST_F(StudiesWindowTest, EachPageShowsTheCoreStudyOfTheCase) {
    startWindow();
    openAt(StudiesWindow::sweep);
    CaseRunner runner(ctx.catalogue);
    SweepPage* sweep = studies->sweepPage();
    ASSERT_EQ(sweep->request().field, findStudyField("t"));
    EXPECT_EQ(sweep->points(), sweepCase(shownCase(), sweep->request(), runner));
    EXPECT_EQ(sweep->request().steps + 1, static_cast<int>(sweep->points().size()));
    sweep->chooseField(QStringLiteral("SigxA"));
    ASSERT_TRUE(settle());
    EXPECT_EQ(sweep->points(), sweepCase(shownCase(), sweep->request(), runner));
    // Every crossing lies within the range, in the order of the sweep.
    double previous = sweep->request().from;
    for (const SweepCrossing& x : sweep->crossings()) {
        EXPECT_GE(x.value, previous);
        EXPECT_LE(x.value, sweep->request().to);
        previous = x.value;
    }

    // A stress far beyond the case's crosses 1: each crossing is labelled, and hiding the line of
    // its check hides the label too.
    sweep->setRange(-1000, 0, 32);
    ASSERT_TRUE(settle());
    ASSERT_FALSE(sweep->crossings().empty());
    ASSERT_EQ(sweep->crossingLabels().size(), sweep->crossings().size());
    const SweepCrossing crossing = sweep->crossings().front();
    EXPECT_TRUE(sweep->crossingLabels().front()->isVisible());
    EXPECT_TRUE(sweep->crossingLabels().front()->text().contains(QString::fromLatin1(checkSymbol(crossing.check))));
    QLegendMarker* own = nullptr;
    for (QLegendMarker* m : sweep->chart()->legend()->markers())
        if (m->series()->name() == QLatin1String(checkSymbol(crossing.check))) own = m;
    ASSERT_NE(own, nullptr);
    emit own->clicked();
    EXPECT_FALSE(sweep->crossingLabels().front()->isVisible());
    emit own->clicked();
    EXPECT_TRUE(sweep->crossingLabels().front()->isVisible());

    // A reversed range is refused with a word under the chart; the range in use stays.
    auto* from = sweep->findChild<QLineEdit*>(QStringLiteral("sweepFrom"));
    auto* to = sweep->findChild<QLineEdit*>(QStringLiteral("sweepTo"));
    ASSERT_TRUE(from != nullptr && to != nullptr);
    from->setText(QStringLiteral("10"));
    to->setText(QStringLiteral("5"));
    emit to->editingFinished();
    EXPECT_EQ(sweep->hoverLabel()->text(), QStringLiteral("From must be less than To: the range in use is kept."));
    EXPECT_EQ(sweep->request().from, -1000);
    EXPECT_EQ(from->text(), QStringLiteral("-1000"));

    // A click on a check in the legend hides its line, a second shows it again.
    QLegendMarker* marker = sweep->chart()->legend()->markers().front();
    ASSERT_TRUE(marker->series()->isVisible());
    emit marker->clicked();
    EXPECT_FALSE(marker->series()->isVisible());
    emit marker->clicked();
    EXPECT_TRUE(marker->series()->isVisible());

    studies->showPage(StudiesWindow::capacity);
    ASSERT_TRUE(settle());
    CapacityPage* capacity = studies->capacityPage();
    ASSERT_TRUE(capacity->result().has_value());
    EXPECT_EQ(*capacity->result(), capacityCurve(shownCase(), capacity->request(), runner));
    capacity->setRequest(CapacityRequest{LoadGroup::sigx, LoadGroup::tau, 36, true});
    ASSERT_TRUE(settle());
    EXPECT_EQ(*capacity->result(), capacityCurve(shownCase(), capacity->request(), runner));
    // Equal scaling: as many MPa per pixel across as up.
    capacity->setEqualScaling(true);
    QCoreApplication::processEvents();
    const QRectF area = capacity->chart()->plotArea();
    const auto* ax = static_cast<QValueAxis*>(capacity->chart()->axes(Qt::Horizontal).front());
    const auto* ay = static_cast<QValueAxis*>(capacity->chart()->axes(Qt::Vertical).front());
    EXPECT_NEAR((ax->max() - ax->min()) / area.width(), (ay->max() - ay->min()) / area.height(),
                0.02 * (ax->max() - ax->min()) / area.width());

    studies->showPage(StudiesWindow::lightest);
    LightestPage* lightest = studies->lightestPage();
    lightest->setFamilies({Family::lTable, Family::flatbar});
    lightest->setTop(4);
    lightest->recompute();
    ASSERT_TRUE(settle());
    StudyControl one;
    const LightestResult expected = lightestCandidates(
        shownCase(), rankedCandidates(ctx.catalogue, {Family::lTable, Family::flatbar}), 4, ctx.catalogue, one);
    EXPECT_EQ(lightest->result(), expected);
    std::size_t winners = 0;
    for (const LightestRow& row : lightest->rows()) winners += row.candidateKnown && row.passes;
    EXPECT_EQ(winners, expected.passing.size());
    EXPECT_EQ(lightest->table()->rowCount(), static_cast<int>(lightest->rows().size()));
}

TEST_F(StudiesWindowTest, SweepLegendTextShrinksOnAShortChartAndComesBack) {
    // Seventeen entries in one column: a chart too short for them at the legend's own size (a
    // window at scale 2) gets smaller legend text instead of a cut column; a tall one its own size.
    startWindow();
    openAt(StudiesWindow::sweep);
    QLegend* legend = studies->sweepPage()->chart()->legend();
    // The chart lays itself out when the events of a resize have come through, which on a busy
    // machine takes longer than a fixed number of rounds: the size is read once it has held for
    // half a second. The window may have opened short, so its own size is read on a tall one.
    const auto shownAt = [&](int height) {
        studies->resize(1000, height);
        QElapsedTimer waited, held;
        waited.start();
        held.start();
        double size = legend->font().pointSizeF();
        while (held.elapsed() < 500 && waited.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            if (legend->font().pointSizeF() != size) {
                size = legend->font().pointSizeF();
                held.restart();
            }
        }
        return size;
    };
    const double own = shownAt(900);
    EXPECT_LT(shownAt(380), own);
    EXPECT_EQ(shownAt(900), own);
}

// Each cell of the corrosion page's table is the core's cell from the member on, the basis left
// out, on either basis; in comma mode with its decimal points written as commas (the numbers are
// composed so, while the core's table keeps the period).
void expectCorrosionPageIsTheCoreWastageTable(StudiesWindow* studies, const AppContext& ctx,
                                              const std::function<bool()>& settle) {
    CorrosionPage* page = studies->corrosionPage();
    CaseRunner runner(ctx.catalogue);
    const CaseInputs& shown = ctx.dc;
    for (const WastageBasis basis : {WastageBasis::allChecks, WastageBasis::strength}) {
        page->setBasis(basis);
        ASSERT_TRUE(settle());
        std::string core = wastageHeader();
        for (const Member m : allMembers)
            appendWastageRow(core, CaseLabel{0, ctx.dc.projectName, ctx.dc.identification}, m, basis,
                             allowableDiminution(shown, m, basis, runner));
        EXPECT_EQ(page->dataTable(), core);
        std::istringstream lines(core);
        std::string line;
        std::getline(lines, line);
        for (int row = 0; std::getline(lines, line); ++row) {
            const std::vector<std::string> cells = tabCells(line);
            ASSERT_EQ(cells.size(), 12u);
            for (int column = 0; column < CorrosionPage::gaugedColumn; ++column) {
                const std::size_t cell = column == 0 ? 3 : static_cast<std::size_t>(column) + 4;
                EXPECT_EQ(page->table()->item(row, column)->text().toStdString(),
                          withDecimalSeparator(cells[cell], ctx.decimalSeparator()))
                    << "row " << row << ", column " << column;
            }
        }
    }
}

TEST_F(StudiesWindowTest, CorrosionPageIsTheCoreWastageTableOnEitherBasis) {
    startWindow();
    openAt(StudiesWindow::corrosion);
    expectCorrosionPageIsTheCoreWastageTable(studies, ctx, [this] { return settle(); });
}

TEST_F(StudiesWindowTest, CorrosionPageInCommaModeIsTheCoreWastageTableWithCommas) {
    ctx.decimalMode = DecimalMode::comma;
    startWindow();
    openAt(StudiesWindow::corrosion);
    expectCorrosionPageIsTheCoreWastageTable(studies, ctx, [this] { return settle(); });
    EXPECT_TRUE(studies->corrosionPage()->table()->item(0, 1)->text().contains(QLatin1Char(',')));
}

TEST_F(StudiesWindowTest, AGaugedThicknessListsTheGaugedValuesBesideTheOnesAsBuiltUntilCleared) {
    startWindow();
    openAt(StudiesWindow::corrosion);
    CorrosionPage* page = studies->corrosionPage();
    ResultsModel* list = window->results();
    ASSERT_EQ(list->columnCount(), 3);
    const std::vector<ListingRow> asBuiltRows = list->rows();
    const double gaugedPlate = page->results().front().original - 2.5;
    page->table()->item(0, CorrosionPage::gaugedColumn)->setText(QString::number(gaugedPlate));

    // The gauged case as the core makes and runs it.
    MemberThicknesses thickness{};
    thickness[0] = gaugedPlate;
    GaugedCase core = gaugedCase(shownCase(), thickness, ctx.catalogue);
    ASSERT_TRUE(core.inputs) << core.problem;
    DesignCase gauged;
    static_cast<CaseInputs&>(gauged) = *core.inputs;
    gauged.analysis = ctx.dc.analysis;
    IgnoreWarnings quiet;
    runCase(gauged, ctx.catalogue, {}, quiet);
    std::vector<std::pair<const CheckLine*, const CheckLine*>> lines; // as built, gauged
    std::vector<const CheckLine*> gaugedLines;
    const CheckLines gaugedCheckLines = composeCheckLines(gauged);
    const CheckLines asBuiltCheckLines = composeCheckLines(ctx.dc);
    gaugedCheckLines.forEach([&](const CheckLine& l) { gaugedLines.push_back(&l); });
    asBuiltCheckLines.forEach([&](const CheckLine& l) { lines.emplace_back(&l, gaugedLines[lines.size()]); });

    ASSERT_EQ(list->columnCount(), 4);
    EXPECT_EQ(list->headerData(ResultsModel::gaugedColumn, Qt::Horizontal).toString(), QStringLiteral("Gauged"));
    ASSERT_EQ(list->rows().size(), asBuiltRows.size());
    int checks = 0, changed = 0;
    for (std::size_t i = 0; i < asBuiltRows.size(); ++i) {
        const ListingRow& row = list->rows()[i];
        EXPECT_EQ(row.value, asBuiltRows[i].value) << "the ratios stay those as built";
        if (row.value.empty()) continue;
        const auto at = std::find_if(lines.begin(), lines.end(), [&](const auto& pair) {
            return pair.first->label + pair.first->formula == row.control && pair.first->value == row.value;
        });
        ASSERT_NE(at, lines.end()) << row.control;
        const QString shown = list->data(list->index(static_cast<int>(i), ResultsModel::gaugedColumn)).toString();
        EXPECT_EQ(shown.toStdString(), at->second->value) << row.control;
        ++checks;
        changed += row.beside != row.value ? 1 : 0;
    }
    EXPECT_GT(checks, 5);
    EXPECT_GT(changed, 0) << "a plate 2.5 mm thinner changes its plate buckling";

    // The gauging belongs to the session, not to the window: opened again, the page shows it.
    studies->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(window->studiesWindow(), nullptr);
    openAt(StudiesWindow::corrosion);
    page = studies->corrosionPage();
    EXPECT_EQ(page->gauged()[0], std::optional<double>(gaugedPlate));
    EXPECT_EQ(list->columnCount(), 4);

    page->findChild<QPushButton*>(QStringLiteral("clearGauging"))->click();
    EXPECT_EQ(list->columnCount(), 3);
    EXPECT_EQ(list->rows(), asBuiltRows);
    EXPECT_FALSE(page->gauged()[0].has_value());
}

// A line that comes back below 1 and rises again is marked at both places, and the case is shown
// failing on both sides (t >= 11 passing would not be true: it fails again from 19).
TEST(SweepCrossings, EveryCrossingIsFoundAndTheFailingRangesEndThere) {
    const std::pair<double, double> steps[] = {{8, 1.4},   {10, 1.1},  {12, 0.9},  {14, 0.8},
                                               {16, 0.85}, {18, 0.95}, {20, 1.05}, {22, 1.2}};
    const auto check = static_cast<std::size_t>(CheckId::UFs);
    std::vector<SweepPoint> points;
    for (const auto& [value, highest] : steps) {
        SweepPoint p;
        p.value = value;
        p.verdict.highest = highest;
        p.verdict.highestCheck = static_cast<int>(check);
        p.verdict.failed[check] = highest > 1;
        points.push_back(p);
    }
    const std::vector<SweepCrossing> crossings = sweepCrossings(points);
    ASSERT_EQ(crossings.size(), 2u);
    EXPECT_NEAR(crossings[0].value, 11, 1e-9); // 1.1 at 10, 0.9 at 12
    EXPECT_FALSE(crossings[0].up);
    EXPECT_NEAR(crossings[1].value, 19, 1e-9); // 0.95 at 18, 1.05 at 20
    EXPECT_TRUE(crossings[1].up);
    EXPECT_EQ(crossings[1].check, check);
    const std::vector<std::pair<double, double>> failing = failingRanges(points);
    ASSERT_EQ(failing.size(), 2u);
    EXPECT_EQ(failing[0].first, 8);
    EXPECT_NEAR(failing[0].second, 11, 1e-9);
    EXPECT_NEAR(failing[1].first, 19, 1e-9);
    EXPECT_EQ(failing[1].second, 22);
    // A rule failing at every step says nothing about where the case fails: not shaded.
    for (SweepPoint& p : points) p.verdict.failed[girderDepthRule + 1] = true;
    EXPECT_EQ(failingRanges(points), failing);
    EXPECT_TRUE(failingThroughout(points)[girderDepthRule + 1]);
    // A failed rule with every utilisation below 1 fails the case as well: half-way between steps.
    points[4].verdict.failed[girderDepthRule] = true;
    EXPECT_EQ(failingRanges(points).size(), 3u);
    EXPECT_EQ(failingRanges(points)[1], (std::pair<double, double>{15, 17}));
}

// The SVG picture is clipped to the plot area as the PNG is: a line above the axis's end does not
// run through the title or off the picture.
TEST(ChartSvg, LinesAreClippedToThePlotArea) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Utilisations against t"));
    chart->legend()->hide(); // its mark has the line's colour outside the plot area
    auto* line = new QLineSeries;
    line->append(0, 0.2);
    line->append(1, 10);
    line->setPen(QPen(QColor(0, 0, 255), 4));
    chart->addSeries(line);
    auto* x = new QValueAxis;
    auto* y = new QValueAxis;
    x->setRange(0, 1);
    y->setRange(0, 3);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    line->attachAxis(x);
    line->attachAxis(y);
    QChartView view(chart);
    view.resize(600, 400);
    view.show();
    QCoreApplication::processEvents();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("clip.svg"));
    QString error;
    ASSERT_TRUE(saveChartSvg(&view, path, QStringLiteral("clip"), &error)) << error.toStdString();
    QSvgRenderer svg(path);
    ASSERT_TRUE(svg.isValid());
    QImage picture(view.viewport()->size(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    svg.render(&painter, QRectF(QPointF(0, 0), QSizeF(view.viewport()->size())));
    painter.end();
    const QRectF area = view.mapFromScene(chart->mapToScene(chart->plotArea())).boundingRect();
    int inside = 0, outside = 0;
    for (int row = 0; row < picture.height(); ++row)
        for (int column = 0; column < picture.width(); ++column) {
            const QColor c = picture.pixelColor(column, row);
            if (!(c.blue() > 200 && c.red() < 80 && c.green() < 80)) continue;
            (area.adjusted(-3, -3, 3, 3).contains(column, row) ? inside : outside) += 1;
        }
    EXPECT_GT(inside, 50) << "the line is drawn";
    EXPECT_EQ(outside, 0) << "nothing of it outside the plot area";
    QFile text(path);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_TRUE(text.readAll().contains("Utilisations against t"));
}

TEST(SweepRange, DefaultRangeLiesWithinTheLimitsAroundTheCasesValue) {
    CaseInputs c;
    c.Fyp = 355;
    c.Fys = 355;
    for (double sigx : {-100.0, 0.0}) {
        c.SigxA = sigx;
        for (const StudyField& f : studyFields()) {
            SCOPED_TRACE(f.name);
            const auto [from, to] = defaultSweepRange(c, f);
            EXPECT_LT(from, to);
            EXPECT_TRUE(withinLimits(f, from) && withinLimits(f, to));
            const double v = fieldValue(c, f);
            if (withinLimits(f, v)) {
                EXPECT_TRUE(from <= v && v <= to) << from << " " << v << " " << to;
            }
        }
    }
}

TEST_F(StudiesWindowTest, UseThisProfileGoesBackToTheMainWindowAndIsMarked) {
    startWindow();
    openAt(StudiesWindow::lightest);
    LightestPage* lightest = studies->lightestPage();
    lightest->setFamilies({Family::flatbar});
    lightest->setTop(3);
    lightest->recompute();
    ASSERT_TRUE(settle());
    ASSERT_FALSE(lightest->result().passing.empty());
    // The lightest winner, wherever the table sorts it.
    const Candidate chosen = lightest->result().passing.front().candidate;
    const int before = window->calculationCount();
    int row = 0;
    while (row < lightest->table()->rowCount() &&
           lightest->table()->item(row, 0)->text() != QString::fromStdString(candidateText(chosen)))
        ++row;
    ASSERT_TRUE(lightest->selectRow(row));
    lightest->useChosen();
    CaseInputs expected = shownCase();
    applyCandidate(expected, chosen);
    EXPECT_EQ(shownCase(), expected);
    EXPECT_GT(window->calculationCount(), before);
    EXPECT_EQ(ctx.dc.stiffenerType, stiffFlatbarBuiltUp);

    // The window follows the case: the chosen profile is now the one marked current.
    ASSERT_TRUE(studies->following());
    studies->followNow();
    ASSERT_TRUE(settle());
    bool marked = false;
    for (const LightestRow& row : lightest->rows())
        if (row.current) marked = row.candidateKnown && row.candidate == chosen;
    EXPECT_TRUE(marked);
}

TEST_F(StudiesWindowTest, CancelAndCloseStopTheSearch) {
    startWindow();
    openAt(StudiesWindow::lightest);
    LightestPage* lightest = studies->lightestPage();
    const std::vector<LightestRow> shown = lightest->rows();
    lightest->setFamilies({Family::lTable, Family::bfTable, Family::flatbarTable, Family::flatbar, Family::angle,
                           Family::tee, Family::iSection});
    lightest->setTop(200);
    lightest->recompute();
    ASSERT_TRUE(lightest->busy());
    lightest->cancelButton()->click();
    EXPECT_FALSE(lightest->busy());
    EXPECT_TRUE(lightest->wasCancelled());
    // A cancelled search shows nothing of its own, now or later.
    QCoreApplication::processEvents();
    EXPECT_EQ(lightest->rows(), shown);

    // A new search over one in hand is not a cancelled one; closing the window in the middle of
    // a search ends it and the window.
    lightest->recompute();
    lightest->recompute();
    EXPECT_FALSE(lightest->wasCancelled());
    QPointer<StudiesWindow> guard(studies);
    studies->close();
    ASSERT_TRUE(waitFor([&guard] { return guard.isNull(); }, 10000));
    EXPECT_EQ(window->studiesWindow(), nullptr);
}

TEST_F(StudiesWindowTest, ExportsOpenAgain) {
    startWindow();
    openAt(StudiesWindow::sweep);
    for (int page : {StudiesWindow::sweep, StudiesWindow::capacity, StudiesWindow::lightest}) {
        SCOPED_TRACE(page);
        studies->showPage(page);
        ASSERT_TRUE(settle());
        const QString stem = folder.filePath(QStringLiteral("page%1").arg(page));
        const bool chart = studies->currentPage()->chartView() != nullptr;
        if (chart) {
            ASSERT_TRUE(studies->exportPng(stem + ".png"));
            const QImage picture(stem + ".png");
            EXPECT_FALSE(picture.isNull());
            ASSERT_TRUE(studies->exportSvg(stem + ".svg"));
            QSvgRenderer svg(stem + ".svg");
            EXPECT_TRUE(svg.isValid());
        }
        ASSERT_TRUE(studies->exportData(stem + ".tsv"));
        QFile tsv(stem + ".tsv");
        ASSERT_TRUE(tsv.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(tsv.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        ASSERT_GE(lines.size(), 2);
        if (page == StudiesWindow::sweep) {
            EXPECT_EQ(lines.size(), static_cast<int>(studies->sweepPage()->points().size()) + 1);
        }
        EXPECT_TRUE(lines.front().startsWith(QStringLiteral("line\tproject\tidentification\t")));
        const auto columns = lines.front().count(QLatin1Char('\t'));
        for (const QString& row : lines) EXPECT_EQ(row.count(QLatin1Char('\t')), columns) << row.toStdString();
        ASSERT_TRUE(studies->exportPdf(stem + ".pdf"));
        QFile pdf(stem + ".pdf");
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        EXPECT_TRUE(pdf.read(5) == "%PDF-");
        EXPECT_TRUE(
            studies->pageTitle(*studies->currentPage()).contains(QString::fromStdString(ctx.dc.identification)));
    }
    // The button asks for the file with the study's name and writes it there.
    dialogs.next = folder.filePath(QStringLiteral("asked.tsv")).toStdString();
    studies->findChild<QPushButton*>(QStringLiteral("exportData"))->click();
    ASSERT_FALSE(dialogs.requests.empty());
    EXPECT_EQ(dialogs.requests.back().initialName, "lightest.tsv");
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("asked.tsv"))));
    EXPECT_TRUE(messages.seen.empty());
}

// The studies and batch windows are tool windows of the main window: kept over it (a file
// dialog or the main window taking the focus does not bury them), never modal; Esc closes them;
// the batch window opens beside the main window, level with its top.
TEST_F(StudiesWindowTest, ToolWindowsStayOverTheMainWindowAndEscClosesThem) {
    startWindow();
    openAt(StudiesWindow::sweep);
    EXPECT_EQ(studies->windowType(), Qt::Tool);
    EXPECT_EQ(studies->parentWidget(), window.get());
    EXPECT_FALSE(studies->isModal());
    QPointer<StudiesWindow> studiesAlive(studies);
    QTest::keyClick(studies, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(studiesAlive.isNull());

    window->openBatchWindow();
    auto* batch = window->findChild<BatchWindow*>();
    ASSERT_NE(batch, nullptr);
    EXPECT_EQ(batch->windowType(), Qt::Tool);
    EXPECT_FALSE(batch->isModal());
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(batch->frameGeometry().topLeft())) << batch->x() << "," << batch->y();
    if (window->frameGeometry().top() + batch->frameGeometry().height() <= screen.bottom()) {
        EXPECT_EQ(batch->frameGeometry().top(), window->frameGeometry().top());
    }
    QPointer<BatchWindow> batchAlive(batch);
    QTest::keyClick(batch, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(batchAlive.isNull());
}

// Printing a study with no printer installed: the main window's message and its way round.
TEST_F(StudiesWindowTest, PrintingWithoutAPrinterOffersExportPdf) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed";
    startWindow();
    openAt(StudiesWindow::capacity);
    messages.takeOffer = true;
    dialogs.next = folder.filePath(QStringLiteral("capacity.pdf")).toStdString();
    studies->findChild<QPushButton*>(QStringLiteral("print"))->click();
    const std::pair<std::string, std::string> offer{"No printer is installed; use Export PDF", "Export PDF\u2026"};
    EXPECT_EQ(messages.offered, (std::vector<std::pair<std::string, std::string>>{offer}));
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("capacity.pdf"))));
    EXPECT_TRUE(messages.seen.empty());
}

TEST_F(StudiesWindowTest, BatchCaseListShowsEachCasesHighestUtilisationAndVerdict) {
    startWindow();
    window->openBatchWindow();
    auto* batch = window->findChild<BatchWindow*>();
    ASSERT_NE(batch, nullptr);
    ASSERT_TRUE(batch->openBatchFile(dataFolder + QStringLiteral("dummy.kori")));
    QComboBox* list = batch->caseList();
    ASSERT_TRUE(waitFor([list] { return !batchVerdictsPending(list); }));
    const BatchRead read =
        readBatchFile((dataFolder + QStringLiteral("dummy.kori")).toStdString(), DecimalMode::period, ctx.catalogue);
    ASSERT_TRUE(std::holds_alternative<BatchList>(read));
    const BatchList& entries = std::get<BatchList>(read);
    ASSERT_EQ(list->count(), static_cast<int>(entries.entries.size()));
    int cases = 0;
    for (int row = 0; row < list->count(); ++row) {
        const BatchEntry& e = entries.entries[static_cast<std::size_t>(row)];
        const QString verdict = list->model()->index(row, verdictColumn).data().toString();
        if (!e.isCase()) {
            EXPECT_TRUE(verdict.isEmpty());
            continue;
        }
        ++cases;
        DesignCase dc;
        IgnoreWarnings quiet;
        runBatchCase(e, dc, ctx.catalogue, quiet);
        const CaseVerdict v = caseVerdict(dc);
        EXPECT_EQ(verdict, v.stopped ? "stopped" : casePasses(v) ? "OK" : "NOK") << row;
        EXPECT_EQ(list->model()->index(row, verdictHighestColumn).data().toString().toStdString(),
                  formatNumber(v.highest, "0.00") + " " + checkSymbol(static_cast<std::size_t>(v.highestCheck)));
        EXPECT_EQ(list->itemText(row).toStdString(), e.inputs.identification); // the list's own text stays
    }
    EXPECT_GT(cases, 0);
}

} // namespace
} // namespace korvel::test
