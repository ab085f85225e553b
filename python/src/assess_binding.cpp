#include "binding.h"

#include "checks/failed_checks.h"
#include "design/check_table.h"
#include "design/number_format.h"
#include "design/warning_sink.h"
#include "files/batch_run.h"
#include "report/case_fields.h"
#include "report/case_json.h"
#include "studies/study_checks.h"

#include <pybind11/stl.h>

#include <cmath>
#include <limits>

namespace korvel::python {

namespace {

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

// The warnings of a case's run, in the order given.
class WarningList final : public WarningSink {
public:
    void warn(const std::string& message, InputBox) override { messages.push_back(message); }
    std::vector<std::string> messages;
};

// Every quantity of --detail into a dict, each in the precision the case holds it in.
class DetailDict final : public CaseFieldVisitor {
public:
    void field(std::string_view name, double value) override { put(name, py::float_(value)); }
    void field(std::string_view name, float value) override { put(name, py::float_(static_cast<double>(value))); }
    void field(std::string_view name, int value) override { put(name, py::int_(value)); }
    void field(std::string_view name, const std::string& value) override { put(name, py::str(value)); }
    py::dict values;

private:
    void put(std::string_view name, const py::object& value) { values[py::str(std::string(name))] = value; }
};

// One assessed case as Python reads it.
struct Assessed {
    std::array<double, checkTable.size()> values{};
    std::array<ResultState, checkTable.size()> states{};
    std::array<RuleOutcome, ruleNames.size()> rules{};
    std::string verdict;
    std::string governing;
    std::vector<std::string> failed;
    std::string highestCheck;
    double highest = notANumber;
    std::string stoppedIn;
    std::string stopReason;
    std::vector<std::string> warnings;
    py::dict detail;
};

Assessed assessCase(const Case& c) {
    const std::shared_ptr<const Catalogue> catalogue = tables();
    const BatchEntry entry = entryOf(c, *catalogue);
    WarningList warnings;
    DesignCase dc;
    runBatchCase(entry, dc, *catalogue, warnings);

    Assessed a;
    for (std::size_t i = 0; i < checkTable.size(); ++i) {
        a.states[i] = resultState(dc.uf, checkTable[i]);
        a.values[i] = a.states[i] == ResultState::computed ? writtenResult(dc.uf, checkTable[i]) : notANumber;
    }
    for (std::size_t r = 0; r < ruleNames.size(); ++r) a.rules[r] = ruleOutcome(dc, r);
    const CaseVerdict verdict = caseVerdict(dc);
    a.verdict = verdictText(verdict.verdict());
    a.governing = verdict.governing(~FailedChecks{});
    for (std::size_t i = 0; i < checkCount; ++i)
        if (verdict.failed[i]) a.failed.emplace_back(checkName(i));
    if (verdict.highestCheck >= 0) {
        a.highestCheck = checkTable[static_cast<std::size_t>(verdict.highestCheck)].symbol;
        a.highest = verdict.highest;
    }
    a.stoppedIn = dc.fault.step;
    a.stopReason = dc.fault.reason;
    a.warnings = std::move(warnings.messages);
    DetailDict detail;
    visitCaseFields(dc, detail);
    a.detail = std::move(detail.values);
    return a;
}

py::object textOrNone(const std::string& text) {
    return text.empty() ? py::none() : py::object(py::str(text));
}

std::string reprOf(const Assessed& a) {
    std::string text = "<korvel.Assessment " + a.verdict;
    if (!a.highestCheck.empty()) text += ", highest " + a.highestCheck + " = " + generalNumber(a.highest);
    if (!a.governing.empty()) text += ", governing " + a.governing;
    return text + ">";
}

} // namespace

void bindAssess(py::module_& m) {
    py::class_<Assessed> cls(m, "Assessment", R"(The results of one case, as korvel-batch --format json gives them.

Each utilisation is an attribute named by its check's symbol (UFpb, UFbu, ..., UFys): the
number in the precision its check computes in, NaN where the check was not computed or does
not apply (states tells which). rules holds the five OK/NOK rules, detail every quantity of
korvel-batch --detail.)");
    for (std::size_t i = 0; i < checkTable.size(); ++i)
        cls.def_property_readonly(
            checkTable[i].symbol, [i](const Assessed& a) { return a.values[i]; },
            (std::string("Utilisation ") + checkTable[i].symbol + " (results-table column " + checkTable[i].heading +
             "); NaN when not computed or not applicable.")
                .c_str());
    cls.def_property_readonly(
        "utilisations",
        [](const Assessed& a) {
            py::dict d;
            for (std::size_t i = 0; i < checkTable.size(); ++i) d[checkTable[i].symbol] = a.values[i];
            return d;
        },
        "Every utilisation by its check's symbol, in the order of the table of checks.");
    cls.def_property_readonly(
        "states",
        [](const Assessed& a) {
            py::dict d;
            for (std::size_t i = 0; i < checkTable.size(); ++i) d[checkTable[i].symbol] = jsonStateName(a.states[i]);
            return d;
        },
        R"(Each utilisation's state: "computed", "notApplicable" or "notComputed" (as in the JSON).)");
    cls.def_property_readonly(
        "rules",
        [](const Assessed& a) {
            py::dict d;
            for (std::size_t r = 0; r < ruleNames.size(); ++r) {
                const RuleOutcome& o = a.rules[r];
                py::dict rule;
                rule["result"] = !o.checked ? py::object(py::none()) : py::str(o.failed() ? "NOK" : "OK");
                rule["value"] = o.checked ? o.value : notANumber;
                rule["limit"] = o.limit;
                d[ruleNames[r]] = rule;
            }
            return d;
        },
        R"(The OK/NOK rules by name: result ("OK", "NOK" or None when not checked), value and limit.)");
    cls.def_property_readonly(
        "verdict", [](const Assessed& a) { return a.verdict; }, R"("OK", "NOK" or "stopped".)");
    cls.def_property_readonly(
        "governing", [](const Assessed& a) { return textOrNone(a.governing); },
        "The check that governs: the failing one of highest utilisation, a failed rule, or the step that stopped; "
        "None when the case passes.");
    cls.def_property_readonly(
        "failed", [](const Assessed& a) { return a.failed; }, "The failed checks by their results-table headings.");
    cls.def_property_readonly(
        "highest_check", [](const Assessed& a) { return textOrNone(a.highestCheck); },
        "The check of the highest computed utilisation, or None.");
    cls.def_property_readonly(
        "highest", [](const Assessed& a) { return a.highest; }, "The highest computed utilisation, or NaN.");
    cls.def_property_readonly(
        "stopped_in", [](const Assessed& a) { return textOrNone(a.stoppedIn); },
        "The step the calculation stopped in, or None when it ran to its end.");
    cls.def_property_readonly(
        "stop_reason", [](const Assessed& a) { return textOrNone(a.stopReason); }, "Why it stopped, or None.");
    cls.def_property_readonly(
        "warnings", [](const Assessed& a) { return a.warnings; }, "What the run warned of, as korvel-batch does.");
    cls.def_property_readonly(
        "detail", [](const Assessed& a) { return a.detail; },
        "Every input and intermediate quantity of korvel-batch --detail, by name.");
    cls.def("__repr__", &reprOf);

    m.def("assess", &assessCase, py::arg("case"), R"(Calculates one case as korvel-batch does.

Returns an Assessment: every utilisation (NaN where not computed), the OK/NOK rules, the
verdict, the governing check, where and why the calculation stopped, and the --detail
quantities. Raises InputError for a case korvel-batch would refuse.)");
    m.def(
        "checks",
        [] {
            py::list list;
            for (const CheckFacts& c : checkTable) {
                py::dict d;
                d["symbol"] = c.symbol;
                d["heading"] = c.heading;
                d["clause"] = c.clause;
                d["mask"] = c.mask;
                d["group"] = c.group == ListingGroup::buckling ? "buckling" : "yield and scantlings";
                list.append(d);
            }
            return list;
        },
        "The thirteen utilisation checks: symbol, results-table heading, clause, format mask, group.");
    m.def(
        "rule_names", [] { return std::vector<std::string>(ruleNames.begin(), ruleNames.end()); },
        "The five OK/NOK rules.");
    m.def(
        "format_number",
        [](double value, const std::string& mask, bool single) {
            return single ? formatNumber(static_cast<float>(value), mask) : formatNumber(value, mask);
        },
        py::arg("value"), py::arg("mask"), py::arg("single") = false,
        "A number as the results table writes it with a format mask (\"0.00\"); single: a single-precision "
        "quantity (UFgbu), written as the table writes a float.");
}

} // namespace korvel::python
