#pragma once

// What a warning about an input box says and whether it is shown again. A warning names the box
// and the value it holds ("L2 = 40 mm: L2 >= 50"), and a warning already shown for the values it
// is about is not shown again until it has gone away or those values changed: leaving a box
// twice, or coming back to the window, does not bring the same message back, and two boxes
// cannot send the focus to and fro between them.

#include "design/design_case.h"
#include "design/input_box.h"

#include <map>
#include <set>
#include <string>
#include <string_view>

namespace korvel {

// Unit of a box's value as the window labels it: "mm", "MPa", "m" or "" (factors).
const char* inputUnit(InputBox box);

// "<symbol> = <value> <unit>: <message>" with the value through the box's display mask and the
// message without its padding blanks; the message alone for a box without a symbol.
std::string namedBoxWarning(const DesignCase& dc, InputBox box, std::string_view message, char decimalSeparator);

// As namedBoxWarning with the text the user typed (for a text that is not a number), quoted.
std::string namedTextWarning(InputBox box, std::string_view typed, std::string_view message);

// The values a warning is about: "symbol=value" for the box it focuses and for every box whose
// symbol the message names (" s1 <= L2 " is about s1 and L2).
std::string warningValues(const DesignCase& dc, InputBox focus, std::string_view message);

// The warnings shown, by what they say and the values they were about. A scope is a group of
// warnings that are given together (one box's validation, one calculation).
class WarningMemory {
public:
    // True when the warning is to be shown: it was not shown already for the same values.
    bool firstTime(const std::string& scope, const std::string& warning, const std::string& values);
    // The warnings of `scope` given this time; the others went away and will be shown again when
    // they return.
    void settle(const std::string& scope, const std::set<std::string>& given);
    // Everything is new again (another case was loaded).
    void clear() { shown_.clear(); }

private:
    std::map<std::string, std::map<std::string, std::string>> shown_; // scope → warning → values
};

} // namespace korvel
