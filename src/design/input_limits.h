#pragma once

// The limits of the numeric input boxes: how each box's text is read, shown again and
// tested when it loses the focus. Out-of-limit values are warned about, never refused: the
// value stays stored and is used.

#include "design/design_case.h"
#include "design/input_box.h"
#include "design/input_fields.h"
#include "design/number_parser.h"

#include <string>
#include <string_view>

namespace korvel {

inline constexpr const char* inputErrorMessage = "Input string mismatch ";

// What the window must do after a box lost the focus.
struct Validation {
    std::string display;        // new box text (the stored value through the mask)
    std::string warning;        // limit warning, empty when the value is within its limits
    bool inputError = false;    // the text was not a number: show inputErrorMessage
    bool focusBack = false;     // give the focus back to the box
    bool recalculate = true;    // run the calculation
    bool keepHighlight = false; // leave the focus colour (UL outside its limits)
    bool refreshWindow = false; // refresh the whole window after the calculation (ps)
};

// Reads `text` with the decimal mode, stores it in the precision of the box's field,
// formats it back through the mask and tests it. Does not calculate: the caller runs the
// calculation when `recalculate` is set, and shows the warnings in the order warning, then
// input error.
Validation validateBox(DesignCase& dc, InputBox box, std::string_view text, DecimalMode mode);

// The text a box and its messages show for the stored single-precision `value`: the value
// through `mask`; its shortest full form instead when the masked text would pass `limit` where
// the value fails it, or the reverse (0.05 through "#0.0" is "0.05", not "0.1" beside the limit
// 0.1 <= t), and when the masked text is wider than a box (1E+12 is "1E+12", never a cut text).
std::string boxText(double value, std::string_view mask, char decimalSeparator = '.',
                    const InputField* limit = nullptr);

// The text the box of a field shows for the value the case holds: boxText with the field's mask
// and limits, the same after an edit and after the window is refreshed. Empty for a box without
// a number.
std::string fieldBoxText(const CaseInputs& c, InputBox box, char decimalSeparator = '.');

} // namespace korvel
