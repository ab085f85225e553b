#pragma once

// The thirteen utilisation checks as data: the symbol the formulas and --detail use, the heading
// of the results-table column, the rule clause, the listing that shows the check, and where its
// result is kept. Code that treats the checks alike reads this table instead of naming them.

#include "design/design_case.h"

#include <array>

namespace korvel {

enum class CheckId : int { UFpb, UFpu, UFpl, UFbu, UFbt, UFs, UFgbu, UFt, UFsm, UFgm, UFy, UFyp, UFys };

enum class ListingGroup { buckling, yieldAndScantlings };

struct CheckFacts {
    CheckId id;
    const char* symbol;  // "UFbu"
    const char* heading; // results-table column: "UFb"
    const char* clause;  // "3/5.1"; the scantling clauses follow the structure type
    ListingGroup group;
    const char* mask;                    // results-table format
    Utilisation<double> Results::*value; // where the result is kept ...
    Utilisation<float> Results::*single; // ... or, for a single-precision check, here
};

// clang-format off
inline constexpr std::array<CheckFacts, 13> checkTable = {{
    {CheckId::UFpb,  "UFpb",  "UFpb",  "3/3.1",     ListingGroup::buckling,           "0.00", &Results::UFpb, nullptr},
    {CheckId::UFpu,  "UFpu",  "UFpu",  "3/3.3",     ListingGroup::buckling,           "0.00", &Results::UFpu, nullptr},
    {CheckId::UFpl,  "UFpl",  "UFpl",  "3/3.5",     ListingGroup::buckling,           "0.00", &Results::UFpl, nullptr},
    {CheckId::UFbu,  "UFbu",  "UFb",   "3/5.1",     ListingGroup::buckling,           "0.00", &Results::UFbu, nullptr},
    {CheckId::UFbt,  "UFbt",  "UFbt",  "3/5.3",     ListingGroup::buckling,           "0.00", &Results::UFbt, nullptr},
    {CheckId::UFs,   "UFs",   "UFst",  "3/9.1",     ListingGroup::buckling,           "0.00", &Results::UFs,  nullptr},
    {CheckId::UFgbu, "UFgbu", "UFgbu", "3/5.7",     ListingGroup::buckling,           "0.00", nullptr, &Results::UFgbu},
    {CheckId::UFt,   "UFt",   "UFt",   "",          ListingGroup::yieldAndScantlings, "0.00", &Results::UFt,  nullptr},
    {CheckId::UFsm,  "UFsm",  "UFsm",  "",          ListingGroup::yieldAndScantlings, "0.00", &Results::UFsm, nullptr},
    {CheckId::UFgm,  "UFgm",  "UFgm",  "",          ListingGroup::yieldAndScantlings, "0.00", &Results::UFgm, nullptr},
    {CheckId::UFy,   "UFy",   "UFy",   "3-2-1/3.11", ListingGroup::yieldAndScantlings, "0.0#", &Results::UFy,  nullptr},
    {CheckId::UFyp,  "UFyp",  "UFyp",  "3-2-1/3.11", ListingGroup::yieldAndScantlings, "0.00", &Results::UFyp, nullptr},
    {CheckId::UFys,  "UFys",  "UFys",  "3-2-1/3.11", ListingGroup::yieldAndScantlings, "0.00", &Results::UFys, nullptr},
}};
// clang-format on

inline const CheckFacts& checkFacts(CheckId id) {
    return checkTable[static_cast<std::size_t>(id)];
}

// The result's state, and the number as files write it (the value or its marker), whatever
// precision the check computes in.
inline ResultState resultState(const Results& r, const CheckFacts& c) {
    return c.value ? (r.*c.value).state() : (r.*c.single).state();
}
inline double writtenResult(const Results& r, const CheckFacts& c) {
    return c.value ? (r.*c.value).written() : static_cast<double>((r.*c.single).written());
}

} // namespace korvel
