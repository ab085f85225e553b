#include "design/box_messages.h"

#include "design/input_limits.h"
#include "design/number_format.h"

#include <cctype>

namespace korvel {

namespace {

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

bool sameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Whether `symbol` stands in `message` as a word of its own (" s1 <= l1 " names s1 and L1).
bool namesSymbol(std::string_view message, std::string_view symbol) {
    std::size_t i = 0;
    while (i < message.size()) {
        while (i < message.size() && !std::isalnum(static_cast<unsigned char>(message[i]))) ++i;
        const std::size_t start = i;
        while (i < message.size() && std::isalnum(static_cast<unsigned char>(message[i]))) ++i;
        if (i > start && sameLetters(message.substr(start, i - start), symbol)) return true;
    }
    return false;
}

std::string shownValue(const DesignCase& dc, const InputField& limit, char separator) {
    return trimmed(boxText(inputValue(dc, limit.box), limit.mask, separator, &limit));
}

} // namespace

const char* inputUnit(InputBox box) {
    const InputField* field = findInputField(box);
    return field ? field->unit : "";
}

std::string namedBoxWarning(const DesignCase& dc, InputBox box, std::string_view message, char separator) {
    const InputField* limit = findInputField(box);
    if (limit == nullptr) return trimmed(message);
    std::string text = std::string(limit->symbol) + " = " + shownValue(dc, *limit, separator);
    const std::string unit = inputUnit(box);
    if (!unit.empty()) text += " " + unit;
    return text + ": " + trimmed(message);
}

std::string namedTextWarning(InputBox box, std::string_view typed, std::string_view message) {
    const InputField* limit = findInputField(box);
    if (limit == nullptr) return trimmed(message);
    // A long paste is cut: the message names the box, not the whole clipboard.
    constexpr std::size_t shown = 40;
    std::string value(typed.substr(0, shown));
    if (typed.size() > shown) value += "...";
    return std::string(limit->symbol) + " = \"" + value + "\": " + trimmed(message);
}

std::string warningValues(const DesignCase& dc, InputBox focus, std::string_view message) {
    std::string values;
    for (const InputField& field : inputFields) {
        if (field.box != focus && !namesSymbol(message, field.symbol)) continue;
        values += std::string(field.symbol) + "=" + formatNumber(field.member.get(dc), "0.000000E+00") + ";";
    }
    return values;
}

bool WarningMemory::firstTime(const std::string& scope, const std::string& warning, const std::string& values) {
    auto& shown = shown_[scope];
    const auto found = shown.find(warning);
    if (found != shown.end() && found->second == values) return false;
    shown[warning] = values;
    return true;
}

void WarningMemory::settle(const std::string& scope, const std::set<std::string>& given) {
    auto& shown = shown_[scope];
    for (auto it = shown.begin(); it != shown.end();)
        it = given.count(it->first) == 0 ? shown.erase(it) : std::next(it);
}

} // namespace korvel
