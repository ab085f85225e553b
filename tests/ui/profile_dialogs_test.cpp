// The twelve profile windows, driven through their controls without a display.

#include "support/qt_application.h"
#include "ui/girder_dialog.h"
#include "ui/line_input.h"
#include "ui/list_notes.h"
#include "ui/profile_figure_widget.h"
#include "ui/stiffener_dialogs.h"

#include "design/number_format.h"
#include "support/recording_surface.h"
#include "support/test_catalogue.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace korvel {
namespace {

class RecordingMessages final : public UserMessages {
public:
    void warning(const std::string& text) override { seen.push_back(text); }
    std::vector<std::string> seen;
};

using Messages = std::vector<std::string>;

// The desktop's message boxes, each answered with OK as soon as it shows; records the window each
// box stood over.
class AnsweredMessageBoxes final : public UserMessages {
public:
    explicit AnsweredMessageBoxes(QWidget* mainWindow) : boxes_(mainWindow) {}
    void warning(const std::string& text) override {
        seen.push_back(text);
        QTimer::singleShot(0, [this] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                over.push_back(box->parentWidget());
                box->close();
            }
        });
        boxes_.warning(text);
    }
    std::vector<std::string> seen;
    std::vector<QWidget*> over;

private:
    MessageBoxMessages boxes_;
};

class ProfileDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        catalogue = testCatalogue();
        catalogue.t.rows[1] = {0, 400, 150, 10, 16, 0};
        catalogue.t.lastRow = 1;
        resetToNewFile(dc);
        dc.flatbarRow = 0; // the test catalogue has one row per table
        dc.bfRow = 0;
        owner.setGeometry(100, 50, 1000, 700);
        owner.show();
    }
    void TearDown() override {
        closeProfileDialogs(&owner);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    ProfileDialog* open(int type, bool girder = false) {
        const ProfileDialogContext ctx{dc, catalogue, mode, &messages, [this] { ++applied; }};
        QWidget* w = girder ? openGirderDialog(&owner, ctx, type) : openStiffenerDialog(&owner, ctx, type);
        auto* d = qobject_cast<ProfileDialog*>(w);
        // A dialog shares the activation of its owner's windows, so wait for it to be the active one.
        if (d) {
            EXPECT_TRUE(QTest::qWaitFor([d] { return QApplication::activeWindow() == d; }));
        }
        return d;
    }
    static LineInput* edit(ProfileDialog* d, const char* name) { return d->findChild<LineInput*>(name); }
    static QString label(ProfileDialog* d, const char* name) { return d->findChild<QLabel*>(name)->text(); }

    // Clicks into a field (leaving the one before), types over its text and leaves it with Enter.
    static LineInput* focusField(ProfileDialog* d, const char* field) {
        LineInput* e = edit(d, field);
        e->setFocus(Qt::MouseFocusReason);
        e->selectAll();
        return e;
    }
    static void typeAndEnter(ProfileDialog* d, const char* field, const QString& text) {
        LineInput* e = focusField(d, field);
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Return);
    }
    static bool closedByOk(ProfileDialog* d) {
        QPointer<ProfileDialog> alive(d);
        QTest::mouseClick(d->findChild<QPushButton*>("okButton"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return alive.isNull();
    }

    DesignCase dc;
    Catalogue catalogue;
    DecimalMode mode = DecimalMode::period;
    RecordingMessages messages;
    QWidget owner;
    int applied = 0;
};

struct WindowRow {
    int type;
    bool girder;
    const char* name;
    const char* caption;
    std::vector<const char*> controls;
    bool hasIz;
};

TEST_F(ProfileDialogs, EachWindowOpensWithItsCaptionAndControls) {
    const std::vector<const char*> shared = {"sta",  "stg",  "stiy",          "se",      "ae", "zp", "iy",
                                             "wep2", "wes2", "sectionFigure", "okButton"};
    const std::vector<const char*> fourFields = {"isth", "istb", "isttw", "isttf"};
    const WindowRow rows[] = {
        {0, false, "stiffl", "Stiffener: L-table", {"profileList", "sth", "stb", "sttw", "sttf"}, true},
        {1, false, "stifflb", "Stiffener: L-built-up", fourFields, true},
        {2, false, "stifft", "Stiffener: T-table", {"profileList", "sth", "stb", "sttw", "sttf"}, true},
        {3, false, "stifftb", "Stiffener: T-built-up", fourFields, true},
        {4, false, "stifff", "Stiffener: Flatbar-table", {"profileList", "sth", "sttw"}, false},
        {5, false, "stifffb", "Stiffener: Flatbar-built-up", {"isth", "isttw"}, false},
        {6, false, "stiffhp", "Stiffener: BF-table", {"profileList", "sth", "sttw", "stc", "strr", "stb"}, true},
        {7, false, "stiffrhs", "Stiffener: RHS", {"isth", "istb", "isttw"}, false},
        {8, false, "stiffusp", "Stiffener: Trapez-profile", {"isth", "istb", "ista", "isttw"}, false},
        {9, false, "stiffib", "Stiffener: I-built-up", fourFields, true},
        {1, true, "girdlg", "Girder: L - Built-up", fourFields, false},
        {3, true, "girdtg", "Girder: T-built-up", fourFields, false},
    };
    for (const WindowRow& row : rows) {
        SCOPED_TRACE(row.name);
        ProfileDialog* d = open(row.type, row.girder);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->objectName(), row.name);
        EXPECT_EQ(d->windowTitle(), row.caption);
        for (const char* c : shared) EXPECT_NE(d->findChild<QWidget*>(c), nullptr) << c;
        for (const char* c : row.controls) EXPECT_NE(d->findChild<QWidget*>(c), nullptr) << c;
        EXPECT_EQ(d->findChild<QWidget*>("stiz") != nullptr, row.hasIz);
        // Stiffener windows check the proportions and caption their figure; girders show a fixed picture.
        EXPECT_EQ(d->findChild<QWidget*>("flangeWebFigure") != nullptr, !row.girder);
        if (!row.girder) {
            EXPECT_EQ(dc.stiffenerType, row.type);
            EXPECT_EQ(label(d, "toScaleNote"), "Figure not to Scale");
        }
        EXPECT_FALSE(d->grab().isNull()); // paints the figure and the check area through the surface
        EXPECT_EQ(open(row.type, row.girder), d) << "opening again raises the same window";
    }
    closeProfileDialogs(&owner);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(owner.findChildren<ProfileDialog*>().isEmpty());
}

