#include "studies/study_fields.h"

#include "design/input_limits.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace korvel {

namespace {

constexpr double lowest = -std::numeric_limits<double>::max();
constexpr double highest = std::numeric_limits<double>::max();

// The box limits of a field, read from the table of input limits.
StudyField withLimits(StudyField f) {
    f.low = lowest;
    f.high = highest;
    f.singleLimits = false;
    for (const InputLimit& limit : inputLimits()) {
        if (std::strcmp(limit.field, f.name) != 0) continue;
        switch (limit.test) {
        case LimitTest::never:
            break;
        case LimitTest::atLeast:
            f.low = limit.low;
            break;
        case LimitTest::betweenSingle:
            f.singleLimits = true;
            f.low = limit.low;
            f.high = limit.high;
            break;
        case LimitTest::between:
            f.low = limit.low;
            f.high = limit.high;
            break;
        }
    }
    return f;
}

StudyField real(const char* name, double CaseInputs::*m, bool load = false) {
    return withLimits({name, load, m, nullptr, 0, 0, false});
}
StudyField single(const char* name, float CaseInputs::*m, bool load = false) {
    return withLimits({name, load, nullptr, m, 0, 0, false});
}

} // namespace

const std::vector<StudyField>& studyFields() {
    static const std::vector<StudyField> fields = {
        real("t", &CaseInputs::t),
        real("s1", &CaseInputs::s1),
        real("s2", &CaseInputs::s2),
        real("L1", &CaseInputs::L1),
        real("L2", &CaseInputs::L2),
        real("Lg", &CaseInputs::Lg),
        single("Lgs", &CaseInputs::Lgs),
        real("Lt", &CaseInputs::Lt),
        single("FS", &CaseInputs::FS),
        single("UF", &CaseInputs::UF),
        real("Fyp", &CaseInputs::Fyp),
        real("Fys", &CaseInputs::Fys),
        real("SigxA", &CaseInputs::SigxA, true),
        single("SigxB", &CaseInputs::SigxB, true),
        real("SigyA", &CaseInputs::SigyA, true),
        single("SigyC", &CaseInputs::SigyC, true),
        single("Tau", &CaseInputs::Tau, true),
        real("p", &CaseInputs::p, true),
        real("ps", &CaseInputs::ps, true),
    };
    return fields;
}

const StudyField* findStudyField(std::string_view name) {
    const auto& fields = studyFields();
    const auto it = std::find_if(fields.begin(), fields.end(), [&](const StudyField& f) { return name == f.name; });
    return it == fields.end() ? nullptr : &*it;
}

std::string studyFieldNames() {
    std::string out;
    for (const StudyField& f : studyFields()) out += (out.empty() ? "" : ", ") + std::string(f.name);
    return out;
}

double fieldValue(const CaseInputs& c, const StudyField& f) {
    return f.real ? c.*f.real : static_cast<double>(c.*f.single);
}

double setField(CaseInputs& c, const StudyField& f, double value) {
    if (f.real) return c.*f.real = value;
    return static_cast<double>(c.*f.single = static_cast<float>(value));
}

bool withinLimits(const StudyField& f, double value) {
    if (f.singleLimits) {
        const auto v = static_cast<float>(value);
        return v >= static_cast<float>(f.low) && v <= static_cast<float>(f.high);
    }
    return value >= f.low && value <= f.high;
}

std::optional<LoadGroup> findLoadGroup(std::string_view name) {
    for (const LoadGroup g : {LoadGroup::sigx, LoadGroup::sigy, LoadGroup::tau, LoadGroup::p})
        if (name == loadGroupName(g)) return g;
    return std::nullopt;
}

const char* loadGroupName(LoadGroup g) {
    switch (g) {
    case LoadGroup::sigx:
        return "sigx";
    case LoadGroup::sigy:
        return "sigy";
    case LoadGroup::tau:
        return "tau";
    case LoadGroup::p:
        return "p";
    }
    return "";
}

double groupValue(const CaseInputs& c, LoadGroup g) {
    switch (g) {
    case LoadGroup::sigx:
        return c.SigxA;
    case LoadGroup::sigy:
        return c.SigyA;
    case LoadGroup::tau:
        return c.Tau;
    case LoadGroup::p:
        return c.p;
    }
    return 0;
}

void setGroup(CaseInputs& c, LoadGroup g, double value) {
    switch (g) {
    case LoadGroup::sigx:
        c.SigxA = value;
        c.SigxB = static_cast<float>(value);
        break;
    case LoadGroup::sigy:
        c.SigyA = value;
        c.SigyC = static_cast<float>(value);
        break;
    case LoadGroup::tau:
        c.Tau = static_cast<float>(value);
        break;
    case LoadGroup::p:
        c.p = c.ps = value;
        break;
    }
}

void scaleLoads(CaseInputs& c, const CaseInputs& base, double lambda) {
    c.SigxA = base.SigxA * lambda;
    c.SigxB = static_cast<float>(static_cast<double>(base.SigxB) * lambda);
    c.SigyA = base.SigyA * lambda;
    c.SigyC = static_cast<float>(static_cast<double>(base.SigyC) * lambda);
    c.Tau = static_cast<float>(static_cast<double>(base.Tau) * lambda);
    c.p = base.p * lambda;
    c.ps = base.ps * lambda;
}

} // namespace korvel
