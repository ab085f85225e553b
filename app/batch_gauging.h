#pragma once

// korvel-batch --gauging: the thicknesses a survey measured, given to each case they gauge before
// it is calculated, and the warnings of a survey file that does not fit the batch file.

#include "design/catalogue.h"
#include "files/batch_run.h"
#include "files/batch_stream_run.h"
#include "files/gauging_file.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace korvel {

class BatchGauging {
public:
    // Reads the survey file; its error is printed and nullopt returned. A case gauged twice is
    // warned of at once (the first line is used).
    static std::optional<BatchGauging> read(const std::string& file);

    // The adjustment that gives a gauged case its measured thicknesses; the catalogue must outlive
    // it. Used on the worker threads: it only reads.
    InputAdjustment adjustment(const Catalogue& catalogue) const;
    // With JSON rows: a gauged case's object also carries its as-built utilisations.
    void addAsBuilt(BatchRowFormat& format, const Catalogue& catalogue) const;
    // Notes, in input order, that a case was run (its gauging, if any, was used).
    void caseRun(const BatchEntry& entry);
    // "FILE:LINE: gauging of "X" matches no case", for every line no case used.
    std::vector<std::string> unused() const;

private:
    const Gauging* of(const BatchEntry& entry) const;

    std::string file_;
    std::vector<Gauging> rows_;
    std::unordered_map<std::string, std::size_t> byIdentification_;
    std::vector<bool> used_;
};

} // namespace korvel
