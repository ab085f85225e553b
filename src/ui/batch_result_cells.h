#pragma once

// A cell of the batch window's results tables (the flat table and the panels) by role: the text
// as the file writes it shown with the engineer's decimal separator, the number it sorts by, a
// utilisation in its verdict colour (dark red above 1, dark green within), the name of a failing
// row on the failing ground, numbers to the right.

#include "design/decimal_text.h"
#include "ui/verdict_colours.h"

#include <QBrush>
#include <QString>
#include <QVariant>

#include <cmath>
#include <string>

namespace korvel {

inline constexpr Rgb passingGreen{0, 128, 0};
inline constexpr Rgb failingRed{128, 0, 0};

struct ResultCell {
    const std::string& text; // as written to the file
    double number;           // NaN for a text
    bool utilisation;        // coloured by its verdict
    bool failingName;        // the name of a failing row
};

inline QVariant resultCellData(const ResultCell& cell, int role, int sortRole, char separator) {
    if (role == sortRole) {
        if (!std::isnan(cell.number)) return cell.number;
        return QString::fromStdString(cell.text);
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        // What the engineer reads follows the locale; the file keeps the period. The cell is the
        // results table's own text, read back from the file, not one composed here from a number:
        // so its decimal points are rewritten, the one place besides a calculation's stop reason.
        return QString::fromStdString(withDecimalSeparator(cell.text, separator));
    case Qt::ForegroundRole:
        if (cell.utilisation && !std::isnan(cell.number) && cell.number >= 0)
            return QBrush(verdictColour(cell.number > 1 ? failingRed : passingGreen));
        return {};
    case Qt::BackgroundRole:
        // A failing row's name stands out whatever column is sorted.
        if (cell.failingName) return QBrush(failingGround());
        return {};
    case Qt::TextAlignmentRole:
        if (!std::isnan(cell.number)) return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        return {};
    default:
        return {};
    }
}

} // namespace korvel
