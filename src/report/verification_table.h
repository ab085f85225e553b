#pragma once

// The verification table: each check of the program against a value it did not compute itself
// (a classical plate-theory result, a textbook formula or a hand calculation of the panel in
// docs/verification.md), with the source of that value and the tolerance it is compared to.
// The test suite runs every row, and korvel-batch --verify prints them for a reviewer on their
// own machine, so the document, the tests and the installed program cannot drift apart.
// Units as in the design case: mm, MPa, mm2, mm3, mm4.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace korvel {

// The editions of the rules the checks follow, as far as the program's documents state them.
inline constexpr const char* rulesEdition =
    "Rules: ABS Buckling and Ultimate Strength Assessment for Offshore Structures and ABS MODU Rules Part 3, "
    "edition not stated";

enum class ToleranceKind { relative, absolute };

struct Tolerance {
    ToleranceKind kind = ToleranceKind::relative;
    double value = 0;
};

struct VerificationRow {
    std::string check;    // rule clause and element: "3/3.1 plate"
    std::string quantity; // what is compared, with the case it is taken from
    std::string source;   // where the expected value comes from
    double expected = 0;
    Tolerance tolerance;
    // The value as KORVEL's own code computes it; not a number when the calculation stopped.
    std::function<double()> compute;
};

// Every row: classical and textbook values first, then the section properties by hand, then the
// worked example of the verification panel quantity by quantity, as --detail names them.
std::vector<VerificationRow> verificationTable();

// Whether `computed` lies within the tolerance of `expected`; a value that is not a number never
// does.
bool withinTolerance(double expected, double computed, const Tolerance& tolerance);

// The batch input of the verification panel, the worked example (docs/verification-panel.kori):
// korvel-batch --detail 1 on it lists the quantities the example computes by hand.
extern const char* const verificationPanelInput;

struct VerificationReport {
    std::string text;
    int rows = 0;
    int failures = 0;
};

// Runs every row: the edition line, a header, one TAB-separated line per row (check, quantity,
// source, expected, computed, tolerance, "pass" or "FAIL") and a closing count.
VerificationReport runVerification(const std::vector<VerificationRow>& rows);

// korvel-batch --verify: runs the whole table onto `out`; the exit status, 0 when every row
// passes, 1 when one fails.
int writeVerification(std::ostream& out);

} // namespace korvel
