#include "files/panel_envelope.h"

#include "design/number_format.h"

namespace korvel {

void EnvelopeBuilder::add(const std::string& project, const std::string& identification, const CaseOutcome& outcome) {
    const PanelSlot slot = index_.place(project, identification);
    const std::string_view loadCase = slot.loadCase;
    if (slot.added) {
        panels_.emplace_back();
        panels_.back().project = project;
        panels_.back().panel = std::string(slot.panel);
    }
    PanelEnvelope& panel = panels_[slot.index];
    ++panel.cases;

    const FailedChecks& failed = outcome.failed;
    const Results& uf = outcome.uf;
    switch (verdictOf(outcome.fault.stopped(), failed)) {
    case Verdict::ok:
        break;
    case Verdict::nok:
        ++panel.nokCases;
        break;
    case Verdict::stopped:
        ++panel.stoppedCases;
        panel.stopped.push_back({std::string(loadCase), outcome.fault.step});
        break;
    }
    for (std::size_t i = 0; i < checkTable.size(); ++i) {
        if (resultState(uf, checkTable[i]) != ResultState::computed) continue;
        const double value = writtenResult(uf, checkTable[i]);
        CheckEnvelope& check = panel.checks[i];
        // Strictly higher: on a tie the load case first in file order stays.
        if (!check.computed || value > check.value) {
            check.computed = true;
            check.value = value;
            check.loadCase.assign(loadCase);
        }
        const int h = panel.highestCheck;
        if (h < 0 || value > panel.checks[static_cast<std::size_t>(h)].value) panel.highestCheck = static_cast<int>(i);
    }
    for (std::size_t r = 0; r < ruleNames.size(); ++r)
        if (failed[firstRule + r]) panel.failedRules[r].emplace_back(loadCase);
    if (keepLoadCases_) panel.loadCases.push_back({std::string(loadCase), outcome});
}

std::string envelopeHeader() {
    std::string out = "project\tpanel\tcases\tverdict\thighest\tcheck\tload case";
    for (const CheckFacts& c : checkTable) {
        out += '\t';
        out += c.heading;
        out += '\t';
        out += c.heading;
        out += " case";
    }
    out += "\tfailed rules\tstopped\r\n";
    return out;
}

std::string envelopeValueText(const CheckEnvelope& check, const CheckFacts& facts) {
    if (!check.computed) return {};
    return facts.value ? formatNumber(check.value, facts.mask)
                       : formatNumber(static_cast<float>(check.value), facts.mask);
}

std::string failedRulesText(const PanelEnvelope& panel) {
    std::string out;
    for (std::size_t r = 0; r < ruleNames.size(); ++r) {
        if (panel.failedRules[r].empty()) continue;
        if (!out.empty()) out += "; ";
        out += ruleNames[r];
        out += ": ";
        for (std::size_t i = 0; i < panel.failedRules[r].size(); ++i) {
            if (i > 0) out += ", ";
            out += panel.failedRules[r][i];
        }
    }
    return out;
}

std::string stoppedText(const PanelEnvelope& panel) {
    std::string out;
    for (const StoppedLoadCase& s : panel.stopped) {
        if (!out.empty()) out += "; ";
        out += s.loadCase + " (" + s.step + ")";
    }
    return out;
}

void appendEnvelopeRow(std::string& out, const PanelEnvelope& panel) {
    out += panel.project;
    out += '\t';
    out += panel.panel;
    out += '\t';
    out += std::to_string(panel.cases);
    out += '\t';
    out += verdictText(panel.verdict());
    out += '\t';
    if (panel.highestCheck >= 0) {
        const auto h = static_cast<std::size_t>(panel.highestCheck);
        out += envelopeValueText(panel.checks[h], checkTable[h]);
        out += '\t';
        out += checkTable[h].heading;
        out += '\t';
        out += panel.checks[h].loadCase;
    } else {
        out += "\t\t";
    }
    for (std::size_t i = 0; i < checkTable.size(); ++i) {
        out += '\t';
        out += envelopeValueText(panel.checks[i], checkTable[i]);
        out += '\t';
        out += panel.checks[i].loadCase;
    }
    out += '\t';
    out += failedRulesText(panel);
    out += '\t';
    out += stoppedText(panel);
    out += "\r\n";
}

} // namespace korvel
