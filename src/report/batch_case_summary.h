#pragma once

// One line of a batch report's summary: a case with its identification, stiffener, girder, its
// highest utilisation and that check, the checks it failed, its verdict and, when its
// calculation stopped, where; or a comment line of the input, shown as a section heading.

#include "checks/failed_checks.h"
#include "design/check_table.h"
#include "design/design_case.h"
#include "files/batch_file.h"

#include <cstdint>
#include <string>

namespace korvel {

struct BatchCaseSummary {
    bool comment = false;
    std::string text; // a comment's text
    std::int64_t caseNumber = 0;
    int line = 0;
    std::string project;
    std::string identification;
    std::string stiffener; // designation: "L 200x90x9x12", with the separator it was summarised with
    std::string girder;
    const CheckFacts* highestCheck = nullptr; // none when no utilisation was computed
    double highest = 0;                       // as the results table writes it
    FailedChecks failed;
    Verdict verdict = Verdict::ok;
    std::string stoppedIn; // the step the calculation stopped in; empty when it ran to the end

    // "0.53" ("0,53") in the mask of its check; "-" when none was computed.
    std::string highestText(char decimalSeparator = '.') const;
    // "UFpb, girder depth"; empty when none failed.
    std::string failedText() const;
};

// The designations are written with `decimalSeparator`: the report's when it is for the page.
BatchCaseSummary summarizeCase(const BatchEntry& entry, std::int64_t caseNumber, const DesignCase& dc,
                               char decimalSeparator = '.');
BatchCaseSummary summarizeComment(const BatchEntry& entry);

} // namespace korvel
