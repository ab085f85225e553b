#include "fe/fe_import.h"

#include "design/number_format.h"
#include "design/number_parser.h"
#include "fe/fit_plot.h"
#include "fe/line_fit.h"
#include "fe/panel_stresses.h"
#include "fe/stress_table.h"
#include "files/batch_case.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <unordered_map>

namespace korvel {

namespace {

namespace fs = std::filesystem;

// The faulty rows listed one by one; beyond this they are counted.
constexpr int listedRowErrors = 20;
// Coordinates closer than this (mm) are one line: no gradient can be fitted across them.
constexpr double oneLineSpread = 1e-6;

// A panel ready to take its elements.
struct PanelJob {
    const PanelLine* panel = nullptr;
    CaseInputs inputs;
    PanelField field;
    std::string fault; // why the panel cannot be placed
    std::size_t store = 0;
};

// A stress as the batch file holds it: rounded to 0.01 MPa on its decimal text, then read into
// the field's precision.
double toHundredths(double v, Precision precision) {
    return readFileNumber(formatNumber(v, "0.00"), precision).value;
}

std::string fileSafe(const std::string& text) {
    std::string out;
    for (const char c : text)
        out += (std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '.') ? c : '_';
    return out;
}

std::string auditNumber(double v) {
    return formatNumber(v, "0.00");
}

// The weighted least-squares results of one panel under one combination, or the fault.
struct Reduction {
    PanelCaseResult result;
    FitPlotData plot;
    std::string fault;
};

class PanelReducer {
public:
    PanelReducer(const PanelJob& job, const PanelStore& store, const std::vector<std::string>& lcNames)
        : job_(job), store_(store) {
        const double xMid = job.field.L1 / 2, yMid = job.field.s / 2;
        double xMin = 1e300, xMax = -1e300, yMin = 1e300, yMax = -1e300;
        for (const PanelMember& m : store.members) {
            alongY_.add(m.area, m.y - yMid);
            alongX_.add(m.area, m.x - xMid);
            xMin = std::min(xMin, m.x);
            xMax = std::max(xMax, m.x);
            yMin = std::min(yMin, m.y);
            yMax = std::max(yMax, m.y);
        }
        oneY_ = yMax - yMin <= oneLineSpread;
        oneX_ = xMax - xMin <= oneLineSpread;
        // Per load case: the element membranes and their sums, formed once for every combination.
        membranes_.resize(lcNames.size());
        sums_.resize(lcNames.size());
        faults_.resize(lcNames.size());
        for (std::size_t lc = 0; lc < lcNames.size(); ++lc) {
            const std::vector<LayerSlot>* slots = lc < store.byLc.size() ? &store.byLc[lc] : nullptr;
            for (std::size_t i = 0; i < store.members.size() && faults_[lc].empty(); ++i) {
                const PanelMember& m = store.members[i];
                const Membrane mem = slots && i < slots->size() ? membraneOf((*slots)[i]) : Membrane{{}, "no row"};
                if (!mem.fault.empty()) {
                    faults_[lc] = "element " + std::to_string(m.elem) + ", load case " + lcNames[lc] + ": " + mem.fault;
                    break;
                }
                membranes_[lc].push_back(mem.s);
                sums_[lc][0].add(m.area, m.y - yMid, mem.s.sx);
                sums_[lc][1].add(m.area, m.x - xMid, mem.s.sy);
                sums_[lc][2].add(m.area, 0, mem.s.txy);
            }
        }
    }

