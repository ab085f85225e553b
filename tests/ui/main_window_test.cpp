// The working window, without a display: start-up, the boxes' validation with the exact warnings
// and the focus rules, Enter and arrow movement, the material lists, the options, the pop-up
// menu, the File menu and the recent list (in a settings file of the test's own).

#include "files/project_file.h"
#include "sections/profile_types.h"
#include "support/qt_application.h"
#include "ui/analysis_panel.h"
#include "ui/app_context.h"
#include "ui/cfactor_panel.h"
#include "ui/figure_panel.h"
#include "ui/input_panel.h"
#include "ui/input_panel_navigation.h"
#include "ui/line_input.h"
#include "ui/loading_panel.h"
#include "ui/main_window.h"
#include "ui/main_window_fixture.h"
#include "ui/main_window_results.h"
#include "ui/margin_line.h"
#include "ui/material_panel.h"
#include "ui/qt_settings_store.h"
#include "ui/results_model.h"
#include "ui/stress_panel.h"
#include "ui/verdict_colours.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QStyleOptionViewItem>
#include <QTemporaryDir>
#include <QTest>

#include <cctype>
#include <map>
#include <memory>
#include <optional>
#include <ostream>

namespace korvel {
namespace {

using test::dataFolder;
using test::MainWindowTest;

TEST_F(MainWindowTest, StartsOnTheNewFileCaseWithoutStartupBatch) {
    startWindow();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("KORVEL: New File"));
    EXPECT_EQ(window->objectName(), QStringLiteral("mainWindow"));
    const std::pair<InputBox, const char*> shown[] = {
        {InputBox::L1, "3000"},      {InputBox::L2, "2500"},
        {InputBox::Lg, "8000"},      {InputBox::Lgs, "6000"},
        {InputBox::Lt, "3000"},      {InputBox::s1, "625"},
        {InputBox::s2, "625"},       {InputBox::t, "20.0"},
        {InputBox::SigxA, "-100.0"}, {InputBox::SigyA, "-30.0"},
        {InputBox::Tau, "40.0"},     {InputBox::p, "0.030"},
        {InputBox::ps, "0.030"},     {InputBox::E, "2.06E+5"},
        {InputBox::FS, "1.43"},      {InputBox::UF, "0.60"},
        {InputBox::UL, "65"},        {InputBox::Fyp, "355"},
        {InputBox::Fup, "490"},      {InputBox::projectName, "Project"},
    };
    for (const auto& [id, text] : shown) EXPECT_EQ(box(id)->text(), QString::fromLatin1(text)) << text;
    EXPECT_EQ(named<QComboBox>("plateMaterialList")->currentText(), QStringLiteral("Hull AH36"));
    EXPECT_EQ(named<QComboBox>("plateMaterialList")->count(), 16);
    EXPECT_FALSE(named<QLineEdit>("FypBox")->isEnabled());
    EXPECT_EQ(named<QTabWidget>("cfactorTabs")->currentIndex(), 1);
    EXPECT_TRUE(named<QRadioButton>("conditionA")->isChecked());
    EXPECT_TRUE(named<QRadioButton>("bucklingOption")->isChecked());
    EXPECT_FALSE(named<QCheckBox>("deformationBox")->isHidden());
    EXPECT_EQ(named<QLabel>("stiffenerProfile")->text().toStdString(), stiffenerDesignation(ctx.dc));
    EXPECT_FALSE(named<QLabel>("girderProfile")->text().isEmpty());
    EXPECT_GT(window->results()->rowCount(), 0);
    EXPECT_TRUE(named<QLabel>("cfactorText1")->text().startsWith(QStringLiteral("c = ")));
    EXPECT_TRUE(messages.seen.empty());
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("dummy.koro"))));
    EXPECT_EQ(ctx.startupBatch.status, StartupBatch::Status::inputMissing);
}

TEST_F(MainWindowTest, StartupBatchShowsTheLastCaseAndWritesItsResults) {
    ASSERT_TRUE(QFile::copy(dataFolder + QStringLiteral("dummy.kori"), folder.filePath(QStringLiteral("dummy.kori"))));
    startWindow();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("KORVEL: New File"));
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("dummy.koro"))));
    EXPECT_EQ(ctx.startupBatch.status, StartupBatch::Status::done);
    ASSERT_GT(ctx.startupBatch.list.caseCount(), 0);
    const BatchEntry* last = nullptr;
    for (const BatchEntry& e : ctx.startupBatch.list.entries)
        if (e.isCase()) last = &e;
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(box(InputBox::identification)->text().toStdString(), last->inputs.identification);
    EXPECT_EQ(ctx.dc.L1, last->inputs.L1);
}

TEST_F(MainWindowTest, MissingTableNamesTheFile) {
    ASSERT_TRUE(QFile::remove(folder.filePath(QStringLiteral("tprof.dat"))));
    const std::optional<TableError> error = prepareStart(ctx, folder.path().toStdString());
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->file, "tprof.dat");
    EXPECT_NE(error->message().find("tprof.dat"), std::string::npos);
}

