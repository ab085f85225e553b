#include "report/case_json.h"

#include "checks/failed_checks.h"
#include "checks/yield/scantling_checks.h"
#include "design/check_table.h"
#include "design/number_format.h"
#include "files/text_encoding.h"
#include "report/batch_case_summary.h"
#include "report/case_fields.h"

#include <cmath>

namespace korvel {

namespace {

void appendJsonNumber(std::string& out, double value) {
    out += std::isfinite(value) ? exactNumber(value) : std::string("null");
}
void appendJsonNumber(std::string& out, float value) {
    out += std::isfinite(value) ? exactNumber(value) : std::string("null");
}

// A utilisation in the precision its check computes in, wherever the JSON gives it: the highest
// of a case is the same number as its entry in the utilisations (1.2581486, not the float
// widened to 1.2581485509872437).
void appendCheckValue(std::string& out, const CheckFacts& check, double value) {
    if (check.value)
        appendJsonNumber(out, value);
    else
        appendJsonNumber(out, static_cast<float>(value));
}

// "name":value pairs of the detail listing.
class JsonFields final : public CaseFieldVisitor {
public:
    explicit JsonFields(std::string& out) : out_(out) {}
    void field(std::string_view name, double value) override {
        key(name);
        appendJsonNumber(out_, value);
    }
    void field(std::string_view name, float value) override {
        key(name);
        appendJsonNumber(out_, value);
    }
    void field(std::string_view name, int value) override {
        key(name);
        out_ += std::to_string(value);
    }
    void field(std::string_view name, const std::string& value) override {
        key(name);
        appendJsonString(out_, value);
    }

private:
    void key(std::string_view name) {
        if (!first_) out_ += ',';
        first_ = false;
        appendJsonString(out_, name);
        out_ += ':';
    }
    std::string& out_;
    bool first_ = true;
};

void appendUtilisations(std::string& out, const DesignCase& dc) {
    out += "\"utilisations\":[";
    for (const CheckFacts& c : checkTable) {
        if (&c != &checkTable.front()) out += ',';
        const ResultState state = resultState(dc.uf, c);
        out += "{\"check\":";
        appendJsonString(out, c.symbol);
        out += ",\"heading\":";
        appendJsonString(out, c.heading);
        out += ",\"clause\":";
        appendJsonString(out, c.clause);
        out += R"(,"state":")";
        out += jsonStateName(state);
        out += R"(","value":)";
        if (state != ResultState::computed)
            out += "null";
        else
            appendCheckValue(out, c, writtenResult(dc.uf, c));
        out += ",\"result\":";
        out += state != ResultState::computed ? "null" : writtenResult(dc.uf, c) > 1 ? "\"NOK\"" : "\"OK\"";
        out += '}';
    }
    out += ']';
}

// The OK/NOK rules: the stiffener's web and flange proportions (hw/tw and b/tf against their
// limits; a closed cell has none and is not computed), the girder depth and web thickness as
// ratios to their minimum (above 1 fails) and the tripping-bracket distance Lt against its maximum.
void appendRules(std::string& out, const DesignCase& dc) {
    out += "\"rules\":[";
    for (std::size_t r = 0; r < ruleNames.size(); ++r) {
        const RuleOutcome rule = ruleOutcome(dc, r);
        out += r == 0 ? "{\"rule\":" : ",{\"rule\":";
        appendJsonString(out, ruleNames[r]);
        out += R"(,"state":")";
        out += rule.checked ? "computed" : "notComputed";
        out += R"(","value":)";
        if (rule.checked)
            appendJsonNumber(out, rule.value);
        else
            out += "null";
        out += ",\"limit\":";
        if (rule.checked || r >= girderDepthRule)
            appendJsonNumber(out, rule.limit);
        else
            out += "null";
        out += ",\"result\":";
        out += !rule.checked ? "null" : rule.failed() ? "\"NOK\"" : "\"OK\"";
        out += '}';
    }
    out += ']';
}

} // namespace

const char* jsonStateName(ResultState state) {
    switch (state) {
    case ResultState::computed:
        return "computed";
    case ResultState::notApplicable:
        return "notApplicable";
    default:
        return "notComputed";
    }
}

