#include "studies/reserve_envelope.h"

#include "studies/study_tables.h"

namespace korvel {

namespace {

int rank(const ReserveResult& r) {
    switch (r.outcome) {
    case ReserveResult::Outcome::stopsAtZero:
        return 0;
    case ReserveResult::Outcome::limited:
        return 1;
    case ReserveResult::Outcome::open:
        break;
    }
    return 2;
}

// A text field of a row: TABs and line ends of a name would break the table.
void appendCell(std::string& out, const std::string& text) {
    for (const char c : text) out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
}

} // namespace

bool smallerReserve(const ReserveResult& a, const ReserveResult& b) {
    if (rank(a) != rank(b)) return rank(a) < rank(b);
    return rank(a) == 1 && a.lambda < b.lambda;
}

void ReserveEnvelopeBuilder::add(const std::string& project, const std::string& identification,
                                 const ReserveResult& r) {
    const PanelSlot slot = index_.place(project, identification);
    if (slot.added) {
        panels_.push_back({project, std::string(slot.panel), 0, r, std::string(slot.loadCase)});
    } else if (smallerReserve(r, panels_[slot.index].smallest)) {
        panels_[slot.index].smallest = r;
        panels_[slot.index].loadCase = std::string(slot.loadCase);
    }
    ++panels_[slot.index].cases;
}

std::string reserveEnvelopeHeader() {
    return "project\tpanel\tcases\tlambda*\tload case\tgoverning\r\n";
}

void appendReserveEnvelopeRow(std::string& out, const PanelReserve& panel) {
    appendCell(out, panel.project);
    out += '\t';
    appendCell(out, panel.panel);
    out += '\t';
    out += std::to_string(panel.cases);
    out += '\t';
    out += lambdaText(panel.smallest);
    out += '\t';
    appendCell(out, panel.loadCase);
    out += '\t';
    appendCell(out, panel.smallest.governing);
    out += "\r\n";
}

} // namespace korvel