TEST_F(MainWindowTest, LeavingL1ShowsItsMaskAndRecalculates) {
    startWindow();
    const std::vector<ListingRow> before = window->results()->rows();
    const int calculations = window->calculationCount();
    typeAndLeave(InputBox::L1, QStringLiteral("2500.7"));
    EXPECT_EQ(box(InputBox::L1)->text(), QStringLiteral("2501"));
    EXPECT_EQ(ctx.dc.L1, 2500.7); // stored as typed, as a batch line gives it
    EXPECT_EQ(focusName(), QStringLiteral("L2Box"));
    EXPECT_EQ(window->calculationCount(), calculations + 1);
    EXPECT_NE(window->results()->rows(), before);
    EXPECT_FALSE(box(InputBox::L1)->isHighlighted());
    EXPECT_TRUE(box(InputBox::L2)->isHighlighted());
    EXPECT_EQ(box(InputBox::L2)->palette().color(QPalette::Active, QPalette::Base), QColor(255, 255, 192));
    EXPECT_EQ(box(InputBox::L1)->palette().color(QPalette::Active, QPalette::Base), QColor(Qt::white));
    EXPECT_TRUE(messages.seen.empty());
}

// One row per box edit: what is typed, the warning (empty: none), the text shown afterwards,
// where the focus ends, and whether the box stays yellow.
struct LimitCase {
    InputBox box;
    const char* name;
    const char* typed;
    const char* warning;
    const char* shown;
    const char* focusAfter;
    bool yellow;
};

void PrintTo(const LimitCase& c, std::ostream* os) {
    *os << c.name << " \"" << c.typed << "\"";
}

class BoxLimitTest : public MainWindowTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(BoxLimitTest, WarnsWithTheExactTextAndFocusRule) {
    const LimitCase& c = GetParam();
    startWindow();
    const int calculations = window->calculationCount();
    typeAndLeave(c.box, QString::fromLatin1(c.typed));
    if (c.warning[0] == '\0') {
        EXPECT_TRUE(messages.seen.empty());
    } else {
        EXPECT_EQ(messages.seen, std::vector<std::string>{c.warning});
    }
    EXPECT_EQ(box(c.box)->text(), QString::fromLatin1(c.shown));
    EXPECT_EQ(focusName(), QString::fromLatin1(c.focusAfter));
    EXPECT_EQ(box(c.box)->isHighlighted(), c.yellow);
    // Only an impossible unit length is not calculated with.
    const bool calculated = window->calculationCount() > calculations;
    EXPECT_EQ(calculated, !(c.box == InputBox::UL && c.warning[0] != '\0'));
}

