#include "studies/study_tables.h"

#include "design/number_format.h"

namespace korvel {

namespace {

void cells(std::string& out, std::initializer_list<std::string> texts) {
    bool first = true;
    for (const std::string& t : texts) {
        if (!first) out += '\t';
        first = false;
        for (const char c : t) out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
    }
}

void start(std::string& out, const CaseLabel& who) {
    cells(out, {std::to_string(who.line), who.project, who.identification});
}

std::string utilisation(double v) {
    return formatNumber(v, "0.000");
}

std::string againNote(const std::optional<double>& at, const char* symbol) {
    if (!at) return "";
    return std::string("passes again later in the scan (") + symbol + " = " + searchedNumber(*at) +
           "); this is the first crossing";
}

std::string highestText(const CaseVerdict& v) {
    return v.highestCheck < 0 ? "-" : utilisation(v.highest);
}
std::string highestCheck(const CaseVerdict& v) {
    return v.highestCheck < 0 ? "-" : checkSymbol(static_cast<std::size_t>(v.highestCheck));
}

} // namespace

std::string searchedNumber(double value) {
    return generalNumber(static_cast<float>(value));
}

std::string lambdaText(const ReserveResult& r) {
    switch (r.outcome) {
    case ReserveResult::Outcome::limited:
        return searchedNumber(r.lambda);
    case ReserveResult::Outcome::open:
        return "> 100";
    case ReserveResult::Outcome::stopsAtZero:
        break;
    }
    return "-";
}

std::string reserveHeader() {
    return "line\tproject\tidentification\tlambda*\tgoverning\thighest UF at lambda 1\tcheck\t"
           "fails regardless of load\tnote\r\n";
}

void appendReserveRow(std::string& out, const CaseLabel& who, const ReserveResult& r) {
    start(out, who);
    const std::string lambda = lambdaText(r);
    std::string note;
    switch (r.outcome) {
    case ReserveResult::Outcome::limited:
        note = againNote(r.passesAgainAt, "lambda");
        break;
    case ReserveResult::Outcome::open:
        note = "nothing limits it up to 100; not in the cases file";
        break;
    case ReserveResult::Outcome::stopsAtZero:
        note = "the calculation stops with the loads at zero; not in the cases file";
        break;
    }
    if (!r.stoppedAtOne.empty())
        note += std::string(note.empty() ? "" : "; ") + "stops at lambda 1 in " + r.stoppedAtOne;
    out += '\t';
    cells(out, {lambda, r.governing, r.highestCheckAtOne.empty() ? "-" : utilisation(r.highestAtOne),
                r.highestCheckAtOne.empty() ? "-" : r.highestCheckAtOne, checkList(r.regardless), note});
    out += "\r\n";
}

std::string limitHeader() {
    return "line\tproject\tidentification\tfield\tsought\tvalue\tgoverning\tfrom\tto\tnote\r\n";
}

void appendLimitRow(std::string& out, const CaseLabel& who, const LimitRequest& request, const LimitResult& r) {
    start(out, who);
    std::string value = "-", note;
    switch (r.outcome) {
    case LimitResult::Outcome::found:
        value = searchedNumber(r.value);
        note = againNote(r.passesAgainAt, request.field->name);
        break;
    case LimitResult::Outcome::rangeEnd:
        value = searchedNumber(r.value);
        note = "passes up to the end of the range; not in the cases file";
        break;
    case LimitResult::Outcome::noneFound:
        note = "no value in the range passes (with the case's own value: " + r.governing + "); not in the cases file";
        break;
    case LimitResult::Outcome::emptyRange:
        note = "empty range; give --range A B";
        break;
    }
    if (!r.geometryWarnings.empty()) {
        std::string beyond = "beyond the geometry check: ";
        for (std::size_t i = 0; i < r.geometryWarnings.size(); ++i)
            beyond += (i > 0 ? ", " : "") + r.geometryWarnings[i];
        note = note.empty() ? beyond : beyond + "; " + note;
    }
    out += '\t';
    cells(out, {request.field->name, request.direction == LimitDirection::smallest ? "min" : "max", value,
                r.outcome == LimitResult::Outcome::found ? r.governing : "", searchedNumber(r.low),
                searchedNumber(r.high), note});
    out += "\r\n";
}

std::string sweepHeader(const StudyField& field) {
    std::string out = "line\tproject\tidentification\t";
    out += field.name;
    for (std::size_t i = 0; i < checkCount; ++i) (out += '\t') += checkSymbol(i);
    out += "\tstopped in\tpasses\r\n";
    return out;
}

void appendSweepRows(std::string& out, const CaseLabel& who, const std::vector<SweepPoint>& points) {
    for (const SweepPoint& p : points) {
        start(out, who);
        (out += '\t') += searchedNumber(p.value);
        for (std::size_t i = 0; i < checkTable.size(); ++i) {
            const ResultState s = resultState(p.verdict.uf, checkTable[i]);
            out += '\t';
            out += s == ResultState::computed        ? utilisation(studyUtilisation(p.verdict.uf, i))
                   : s == ResultState::notApplicable ? "N/A"
                                                     : "-";
        }
        for (std::size_t i = firstRule; i < checkCount; ++i)
            (out += '\t') += p.verdict.stopped ? "-" : p.verdict.failed[i] ? "NOK" : "OK";
        (out += '\t') += p.verdict.step;
        (out += '\t') += p.verdict.passes(~FailedChecks{}) ? "pass" : "fail";
        out += "\r\n";
    }
}

std::string capacityHeader(const CapacityRequest& request) {
    return std::string("line\tproject\tidentification\tray\tangle\t") + loadGroupName(request.x) + "\t" +
           loadGroupName(request.y) + "\trho\tlambda\tlimit\tgoverning\tfails regardless of load\tnote\r\n";
}

void appendCapacityRows(std::string& out, const CaseLabel& who, const CapacityRequest& request,
                        const CapacityResult& r) {
    const std::string regardless = checkList(r.regardless & (request.allChecks ? ~FailedChecks{} : bucklingChecks()));
    const auto row = [&](const std::string& ray, const CapacityPoint& p, const std::string& lambda) {
        start(out, who);
        std::string note = againNote(p.passesAgainAt, "rho");
        if (!r.stoppedAtOrigin.empty()) note = "the calculation stops with these loads at zero";
        out += '\t';
        cells(out,
              {ray, searchedNumber(p.angle), searchedNumber(p.x), searchedNumber(p.y), searchedNumber(p.rho), lambda,
               !r.stoppedAtOrigin.empty() ? "-"
               : p.open                   ? "open"
                                          : "closed",
               p.governing, regardless, note});
        out += "\r\n";
    };
    for (std::size_t i = 0; i < r.rays.size(); ++i) row(std::to_string(i + 1), r.rays[i], "");
    if (r.ownRay) {
        row("own", *r.ownRay, r.ownRay->open ? "> " + searchedNumber(r.ownLambda) : searchedNumber(r.ownLambda));
    } else {
        start(out, who);
        out += "\town\t-\t0\t0\t-\t-\t-\t-\t" + regardless + "\tthe case has no load in this plane\r\n";
    }
}

std::string lightestHeader(bool girder) {
    return std::string("line\tproject\tidentification\trank\tprofile\t") + (girder ? "Ag" : "Ax") +
           "\tkg/m\thighest UF\tgoverning\tsearched\t" + (girder ? "stiffener rules failing" : "girder rules failing") +
           "\r\n";
}

void appendLightestRows(std::string& out, const CaseLabel& who, const LightestResult& r) {
    const std::string girder = checkList(r.unchangedFailing);
    if (r.passing.empty()) {
        start(out, who);
        out += "\t-\t" + std::string(r.stopped ? "stopped" : "no candidate passes") + "\t-\t-\t-\t-\t" +
               std::to_string(r.searched) + "\t" + girder + "\r\n";
        return;
    }
    for (std::size_t i = 0; i < r.passing.size(); ++i) {
        const RankedCandidate& k = r.passing[i];
        start(out, who);
        out += '\t';
        cells(out, {std::to_string(i + 1), candidateText(k.candidate), formatNumber(k.candidate.Ax, "0.0"),
                    formatNumber(k.candidate.weight(), "0.00"), highestText(k.verdict), highestCheck(k.verdict),
                    std::to_string(r.searched), girder});
        out += "\r\n";
    }
}

} // namespace korvel
