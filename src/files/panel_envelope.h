#pragma once

// The envelope of a panel over its load cases. A case line belongs to the panel named by its
// project and the part of its identification before the first "/"; the rest is its load case
// ("" when there is no "/"). Lines of one panel need not be adjacent. For each utilisation check
// the envelope keeps the highest value over the panel's cases that computed it and the load case
// that gives it (the first in file order on a tie); for each OK/NOK rule the load cases where it
// fails; the load cases whose calculation stopped, with the step. A panel passes when every one of
// its cases passes: NOK when a case is NOK, stopped when none is NOK but one stopped.
//
// Memory grows with the panels (and the load cases named in failed rules and stops), not with the
// cases: a case is folded into its panel and forgotten.

#include "checks/failed_checks.h"
#include "design/check_table.h"
#include "design/design_case.h"
#include "engine/panel_index.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvel {

struct CheckEnvelope {
    bool computed = false;
    double value = 0; // as the results table writes it (a single-precision check widened exactly)
    std::string loadCase;
    bool operator==(const CheckEnvelope& o) const {
        return computed == o.computed && value == o.value && loadCase == o.loadCase;
    }
};

struct StoppedLoadCase {
    std::string loadCase;
    std::string step;
    bool operator==(const StoppedLoadCase& o) const { return loadCase == o.loadCase && step == o.step; }
};

// One load case of a panel as a report's matrix shows it.
struct LoadCaseOutcome {
    std::string loadCase;
    CaseOutcome outcome;
};

struct PanelEnvelope {
    std::string project;
    std::string panel;
    int cases = 0;
    int nokCases = 0;
    int stoppedCases = 0;
    std::array<CheckEnvelope, checkTable.size()> checks{};
    // The highest utilisation of all checks and cases: its check (-1: none computed) and load case.
    int highestCheck = -1;
    // For each OK/NOK rule, the load cases that fail it, in file order.
    std::array<std::vector<std::string>, ruleNames.size()> failedRules{};
    std::vector<StoppedLoadCase> stopped;
    // Every load case in file order, kept only when the builder was asked to (a report's matrix).
    std::vector<LoadCaseOutcome> loadCases;

    Verdict verdict() const { return nokCases > 0 ? Verdict::nok : stoppedCases > 0 ? Verdict::stopped : Verdict::ok; }
    // The kept load cases are the cases themselves: equal panels agree on them through the rest.
    bool operator==(const PanelEnvelope& o) const {
        return project == o.project && panel == o.panel && cases == o.cases && nokCases == o.nokCases &&
               stoppedCases == o.stoppedCases && checks == o.checks && highestCheck == o.highestCheck &&
               failedRules == o.failedRules && stopped == o.stopped;
    }
};

// Folds calculated cases, in file order, into the envelopes of their panels.
class EnvelopeBuilder {
public:
    // With `keepLoadCases` each panel keeps every load case's outcome as well: memory then grows
    // with the cases (a report draws them all).
    explicit EnvelopeBuilder(bool keepLoadCases = false) : keepLoadCases_(keepLoadCases) {}
    // The case of this project and identification with its outcome.
    void add(const std::string& project, const std::string& identification, const CaseOutcome& outcome);
    // The case just calculated in dc.
    void add(const DesignCase& dc) { add(dc.projectName, dc.identification, caseOutcome(dc)); }
    // The panels in order of first appearance.
    const std::vector<PanelEnvelope>& panels() const { return panels_; }

private:
    bool keepLoadCases_ = false;
    std::vector<PanelEnvelope> panels_;
    PanelIndex index_;
};

// The envelope table: a header line, then one line per panel, TAB-separated, ending in CR LF as
// the results table does. Columns: project, panel, cases, verdict, highest, check, load case, then
// for each utilisation check its heading and "heading case", then "failed rules" and "stopped".
std::string envelopeHeader();
void appendEnvelopeRow(std::string& out, const PanelEnvelope& panel);

// "web proportions: storm, transit; girder depth: damaged"; "" when no rule failed.
std::string failedRulesText(const PanelEnvelope& panel);
// "damaged (plate buckling); transit (girder buckling)"; "" when none stopped.
std::string stoppedText(const PanelEnvelope& panel);
// The value of a check as the results table writes it ("0.53"); "" when no case computed it.
std::string envelopeValueText(const CheckEnvelope& check, const CheckFacts& facts);

} // namespace korvel