INSTANTIATE_TEST_SUITE_P(
    Limits, BoxLimitTest,
    ::testing::Values(LimitCase{InputBox::FS, "FSBox", "0.59", "FS = 0.59: 0.6 <= FS <= 2", "0.59", "FSBox", true},
                      LimitCase{InputBox::FS, "FSBox", "2.01", "FS = 2.01: 0.6 <= FS <= 2", "2.01", "FSBox", true},
                      LimitCase{InputBox::FS, "FSBox", "0.6", "", "0.60", "UFBox", false},
                      LimitCase{InputBox::UF, "UFBox", "2", "", "2.00", "plateMaterialList", false},
                      LimitCase{InputBox::Lgs, "LgsBox", "999", "Lgs = 999 mm: 1000 <= Lgs", "999", "LtBox", false},
                      LimitCase{InputBox::Lt, "LtBox", "399", "Lt = 399 mm: 400 <= Lt", "399", "LtBox", true},
                      LimitCase{InputBox::t, "tBox", "abc", "t = 0.0 mm: 0.1 <= t", "0.0", "tBox", true},
                      LimitCase{InputBox::t, "tBox", "1,5", "", "1.5", "s1Box", false},
                      // The stored value, with the digits that tell it from the limit.
                      LimitCase{InputBox::t, "tBox", "0.05", "t = 0.05 mm: 0.1 <= t", "0.05", "tBox", true},
                      // Too wide for the box: the exponent form, never a cut "00000.000".
                      LimitCase{InputBox::p, "pBox", "1e12", "", "1E+12", "psBox", false},
                      // One entry, one message: not also " s1 <= L1 " from the calculation.
                      LimitCase{InputBox::L1, "L1Box", "abc", "L1 = 00 mm: L1 >= 50", "00", "L1Box", true},
                      LimitCase{InputBox::E, "EBox", "206000", "", "2.06E+5", "L1Box", false},
                      LimitCase{InputBox::SigxA, "SigxABox", "-120", "", "-120.0", "SigxBBox", false}),
    [](const ::testing::TestParamInfo<LimitCase>& info) {
        // "FSBox_0_59": the box and what was typed, letters and digits only.
        std::string name = std::string(info.param.name) + "_";
        for (const char* c = info.param.typed; *c != '\0'; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

TEST_F(MainWindowTest, UnitLengthOutOfLimitsStaysYellowAndIsNotCalculated) {
    startWindow();
    named<QTabWidget>("cfactorTabs")->setCurrentIndex(0);
    ASSERT_EQ(ctx.dc.structureType, 0);
    const int calculations = window->calculationCount();
    typeAndLeave(InputBox::UL, QStringLiteral("601"));
    EXPECT_EQ(messages.seen, std::vector<std::string>{"UL = 601 m: 5 < unit length < 600"});
    EXPECT_EQ(ctx.dc.UL, 601.0f);
    EXPECT_EQ(box(InputBox::UL)->text(), QStringLiteral("601"));
    EXPECT_TRUE(box(InputBox::UL)->isHighlighted());
    EXPECT_EQ(window->calculationCount(), calculations);

    messages.seen.clear();
    typeAndLeave(InputBox::UL, QStringLiteral("600"));
    EXPECT_TRUE(messages.seen.empty());
    EXPECT_EQ(window->calculationCount(), calculations + 1);
    EXPECT_EQ(focusName(), QStringLiteral("L1Box"));
}

TEST_F(MainWindowTest, GeometryWarningsFollowTheCalculationAndTakeTheFocus) {
    startWindow();
    typeAndLeave(InputBox::s1, QStringLiteral("3500"));
    // One message, a line per warning: a second box would take the typing meant for s1.
    EXPECT_EQ(messages.seen, std::vector<std::string>{"s1 = 3500 mm: s1 <= L1\ns1 = 3500 mm: s1 <= L2"});
    EXPECT_EQ(focusName(), QStringLiteral("s1Box"));
}

// L2 = 40 fails its own limit and makes " s1 <= L2 " fail: the box's own warning is the one
// message of that entry and keeps the focus; leaving the box again with the value kept brings the
// calculation's warning once; leaving either box again with the same values says nothing new and
// moves no focus, nor does coming back to the window; a changed value, or a warning that went
// away and came back, is new.
TEST_F(MainWindowTest, AWarningForUnchangedValuesIsNotRepeatedAndTheFocusDoesNotBounce) {
    startWindow();
    typeAndLeave(InputBox::L2, QStringLiteral("40"));
    EXPECT_EQ(messages.seen, std::vector<std::string>{"L2 = 40 mm: L2 >= 50"});
    EXPECT_EQ(focusName(), QStringLiteral("L2Box"));
    QTest::keyClick(box(InputBox::L2), Qt::Key_Return);
    const std::vector<std::string> first{"L2 = 40 mm: L2 >= 50", "s1 = 625 mm: s1 <= L2"};
    EXPECT_EQ(messages.seen, first);
    EXPECT_EQ(focusName(), QStringLiteral("s1Box"));

    // The focus events a window manager delivers late: s1 and L2 left in turn, values unchanged.
    box(InputBox::s1)->setFocus();
    box(InputBox::L2)->setFocus();
    box(InputBox::s1)->setFocus();
    EXPECT_EQ(focusName(), QStringLiteral("s1Box"));
    window->recalculate();
    EXPECT_EQ(messages.seen, first);

    messages.seen.clear();
    typeAndLeave(InputBox::L2, QStringLiteral("30"));
    EXPECT_EQ(messages.seen, std::vector<std::string>{"L2 = 30 mm: L2 >= 50"});
    typeAndLeave(InputBox::L2, QStringLiteral("2500"));
    messages.seen.clear();
    typeAndLeave(InputBox::L2, QStringLiteral("30"));
    EXPECT_EQ(messages.seen.size(), 1u);
}

TEST_F(MainWindowTest, CommaLocaleShowsCommasAndReportsLetters) {
    ctx.decimalMode = DecimalMode::comma;
    startWindow();
    EXPECT_EQ(box(InputBox::p)->text(), QStringLiteral("0,030"));
    // Every number of the list has the comma; the rule clauses keep their points.
    bool sawValue = false;
    for (const ListingRow& row : window->results()->rows()) {
        EXPECT_EQ(row.value.find('.'), std::string::npos) << row.value;
        if (!row.value.empty()) sawValue = sawValue || row.value.find(',') != std::string::npos;
        if (row.reference.find("(3/3.1)") != std::string::npos) {
            EXPECT_NE(row.reference.find("1,0"), std::string::npos);
        }
    }
    EXPECT_TRUE(sawValue);
    // The designations and the c-factor caption are composed with the comma; the clause keeps its points.
    EXPECT_EQ(named<QLabel>("stiffenerProfile")->text().toStdString(), stiffenerDesignation(ctx.dc, ','));
    EXPECT_EQ(named<QLabel>("girderProfile")->text().toStdString(), girderDesignation(ctx.dc, ','));
    EXPECT_TRUE(named<QLabel>("stiffenerProfile")->text().contains(QLatin1Char(',')));
    const QString caption = named<QLabel>("cfactorText1")->text();
    EXPECT_TRUE(caption.startsWith(QStringLiteral("c = 0,")) && caption.contains(QStringLiteral("3-2-2/9.")))
        << caption.toStdString();
    typeAndLeave(InputBox::t, QStringLiteral("1.5"));
    EXPECT_EQ(box(InputBox::t)->text(), QStringLiteral("1,5"));
    EXPECT_EQ(ctx.dc.t, static_cast<double>(1.5f));
    typeAndLeave(InputBox::t, QStringLiteral("abc"));
    EXPECT_EQ(messages.seen, std::vector<std::string>{"t = \"abc\": Input string mismatch"});
    EXPECT_EQ(focusName(), QStringLiteral("tBox"));
    EXPECT_EQ(ctx.dc.t, static_cast<double>(1.5f));

    // The box cannot be left while it holds no number; a number lets the focus go on.
    messages.seen.clear();
    box(InputBox::projectName)->setFocus();
    EXPECT_EQ(messages.seen, std::vector<std::string>{"t = \"abc\": Input string mismatch"});
    EXPECT_EQ(focusName(), QStringLiteral("tBox"));
    typeAndLeave(InputBox::t, QStringLiteral("2,5"));
    EXPECT_EQ(focusName(), QStringLiteral("s1Box"));

    // A text that is no number is not calculated with, except in SigxA, which calculates anyway.
    const std::pair<InputBox, int> boxes[] = {{InputBox::Tau, 0}, {InputBox::SigxA, 1}};
    for (const auto& [id, extra] : boxes) {
        box(id)->setFocus();
        messages.seen.clear();
        const int calculations = window->calculationCount();
        typeAndLeave(id, QStringLiteral("x"));
        ASSERT_EQ(messages.seen.size(), 1u);
        EXPECT_NE(messages.seen[0].find("= \"x\": Input string mismatch"), std::string::npos);
        EXPECT_EQ(window->calculationCount(), calculations + extra);
        EXPECT_EQ(QApplication::focusWidget(), box(id));
        typeAndLeave(id, QStringLiteral("10"));
    }
}

TEST_F(MainWindowTest, EnterFromEGoesToUnitLengthOnlyOnTheWatertightTab) {
    startWindow();
    for (int tab : {0, 1, 2}) {
        SCOPED_TRACE(tab);
        named<QTabWidget>("cfactorTabs")->setCurrentIndex(tab);
        box(InputBox::E)->setFocus();
        QTest::keyClick(box(InputBox::E), Qt::Key_Return);
        EXPECT_EQ(focusName(), tab == 0 ? QStringLiteral("ULBox") : QStringLiteral("L1Box"));
    }
}

TEST_F(MainWindowTest, EnterWalksTheIdentificationMaterialsAndStresses) {
    startWindow();
    box(InputBox::projectName)->setFocus();
    const char* expected[] = {"identBox", "plateMaterialList", "stiffenerMaterialList", "EBox"};
    for (const char* name : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(focusName(), QString::fromLatin1(name));
    }
    box(InputBox::ps)->setFocus();
    QTest::keyClick(box(InputBox::ps), Qt::Key_Return);
    EXPECT_EQ(focusName(), QStringLiteral("projectBox"));
}

TEST_F(MainWindowTest, ArrowKeysMoveThroughTheStressGrid) {
    startWindow();
    box(InputBox::SigxA)->setFocus();
    const std::pair<Qt::Key, const char*> moves[] = {
        {Qt::Key_Right, "SigxBBox"}, {Qt::Key_Down, "SigyCBox"}, {Qt::Key_Left, "SigyABox"}, {Qt::Key_Up, "SigxABox"},
        {Qt::Key_Up, "LtBox"},       {Qt::Key_Up, "LgsBox"},     {Qt::Key_Down, "LtBox"},
    };
    for (const auto& [key, name] : moves) {
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(focusName(), QString::fromLatin1(name));
    }
}

// Enter and arrow maps, row by row as the order of the boxes reads.
TEST(NavigationTest, EnterOrderBranchesOnMaterialsAndStructure) {
    Catalogue catalogue;
    catalogue.materials.rows = {{"A", 235, 400, 1}, {"B", 355, 490, 0.72}, {"User", 235, 400, 1}};
    DesignCase dc;
    dc.plateMaterial = 1;
    dc.stiffenerMaterial = 2;
    dc.structureType = tankBulkhead;
    const std::pair<const char*, const char*> steps[] = {
        {"projectBox", "identBox"},
        {"identBox", "plateMaterialList"},
        {"plateMaterialList", "stiffenerMaterialList"},
        {"stiffenerMaterialList", "FysBox"},
        {"FysBox", "FusBox"},
        {"FusBox", "EBox"},
        {"EBox", "L1Box"},
        {"FypBox", "FupBox"},
        {"FupBox", "stiffenerMaterialList"},
        {"L1Box", "L2Box"},
        {"L2Box", "LgBox"},
        {"LgBox", "tBox"},
        {"tBox", "s1Box"},
        {"s1Box", "s2Box"},
        {"s2Box", "LgsBox"},
        {"LgsBox", "LtBox"},
        {"LtBox", "SigxABox"},
        {"SigxABox", "SigxBBox"},
        {"SigxBBox", "SigyABox"},
        {"SigyABox", "SigyCBox"},
        {"SigyCBox", "TauBox"},
        {"TauBox", "pBox"},
        {"pBox", "psBox"},
        {"psBox", "projectBox"},
        {"FSBox", "UFBox"},
        {"UFBox", "plateMaterialList"},
        {"ULBox", "L1Box"},
        {"signButton", ""},
    };
    for (const auto& [from, to] : steps) EXPECT_EQ(nextOnEnter(from, dc, catalogue), to) << from;
    dc.plateMaterial = 2;
    dc.stiffenerMaterial = 0;
    dc.structureType = watertightBulkhead;
    EXPECT_EQ(nextOnEnter("plateMaterialList", dc, catalogue), "FypBox");
    EXPECT_EQ(nextOnEnter("stiffenerMaterialList", dc, catalogue), "EBox");
    EXPECT_EQ(nextOnEnter("EBox", dc, catalogue), "ULBox");
}

TEST(NavigationTest, ArrowMapOfTheGeometryAndLoadBoxes) {
    struct Move {
        const char* from;
        ArrowKey key;
        const char* to;
    };
    const Move moves[] = {
        {"L1Box", ArrowKey::down, "L2Box"},      {"L1Box", ArrowKey::up, "pBox"},
        {"LtBox", ArrowKey::down, "SigxABox"},   {"s2Box", ArrowKey::up, "s1Box"},
        {"SigxABox", ArrowKey::left, "s2Box"},   {"SigxABox", ArrowKey::down, "SigyABox"},
        {"SigxBBox", ArrowKey::up, "TauBox"},    {"SigxBBox", ArrowKey::right, "SigyABox"},
        {"SigyABox", ArrowKey::down, "TauBox"},  {"SigyCBox", ArrowKey::down, "pBox"},
        {"SigyCBox", ArrowKey::right, "TauBox"}, {"TauBox", ArrowKey::down, "pBox"},
        {"TauBox", ArrowKey::up, "SigyABox"},    {"pBox", ArrowKey::up, "TauBox"},
        {"psBox", ArrowKey::down, "projectBox"}, {"psBox", ArrowKey::up, "pBox"},
        {"L1Box", ArrowKey::left, ""},           {"FSBox", ArrowKey::down, ""},
        {"projectBox", ArrowKey::up, ""},
    };
    for (const Move& m : moves) EXPECT_EQ(nextOnArrow(m.from, m.key), m.to) << m.from;
    EXPECT_TRUE(movesLeftRight("SigyCBox"));
    EXPECT_FALSE(movesLeftRight("L1Box"));
    EXPECT_FALSE(movesUpDown("projectBox"));
    EXPECT_FALSE(movesUpDown("FSBox"));
}

TEST_F(MainWindowTest, MaterialListOpensTheStrengthsOnlyForTheUserDefinedGrade) {
    startWindow();
    auto* list = named<QComboBox>("plateMaterialList");
    const int last = list->count() - 1;
    list->setCurrentIndex(last);
    emit list->activated(last);
    EXPECT_EQ(ctx.dc.plateMaterial, last);
    EXPECT_TRUE(box(InputBox::Fyp)->isEnabled());
    EXPECT_TRUE(box(InputBox::Fup)->isEnabled());
    typeAndLeave(InputBox::Fyp, QStringLiteral("300"));
    EXPECT_EQ(ctx.dc.Fyp, 300.0);
    EXPECT_EQ(ctx.dc.plateSteel.Fy, 300.0);
    EXPECT_EQ(box(InputBox::Fyp)->text(), QStringLiteral("300"));

    // A grade of the list puts its own strengths in force and shows them.
    list->setCurrentIndex(0);
    emit list->activated(0);
    EXPECT_FALSE(box(InputBox::Fyp)->isEnabled());
    EXPECT_EQ(ctx.dc.plateSteel.Fy, 235.0);
    EXPECT_EQ(box(InputBox::Fyp)->text(), QStringLiteral("235"));

    // The user's own grade again starts from the strengths shown.
    list->setCurrentIndex(last);
    emit list->activated(last);
    EXPECT_EQ(ctx.dc.Fyp, 235.0);
    EXPECT_EQ(box(InputBox::Fyp)->text(), QStringLiteral("235"));
    list->setCurrentIndex(0);
    emit list->activated(0);

    auto* stiffener = named<QComboBox>("stiffenerMaterialList");
    stiffener->setCurrentIndex(last);
    emit stiffener->activated(last);
    EXPECT_TRUE(box(InputBox::Fys)->isEnabled());
    EXPECT_TRUE(box(InputBox::Fus)->isEnabled());
    EXPECT_FALSE(box(InputBox::Fyp)->isEnabled());
}

TEST_F(MainWindowTest, OptionsChangeTheCaseAndTheWindow) {
    startWindow();
    named<QRadioButton>("conditionB")->click();
    EXPECT_EQ(box(InputBox::FS)->text(), QStringLiteral("1.11"));
    EXPECT_EQ(box(InputBox::UF)->text(), QStringLiteral("0.80"));
    named<QRadioButton>("conditionC")->click();
    EXPECT_EQ(box(InputBox::FS)->text(), QStringLiteral("1.11"));

    named<QRadioButton>("scantlingYieldOption")->click();
    EXPECT_EQ(ctx.dc.analysis, 2);
    EXPECT_TRUE(named<QCheckBox>("deformationBox")->isHidden());
    named<QRadioButton>("bucklingOption")->click();
    EXPECT_FALSE(named<QCheckBox>("deformationBox")->isHidden());
    named<QCheckBox>("deformationBox")->click();
    EXPECT_TRUE(ctx.dc.includeDeformation);

    // "+/-" recalculates at once: the list shows the new sign of p straight away.
    const auto pressureRow = [this] {
        for (const ListingRow& row : window->results()->rows())
            if (row.control.find("UFpl") != std::string::npos) return row.control;
        return std::string();
    };
    EXPECT_NE(pressureRow().find("= 0.030/"), std::string::npos) << pressureRow();
    box(InputBox::p)->setFocus();
    named<QPushButton>("signButton")->click();
    EXPECT_EQ(box(InputBox::p)->text(), QStringLiteral("-0.030"));
    EXPECT_NE(pressureRow().find("= -0.030/"), std::string::npos) << pressureRow();

    // Tank bulkhead, option 1, then the upper-structure tab: the option stays ("In way of tanks").
    named<QRadioButton>("cfactorOption11")->click();
    named<QTabWidget>("cfactorTabs")->setCurrentIndex(2);
    EXPECT_EQ(ctx.dc.structureType, 2);
    EXPECT_EQ(ctx.dc.structureOption, 1);
    EXPECT_TRUE(named<QRadioButton>("cfactorOption21")->isChecked());
    EXPECT_TRUE(named<QLabel>("cfactorText2")->text().contains(QStringLiteral("3-2-4/3.5&3.7")));
}

TEST_F(MainWindowTest, RightClickOnTheL1LabelPopsUpTheProfileMenu) {
    startWindow();
    auto* label = named<QLabel>("L1Label");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("L1 ="));
    EXPECT_EQ(label->contextMenuPolicy(), Qt::NoContextMenu);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), label->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(label, &event);
    EXPECT_TRUE(window->profileMenu()->isVisible());
    EXPECT_EQ(window->profileMenu()->objectName(), QStringLiteral("profileMenu"));
    window->profileMenu()->hide();
}

TEST_F(MainWindowTest, ProfileMenuSetsTheTypeAndRecalculates) {
    startWindow();
    const int calculations = window->calculationCount();
    named<QAction>("mnustifft")->trigger();
    EXPECT_EQ(ctx.dc.stiffenerType, stiffTTable);
    EXPECT_EQ(window->calculationCount(), calculations + 1);
    EXPECT_EQ(named<QLabel>("stiffenerProfile")->text().toStdString(), stiffenerDesignation(ctx.dc));
    EXPECT_TRUE(named<QLabel>("stiffenerProfile")->text().startsWith(QLatin1Char('T')));
    named<QAction>("LGirderAction")->trigger();
    EXPECT_EQ(ctx.dc.girderType, girderL);
    EXPECT_TRUE(named<QLabel>("girderProfile")->text().startsWith(QLatin1Char('L')));
}

TEST_F(MainWindowTest, NewRestoresTheNewFileValues) {
    startWindow();
    typeAndLeave(InputBox::L1, QStringLiteral("2800"));
    typeAndLeave(InputBox::projectName, QStringLiteral("Deck"));
    named<QRadioButton>("conditionB")->click();
    named<QAction>("newAction")->trigger();
    EXPECT_EQ(ctx.dc.L1, 3000);
    EXPECT_EQ(box(InputBox::L1)->text(), QStringLiteral("3000"));
    EXPECT_EQ(box(InputBox::projectName)->text(), QStringLiteral("Project"));
    EXPECT_EQ(box(InputBox::FS)->text(), QStringLiteral("1.43"));
    EXPECT_TRUE(named<QRadioButton>("conditionA")->isChecked());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("KORVEL: New File"));
}

