// The control summary list's model: three columns with their headers, the value bold in its
// verdict colour, headings bold across the row, red remarks, the raw row in a user role, and
// the model contract checked by QAbstractItemModelTester.

#include "engine/calculate.h"
#include "report/control_summary.h"
#include "support/qt_application.h"
#include "support/test_catalogue.h"
#include "ui/main_window_results.h"
#include "ui/results_model.h"
#include "ui/verdict_colours.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QBrush>
#include <QClipboard>
#include <QFont>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QPalette>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace korvel {
namespace {

const Rgb darkGreen{0, 128, 0};
const Rgb darkRed{128, 0, 0};

// A heading, two check lines (within the limit and exceeded), a black deflection line and a red
// remark, as the buckling listing gives them.
std::vector<ListingRow> sampleRows() {
    return {
        {"Plate buckling", "", "", {}, true, false, 1, {}, {}},
        {"UFpb = 0.45/0.60 = ", "0.75", "  < 1.0  (3/3.1)", darkGreen, false, true, 2, {}, {}},
        {"UFpu = 0.70/0.60 = ", "1.17", "  < 1.0  (3/3.3)", darkRed, false, true, 3, {}, {}},
        {"Deflection y = ", "4.2", " mm", {0, 0, 0}, false, true, 4, {}, {}},
        {"Decrease the y stress", "", "", remarkRed, false, false, 5, {}, {}},
    };
}

class ResultsModelTest : public ::testing::Test {
protected:
    QVariant at(int row, int column, int role = Qt::DisplayRole) const {
        return model.data(model.index(row, column), role);
    }
    ResultsModel model;
};

TEST_F(ResultsModelTest, PassesTheModelTesterThroughResets) {
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setRows(sampleRows());
    model.setRows({});
    model.setRows(sampleRows());
    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.rowCount(model.index(0, 0)), 0); // a flat list

    // Rows with the gauged values beside theirs bring the "Gauged" column, in its verdict colour;
    // rows without take it away again.
    std::vector<ListingRow> gauged = sampleRows();
    gauged[1].beside = "1.05";
    gauged[1].besideColour = darkRed;
    model.setRows(gauged);
    ASSERT_EQ(model.columnCount(), 4);
    EXPECT_EQ(model.headerData(ResultsModel::gaugedColumn, Qt::Horizontal).toString(), QStringLiteral("Gauged"));
    EXPECT_EQ(at(1, ResultsModel::gaugedColumn).toString(), QStringLiteral("1.05"));
    EXPECT_EQ(at(1, ResultsModel::gaugedColumn, Qt::ForegroundRole).value<QBrush>().color(), verdictColour(darkRed));
    model.setRows(sampleRows());
    EXPECT_EQ(model.columnCount(), 3);
}

TEST_F(ResultsModelTest, ANewCalculationOfTheSameLengthUpdatesInPlace) {
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setRows(sampleRows());
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
    std::vector<ListingRow> next = sampleRows();
    next[1].value = "1.02";
    next[1].colour = darkRed;
    model.setRows(next);
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(at(1, 1).toString(), QStringLiteral("1.02"));
    EXPECT_EQ(at(1, 1, Qt::ForegroundRole).value<QBrush>().color(), QColor(128, 0, 0));
    next.pop_back();
    model.setRows(next);
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(model.rowCount(), 4);
}

