#pragma once

// The typed numbers of a case, each written once: its symbol, where the case holds it and in
// which precision, its unit, the mask its box shows it with, the limits its box tests, its field
// of a batch line, its line of a project file and whether a design study may vary it. Every
// reader and writer, every box and limit test, every study and the detail listing read this
// table: a new input is a row here plus the checks that use it.

#include "design/design_case.h"
#include "design/input_box.h"

#include <array>
#include <cstddef>

namespace korvel {

enum class LimitTest {
    never,         // stresses and pressures: any value is accepted
    atLeast,       // fails when value < low (compared in double precision)
    between,       // fails when value < low or value > high
    betweenSingle, // as between, compared in single precision (FS, UF: 0.6 itself passes)
};

// Where a case holds a field. The precision is the calculation's: a field it has always computed
// with in single precision is a float, and its digits enter the results (FS = 1.43 is the float
// nearest 1.43, and the utilisations are compared digit by digit), so it must not be widened
// early; the others are doubles. Every reader stores through here, so the same text gives the
// same bits whether it was typed in a box, read from a batch line or from a project file.
struct FieldMember {
    double CaseInputs::*real = nullptr;
    float CaseInputs::*single = nullptr;

    constexpr FieldMember(double CaseInputs::*m) : real(m) {}  // NOLINT(google-explicit-constructor)
    constexpr FieldMember(float CaseInputs::*m) : single(m) {} // NOLINT(google-explicit-constructor)

    bool isSingle() const { return single != nullptr; }
    double get(const CaseInputs& c) const { return real ? c.*real : static_cast<double>(c.*single); }
    // Stores `value` in the field's precision and returns what the case now holds. A single-
    // precision field takes only values within the float range (the readers refuse others first).
    double set(CaseInputs& c, double value) const {
        if (real) return c.*real = value;
        return static_cast<double>(c.*single = static_cast<float>(value));
    }
    // Calls `f` with the field's value in its own precision (a formatter writes a float as the
    // float it is, not as the double that widens it).
    template <class F>
    decltype(auto) visit(const CaseInputs& c, F&& f) const {
        return real ? f(c.*real) : f(c.*single);
    }
};

// What a design study does with a field.
enum class StudyUse {
    none, // a study may not vary it
    vary, // a study may vary it
    load, // a study may vary it, and a load factor scales it with the other loads
};

struct InputField {
    const char* symbol; // as engineers write it, and as the batch header, JSON and studies name it
    InputBox box;       // the window's box
    FieldMember member;
    const char* unit; // "mm", "MPa", "m" or "" (factors)
    const char* mask; // the display mask of its box

    // The box's limits. Out-of-limit values are warned about, never refused.
    LimitTest test;
    double low;
    double high;
    const char* warning; // warning text, blanks as shown to the user
    bool focusBack;      // whether the focus returns to the box after the warning