    Reduction reduce(const Combination& c, const std::vector<double>& factors) const {
        Reduction r;
        const PanelField& f = job_.field;
        std::array<StressSums, 3> sums{};
        for (std::size_t lc = 0; lc < factors.size(); ++lc) {
            if (factors[lc] == 0) continue;
            if (!faults_[lc].empty()) {
                r.fault = faults_[lc];
                return r;
            }
            for (std::size_t k = 0; k < 3; ++k) sums[k].addScaled(sums_[lc][k], factors[lc]);
        }
        const FitLine lx = fitLine(alongY_, sums[0], oneY_);
        const FitLine ly = fitLine(alongX_, sums[1], oneX_);
        const FitLine lt = fitLine(alongY_, sums[2], true);
        PanelCaseResult& out = r.result;
        out.panel = job_.panel->name;
        out.combination = c.name;
        out.elements = static_cast<int>(store_.members.size());
        out.coverage = alongY_.w / (f.s * f.L1);
        out.SigxA = lx.at(-f.s / 2);
        out.SigxB = lx.at(f.s / 2);
        out.SigyA = ly.at(-f.L1 / 2);
        out.SigyC = ly.at(f.L1 / 2);
        out.Tau = lt.a;

        // Residuals and the plot, element by element.
        std::array<double, 3> squares{};
        std::array<Residual*, 3> res{&out.sx, &out.sy, &out.tau};
        for (std::size_t i = 0; i < store_.members.size(); ++i) {
            const PanelMember& m = store_.members[i];
            PlaneStress s;
            for (std::size_t lc = 0; lc < factors.size(); ++lc) {
                if (factors[lc] == 0) continue;
                const PlaneStress& e = membranes_[lc][i];
                s = {s.sx + factors[lc] * e.sx, s.sy + factors[lc] * e.sy, s.txy + factors[lc] * e.txy};
            }
            const std::array<double, 3> d{s.sx - lx.at(m.y - f.s / 2), s.sy - ly.at(m.x - f.L1 / 2), s.txy - lt.a};
            for (std::size_t k = 0; k < 3; ++k) {
                squares[k] += m.area * d[k] * d[k];
                if (i == 0 || std::fabs(d[k]) > std::fabs(res[k]->largest)) {
                    res[k]->largest = d[k];
                    res[k]->elem = m.elem;
                }
            }
            r.plot.sxAlongY.push_back({m.y, s.sx});
            r.plot.syAlongX.push_back({m.x, s.sy});
        }
        for (std::size_t k = 0; k < 3; ++k) res[k]->rms = std::sqrt(squares[k] / alongY_.w);
        r.plot.title = out.panel + " / " + out.combination;
        r.plot.L1 = f.L1;
        r.plot.s = f.s;
        r.plot.SigxA = out.SigxA;
        r.plot.SigxB = out.SigxB;
        r.plot.SigyA = out.SigyA;
        r.plot.SigyC = out.SigyC;

        if (out.coverage < 0.9)
            out.warnings.push_back("area coverage " + formatNumber(out.coverage, "0.000") + " below 0.9");
        if (out.coverage > 1.1)
            out.warnings.push_back("area coverage " + formatNumber(out.coverage, "0.000") + " above 1.1");
        if (out.elements < 4) out.warnings.emplace_back("fewer than 4 elements");
        const auto shared =
            std::count_if(store_.members.begin(), store_.members.end(), [](const PanelMember& m) { return m.shared; });
        if (shared > 0) out.warnings.push_back(std::to_string(shared) + " elements inside another panel too");
        if (oneY_) out.warnings.emplace_back("the elements span one line in y: SigxA = SigxB, the weighted mean");
        if (oneX_) out.warnings.emplace_back("the elements span one line in x: SigyA = SigyC, the weighted mean");
        return r;
    }

private:
    const PanelJob& job_;
    const PanelStore& store_;
    PlaceSums alongY_, alongX_;
    bool oneY_ = false, oneX_ = false;
    std::vector<std::vector<PlaneStress>> membranes_; // [lc][member]
    std::vector<std::array<StressSums, 3>> sums_;     // [lc]: sx along y, sy along x, txy
    std::vector<std::string> faults_;                 // [lc]: why the load case cannot be used
};

void appendAuditRow(std::string& out, const PanelCaseResult& r) {
    out +=
        r.panel + '\t' + r.combination + '\t' + std::to_string(r.elements) + '\t' + formatNumber(r.coverage, "0.000");
    for (const double v : {r.SigxA, r.SigxB, r.SigyA, r.SigyC, r.Tau}) out += '\t' + auditNumber(v);
    for (const Residual* res : {&r.sx, &r.sy, &r.tau})
        out += '\t' + auditNumber(res->rms) + '\t' + auditNumber(res->largest) + '\t' + std::to_string(res->elem);
    out += '\t';
    for (std::size_t i = 0; i < r.warnings.size(); ++i) out += (i > 0 ? "; " : "") + r.warnings[i];
    out += '\n';
}

// Places each panel: its template case and its axes, or why it cannot be placed.
std::vector<PanelJob> placePanels(const std::vector<PanelLine>& panelLines, const BatchList& templates) {
    std::vector<PanelJob> jobs;
    for (const PanelLine& panel : panelLines) {
        std::string fault = panel.fault;
        const auto entry = std::find_if(templates.entries.begin(), templates.entries.end(), [&](const BatchEntry& e) {
            return e.isCase() && e.inputs.identification == panel.templateId;
        });
        const PanelPlacement placed = placePanel(panel.O, panel.Px, panel.Py);
        if (fault.empty() && entry == templates.entries.end())
            fault = "unknown template \"" + panel.templateId + "\" (no case of " + templates.path + " has it)";
        if (fault.empty() && placed.fault == AxisFault::pxOnO) fault = "degenerate axis: P_x lies on O";
        if (fault.empty() && placed.fault == AxisFault::pyOnXLine)
            fault = "degenerate axis: P_y lies on the line O-P_x";
        PanelJob job;
        job.panel = &panel;
        if (fault.empty()) {
            job.inputs = entry->inputs;
            job.field = {placed.axes, job.inputs.L1, job.inputs.s1 + job.inputs.s2};
            if (!(job.field.L1 > 0) || !(job.field.s > 0)) fault = "the template's L1 and s1 + s2 must be above 0";
        }
        job.fault = std::move(fault);
        jobs.push_back(std::move(job));
    }
    return jobs;
}

} // namespace

FeOutcome runFeImport(const FeRequest& request, const Catalogue& catalogue) {
    FeOutcome out;
    const auto wholeFileError = [&out](const BatchError& e) {
        out.errors.push_back(e.message());
        out.failed = true;
        out.nothing = true;
        return out;
    };
    BatchRead templates = readBatchFile(request.templateFile, DecimalMode::period, catalogue);
    if (const auto* e = std::get_if<BatchError>(&templates)) return wholeFileError(*e);
    auto panelLines = readPanelFile(request.panels);
    if (const auto* e = std::get_if<BatchError>(&panelLines)) return wholeFileError(*e);
    std::vector<Combination> combinations;
    if (!request.combinations.empty()) {
        auto read = readCombinationFile(request.combinations);
        if (const auto* e = std::get_if<BatchError>(&read)) return wholeFileError(*e);
        combinations = std::move(std::get<std::vector<Combination>>(read));
    }
    auto opened = StressTableReader::open(request.stresses);
    if (const auto* e = std::get_if<BatchError>(&opened)) return wholeFileError(*e);
    StressTableReader& table = std::get<StressTableReader>(opened);

    std::vector<PanelJob> jobs =
        placePanels(std::get<std::vector<PanelLine>>(panelLines), std::get<BatchList>(templates));
    std::vector<PanelField> fields;
    fields.reserve(jobs.size());
    for (PanelJob& job : jobs) {
        if (!job.fault.empty()) continue;
        job.store = fields.size();
        fields.push_back(job.field);
    }

    // The table, streamed: each row into the panels that hold it.
    PanelSorter sorter(fields, request.planeTolerance, table.layout());
    std::vector<std::string> lcNames;
    std::unordered_map<std::string, std::size_t> lcIndex;
    StressRow row;
    int rowErrors = 0;
    std::size_t lastLc = 0;
    for (StressTableReader::Next next = table.next(row); next != StressTableReader::Next::end; next = table.next(row)) {
        if (next == StressTableReader::Next::error) {
            if (++rowErrors <= listedRowErrors) out.errors.push_back(table.error().message());
            out.failed = true;
            continue;
        }
        if (lcNames.empty() || lcNames[lastLc] != row.lc) {
            const auto [it, added] = lcIndex.try_emplace(row.lc, lcNames.size());
            if (added) lcNames.push_back(row.lc);
            lastLc = it->second;
        }
        sorter.add(row, lastLc, table.fileName());
    }
    if (rowErrors > listedRowErrors)
        out.errors.push_back(table.fileName() + ": " + std::to_string(rowErrors - listedRowErrors) +
                             " more rows could not be read");

    // Without a combination file every load case stands for itself.
    if (request.combinations.empty())
        for (const std::string& lc : lcNames) combinations.push_back({0, lc, conditionA, 0, 0, {{lc, 1}}, {}});
    std::vector<std::vector<double>> factors;
    std::vector<const Combination*> usable;
    for (const Combination& c : combinations) {
        std::string fault = c.fault;
        std::vector<double> f(lcNames.size(), 0);
        for (const LoadTerm& t : c.terms) {
            const auto it = lcIndex.find(t.lc);
            if (it == lcIndex.end()) {
                if (fault.empty()) fault = "unknown load case \"" + t.lc + "\" (not in " + table.fileName() + ")";
                continue;
            }
            f[it->second] += t.factor;
        }
        if (!fault.empty()) {
            out.errors.push_back(request.combinations + ":" + std::to_string(c.line) + ": combination \"" + c.name +
                                 "\": " + fault);
            out.failed = true;
            continue;
        }
        usable.push_back(&c);
        factors.push_back(std::move(f));
    }

    out.kori = "% korvel-fe: " + fs::path(table.fileName()).filename().string() + ", panels of " +
               fs::path(request.panels).filename().string() + "\r\n";
    out.audit = "panel\tcombination\telements\tcoverage\tSigxA\tSigxB\tSigyA\tSigyC\tTau\trms sx\tlargest sx\t"
                "element sx\trms sy\tlargest sy\telement sy\trms tau\tlargest tau\telement tau\twarnings\n";
    for (const PanelJob& job : jobs) {
        const std::string where =
            request.panels + ":" + std::to_string(job.panel->line) + ": panel \"" + job.panel->name + "\": ";
        if (!job.fault.empty()) {
            out.errors.push_back(where + job.fault);
            out.failed = true;
            continue;
        }
        const PanelStore& store = sorter.stores()[job.store];
        if (store.members.empty() || !store.faults.empty()) {
            out.errors.push_back(where + (store.members.empty() ? "no element in its plate field"
                                                                : "rows it cannot use: " + store.faults.front()));
            for (std::size_t k = 1; k < store.faults.size() && k < listedRowErrors; ++k)
                out.errors.push_back(store.faults[k]);
            out.failed = true;
            continue;
        }
        const PanelReducer reducer(job, store, lcNames);
        for (std::size_t c = 0; c < usable.size(); ++c) {
            Reduction r = reducer.reduce(*usable[c], factors[c]);
            if (!r.fault.empty()) {
                out.errors.push_back(where + "combination \"" + usable[c]->name + "\": " + r.fault);
                out.failed = true;
                continue;
            }
            CaseInputs in = job.inputs;
            in.identification = job.panel->name + "/" + usable[c]->name;
            if (usable[c]->line > 0) {
                in.loadingCondition = usable[c]->condition;
                in.FS = usable[c]->FS;
                in.UF = usable[c]->UF;
            }
            in.SigxA = toHundredths(r.result.SigxA, Precision::real);
            in.SigxB = static_cast<float>(toHundredths(r.result.SigxB, Precision::single));
            in.SigyA = toHundredths(r.result.SigyA, Precision::real);
            in.SigyC = static_cast<float>(toHundredths(r.result.SigyC, Precision::single));
            in.Tau = static_cast<float>(toHundredths(r.result.Tau, Precision::single));
            if (!appendBatchCaseLine(out.kori, in, catalogue)) {
                out.errors.push_back(where + "its template's profile has no batch form");
                out.failed = true;
                continue;
            }
            appendAuditRow(out.audit, r.result);
            if (request.plots) out.plots.push_back({fileSafe(in.identification), fitPlotSvg(r.plot)});
            out.results.push_back(std::move(r.result));
        }
    }
    out.kori += batchEndLine;
    return out;
}

} // namespace korvel
