#include "binding.h"

#include "design/number_format.h"
#include "files/batch_case.h"
#include "studies/study_fields.h"
#include "studies/study_runs.h"
#include "studies/study_tables.h"

#include <pybind11/stl.h>

#include <cmath>
#include <limits>
#include <thread>

namespace korvel::python {

namespace {

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

// A study's table as korvel-study writes it, without the three columns that name the case: its
// header cells, and its rows' cells as texts; the caller puts the unrounded numbers in.
struct StudyTable {
    std::vector<std::string> header;
    std::vector<std::vector<py::object>> rows;
};

std::vector<std::string> tabCellsOf(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    std::vector<std::string> cells;
    for (;;) {
        const std::size_t end = line.find('\t');
        cells.emplace_back(line.substr(0, end));
        if (end == std::string_view::npos) return cells;
        line.remove_prefix(end + 1);
    }
}

constexpr std::size_t labelColumns = 3; // line, project, identification

StudyTable studyTable(const std::string& header, const std::string& rows) {
    StudyTable table;
    const std::vector<std::string> names = tabCellsOf(header);
    table.header.assign(names.begin() + labelColumns, names.end());
    std::string_view text = rows;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::vector<std::string> cells = tabCellsOf(text.substr(0, end));
        std::vector<py::object> row;
        for (std::size_t i = labelColumns; i < cells.size(); ++i)
            row.push_back(cells[i].empty() ? py::object(py::none()) : py::object(py::str(cells[i])));
        table.rows.push_back(std::move(row));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return table;
}

std::size_t columnOf(const StudyTable& t, const std::string& name) {
    for (std::size_t i = 0; i < t.header.size(); ++i)
        if (t.header[i] == name) return i;
    return t.header.size();
}

// The table as columns for a DataFrame, in header order.
py::dict columnsOf(const StudyTable& t) {
    py::dict columns;
    for (std::size_t c = 0; c < t.header.size(); ++c) {
        py::list values;
        for (const auto& row : t.rows) values.append(c < row.size() ? row[c] : py::none());
        columns[py::str(t.header[c])] = values;
    }
    return columns;
}

// One row as a dict, for the studies that give one row per case.
py::dict rowOf(const StudyTable& t) {
    py::dict row;
    for (std::size_t c = 0; c < t.header.size(); ++c)
        row[py::str(t.header[c])] = !t.rows.empty() && c < t.rows[0].size() ? t.rows[0][c] : py::none();
    return row;
}

void put(StudyTable& t, std::size_t row, const std::string& column, py::object value) {
    const std::size_t c = columnOf(t, column);
    if (row < t.rows.size() && c < t.rows[row].size()) t.rows[row][c] = std::move(value);
}

struct StudyCase {
    std::shared_ptr<const Catalogue> catalogue;
    std::vector<CaseInputs> inputs; // the one case
    CaseLabel label;
    StudyControl control;
};

StudyCase studyCase(const Case& c, const py::object& threads) {
    StudyCase s;
    s.catalogue = tables();
    const BatchEntry entry = entryOf(c, *s.catalogue);
    s.inputs.push_back(entry.inputs);
    s.label = {c.line, entry.inputs.projectName, entry.inputs.identification};
    s.control.threads = threads.is_none() ? static_cast<int>(std::max(1u, std::thread::hardware_concurrency()))
                                          : std::clamp(py::cast<int>(threads), 1, maxStudyThreads);
    return s;
}

// The study's result for the one case, calculated with the interpreter released.
template <class Run>
auto resultOf(const StudyCase& s, Run&& run) {
    const py::gil_scoped_release released;
    auto results = run(s.inputs, *s.catalogue, s.control);
    return std::move(results.at(0));
}

const StudyField& studyField(const std::string& name) {
    const StudyField* f = findStudyField(name);
    if (!f) raiseInputError("\"" + name + "\" is not an input a study can vary; the inputs are " + studyFieldNames());
    return *f;
}

py::dict reserve(const Case& c, const py::object& threads) {
    StudyCase s = studyCase(c, threads);
    const ReserveResult r =
        resultOf(s, [&](const auto& cases, const Catalogue& catalogue, const StudyControl& control) {
            return reserveFactors(cases, catalogue, control);
        });
    std::string row;
    appendReserveRow(row, s.label, r);
    StudyTable t = studyTable(reserveHeader(), row);
    const double lambda = r.outcome == ReserveResult::Outcome::limited ? r.lambda
                          : r.outcome == ReserveResult::Outcome::open  ? std::numeric_limits<double>::infinity()
                                                                       : notANumber;
    put(t, 0, "lambda*", py::float_(lambda));
    put(t, 0, "highest UF at lambda 1", py::float_(r.highestCheckAtOne.empty() ? notANumber : r.highestAtOne));
    return rowOf(t);
}

py::dict limit(const Case& c, const std::string& fieldName, const std::string& sought, const py::object& range,
               const py::object& threads) {
    LimitRequest request;
    request.field = &studyField(fieldName);
    if (sought != "min" && sought != "max") raiseInputError(R"(sought is "min" or "max", not ")" + sought + "\"");
    request.direction = sought == "min" ? LimitDirection::smallest : LimitDirection::largest;
    if (!range.is_none()) {
        const auto ends = py::cast<std::pair<double, double>>(range);
        if (!(ends.first < ends.second))
            raiseInputError("empty range " + generalNumber(ends.first) + " to " + generalNumber(ends.second) +
                            ": A must be below B");
        request.from = ends.first;
        request.to = ends.second;
    }
    StudyCase s = studyCase(c, threads);
    const LimitResult r = resultOf(s, [&](const auto& cases, const Catalogue& catalogue, const StudyControl& control) {
        return limitingValues(cases, request, catalogue, control);
    });
    std::string row;
    appendLimitRow(row, s.label, request, r);
    StudyTable t = studyTable(limitHeader(), row);
    const bool valued = r.outcome == LimitResult::Outcome::found || r.outcome == LimitResult::Outcome::rangeEnd;
    put(t, 0, "value", py::float_(valued ? r.value : notANumber));
    put(t, 0, "from", py::float_(r.low));
    put(t, 0, "to", py::float_(r.high));
    return rowOf(t);
}

py::dict lightest(const Case& c, int top, const py::object& families, bool girder, const py::object& threads) {
    if (top < 1) raiseInputError("top must be 1 or more, not " + std::to_string(top));
    std::vector<Family> chosen = girder ? girderFamilies() : allFamilies();
    if (!families.is_none()) {
        chosen.clear();
        for (const std::string& name : py::cast<std::vector<std::string>>(families)) {
            const std::optional<Family> f = findFamily(name, girder);
            if (!f)
                raiseInputError("unknown " + std::string(girder ? "girder family" : "family") + " \"" + name +
                                (girder ? "\"; the girder families are LG, TG"
                                        : "\"; the families are L-table, BF-table, Flatbar-table, FB, LW, TG, IG"));
            chosen.push_back(*f);
        }
    }
    StudyCase s = studyCase(c, threads);
    const LightestResult r =
        resultOf(s, [&](const auto& cases, const Catalogue& catalogue, const StudyControl& control) {
            return lightestOf(cases, rankedCandidates(catalogue, chosen, control.threads), top, catalogue, control);
        });
    std::string rows;
    appendLightestRows(rows, s.label, r);
    StudyTable t = studyTable(lightestHeader(girder), rows);
    for (std::size_t i = 0; i < r.passing.size(); ++i) {
        const RankedCandidate& k = r.passing[i];
        put(t, i, "rank", py::int_(i + 1));
        put(t, i, girder ? "Ag" : "Ax", py::float_(k.candidate.Ax));
        put(t, i, "kg/m", py::float_(k.candidate.weight()));
        put(t, i, "highest UF", py::float_(k.verdict.highestCheck < 0 ? notANumber : k.verdict.highest));
        put(t, i, "searched", py::int_(r.searched));
    }
    return columnsOf(t);
}

py::dict sweep(const Case& c, const std::string& fieldName, double from, double to, int steps,
               const py::object& threads) {
    SweepRequest request;
    request.field = &studyField(fieldName);
    if (from == to)
        raiseInputError("empty range " + generalNumber(from) + " to " + generalNumber(to) +
                        ": FROM and TO must differ");
    if (steps < 1 || steps > 1000000)
        raiseInputError("STEPS must be a whole number from 1 to 1000000, not \"" + std::to_string(steps) + "\"");
    request.from = from;
    request.to = to;
    request.steps = steps;
    StudyCase s = studyCase(c, threads);
    const std::vector<SweepPoint> points =
        resultOf(s, [&](const auto& cases, const Catalogue& catalogue, const StudyControl& control) {
            return sweeps(cases, request, catalogue, control);
        });
    std::string rows;
    appendSweepRows(rows, s.label, points);
    StudyTable t = studyTable(sweepHeader(*request.field), rows);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const SweepPoint& p = points[i];
        put(t, i, request.field->name, py::float_(p.value));
        for (std::size_t k = 0; k < checkTable.size(); ++k)
            put(t, i, checkTable[k].symbol,
                py::float_(resultState(p.verdict.uf, checkTable[k]) == ResultState::computed
                               ? studyUtilisation(p.verdict.uf, k)
                               : notANumber));
        put(t, i, "passes", py::bool_(p.verdict.passes(~FailedChecks{})));
    }
    return columnsOf(t);
}

