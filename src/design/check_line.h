#pragma once

#include <string>

namespace korvel {

// Colour numbers of the classic 16-colour palette that a check line carries as its verdict.
enum CheckStatus : int {
    statusNone = 0, // black: no verdict (deflection)
    statusOk = 2,   // dark green: within the limit (a utilisation of exactly 1 passes)
    statusFail = 4, // dark red: exceeded
};

// What a check leaves for the listings: the label, the formula with its numbers filled in,
// the value, the admissible limit with the rule clause and the verdict colour. The yield
// and scantling lines also carry a heading (the corner check's factor-of-safety line).
// For the scantling checks `formula` is the expression and `limit` the clause.
struct CheckLine {
    std::string heading;
    std::string label;
    std::string formula;
    std::string value;
    std::string limit;
    int status = statusNone;

    // Each check empties its texts when it starts; the status is left as it was.
    void clearTexts() {
        heading.clear();
        label.clear();
        formula.clear();
        value.clear();
        limit.clear();
    }

    bool operator==(const CheckLine& o) const {
        return heading == o.heading && label == o.label && formula == o.formula && value == o.value &&
               limit == o.limit && status == o.status;
    }
    bool operator!=(const CheckLine& o) const { return !(*this == o); }
};

// Verdict of a utilisation: strictly above 1 fails, so exactly 1.00 passes.
inline int statusOf(double utilisation) {
    return utilisation > 1 ? statusFail : statusOk;
}

} // namespace korvel