TEST_F(ProfileDialogs, BuiltUpFieldsShowTheirSetThroughTheirMasks) {
    dc.lBuiltUp = {250.4f, 90.25f, 9.5f, 12, 0};
    ProfileDialog* d = open(stiffLBuiltUp);
    EXPECT_EQ(edit(d, "isth")->text(), "250");
    EXPECT_EQ(edit(d, "istb")->text(), "90.3"); // the L-built-up window shows B with a decimal
    EXPECT_EQ(edit(d, "isttw")->text(), "9.5");
    EXPECT_EQ(edit(d, "isttf")->text(), "12.0");
    EXPECT_EQ(dc.H, 250.4f) << "the window's type is selected as the working profile";
}

TEST_F(ProfileDialogs, GirderWindowShowsTheGirderSet) {
    // Default girder 800 x 200 x 10 x 20: Ag = 780*10 + 200*20 = 11800 mm2, gg = 92.6 kg/m;
    // sge = min((3000 + 2500)/2, 0.33*8000) = 2640 mm.
    ProfileDialog* d = open(girderT, true);
    EXPECT_EQ(label(d, "sta"), "11800 mm2");
    EXPECT_EQ(label(d, "stg"), "92.6 kg/m");
    EXPECT_EQ(label(d, "se"), "2640.0 mm");
    EXPECT_EQ(edit(d, "isth")->text(), "800");
    typeAndEnter(d, "isth", "600");
    EXPECT_EQ(dc.tGirder.H, 600);
    EXPECT_EQ(label(d, "sta"), "9800 mm2"); // 580*10 + 4000
    EXPECT_EQ(dc.girder.H, 600) << "girder properties ran";
}

