#include "design/input_fields.h"

#include <algorithm>

namespace korvel {

namespace {

template <class Match>
const InputField* findField(Match&& match) {
    const auto it = std::find_if(inputFields.begin(), inputFields.end(), match);
    return it == inputFields.end() ? nullptr : &*it;
}

} // namespace

const InputField* findInputField(InputBox box) {
    if (box == InputBox::none) return nullptr;
    return findField([box](const InputField& f) { return f.box == box; });
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