TEST_F(ResultsModelTest, HeadersAreBoldWithTheTrailingBlankOfReference) {
    const char* expected[] = {"Control", "Interaction Ratio", "Reference "};
    for (int column = 0; column < 3; ++column) {
        EXPECT_EQ(model.headerData(column, Qt::Horizontal).toString(), QString::fromLatin1(expected[column]));
        EXPECT_TRUE(model.headerData(column, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
    }
    EXPECT_FALSE(model.headerData(3, Qt::Horizontal).isValid());
}

TEST_F(ResultsModelTest, ColumnsTakeSevenTenthsOneTenthAndFifteenHundredths) {
    EXPECT_DOUBLE_EQ(ResultsModel::columnShare(0), 0.7);
    EXPECT_DOUBLE_EQ(ResultsModel::columnShare(1), 0.1);
    EXPECT_DOUBLE_EQ(ResultsModel::columnShare(2), 0.15);
}

TEST_F(ResultsModelTest, EachColumnShowsItsText) {
    model.setRows(sampleRows());
    EXPECT_EQ(at(1, 0).toString(), QStringLiteral("UFpb = 0.45/0.60 = "));
    EXPECT_EQ(at(1, 1).toString(), QStringLiteral("0.75"));
    EXPECT_EQ(at(1, 2).toString(), QStringLiteral("  < 1.0  (3/3.1)"));
    EXPECT_EQ(at(0, 1).toString(), QString());
}

TEST_F(ResultsModelTest, ValueIsBoldInItsVerdictColourAndCentred) {
    model.setRows(sampleRows());
    struct Expect {
        int row;
        QColor colour;
    };
    for (const Expect& e : {Expect{1, QColor(0, 128, 0)}, Expect{2, QColor(128, 0, 0)}, Expect{3, QColor(0, 0, 0)}}) {
        SCOPED_TRACE(e.row);
        EXPECT_EQ(at(e.row, 1, Qt::ForegroundRole).value<QBrush>().color(), e.colour);
        EXPECT_TRUE(at(e.row, 1, Qt::FontRole).value<QFont>().bold());
        EXPECT_FALSE(at(e.row, 0, Qt::FontRole).isValid()); // label and formula in the regular weight
        EXPECT_FALSE(at(e.row, 0, Qt::ForegroundRole).isValid());
        EXPECT_EQ(at(e.row, 1, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::Alignment(Qt::AlignCenter));
    }
}

TEST_F(ResultsModelTest, HeadingIsBoldAcrossTheRowAndRemarkIsRed) {
    model.setRows(sampleRows());
    for (int column = 0; column < 3; ++column) EXPECT_TRUE(at(0, column, Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(at(4, 0, Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
    EXPECT_FALSE(at(4, 0, Qt::FontRole).isValid());
}

TEST_F(ResultsModelTest, UserRoleGivesTheWholeRow) {
    const std::vector<ListingRow> rows = sampleRows();
    model.setRows(rows);
    for (int column = 0; column < 3; ++column)
        EXPECT_EQ(at(2, column, ResultsModel::rowRole).value<ListingRow>(), rows[2]);
    EXPECT_FALSE(model.data(model.index(9, 0), ResultsModel::rowRole).isValid());
}

TEST_F(ResultsModelTest, FilledFromTheSummaryOfACalculatedCase) {
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const Catalogue catalogue = testCatalogue();
    DesignCase dc;
    IgnoreWarnings quiet;
    calculate(dc, catalogue, quiet);
    const std::vector<ListingRow> rows = controlSummary(dc);
    ASSERT_FALSE(rows.empty());
    model.setRows(rows);
    ASSERT_EQ(model.rowCount(), static_cast<int>(rows.size()));
    for (int r = 0; r < model.rowCount(); ++r) {
        const ListingRow& row = rows[static_cast<std::size_t>(r)];
        EXPECT_EQ(at(r, 0).toString().toStdString(), row.control);
        EXPECT_EQ(at(r, 1).toString().toStdString(), row.value);
        EXPECT_EQ(at(r, 2).toString().toStdString(), row.reference);
        // Every check line of the new-file case carries a verdict colour on a bold value.
        if (!row.value.empty()) {
            EXPECT_TRUE(at(r, 1, Qt::FontRole).value<QFont>().bold()) << row.control;
        }
    }
}

} // namespace
} // namespace korvel

namespace korvel {
namespace {

// Ctrl+C copies the chosen rows whole, in list order, TAB-separated (a TAB inside a text stays
// inside its column); "Copy table" copies every row under the headings; the engineer's column
// width survives the next calculation.
TEST(ResultsListTest, CopiesRowsAsTabSeparatedTextAndKeepsColumnWidths) {
    ResultsModel model;
    std::vector<ListingRow> rows = sampleRows();
    rows[3].control = "Deflection\ty = ";
    model.setRows(rows);
    ResultsList list;
    list.setModel(&model);
    list.resize(600, 300);
    list.show();
    list.selectionModel()->select(model.index(3, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    list.selectionModel()->select(model.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("UFpb = 0.45/0.60 = \t0.75\t  < 1.0  (3/3.1)\nDeflection y = \t4.2\t mm\n"));

    QMenu menu;
    list.addCopyEntries(&menu);
    QAction* table = menu.findChild<QAction*>(QStringLiteral("copyTableAction"));
    ASSERT_NE(table, nullptr);
    table->trigger();
    const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 7); // headings, five rows, the empty rest after the last line end
    EXPECT_EQ(lines[0], QStringLiteral("Control\tInteraction Ratio\tReference "));
    EXPECT_EQ(lines[5], QStringLiteral("Decrease the y stress\t\t"));

    list.setUserColumnWidth(ResultsModel::referenceColumn, 222);
    model.setRows(sampleRows());
    list.applyColumnShares();
    EXPECT_EQ(list.header()->sectionSize(ResultsModel::referenceColumn), 222);
    // The value column is as wide as its heading on two lines at least: no "Int…".
    EXPECT_GE(list.header()->sectionSize(ResultsModel::valueColumn), list.headingWidth(ResultsModel::valueColumn));
}

} // namespace
} // namespace korvel

namespace korvel {
namespace {

// On a dark desktop the verdict colours keep their hue but are lightened until they read on the
// dark ground; on a light one they are the listing's own.
TEST(ResultsModelPalette, VerdictColoursReadOnADarkPalette) {
    ResultsModel model;
    model.setRows(sampleRows());
    const auto valueColour = [&](int row) {
        return model.data(model.index(row, ResultsModel::valueColumn), Qt::ForegroundRole).value<QBrush>().color();
    };
    EXPECT_EQ(valueColour(1), QColor(0, 128, 0));
    const QPalette light = QGuiApplication::palette();
    QPalette dark = light;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    QGuiApplication::setPalette(dark);
    // Text on its ground at 4.5:1 at least (WCAG).
    EXPECT_GE(contrastRatio(valueColour(1), dark.color(QPalette::Base)), 4.5);
    EXPECT_GE(contrastRatio(valueColour(2), dark.color(QPalette::Base)), 4.5);
    EXPECT_GT(valueColour(1).green(), valueColour(1).red()); // still green
    EXPECT_GT(valueColour(2).red(), valueColour(2).green()); // still red
    QGuiApplication::setPalette(light);
}

} // namespace
} // namespace korvel
