#pragma once

// The command line of korvel-study: the study, its arguments, the common options and the help.

#include "design/number_parser.h"
#include "studies/capacity_study.h"
#include "studies/lightest_study.h"
#include "studies/reserve_study.h"
#include "studies/sweep_study.h"
#include "studies/wastage_study.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace korvel {

enum class StudyKind { reserve, limit, lightest, sweep, capacity, wastage };

struct StudyOptions {
    StudyKind kind = StudyKind::reserve;
    std::string input;
    std::string output = "-"; // standard output unless -o
    std::string cases;        // --cases
    std::string envelope;     // reserve --envelope: one row per panel
    std::string dataFolder;
    DecimalMode mode = DecimalMode::period;
    int threads = 1;
    bool help = false;
    bool version = false;

    LimitRequest limit;
    SweepRequest sweep;
    CapacityRequest capacity;
    int top = 1;
    bool girder = false; // lightest: the girder instead of the stiffener
    std::vector<Family> families = allFamilies();
    // wastage: the members, on one basis
    std::vector<Member> members{allMembers.begin(), allMembers.end()};
    WastageBasis basis = WastageBasis::strength;
};

extern const char* const studyHelpText;

// The options, or the reason they are wrong. `cores` is the default number of threads.
std::variant<StudyOptions, std::string> parseStudyOptions(const std::vector<std::string>& args, int cores);

} // namespace korvel
