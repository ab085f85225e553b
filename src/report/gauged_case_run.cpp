#include "report/gauged_case_run.h"

namespace korvel {

bool runGaugedBatchCase(const BatchEntry& entry, DesignCase& dc, const Catalogue& catalogue, WarningSink& warnings,
                        const AssessOptions& options, const InputAdjustment& adjust) {
    if (!adjust) {
        runBatchCase(entry, dc, catalogue, warnings, options);
        return false;
    }
    bool changed = false;
    runAdjustedBatchCase(entry, dc, catalogue, warnings, options, [&](const BatchEntry& e, CaseInputs& inputs) {
        const CaseInputs asBuilt = inputs;
        std::string note = adjust(e, inputs);
        changed = !(inputs == asBuilt);
        return note;
    });
    return changed;
}

} // namespace korvel