TEST_F(MainWindowTest, SaveOpenAndTheRecentList) {
    startWindow();
    const std::string path = folder.filePath(QStringLiteral("deck.korvp")).toStdString();
    typeAndLeave(InputBox::L1, QStringLiteral("2800"));
    dialogs.next = path;
    named<QAction>("saveAction")->trigger();
    EXPECT_EQ(window->windowTitle().toStdString(), "KORVEL: " + path);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(path)));
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_TRUE(dialogs.requests[0].askOverwrite);
    auto* recent1 = named<QAction>("recentFile1");
    EXPECT_TRUE(recent1->isVisible());
    EXPECT_TRUE(named<QAction>("recentFilesSeparator")->isVisible());
    EXPECT_EQ(recent1->text().toStdString(), "&1. " + path);
    EXPECT_FALSE(named<QAction>("recentFile2")->isVisible());
    EXPECT_EQ(settings->value("korvp", "Recent Files", "RecentFile1"), path);

    named<QAction>("newAction")->trigger();
    EXPECT_EQ(box(InputBox::L1)->text(), QStringLiteral("3000"));
    recent1->trigger();
    EXPECT_EQ(box(InputBox::L1)->text(), QStringLiteral("2800"));
    EXPECT_EQ(window->windowTitle().toStdString(), "KORVEL: " + path);

    // A file that vanished is reported and changes nothing.
    dialogs.next = folder.filePath(QStringLiteral("gone.korvp")).toStdString();
    named<QAction>("openAction")->trigger();
    ASSERT_EQ(messages.seen.size(), 1u);
    EXPECT_EQ(messages.seen[0], "can't find file - " + dialogs.next);
    EXPECT_EQ(window->windowTitle().toStdString(), "KORVEL: " + path);
    EXPECT_EQ(ctx.dc.L1, 2800);
}