py::dict capacity(const Case& c, const std::string& x, const std::string& y, int rays, bool allChecks,
                  const py::object& threads) {
    const std::optional<LoadGroup> gx = findLoadGroup(x), gy = findLoadGroup(y);
    if (!gx || !gy) raiseInputError("\"" + (gx ? y : x) + "\" is not a load group; the groups are sigx, sigy, tau, p");
    if (*gx == *gy) raiseInputError("capacity needs two different load groups");
    if (rays < 1 || rays > 100000)
        raiseInputError("--rays needs a number from 1 to 100000, not \"" + std::to_string(rays) + "\"");
    CapacityRequest request;
    request.x = *gx;
    request.y = *gy;
    request.rays = rays;
    request.allChecks = allChecks;
    StudyCase s = studyCase(c, threads);
    const CapacityResult r =
        resultOf(s, [&](const auto& cases, const Catalogue& catalogue, const StudyControl& control) {
            return capacityCurves(cases, request, catalogue, control);
        });
    std::string rows;
    appendCapacityRows(rows, s.label, request, r);
    StudyTable t = studyTable(capacityHeader(request), rows);
    const auto point = [&](std::size_t i, const CapacityPoint& p) {
        put(t, i, "angle", py::float_(p.angle));
        put(t, i, loadGroupName(request.x), py::float_(p.x));
        put(t, i, loadGroupName(request.y), py::float_(p.y));
        put(t, i, "rho", py::float_(p.rho));
    };
    for (std::size_t i = 0; i < r.rays.size(); ++i) {
        put(t, i, "ray", py::int_(i + 1));
        point(i, r.rays[i]);
    }
    if (r.ownRay) {
        point(r.rays.size(), *r.ownRay);
        put(t, r.rays.size(), "lambda", py::float_(r.ownLambda));
    }
    return columnsOf(t);
}

} // namespace