void appendJsonString(std::string& out, std::string_view text) {
    // A text that is no UTF-8 comes from a file of an earlier Windows version: its bytes are
    // Windows-1252, read as the project reader reads them ("Br\xF8nn" is "Brønn"), not lost.
    if (!isValidUtf8(text)) {
        const std::string decoded = fileTextToUtf8(text);
        appendJsonString(out, decoded);
        return;
    }
    static constexpr char hex[] = "0123456789abcdef";
    out += '"';
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7f) {
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 0xf];
        } else {
            out += static_cast<char>(c);
        }
        ++i;
    }
    out += '"';
}

void appendProvenanceJson(std::string& out, const Provenance& p) {
    out += R"({"kind":"provenance","program":"KORVEL","version":)";
    appendJsonString(out, p.version);
    out += ",\"tables\":[";
    for (std::size_t i = 0; i < p.tables.size(); ++i) {
        if (i > 0) out += ',';
        out += "{\"file\":";
        appendJsonString(out, p.tables[i].file);
        out += ",\"fnv1a64\":";
        if (p.tables[i].checksum.empty())
            out += "null";
        else
            appendJsonString(out, p.tables[i].checksum);
        out += '}';
    }
    out += "],\"dateTime\":";
    appendJsonString(out, p.dateTime);
    out += '}';
}

void appendAsBuiltJson(std::string& out, const DesignCase& asBuilt) {
    const FailedChecks failed = failedChecks(asBuilt);
    out += R"("asBuilt":{"verdict":")";
    out += verdictText(verdictOf(asBuilt.fault.stopped(), failed));
    out += R"(","failed":[)";
    bool first = true;
    for (std::size_t i = 0; i < checkCount; ++i) {
        if (!failed[i]) continue;
        if (!first) out += ',';
        first = false;
        appendJsonString(out, checkName(i));
    }
    out += "],";
    appendUtilisations(out, asBuilt);
    out += '}';
}

void appendCaseJson(std::string& out, const BatchEntry& entry, std::int64_t caseNumber, const DesignCase& dc,
                    const Provenance* provenance) {
    const BatchCaseSummary summary = summarizeCase(entry, caseNumber, dc);
    out += R"({"kind":"case","case":)";
    out += std::to_string(caseNumber);
    out += ",\"line\":";
    out += std::to_string(entry.line);
    out += ",\"project\":";
    appendJsonString(out, dc.projectName);
    out += ",\"identification\":";
    appendJsonString(out, dc.identification);
    out += R"(,"verdict":")";
    out += verdictText(summary.verdict);
    out += R"(","highest":)";
    if (summary.highestCheck) {
        out += "{\"check\":";
        appendJsonString(out, summary.highestCheck->symbol);
        out += ",\"value\":";
        appendCheckValue(out, *summary.highestCheck, summary.highest);
        out += '}';
    } else {
        out += "null";
    }
    out += ",\"failed\":[";
    bool first = true;
    for (std::size_t i = 0; i < checkCount; ++i) {
        if (!summary.failed[i]) continue;
        if (!first) out += ',';
        first = false;
        appendJsonString(out, checkName(i));
    }
    out += "],\"stopped\":";
    if (dc.fault.stopped()) {
        out += "{\"step\":";
        appendJsonString(out, dc.fault.step);
        out += ",\"reason\":";
        appendJsonString(out, dc.fault.reason);
        out += '}';
    } else {
        out += "null";
    }
    out += ',';
    appendUtilisations(out, dc);
    out += ',';
    appendRules(out, dc);
    out += ",\"detail\":{";
    JsonFields fields(out);
    visitCaseFields(dc, fields);
    out += '}';
    if (provenance) {
        out += ",\"provenance\":";
        appendProvenanceJson(out, *provenance);
    }
    out += "}\n";
}

void appendCommentJson(std::string& out, const BatchEntry& entry) {
    out += R"({"kind":"comment","line":)";
    out += std::to_string(entry.line);
    out += ",\"text\":";
    appendJsonString(out, entry.comment);
    out += "}\n";
}

} // namespace korvel
