#include "studies/wastage_table.h"

#include "design/number_format.h"

namespace korvel {

namespace {

void appendCell(std::string& out, const std::string& text) {
    out += '\t';
    for (const char c : text) out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
}

std::string mm(double value) {
    return formatNumber(value, "0.00");
}

} // namespace

const char* basisName(WastageBasis basis) {
    return basis == WastageBasis::strength ? "strength" : "all";
}

std::string wastageHeader() {
    return "line\tproject\tidentification\tmember\tbasis\toriginal\tallowable diminution\tallowable %\t"
           "minimum thickness\tsubstantial corrosion\tgoverning\tnote\r\n";
}

void appendWastageRow(std::string& out, const CaseLabel& who, Member m, WastageBasis basis, const WastageResult& r) {
    out += std::to_string(who.line);
    appendCell(out, who.project);
    appendCell(out, who.identification);
    appendCell(out, memberName(m));
    appendCell(out, basisName(basis));
    const bool hasMember =
        r.outcome != WastageResult::Outcome::noSuchMember && r.outcome != WastageResult::Outcome::noProfile;
    appendCell(out, hasMember ? mm(r.original) : "-");
    std::string note;
    switch (r.outcome) {
    case WastageResult::Outcome::found:
    case WastageResult::Outcome::rangeEnd:
        appendCell(out, mm(r.allowable));
        appendCell(out, formatNumber(r.percent(), "0.0"));
        appendCell(out, mm(r.minimumThickness()));
        appendCell(out, mm(r.substantialCorrosion()));
        appendCell(out, r.governing);
        if (r.outcome == WastageResult::Outcome::rangeEnd)
            note = "passes down to " + mm(minimumRemainingThickness) + " mm remaining";
        break;
    case WastageResult::Outcome::asBuiltFails:
        for (int i = 0; i < 4; ++i) appendCell(out, "-");
        appendCell(out, r.governing);
        note = "as built fails";
        break;
    case WastageResult::Outcome::noSuchMember:
        for (int i = 0; i < 5; ++i) appendCell(out, "-");
        note = "the panel has no such member";
        break;
    case WastageResult::Outcome::noProfile:
        for (int i = 0; i < 5; ++i) appendCell(out, "-");
        note = "the stiffener profile cannot be formed";
        break;
    }
    appendCell(out, note);
    out += "\r\n";
}

} // namespace korvel