void bindStudies(py::module_& m) {
    const auto threads = py::arg("threads") = py::none();
    m.def("reserve", &reserve, py::arg("case"), threads, R"(The reserve factor of a case, as korvel-study reserve.

Every load multiplied by lambda; lambda* is the largest lambda up to 100 for which the case
passes. A dict of korvel-study's columns: "lambda*" (inf when nothing limits it up to 100,
NaN when the calculation stops with the loads at zero), "governing", "highest UF at lambda 1",
"check", "fails regardless of load", "note".)");
    m.def("limit", &limit, py::arg("case"), py::arg("field"), py::arg("sought") = "min", py::arg("range") = py::none(),
          threads, R"(The smallest ("min") or largest ("max") value of one input for which the case passes.

As korvel-study limit FIELD --min|--max [--range A B]: a dict of its columns, "value"
unrounded (NaN when none is found), "from" and "to" the range searched.)");
    m.def("_lightest", &lightest, py::arg("case"), py::arg("top") = 1, py::arg("families") = py::none(),
          py::arg("girder") = false, threads);
    m.def("_sweep", &sweep, py::arg("case"), py::arg("field"), py::arg("start"), py::arg("stop"), py::arg("steps"),
          threads);
    m.def("_capacity", &capacity, py::arg("case"), py::arg("x"), py::arg("y"), py::arg("rays") = defaultCapacityRays,
          py::arg("all_checks") = false, threads);
    m.def(
        "study_fields",
        [] {
            std::vector<std::string> names;
            for (const StudyField& f : studyFields()) names.emplace_back(f.name);
            return names;
        },
        "The inputs a study can vary.");
}

} // namespace korvel::python
