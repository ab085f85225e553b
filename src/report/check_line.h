#pragma once

#include <initializer_list>
#include <string>

namespace korvel {

// Colour numbers of the classic 16-colour palette that a check line carries as its verdict.
enum CheckStatus : int {
    statusNone = 0, // black: no verdict (deflection)
    statusOk = 2,   // dark green: within the limit (a utilisation of exactly 1 passes)
    statusFail = 4, // dark red: exceeded
};

// What a listing shows of one check: the label, the formula with its numbers filled in,
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

    bool operator==(const CheckLine& o) const {
        return heading == o.heading && label == o.label && formula == o.formula && value == o.value &&
               limit == o.limit && status == o.status;
    }
    bool operator!=(const CheckLine& o) const { return !(*this == o); }
};

// The check lines of every check of a case, as the listings show them.
struct CheckLines {
    // Every line, for code that treats them alike.
    template <class F>
    void forEach(F&& f) const {
        for (const CheckLine* line :
             {&UFpb, &UFpu, &UFpl, &UFbu, &UFbt, &deformation, &UFgbu, &UFs, &corner, &platePoint, &stiffPoint,
              &plateThickness, &stiffenerModulus, &girderModulus, &girderDepth, &girderWeb, &trippingBrackets})
            f(*line);
    }

    CheckLine UFpb, UFpu, UFpl;
    CheckLine UFbu, UFbt, deformation;
    CheckLine UFgbu, UFs;
    CheckLine corner;                 // UFy, with the factor-of-safety heading
    CheckLine platePoint, stiffPoint; // UFyp, UFys
    CheckLine plateThickness, stiffenerModulus;
    CheckLine girderModulus, girderDepth, girderWeb, trippingBrackets;
};

// Verdict of a utilisation: strictly above 1 fails, so exactly 1.00 passes.
inline int statusOf(double utilisation) {
    return utilisation > 1 ? statusFail : statusOk;
}

} // namespace korvel