TEST_F(MainWindowTest, MissingDocumentIsReportedByName) {
    startWindow();
    named<QAction>("theoryManualAction")->trigger();
    ASSERT_EQ(messages.seen.size(), 1u);
    EXPECT_NE(messages.seen[0].find("can't find file - "), std::string::npos);
    EXPECT_NE(messages.seen[0].find("Documentation"), std::string::npos);
    EXPECT_NE(messages.seen[0].find("KORVEL Theory Manual.pdf"), std::string::npos);
}

TEST_F(MainWindowTest, MenusCarryTheirNamesAndCaptions) {
    startWindow();
    const std::pair<const char*, const char*> actions[] = {
        {"newAction", "&New"},
        {"openAction", "&Open"},
        {"saveAction", "&Save"},
        {"saveAsAction", "Save &As"},
        {"printBucklingAction", "&Buckling "},
        {"printScantlingYieldAction", "&Scantling/Yield"},
        {"printAllChecksAction", "Buckling/Scantling/&Yield"},
        {"exitAction", "&Exit"},
        {"mnustiffl", "&L-table"},
        {"mnustiffusp", "Trape&z-profile"},
        {"mnustiffib", "&I-built-up"},
        {"LGirderAction", "&L- Girder"},
        {"TGirderAction", "&T - Girder"},
        {"openDatabaseAction", "&Open Database"},
        {"printMenuScantlingYieldAction", "&Scantling/Yield "},
        {"helpSearchAction", "&Search for Help On . . . "},
        {"aboutAction", "&About KORVP"},
    };
    for (const auto& [name, caption] : actions) {
        auto* action = named<QAction>(name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->text(), QString::fromLatin1(caption));
    }
    EXPECT_EQ(named<QMenu>("filePrintMenu")->title(), QStringLiteral("&Print"));
    EXPECT_EQ(named<QGroupBox>("geometryStressFrame")->title(), QStringLiteral("Geometry && Stresses"));
    EXPECT_EQ(box(InputBox::Lt)->toolTip(), QStringLiteral(" Recommended max distance 3000 mm "));
}

