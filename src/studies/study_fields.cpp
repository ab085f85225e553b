#include "studies/study_fields.h"

#include "design/input_fields.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace korvel {

namespace {

constexpr double lowest = -std::numeric_limits<double>::max();
constexpr double highest = std::numeric_limits<double>::max();

// A field a study may vary, with the range its box accepts.
StudyField studyField(const InputField& field) {
    StudyField f{field.symbol, field.study == StudyUse::load, field.member, lowest, highest, false};
    switch (field.test) {
    case LimitTest::never:
        break;
    case LimitTest::atLeast:
        f.low = field.low;
        break;
    case LimitTest::betweenSingle:
        f.singleLimits = true;
        f.low = field.low;
        f.high = field.high;
        break;
    case LimitTest::between:
        f.low = field.low;
        f.high = field.high;
        break;
    }
    return f;
}

} // namespace

const std::vector<StudyField>& studyFields() {
    static const std::vector<StudyField> fields = [] {
        std::vector<StudyField> list;
        for (const InputField& field : inputFields)
            if (field.study != StudyUse::none) list.push_back(studyField(field));
        return list;
    }();
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
    return f.member.get(c);
}

double setField(CaseInputs& c, const StudyField& f, double value) {
    return f.member.set(c, value);
}

bool withinLimits(const StudyField& f, double value) {
    if (f.singleLimits) {
        const auto v = static_cast<float>(value);
        return v >= static_cast<float>(f.low) && v <= static_cast<float>(f.high);
    }
    return value >= f.low && value <= f.high;
}

namespace {

// The fields a load group sets to one value: the stress at both ends of its side, or the
// pressure on both sides. In the order of LoadGroup.
struct LoadGroupFacts {
    LoadGroup group;
    const char* name;
    const InputField* first;
    const InputField* second; // nullptr when the group is one field
};
constexpr LoadGroupFacts loadGroups[] = {
    {LoadGroup::sigx, "sigx", inputFieldOf(InputBox::SigxA), inputFieldOf(InputBox::SigxB)},
    {LoadGroup::sigy, "sigy", inputFieldOf(InputBox::SigyA), inputFieldOf(InputBox::SigyC)},
    {LoadGroup::tau, "tau", inputFieldOf(InputBox::Tau), nullptr},
    {LoadGroup::p, "p", inputFieldOf(InputBox::p), inputFieldOf(InputBox::ps)},
};

constexpr bool groupsInOrder() {
    for (std::size_t i = 0; i < std::size(loadGroups); ++i)
        if (static_cast<std::size_t>(loadGroups[i].group) != i) return false;
    return true;
}
static_assert(groupsInOrder(), "a load group's row stands at its position");

const LoadGroupFacts& factsOf(LoadGroup g) {
    return loadGroups[static_cast<std::size_t>(g)];
}

} // namespace

std::optional<LoadGroup> findLoadGroup(std::string_view name) {
    for (const LoadGroupFacts& facts : loadGroups)
        if (name == facts.name) return facts.group;
    return std::nullopt;
}

const char* loadGroupName(LoadGroup g) {
    return factsOf(g).name;
}

double groupValue(const CaseInputs& c, LoadGroup g) {
    return factsOf(g).first->member.get(c);
}

void setGroup(CaseInputs& c, LoadGroup g, double value) {
    const LoadGroupFacts& facts = factsOf(g);
    facts.first->member.set(c, value);
    if (facts.second) facts.second->member.set(c, value);
}

void scaleLoads(CaseInputs& c, const CaseInputs& base, double lambda) {
    for (const InputField& field : inputFields)
        if (field.study == StudyUse::load) field.member.set(c, field.member.get(base) * lambda);
}

} // namespace korvel
