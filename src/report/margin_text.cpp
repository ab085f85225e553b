#include "report/margin_text.h"

#include "checks/failed_checks.h"
#include "design/check_table.h"
#include "design/number_format.h"

#include <cmath>

namespace korvel {

namespace {

constexpr const char* dot = " \u00b7 ";
constexpr const char* times = "\u00d7";

bool isUtilisation(const std::string& name) {
    for (const CheckFacts& c : checkTable)
        if (name == c.symbol) return true;
    return false;
}

// "UFgbu reaches 1", "the calculation stops in plate buckling".
std::string limitPhrase(const std::string& governing) {
    if (governing.empty()) return "a check fails";
    if (isUtilisation(governing)) return governing + " reaches 1";
    return "the calculation stops in " + governing;
}

} // namespace

std::string verdictText(const CaseVerdict& v, char sep) {
    std::string out;
    if (v.stopped) out = "Calculation stopped in " + v.step;
    if (v.highestCheck >= 0) {
        if (!out.empty()) out += dot;
        out += "Highest: ";
        out += checkSymbol(static_cast<std::size_t>(v.highestCheck));
        out += ' ';
        out += formatNumber(v.highest, "0.00", sep);
    }
    const std::size_t failed = v.failed.count();
    // A stopped calculation reached only some checks: "no check fails" would say too much.
    if (v.stopped && failed == 0) return out;
    if (!out.empty()) out += dot;
    if (failed == 0)
        out += "no check fails";
    else if (failed == 1)
        out += "1 check fails (" + checkList(v.failed) + ")";
    else
        out += std::to_string(failed) + " checks fail (" + checkList(v.failed) + ")";
    return out;
}

std::string reserveText(const ReserveResult& r, char sep) {
    std::string out;
    switch (r.outcome) {
    case ReserveResult::Outcome::stopsAtZero:
        return "The calculation stops with the loads at zero";
    case ReserveResult::Outcome::open:
        out = std::string("Loads can rise beyond ") + times + formatNumber(maxLoadFactor, "0", sep) +
              " before any check reaches 1";
        break;
    case ReserveResult::Outcome::limited: {
        // Rounded down: the loads can rise at least as far as the text says.
        const double shown = std::floor(r.lambda * 100) / 100;
        const std::string factor = times + formatNumber(shown, "0.00", sep);
        if (r.lambda < 0.01)
            // "×0.00" would say nothing: the case fails under a hundredth of its loads.
            out = "fails even at 1 % of these loads (governing: " + (r.governing.empty() ? "-" : r.governing) + ")";
        else if (r.lambda >= 1)
            out = "Loads can rise " + factor + " before " + limitPhrase(r.governing);
        else
            out = "Loads must fall to " + factor + " to pass (" + limitPhrase(r.governing) + ")";
        break;
    }
    }
    if (r.regardless.any()) out += " (fails regardless of load: " + checkList(r.regardless) + ")";
    return out;
}

std::string marginText(const CaseVerdict& v, const ReserveResult* reserve, char sep) {
    std::string out = verdictText(v, sep);
    if (reserve != nullptr) {
        out += dot;
        out += reserveText(*reserve, sep);
    }
    return out;
}

namespace {

// The check called `symbol` (a utilisation or a rule), or -1 (a stopped step).
int checkIndex(const std::string& symbol) {
    for (std::size_t i = 0; i < checkCount; ++i)
        if (symbol == checkSymbol(i)) return static_cast<int>(i);
    return -1;
}

// The results list a check is shown in. The stiffener's proportion rules are the slenderness
// limits of buckling (ABS 3/5.1); the girder's scantling rules belong to the scantlings.
bool inBucklingList(std::size_t check) {
    if (check < firstRule) return checkTable[check].group == ListingGroup::buckling;
    return check == webProportionsRule || check == flangeProportionsRule;
}

bool shownIn(int analysis, std::size_t check) {
    if (analysis == analysisBuckling) return inBucklingList(check);
    if (analysis == analysisScantlingYield) return !inBucklingList(check);
    return true;
}

} // namespace

std::string listMarginText(const CaseVerdict& v, const ReserveResult* reserve, int analysis, char sep) {
    std::string out = "All checks: " + marginText(v, reserve, sep);
    // The checks the line names: the failed ones, the highest and the one the reserve ends at.
    FailedChecks named = v.failed;
    if (v.highestCheck >= 0 && static_cast<std::size_t>(v.highestCheck) < checkCount)
        named[static_cast<std::size_t>(v.highestCheck)] = true;
    if (reserve != nullptr) {
        named |= reserve->regardless;
        if (const int governing = checkIndex(reserve->governing); governing >= 0)
            named[static_cast<std::size_t>(governing)] = true;
    }
    bool otherList = false;
    for (std::size_t i = 0; i < checkCount; ++i)
        if (named[i] && !shownIn(analysis, i)) otherList = true;
    if (otherList)
        out +=
            analysis == analysisBuckling ? " (not in this list: Scantling / Yield)" : " (not in this list: Buckling)";
    return out;
}

Rgb verdictColour(const CaseVerdict& v) {
    return paletteColour(casePasses(v) ? 2 : 4);
}

} // namespace korvel