// Every menu and entry has an access key, and within one menu no two entries share a key.
TEST_F(MainWindowTest, EveryMenuEntryHasAnAccessKey) {
    startWindow();
    const auto keyOf = [](const QString& text) {
        const qsizetype at = text.indexOf(QLatin1Char('&'));
        return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toLower() : QChar();
    };
    std::vector<QMenu*> menus;
    for (QAction* top : window->menuBar()->actions()) menus.push_back(top->menu());
    for (std::size_t i = 0; i < menus.size(); ++i) {
        QMenu* menu = menus[i];
        ASSERT_NE(menu, nullptr);
        EXPECT_FALSE(keyOf(menu->title()).isNull()) << menu->title().toStdString();
        std::map<QChar, int> uses;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator() || !action->isVisible()) continue;
            if (action->menu() != nullptr) menus.push_back(action->menu());
            const QChar key = keyOf(action->text());
            EXPECT_FALSE(key.isNull()) << action->text().toStdString();
            ++uses[key];
        }
        for (const auto& [key, count] : uses)
            EXPECT_EQ(count, 1) << menu->title().toStdString() << " key " << key.toLatin1();
    }
    EXPECT_EQ(named<QAction>("saveAsAction")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    EXPECT_EQ(named<QAction>("exportPdfAction")->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
    EXPECT_EQ(named<QAction>("helpContentsAction")->shortcut(), QKeySequence(QStringLiteral("F1")));
}

// Narrowed by the splitter or drawn by another style, every formula of the list wraps whole:
// each cell is as high as its text needs at its width (measured here by the font's own wrapping).
TEST_F(MainWindowTest, TheResultListWrapsEveryFormulaWholeAtAnyWidthAndStyle) {
    startWindow();
    auto* list = named<ResultsList>("resultsList");
    ASSERT_NE(list, nullptr);
    for (const char* styleName : {"Fusion", "Windows"}) {
        std::unique_ptr<QStyle> style(QStyleFactory::create(QString::fromLatin1(styleName)));
        ASSERT_NE(style, nullptr) << styleName;
        list->setStyle(style.get());
        for (int width : {600, 260, 140}) {
            SCOPED_TRACE(std::string(styleName) + " " + std::to_string(width));
            list->setUserColumnWidth(ResultsModel::controlColumn, width);
            list->applyColumnShares();
            QCoreApplication::processEvents();
            for (int row = 0; row < list->model()->rowCount(); ++row) {
                const QModelIndex index = list->model()->index(row, ResultsModel::controlColumn);
                QStyleOptionViewItem option;
                option.initFrom(list);
                option.rect = list->visualRect(index);
                option.text = index.data().toString();
                option.features |= QStyleOptionViewItem::WrapText | QStyleOptionViewItem::HasDisplay;
                const QVariant font = index.data(Qt::FontRole);
                option.font = font.canConvert<QFont>() ? font.value<QFont>() : list->font();
                const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &option, list);
                const QRect needed = QFontMetrics(option.font)
                                         .boundingRect(QRect(0, 0, text.width(), 100000),
                                                       Qt::TextWordWrap | Qt::TextWrapAnywhere, option.text);
                EXPECT_GE(option.rect.height() + 1, needed.height()) << option.text.toStdString();
            }
        }
        list->setStyle(nullptr);
    }
}