TEST_F(ProfileDialogs, ListChoiceSelectsTheRowAndRecalculates) {
    ProfileDialog* d = open(stiffTTable);
    auto* list = d->findChild<QComboBox*>("profileList");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(1), "T400x150x10x16");
    EXPECT_EQ(label(d, "sta"), "4040 mm2"); // 236*10 + 120*14
    const double UFbuBefore = dc.uf.UFbu;
    const int appliedBefore = applied;

    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);

    EXPECT_EQ(dc.tRow, 1);
    EXPECT_EQ(stiffenerDesignation(dc), "T 400x150x10.0x16.0");
    EXPECT_EQ(label(d, "sta"), "6240 mm2"); // 384*10 + 150*16
    EXPECT_EQ(label(d, "stg"), "49.0 kg/m");
    EXPECT_EQ(label(d, "sth"), "400 mm");
    EXPECT_EQ(label(d, "sttf"), "16.0 mm");
    // The list beside each designation: its area and weight; typing narrows the choice.
    EXPECT_EQ(list->itemData(1, noteRole).toString(), QStringLiteral("A = 6240 mm2  49.0 kg/m"));
    auto* table = static_cast<TableStiffenerDialog*>(d);
    list->lineEdit()->selectAll();
    QTest::keyClicks(list->lineEdit(), QStringLiteral("x150"));
    EXPECT_EQ(table->matchCount(), 1);
    list->lineEdit()->clear();
    QTest::keyClicks(list->lineEdit(), QStringLiteral("T"));
    EXPECT_EQ(table->matchCount(), 2);
    EXPECT_NE(dc.uf.UFbu, UFbuBefore);
    EXPECT_GT(applied, appliedBefore);

    // Web 384/10 = 38.4 exceeds 1.5*sqrt(206000/355) = 36.1: the check area says NOK in red.
    test::RecordingSurface surface;
    d->findChild<ProfileFigureWidget*>("flangeWebFigure")->paintOn(surface);
    std::string drawn;
    for (const auto& t : surface.texts) drawn += t.text;
    EXPECT_NE(drawn.find("Web: hw/tw = 38.4 <= 36.1 NOK"), std::string::npos) << drawn;
}

TEST_F(ProfileDialogs, PlatedLabelsFollowTheAnalysisSelection) {
    // L 200x90x9x14: Ax = 186*9 + 90*14 = 2934, zc = 398862/2934 = 135.94.
    // L1 = 1500 gives sy = min(625, 0.33*1500) = 495: Aey = 2934 + 495*20 = 12834,
    // zpy = 2934*(135.94 + 10)/12834 = 33.4.
    dc.L1 = 1500;
    dc.analysis = analysisScantlingYield;
    ProfileDialog* d = open(stiffLTable);
    EXPECT_EQ(label(d, "sta"), "2934 mm2");
    EXPECT_EQ(label(d, "se"), "495.0 mm");
    EXPECT_EQ(label(d, "ae"), "1.283E+4 mm2");
    EXPECT_EQ(label(d, "zp"), "33.4 mm (el)");
    d->close();

    dc.analysis = analysisBuckling;
    d = open(stiffLTable);
    EXPECT_EQ(label(d, "se").toStdString(), formatNumber(dc.se, "0.0") + " mm");
    EXPECT_NE(label(d, "ae"), "1.283E+4 mm2");
}

struct LeavingRow {
    int type;
    const char* field;
    const char* typed;
    Messages expected;
    const char* shownAfter;
    float ProfileDims::*member;
    float stored;
};

