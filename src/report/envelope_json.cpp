#include "report/envelope_json.h"

#include "design/number_format.h"
#include "report/case_json.h"

#include <cmath>

namespace korvel {

namespace {

void appendValue(std::string& out, const CheckEnvelope& check, const CheckFacts& facts) {
    if (!check.computed || !std::isfinite(check.value)) {
        out += "null";
        return;
    }
    out += facts.value ? exactNumber(check.value) : exactNumber(static_cast<float>(check.value));
}

} // namespace

void appendEnvelopeJson(std::string& out, const PanelEnvelope& panel) {
    out += R"({"kind":"panel","project":)";
    appendJsonString(out, panel.project);
    out += ",\"panel\":";
    appendJsonString(out, panel.panel);
    out += ",\"cases\":";
    out += std::to_string(panel.cases);
    out += R"(,"verdict":")";
    out += verdictText(panel.verdict());
    out += R"(","highest":)";
    if (panel.highestCheck >= 0) {
        const auto h = static_cast<std::size_t>(panel.highestCheck);
        out += "{\"check\":";
        appendJsonString(out, checkTable[h].symbol);
        out += ",\"value\":";
        appendValue(out, panel.checks[h], checkTable[h]);
        out += ",\"loadCase\":";
        appendJsonString(out, panel.checks[h].loadCase);
        out += '}';
    } else {
        out += "null";
    }
    out += ",\"checks\":[";
    for (std::size_t i = 0; i < checkTable.size(); ++i) {
        out += i == 0 ? "{\"check\":" : ",{\"check\":";
        appendJsonString(out, checkTable[i].symbol);
        out += ",\"heading\":";
        appendJsonString(out, checkTable[i].heading);
        out += ",\"value\":";
        appendValue(out, panel.checks[i], checkTable[i]);
        out += ",\"loadCase\":";
        if (panel.checks[i].computed)
            appendJsonString(out, panel.checks[i].loadCase);
        else
            out += "null";
        out += '}';
    }
    out += "],\"failedRules\":[";
    bool first = true;
    for (std::size_t r = 0; r < ruleNames.size(); ++r) {
        if (panel.failedRules[r].empty()) continue;
        out += first ? "{\"rule\":" : ",{\"rule\":";
        first = false;
        appendJsonString(out, ruleNames[r]);
        out += ",\"loadCases\":[";
        for (std::size_t i = 0; i < panel.failedRules[r].size(); ++i) {
            if (i > 0) out += ',';
            appendJsonString(out, panel.failedRules[r][i]);
        }
        out += "]}";
    }
    out += "],\"stopped\":[";
    for (std::size_t i = 0; i < panel.stopped.size(); ++i) {
        out += i == 0 ? "{\"loadCase\":" : ",{\"loadCase\":";
        appendJsonString(out, panel.stopped[i].loadCase);
        out += ",\"step\":";
        appendJsonString(out, panel.stopped[i].step);
        out += '}';
    }
    out += "]}\n";
}

} // namespace korvel