    // Where the files hold it; -1 for a field a batch line or a project file does not hold.
    int batchField;          // field of a batch line, counting from 0
    const char* batchName;   // how the batch reader's messages name it
    int projectLine;         // line of a project file in its current layout, counting from 1
    bool inOlderProjects;    // whether the older project layout has the line too
    const char* projectName; // how the project reader's messages name it
    StudyUse study;
};

inline constexpr double noLimit = 0;

// In the order a study lists the fields it may vary: geometry, safety format, strengths, the unit
// length, then the loads.
// clang-format off
inline constexpr std::array<InputField, 23> inputFields = {{
    // symbol  box               member              unit   mask     limit test             low   high  warning                   focus  batch  name                            line  older  project name      study
    {"t",     InputBox::t,     &CaseInputs::t,     "mm",  "#0.0",   LimitTest::atLeast,    0.1,  noLimit, " 0.1 <= t ",           true,  22, "t",                            30, true,  "t",              StudyUse::vary},
    {"s1",    InputBox::s1,    &CaseInputs::s1,    "mm",  "#00",    LimitTest::atLeast,    10,   noLimit, " 10 <= s1  ",          true,  23, "s1",                           23, true,  "s1",             StudyUse::vary},
    {"s2",    InputBox::s2,    &CaseInputs::s2,    "mm",  "#00",    LimitTest::atLeast,    10,   noLimit, " 10 <= s2  ",          true,  24, "s2",                           24, true,  "s2",             StudyUse::vary},
    {"L1",    InputBox::L1,    &CaseInputs::L1,    "mm",  "#00",    LimitTest::atLeast,    50,   noLimit, " L1 >= 50 ",           true,  17, "L1",                           25, true,  "L1",             StudyUse::vary},
    {"L2",    InputBox::L2,    &CaseInputs::L2,    "mm",  "#00",    LimitTest::atLeast,    50,   noLimit, " L2 >= 50 ",           true,  18, "L2",                           26, false, "L2",             StudyUse::vary},
    {"Lg",    InputBox::Lg,    &CaseInputs::Lg,    "mm",  "#00",    LimitTest::atLeast,    1000, noLimit, " 1000 <= Lg  ",        true,  19, "Lg",                           27, false, "Lg",             StudyUse::vary},
    {"Lgs",   InputBox::Lgs,   &CaseInputs::Lgs,   "mm",  "#00",    LimitTest::atLeast,    1000, noLimit, " 1000 <= Lgs  ",       false, 20, "Lgs",                          28, false, "Lgs",            StudyUse::vary},
    {"Lt",    InputBox::Lt,    &CaseInputs::Lt,    "mm",  "#0",     LimitTest::atLeast,    400,  noLimit, " 400 <= Lt ",          true,  21, "Lt",                           29, false, "Lt",             StudyUse::vary},
    {"FS",    InputBox::FS,    &CaseInputs::FS,    "",    "#0.00",  LimitTest::betweenSingle, 0.6, 2,     " 0.6 <= FS <= 2 ",     true,  3,  "FS",                           16, true,  "FS",             StudyUse::vary},
    {"UF",    InputBox::UF,    &CaseInputs::UF,    "",    "#0.00",  LimitTest::betweenSingle, 0.6, 2,     " 0.6 <= UF <= 2 ",     true,  4,  "allowable utilisation factor", 17, true,  "UF",             StudyUse::vary},
    {"Fyp",   InputBox::Fyp,   &CaseInputs::Fyp,   "MPa", "#00",    LimitTest::between,    50,   2000,    " 50 <= fyp <= 2000 ",  true,  5,  "Fyp",                          18, true,  "Fyp",            StudyUse::vary},
    {"Fup",   InputBox::Fup,   &CaseInputs::Fup,   "MPa", "#00",    LimitTest::between,    50,   2000,    " 50 <= Fup <= 2000 ",  true,  6,  "Fup",                          19, true,  "Fup",            StudyUse::none},
    {"Fys",   InputBox::Fys,   &CaseInputs::Fys,   "MPa", "#00",    LimitTest::between,    50,   2000,    " 50 <= fys <= 2000 ",  true,  7,  "Fys",                          20, true,  "Fys",            StudyUse::vary},
    {"Fus",   InputBox::Fus,   &CaseInputs::Fus,   "MPa", "#00",    LimitTest::between,    50,   2000,    " 50 <= Fus <= 2000 ",  true,  8,  "Fus",                          21, true,  "Fus",            StudyUse::none},
    {"E",     InputBox::E,     &CaseInputs::E,     "MPa", "0.00E+0", LimitTest::atLeast,   1000, noLimit, " 1000 <= E-modulus ",  true,  9,  "E",                            22, true,  "E",              StudyUse::none},
    {"UL",    InputBox::UL,    &CaseInputs::UL,    "m",   "#0",     LimitTest::between,    5,    600,     " 5 < unit length < 600 ", true, 11, "unit length UL",             15, true,  "unit length UL", StudyUse::none},
    {"SigxA", InputBox::SigxA, &CaseInputs::SigxA, "MPa", "##0.0",  LimitTest::never,      noLimit, noLimit, "",                  false, 25, "SigxA",                        31, true,  "SigxA",          StudyUse::load},
    {"SigxB", InputBox::SigxB, &CaseInputs::SigxB, "MPa", "##0.0",  LimitTest::never,      noLimit, noLimit, "",                  false, 26, "SigxB",                        32, true,  "SigxB",          StudyUse::load},
    {"SigyA", InputBox::SigyA, &CaseInputs::SigyA, "MPa", "##0.0",  LimitTest::never,      noLimit, noLimit, "",                  false, 27, "SigyA",                        33, true,  "SigyA",          StudyUse::load},
    {"SigyC", InputBox::SigyC, &CaseInputs::SigyC, "MPa", "##0.0",  LimitTest::never,      noLimit, noLimit, "",                  false, 28, "SigyC",                        34, true,  "SigyC",          StudyUse::load},
    {"Tau",   InputBox::Tau,   &CaseInputs::Tau,   "MPa", "##0.0",  LimitTest::never,      noLimit, noLimit, "",                  false, 29, "Tau",                          35, true,  "Tau",            StudyUse::load},
    {"p",     InputBox::p,     &CaseInputs::p,     "MPa", "##0.000", LimitTest::never,     noLimit, noLimit, "",                  false, 30, "p",                            36, true,  "p",              StudyUse::load},
    {"ps",    InputBox::ps,    &CaseInputs::ps,    "MPa", "##0.000", LimitTest::never,     noLimit, noLimit, "",                  false, 31, "ps",                           37, false, "ps",             StudyUse::load},
}};
// clang-format on

// The field of a box; nullptr for the boxes of texts (project name, identification) and none.
const InputField* findInputField(InputBox box);
// The same, for tables resolved when the program is built.
constexpr const InputField* inputFieldOf(InputBox box) {
    for (const InputField& f : inputFields)
        if (f.box == box) return &f;
    return nullptr;
}
// The field of a symbol (exactly as written); nullptr when no field has it.
const InputField* findInputField(std::string_view symbol);
// The field of a project file's line (current layout); nullptr for the other lines.
const InputField* inputFieldAtProjectLine(int line);

// The value a box shows, read from the case; 0 for a box without a number.
double inputValue(const CaseInputs& c, InputBox box);

} // namespace korvel