TEST_F(ProfileDialogs, LeavingAFieldAppliesItsLimit) {
    const LeavingRow rows[] = {
        {stiffTBuiltUp, "istb", "5", {}, "5", &ProfileDims::B, 5},
        {stiffTBuiltUp, "isth", "4", {" H >= 5 "}, "4", &ProfileDims::H, 4},
        {stiffTBuiltUp, "isttw", "0.5", {}, "0.5", &ProfileDims::tw, 0.5f},
        {stiffTBuiltUp, "isttw", "0.05", {" tw >= 0.1 "}, "0.1", &ProfileDims::tw, 0.1f},
        {stiffTBuiltUp, "isttf", "0", {" tf >= 0.1 "}, "0.1", &ProfileDims::tf, 0.1f},
        {stiffTBuiltUp, "isttw", "0.1", {}, "0.1", &ProfileDims::tw, 0.1f},
        {stiffTrapez, "ista", "-3", {" a >= 0 "}, "0", &ProfileDims::a, 0},
        {stiffRHS, "isttw", "0,05", {" tw >= 0.1 "}, "0.1", &ProfileDims::tw, 0.1f},
    };
    for (const LeavingRow& row : rows) {
        SCOPED_TRACE(std::string(row.field) + " = " + row.typed);
        resetToNewFile(dc);
        messages.seen.clear();
        ProfileDialog* d = open(row.type);
        LineInput* e = focusField(d, row.field);
        const int appliedBefore = applied;
        QTest::keyClicks(e, row.typed);
        QTest::keyClick(e, Qt::Key_Return);
        EXPECT_EQ(messages.seen, row.expected);
        EXPECT_EQ(edit(d, row.field)->text(), row.shownAfter);
        EXPECT_EQ(builtUpDims(dc, row.type)->*row.member, row.stored);
        EXPECT_EQ(applied, appliedBefore + 1) << "recalculated with the stored value";
        // A failed limit keeps the focus in the field; otherwise Enter moved on.
        EXPECT_EQ(QApplication::focusWidget() == edit(d, row.field), !row.expected.empty());
        d->discard();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(ProfileDialogs, EnterMovesAlongTheWindowsOrder) {
    const std::pair<int, std::vector<const char*>> orders[] = {
        {stiffTBuiltUp, {"isth", "istb", "isttw", "isttf", "isth"}},
        {stiffRHS, {"isth", "istb", "isttw", "isth"}},
        {stiffTrapez, {"isth", "istb", "ista", "isttw", "isth"}},
        {stiffFlatbarBuiltUp, {"isth", "isttw", "isth"}},
    };
    for (const auto& [type, order] : orders) {
        SCOPED_TRACE(type);
        ProfileDialog* d = open(type);
        edit(d, order.front())->setFocus();
        EXPECT_EQ(edit(d, order.front())->palette().color(QPalette::Active, QPalette::Base), QColor(255, 255, 192));
        for (std::size_t i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            EXPECT_EQ(QApplication::focusWidget(), edit(d, order[i])) << order[i];
        }
        EXPECT_EQ(edit(d, order[1])->palette().color(QPalette::Active, QPalette::Base), QColor(Qt::white));
        EXPECT_TRUE(messages.seen.empty());
    }
}

TEST_F(ProfileDialogs, ThinWebPassesWhenLeftButWarnsWhenClosing) {
    ProfileDialog* d = open(stiffTBuiltUp);
    typeAndEnter(d, "istb", "5");
    typeAndEnter(d, "isttw", "0.5");
    EXPECT_TRUE(messages.seen.empty());
    const int appliedBefore = applied;
    EXPECT_TRUE(closedByOk(d));
    EXPECT_EQ(messages.seen, Messages{" tw >= 1 "});
    EXPECT_EQ(dc.tBuiltUp.tw, 0.5f);
    EXPECT_EQ(dc.tBuiltUp.B, 5);
    EXPECT_EQ(dc.tw, 0.5f) << "the closing selects the profile with the stored values";
    EXPECT_GT(applied, appliedBefore);
}

struct ClosingRow {
    int type;
    bool girder;
    Messages expected;
};

TEST_F(ProfileDialogs, ClosingChecksEachWindowsFieldsWithThicknessLimitOne) {
    const ClosingRow rows[] = {
        {stiffTBuiltUp, false, {" H >= 5 ", " tw >= 1 ", " tf >= 1 "}},
        {stiffIBuiltUp, false, {" H >= 5 ", " tw >= 1 ", " tf >= 1 "}},
        {stiffRHS, false, {" H >= 5 ", " tw >= 1 "}},
        {stiffTrapez, false, {" H >= 5 ", " tw >= 1 "}}, // a = -1 is not checked
        {stiffFlatbarBuiltUp, false, {" H >= 5 "}},      // the height only
        {stiffLBuiltUp, false, {}},                      // only the field being edited is left
        {girderT, true, {" H >= 5 ", " tw >= 1 ", " tf >= 1 "}},
    };
    for (const ClosingRow& row : rows) {
        SCOPED_TRACE(row.type);
        resetToNewFile(dc);
        for (ProfileDims* d : {&dc.lBuiltUp, &dc.tBuiltUp, &dc.flatbarBuiltUp, &dc.rhs, &dc.trapez, &dc.iBuiltUp})
            *d = {4, 5, 0.5f, 0.5f, -1};
        dc.tGirder = {4, 5, 0.5, 0.5f};
        QPointer<ProfileDialog> d = open(row.type, row.girder);
        messages.seen.clear();
        d->close(); // the close box: the field with the focus has not been edited
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(d.isNull()) << "the window closes whatever the checks say";
        EXPECT_EQ(messages.seen, row.expected);
        if (!row.girder) {
            EXPECT_EQ(builtUpDims(dc, row.type)->tw, 0.5f) << "values are not changed";
        }
    }
}

TEST_F(ProfileDialogs, LBuiltUpClosingFinishesTheFieldBeingEdited) {
    ProfileDialog* d = open(stiffLBuiltUp);
    LineInput* tw = edit(d, "isttw");
    tw->setFocus();
    tw->selectAll();
    QTest::keyClicks(tw, "0.05");
    d->close(); // the close box: no focus change before it
    EXPECT_EQ(messages.seen, Messages{" tw >= 0.1 "});
    EXPECT_EQ(dc.lBuiltUp.tw, 0.1f);
}

TEST_F(ProfileDialogs, UnreadableTextIsReportedAndNothingIsRecalculated) {
    mode = DecimalMode::comma;
    ProfileDialog* d = open(stiffTBuiltUp);
    typeAndEnter(d, "isttw", "12,5");
    EXPECT_EQ(dc.tBuiltUp.tw, 12.5f);
    EXPECT_EQ(edit(d, "isttw")->text(), "12,5") << "the user's decimal separator";

    LineInput* H = focusField(d, "isth");
    const int appliedBefore = applied;
    QTest::keyClicks(H, "abc");
    QTest::keyClick(H, Qt::Key_Return);
    EXPECT_EQ(messages.seen, Messages{"Input string mismatch "});
    EXPECT_EQ(dc.tBuiltUp.H, 200);
    EXPECT_EQ(applied, appliedBefore);
    EXPECT_EQ(QApplication::focusWidget(), H);

    // Closing re-reads the fields: the text still cannot be read, so the window stays to correct it.
    messages.seen.clear();
    QPointer<ProfileDialog> alive(d);
    d->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(alive.isNull());
    EXPECT_EQ(messages.seen, Messages{"Input string mismatch "});
}

// Two girder windows side by side: the girder type is the one the main window opened last;
// passing the focus to the other window does not switch it (a stiffener window's activation
// still makes its own type current).
TEST_F(ProfileDialogs, ActivatingAGirderWindowLeavesTheGirderType) {
    ProfileDialog* angle = open(girderL, true);
    ProfileDialog* tee = open(girderT, true);
    ASSERT_NE(angle, nullptr);
    ASSERT_NE(tee, nullptr);
    ASSERT_EQ(dc.girderType, girderT);
    QEvent activation(QEvent::WindowActivate);
    QCoreApplication::sendEvent(angle, &activation);
    EXPECT_EQ(dc.girderType, girderT);

    ProfileDialog* tTable = open(stiffTTable);
    open(stiffLTable);
    ASSERT_EQ(dc.stiffenerType, stiffLTable);
    QCoreApplication::sendEvent(tTable, &activation);
    EXPECT_EQ(dc.stiffenerType, stiffTTable);
}

TEST_F(ProfileDialogs, FigureClicksFlipTheSharedScaleFlag) {
    ProfileDialog* d = open(stiffTTable);
    auto* figure = d->findChild<ProfileFigureWidget*>("sectionFigure");
    QTest::mouseClick(figure, Qt::LeftButton);
    EXPECT_EQ(dc.figureNotToScale, 0);
    EXPECT_EQ(label(d, "toScaleNote"), "Figure to scale");
    test::RecordingSurface toScale;
    figure->paintOn(toScale);
    std::string letters;
    for (const auto& t : toScale.texts) letters += t.text;
    EXPECT_NE(letters.find('Z'), std::string::npos) << "the outline with its axes: " << letters;
    QTest::mouseClick(figure, Qt::LeftButton);
    EXPECT_EQ(dc.figureNotToScale, 1);
    EXPECT_EQ(label(d, "toScaleNote"), "Figure not to scale");

    // The flag is shared: a window opened now draws to scale, and says so in its opening form.
    QTest::mouseClick(figure, Qt::LeftButton);
    ProfileDialog* flatbar = open(stiffFlatbarTable);
    EXPECT_EQ(label(flatbar, "toScaleNote"), "Figure to Scale");
    // The Flatbar-table window also flips on its background.
    QTest::mouseClick(flatbar, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(dc.figureNotToScale, 1);
    EXPECT_EQ(label(flatbar, "toScaleNote"), "Figure not to scale");
}

TEST_F(ProfileDialogs, WindowsArePlacedOverTheMainWindow) {
    for (const auto& [type, fraction] : {std::pair{stiffLTable, 0.1}, std::pair{stiffTTable, 0.2}}) {
        ProfileDialog* d = open(type);
        const QRect main = owner.frameGeometry();
        const QRect own = d->frameGeometry();
        EXPECT_NEAR(own.left(), main.left() + fraction * (main.width() - own.width()), 2);
        EXPECT_NEAR(own.top(), main.top() + main.height() / 2 - own.height() / 2, 2);
    }
}

// A warning in a profile window stands over that window and gives the keyboard back to it: what
// is typed next goes into the field warned about, never into a box of the main window.
TEST_F(ProfileDialogs, AfterAWarningTheTypingStaysInTheProfileWindow) {
    AnsweredMessageBoxes boxes(&owner);
    auto* mainBox = new QLineEdit(&owner);
    mainBox->setObjectName(QStringLiteral("LgsBox"));
    mainBox->show();
    mainBox->setFocus();
    const ProfileDialogContext ctx{dc, catalogue, mode, &boxes, [] {}};
    auto* d = qobject_cast<ProfileDialog*>(openStiffenerDialog(&owner, ctx, stiffLBuiltUp));
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([d] { return QApplication::activeWindow() == d; }));

    typeAndEnter(d, "isttw", "0.05");
    EXPECT_EQ(boxes.seen, Messages{" tw >= 0.1 "});
    EXPECT_EQ(boxes.over, std::vector<QWidget*>{d});
    ASSERT_TRUE(QTest::qWaitFor([d] { return QApplication::activeWindow() == d; }));
    QWidget* typingGoesTo = QApplication::focusWidget();
    ASSERT_EQ(typingGoesTo, edit(d, "isttw"));
    QTest::keyClicks(typingGoesTo, QStringLiteral("10"));
    QTest::keyClick(typingGoesTo, Qt::Key_Return);
    EXPECT_EQ(dc.lBuiltUp.tw, 10.0f);
    EXPECT_TRUE(mainBox->text().isEmpty());
}

// One entry, one message: B = 0 is warned about by its own limit and the calculation it feeds
// says nothing more about it.
TEST_F(ProfileDialogs, ABadFieldGivesOneMessage) {
    ProfileDialog* d = open(stiffLBuiltUp);
    typeAndEnter(d, "istb", "0");
    ASSERT_EQ(messages.seen.size(), 1u);
    EXPECT_EQ(QApplication::focusWidget(), edit(d, "istb"));
}

} // namespace
} // namespace korvel