// On a dark palette the margin line reads at 4.5:1 at least; on any palette no label of the window
// is cut (a wrapped group name as high as its lines, a plain label as wide as its text).
TEST_F(MainWindowTest, ADarkPaletteKeepsTheVerdictReadableAndNoLabelIsCut) {
    const QPalette before = QApplication::palette();
    QPalette dark = before;
    dark.setColor(QPalette::Window, QColor(53, 53, 53));
    dark.setColor(QPalette::Base, QColor(36, 36, 36));
    dark.setColor(QPalette::WindowText, QColor(238, 238, 236));
    dark.setColor(QPalette::Text, QColor(238, 238, 236));
    QApplication::setPalette(dark);
    startWindow();
    typeAndLeave(InputBox::SigxA, QStringLiteral("-400")); // a failing case: the line is red
    const QLabel* margin = window->marginLine();
    EXPECT_GE(contrastRatio(margin->palette().color(QPalette::WindowText), margin->palette().color(QPalette::Window)),
              4.5);
    EXPECT_GE(contrastRatio(verdictColour(paletteColour(4)), dark.color(QPalette::Base)), 4.5);
    EXPECT_GE(contrastRatio(verdictColour(paletteColour(2)), dark.color(QPalette::Base)), 4.5);
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty()) continue;
        SCOPED_TRACE(label->text().toStdString());
        if (label->wordWrap())
            EXPECT_GE(label->height(), label->heightForWidth(label->width()));
        else
            EXPECT_GE(label->width(), label->minimumSizeHint().width());
    }
    QApplication::setPalette(before);
}

// Qt's own options are the application object's: what is left is the program's.
TEST(ProgramArguments, QtOptionsAreLeftToQt) {
    using Args = std::vector<std::string>;
    const struct {
        Args given;
        Args own;
    } rows[] = {
        {{"-stylesheet", "dark.qss", "deck.korvp"}, {"deck.korvp"}},
        {{"-style=fusion", "--platform", "xcb", "-reverse", "deck.korvp"}, {"deck.korvp"}},
        {{"--pdf", "out.pdf", "--selection", "2", "deck.korvp"},
         {"--pdf", "out.pdf", "--selection", "2", "deck.korvp"}},
        {{"-qmljsdebugger=port:1234", "--version"}, {"--version"}},
        {{"-stylesheet"}, {}},
        {{}, {}},
    };
    for (const auto& row : rows) EXPECT_EQ(programArguments(row.given), row.own);
}

