#include "binding.h"

#include "checks/failed_checks.h"
#include "design/check_table.h"
#include "design/number_format.h"
#include "design/warning_sink.h"
#include "files/batch_run.h"
#include "files/panel_envelope.h"
#include "studies/study_checks.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <thread>

namespace korvel::python {

namespace {

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

// One column of a frame, taken out of Python before the threads start: numbers as they are, any
// other cell as the text of its field.
struct FrameColumn {
    int field = 0;
    bool numeric = false;
    std::vector<double> numbers;
    std::vector<std::string> texts;
    std::vector<unsigned char> missing;
};

std::string cellText(const BatchField& f, const py::handle& cell, bool& missing) {
    missing = false;
    if (cell.is_none()) {
        missing = true;
        return {};
    }
    if (py::isinstance<py::str>(cell)) return py::cast<std::string>(cell);
    if (py::isinstance<py::int_>(cell) && !py::isinstance<py::bool_>(cell))
        return std::to_string(py::cast<long long>(cell));
    if (py::hasattr(cell, "__float__")) {
        const double value = py::cast<double>(py::float_(py::reinterpret_borrow<py::object>(cell)));
        if (std::isnan(value)) {
            missing = true;
            return {};
        }
        if (f.kind == BatchFieldKind::code && std::nearbyint(value) == value && std::fabs(value) < 1e9)
            return std::to_string(static_cast<long long>(value));
        return exactNumber(value);
    }
    return py::cast<std::string>(py::str(cell));
}

std::vector<FrameColumn> frameColumns(const py::dict& columns, std::size_t rows) {
    std::vector<FrameColumn> out;
    for (const auto& [key, values] : columns) {
        const std::string name = py::cast<std::string>(key);
        const int field = attributeField(name);
        if (field < 0) continue;
        FrameColumn c;
        c.field = field;
        const BatchField& f = batchFields[static_cast<std::size_t>(field)];
        if (py::isinstance<py::array>(values) && f.kind != BatchFieldKind::text && f.kind != BatchFieldKind::profile) {
            const auto array = py::cast<py::array_t<double, py::array::c_style | py::array::forcecast>>(values);
            if (static_cast<std::size_t>(array.size()) != rows) throw py::value_error(name + ": wrong number of rows");
            c.numeric = true;
            c.numbers.assign(array.data(), array.data() + rows);
        } else {
            const py::sequence cells = py::reinterpret_borrow<py::sequence>(values);
            if (cells.size() != rows) throw py::value_error(name + ": wrong number of rows");
            c.texts.resize(rows);
            c.missing.resize(rows);
            for (std::size_t r = 0; r < rows; ++r) {
                bool missing = false;
                c.texts[r] = cellText(f, cells[r], missing);
                c.missing[r] = missing ? 1 : 0;
            }
        }
        out.push_back(std::move(c));
    }
    return out;
}

// The fields of row r over the new case's; the fault of a cell that gives none.
std::string rowFields(const std::vector<FrameColumn>& columns, std::size_t r, CaseFields& fields) {
    for (const FrameColumn& c : columns) {
        const auto at = static_cast<std::size_t>(c.field);
        const BatchField& f = batchFields[at];
        if (c.numeric) {
            const double value = c.numbers[r];
            if (std::isnan(value)) return std::string(f.name) + ": no value";
            fields[at] = f.kind == BatchFieldKind::code && std::nearbyint(value) == value && std::fabs(value) < 1e9
                             ? std::to_string(static_cast<long long>(value))
                             : exactNumber(value);
            continue;
        }
        if (c.missing[r] && f.kind != BatchFieldKind::text) return std::string(f.name) + ": no value";
        const std::string& text = c.texts[r];
        if (f.kind != BatchFieldKind::profile) {
            fields[at] = text;
            continue;
        }
        const std::size_t space = text.find(' ');
        fields[at] = text.substr(0, space);
        std::size_t rest = space == std::string::npos ? text.size() : space;
        while (rest < text.size() && text[rest] == ' ') ++rest;
        fields[at + 1] = text.substr(rest);
    }
    return {};
}

// What one thread keeps from case to case.
struct Worker {
    explicit Worker(const Catalogue& catalogue) : reader("", DecimalMode::period, catalogue) {}
    BatchLineReader reader;
    BatchEntry entry;
    DesignCase dc;
    IgnoreWarnings warnings;
    CaseFields fields;
};

// Runs work(row, worker) for every row on `threads` threads, the rows handed out in blocks; the
// caller has released the interpreter.
template <class Work>
void onThreads(std::size_t rows, int threads, const Catalogue& catalogue, const CaseFields& defaults, Work&& work) {
    constexpr std::size_t block = 64;
    std::atomic<std::size_t> next{0};
    const auto run = [&] {
        Worker worker(catalogue);
        for (;;) {
            const std::size_t first = next.fetch_add(block);
            if (first >= rows) return;
            for (std::size_t r = first; r < std::min(rows, first + block); ++r) {
                worker.fields = defaults;
                work(r, worker);
            }
        }
    };
    const auto wanted = static_cast<std::size_t>(std::max(1, threads));
    const std::size_t count = std::min(wanted, (rows + block - 1) / block);
    std::vector<std::thread> pool;
    for (std::size_t t = 1; t < count; ++t) pool.emplace_back(run);
    run();
    for (std::thread& t : pool) t.join();
}

int threadsWanted(const py::object& threads) {
    if (!threads.is_none()) return std::clamp(py::cast<int>(threads), 1, 256);
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

// Reads row r's case into the worker's entry; the fault's text, or "".
std::string readRow(const std::vector<FrameColumn>& columns, std::size_t r, Worker& w) {
    std::string fault = rowFields(columns, r, w.fields);
    if (!fault.empty()) return fault;
    if (const auto error = readFields(w.fields, w.reader, static_cast<int>(r) + 1, w.entry)) return error->problem;
    return {};
}

struct RowResult {
    std::array<double, checkTable.size()> values{};
    double cFactor = notANumber;
    std::string verdict, governing, failed, stoppedIn, stopReason, error;
};

py::dict assessColumns(const py::dict& columns, std::size_t rows, const py::object& threads) {
    const std::shared_ptr<const Catalogue> catalogue = tables();
    const CaseFields defaults = newCaseFields(*catalogue);
    const std::vector<FrameColumn> cells = frameColumns(columns, rows);
    std::vector<RowResult> results(rows);
    {
        const py::gil_scoped_release released;
        onThreads(rows, threadsWanted(threads), *catalogue, defaults, [&](std::size_t r, Worker& w) {
            RowResult& out = results[r];
            out.values.fill(notANumber);
            out.error = readRow(cells, r, w);
            if (!out.error.empty()) return;
            runBatchCaseForResults(w.entry, w.dc, *catalogue, w.warnings);
            for (std::size_t i = 0; i < checkTable.size(); ++i)
                if (resultState(w.dc.uf, checkTable[i]) == ResultState::computed)
                    out.values[i] = writtenResult(w.dc.uf, checkTable[i]);
            out.cFactor = w.dc.cStiffener;
            const CaseVerdict verdict = caseVerdict(w.dc);
            out.verdict = verdictText(verdict.verdict());
            out.governing = verdict.governing(~FailedChecks{});
            out.failed = failedText(verdict.failed);
            out.stoppedIn = w.dc.fault.step;
            out.stopReason = w.dc.fault.reason;
        });
    }
    py::dict out;
    const auto numbers = [&](const auto& get) {
        py::array_t<double> array(static_cast<py::ssize_t>(rows));
        double* data = array.mutable_data();
        for (std::size_t r = 0; r < rows; ++r) data[r] = get(results[r]);
        return array;
    };
    const auto texts = [&](std::string RowResult::*member) {
        py::list list(rows);
        for (std::size_t r = 0; r < rows; ++r) {
            const std::string& text = results[r].*member;
            list[r] = text.empty() ? py::object(py::none()) : py::object(py::str(text));
        }
        return list;
    };
    out["C-factor"] = numbers([](const RowResult& r) { return r.cFactor; });
    for (std::size_t i = 0; i < checkTable.size(); ++i)
        out[checkTable[i].heading] = numbers([i](const RowResult& r) { return r.values[i]; });
    out["verdict"] = texts(&RowResult::verdict);
    out["governing"] = texts(&RowResult::governing);
    out["failed"] = texts(&RowResult::failed);
    out["stopped_in"] = texts(&RowResult::stoppedIn);
    out["stop_reason"] = texts(&RowResult::stopReason);
    out["error"] = texts(&RowResult::error);
    return out;
}

// The envelope table of the frame's panels, as korvel-batch --envelope writes it.
std::string envelopeText(const py::dict& columns, std::size_t rows, const py::object& threads) {
    const std::shared_ptr<const Catalogue> catalogue = tables();
    const CaseFields defaults = newCaseFields(*catalogue);
    const std::vector<FrameColumn> cells = frameColumns(columns, rows);
    struct Done {
        std::string project, identification, error;
        CaseOutcome outcome;
    };
    std::vector<Done> done(rows);
    {
        const py::gil_scoped_release released;
        onThreads(rows, threadsWanted(threads), *catalogue, defaults, [&](std::size_t r, Worker& w) {
            done[r].error = readRow(cells, r, w);
            if (!done[r].error.empty()) return;
            runBatchCaseForResults(w.entry, w.dc, *catalogue, w.warnings);
            done[r] = {w.dc.projectName, w.dc.identification, {}, caseOutcome(w.dc)};
        });
    }
    EnvelopeBuilder envelope;
    for (std::size_t r = 0; r < rows; ++r) {
        if (!done[r].error.empty())
            raiseInputError("row " + std::to_string(r) + ": " + done[r].error, faultField(done[r].error));
        envelope.add(done[r].project, done[r].identification, done[r].outcome);
    }
    std::string text = envelopeHeader();
    for (const PanelEnvelope& panel : envelope.panels()) appendEnvelopeRow(text, panel);
    return text;
}

} // namespace

void bindFrames(py::module_& m) {
    m.def("_assess_columns", &assessColumns, py::arg("columns"), py::arg("rows"), py::arg("threads") = py::none());
    m.def("_envelope_text", &envelopeText, py::arg("columns"), py::arg("rows"), py::arg("threads") = py::none());
}

} // namespace korvel::python
