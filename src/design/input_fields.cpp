#include "design/input_fields.h"

#include <algorithm>

namespace korvel {

namespace {

template <class Match>
const InputField* findField(Match&& match) {
    const auto it = std::find_if(inputFields.begin(), inputFields.end(), match);
    return it == inputFields.end() ? nullptr : &*it;
}

// The field of each box, by the box's number: the studies look fields up by box in their loops.
constexpr std::size_t boxSlots = [] {
    std::size_t slots = 0;
    for (const InputField& f : inputFields) slots = std::max(slots, static_cast<std::size_t>(f.box) + 1);
    return slots;
}();
constexpr std::array<const InputField*, boxSlots> fieldOfBox = [] {
    std::array<const InputField*, boxSlots> byBox{};
    for (const InputField& f : inputFields) byBox[static_cast<std::size_t>(f.box)] = &f;
    return byBox;
}();

} // namespace

const InputField* findInputField(InputBox box) {
    const auto slot = static_cast<std::size_t>(box);
    return slot < fieldOfBox.size() ? fieldOfBox[slot] : nullptr;
}

const InputField* findInputField(std::string_view symbol) {
    return findField([symbol](const InputField& f) { return symbol == f.symbol; });
}

const InputField* inputFieldAtProjectLine(int line) {
    return findField([line](const InputField& f) { return f.projectLine == line; });
}

double inputValue(const CaseInputs& c, InputBox box) {
    const InputField* field = findInputField(box);
    return field ? field->member.get(c) : 0;
}

} // namespace korvel
