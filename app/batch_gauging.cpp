#include "batch_gauging.h"

#include "design/warning_sink.h"
#include "report/case_json.h"
#include "studies/wastage_study.h"

#include <iostream>

namespace korvel {

std::optional<BatchGauging> BatchGauging::read(const std::string& file) {
    GaugingRead read = readGaugingFile(file);
    if (const auto* error = std::get_if<GaugingError>(&read)) {
        std::cerr << error->message() << '\n';
        return std::nullopt;
    }
    BatchGauging g;
    g.file_ = file;
    g.rows_ = std::move(std::get<std::vector<Gauging>>(read));
    g.used_.assign(g.rows_.size(), false);
    for (std::size_t i = 0; i < g.rows_.size(); ++i) {
        const auto [at, added] = g.byIdentification_.try_emplace(g.rows_[i].identification, i);
        if (!added)
            std::cerr << file << ":" << g.rows_[i].line << ": warning: case \"" << g.rows_[i].identification
                      << "\" is gauged twice; the gauging of line " << g.rows_[at->second].line << " is used\n";
    }
    return g;
}

const Gauging* BatchGauging::of(const BatchEntry& entry) const {
    const auto at = byIdentification_.find(entry.inputs.identification);
    return at == byIdentification_.end() ? nullptr : &rows_[at->second];
}

InputAdjustment BatchGauging::adjustment(const Catalogue& catalogue) const {
    return [this, &catalogue](const BatchEntry& entry, CaseInputs& inputs) -> std::string {
        const Gauging* g = of(entry);
        if (!g) return {};
        GaugedCase gauged = gaugedCase(inputs, g->thickness, catalogue);
        if (!gauged.inputs)
            return file_ + ":" + std::to_string(g->line) + ": " + gauged.problem + "; the case is run as built";
        inputs = std::move(*gauged.inputs);
        return {};
    };
}

void BatchGauging::addAsBuilt(BatchRowFormat& format, const Catalogue& catalogue) const {
    const auto gaugedRows = format.caseRows;
    if (!gaugedRows) return;
    format.caseRows = [this, gaugedRows, &catalogue](std::string& out, const BatchEntry& entry, std::int64_t n,
                                                     DesignCase& dc) {
        gaugedRows(out, entry, n, dc);
        if (!of(entry) || out.size() < 2) return;
        // The as-built case in a design case of this thread's own, its warnings given already.
        thread_local DesignCase asBuilt;
        IgnoreWarnings given;
        runBatchCaseForResults(entry, asBuilt, catalogue, given);
        out.resize(out.size() - 2); // the object's closing brace and line feed
        out += ',';
        appendAsBuiltJson(out, asBuilt);
        out += "}\n";
    };
}

void BatchGauging::caseRun(const BatchEntry& entry) {
    const auto at = byIdentification_.find(entry.inputs.identification);
    if (at != byIdentification_.end()) used_[at->second] = true;
}

std::vector<std::string> BatchGauging::unused() const {
    std::vector<std::string> notes;
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (!used_[i] && byIdentification_.at(rows_[i].identification) == i)
            notes.push_back(file_ + ":" + std::to_string(rows_[i].line) + ": warning: gauging of \"" +
                            rows_[i].identification + "\" matches no case");
    return notes;
}

} // namespace korvel