// At scale 2 a 1920 x 1080 screen is 960 x 540 logical pixels: the window's minimum size fits
// it, the input column scrolls instead, and a box the focus goes to is scrolled into view.
TEST_F(MainWindowTest, TheWindowFitsAScaledScreenAndTheInputColumnScrolls) {
    startWindow();
    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
    EXPECT_LE(least.width(), 960);
    EXPECT_LE(least.height(), 540 - 40) << "room for the window's title bar";
    auto* scroll = named<QScrollArea>("inputScroll");
    ASSERT_NE(scroll, nullptr);
    window->resize(960, 500);
    QCoreApplication::processEvents();
    ASSERT_GT(scroll->verticalScrollBar()->maximum(), 0);
    scroll->verticalScrollBar()->setValue(0);
    box(InputBox::p)->setFocus();
    QCoreApplication::processEvents();
    const QRect shown = scroll->viewport()->rect();
    const QPoint at = box(InputBox::p)->mapTo(scroll->viewport(), QPoint(0, 0));
    EXPECT_TRUE(shown.contains(QRect(at, box(InputBox::p)->size()))) << at.y();
    // Nothing of the column is cut sideways.
    EXPECT_GE(scroll->viewport()->width(), scroll->widget()->minimumSizeHint().width());
}

TEST_F(MainWindowTest, ComingBackFromAnotherWindowRecalculatesOnceButNotFromAModalOne) {
    startWindow();
    QWidget other;
    other.setWindowTitle(QStringLiteral("other"));
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    int calculations = window->calculationCount();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(window->calculationCount(), calculations + 1);

    QDialog modal;
    modal.setModal(true);
    modal.show();
    modal.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&modal));
    modal.hide();
    calculations = window->calculationCount();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(window->calculationCount(), calculations);
}

TEST(QtSettingsStoreTest, KeepsTheRecentListInItsOwnFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("store.ini"));
    {
        QtSettingsStore store(file);
        store.setValue("korvp", "Recent Files", "RecentFile2", "/b.korvp");
        store.setValue("korvp", "Recent Files", "RecentFile1", "/a.korvp");
        store.setValue("other", "Recent Files", "RecentFile1", "/x");
    }
    QtSettingsStore again(file);
    EXPECT_EQ(again.value("korvp", "Recent Files", "RecentFile1"), "/a.korvp");
    EXPECT_EQ(again.value("korvp", "Recent Files", "RecentFile3"), "");
    const std::vector<std::pair<std::string, std::string>> expected = {{"RecentFile1", "/a.korvp"},
                                                                       {"RecentFile2", "/b.korvp"}};
    EXPECT_EQ(again.sectionValues("korvp", "Recent Files"), expected);
}

// Installed: the file dialogs start in the documents folder, the start-up run writes "dummy.koro"
// into the user's data folder (made when missing, the program folder left alone), and a data
// folder that cannot be made is a message. A project named on the command line opens as after
// the Open dialog.
TEST_F(MainWindowTest, InstalledProgramWritesIntoTheUsersFolders) {
    ASSERT_TRUE(QFile::copy(dataFolder + QStringLiteral("dummy.kori"), folder.filePath(QStringLiteral("dummy.kori"))));
    QTemporaryDir user;
    const QByteArray previous = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", user.path().toUtf8());

    ASSERT_FALSE(prepareStart(ctx, folder.path().toStdString()).has_value());
    EXPECT_EQ(settleUserFolders(ctx, false), std::nullopt);
    EXPECT_TRUE(ctx.outputFolder.empty()) << "built: dummy.koro stays beside dummy.kori";
    EXPECT_EQ(ctx.files.workingFolder, folder.path().toStdString());

    EXPECT_EQ(settleUserFolders(ctx, true), std::nullopt);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(ctx.files.workingFolder, (QDir(documents).exists() ? documents : QDir::homePath()).toStdString());
    const QString output = QString::fromStdU16String(ctx.outputFolder.u16string());
    EXPECT_TRUE(output.startsWith(user.path() + QLatin1Char('/'))) << output.toStdString();
    EXPECT_TRUE(QDir(output).exists());

    window = std::make_unique<MainWindow>(ctx, WindowServices{messages, *settings, dialogs});
    window->start();
    EXPECT_EQ(ctx.startupBatch.status, StartupBatch::Status::done);
    EXPECT_TRUE(QFile::exists(output + QStringLiteral("/dummy.koro")));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("dummy.koro"))));

    const QString project = QStringLiteral(KORVEL_TEST_DATA_DIR "/project/example190.korvp");
    window->openProjectPath(project);
    const std::string opened = QFileInfo(project).absoluteFilePath().toStdString(); // without "/../"
    EXPECT_EQ(ctx.dc.fileName, opened);
    EXPECT_EQ(settings->value("korvp", "Recent Files", "RecentFile1"), opened);

    const QString blocked = user.filePath(QStringLiteral("blocked"));
    QFile(blocked).open(QIODevice::WriteOnly);
    qputenv("XDG_DATA_HOME", blocked.toUtf8());
    const std::optional<std::string> problem = settleUserFolders(ctx, true);
    if (previous.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", previous);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(0u, problem->find("can't create the data folder " + blocked.toStdString() + "/")) << *problem;
}

} // namespace
} // namespace korvel
