#include "report/margin_text.h"

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
        if (r.lambda >= 1)
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

Rgb verdictColour(const CaseVerdict& v) {
    return paletteColour(casePasses(v) ? 2 : 4);
}

} // namespace korvel
