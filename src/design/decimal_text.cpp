#include "design/decimal_text.h"

#include <cctype>

namespace korvel {

namespace {

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Characters a number or a clause reference is made of.
bool inNumberRun(char c) {
    return isDigit(c) || c == '.' || c == '/' || c == '&' || c == '-';
}

// "3/3.1", "3-2-2/9.5&9.9": chapter (digits and dashes) over section (digits, points and "&"),
// standing alone: after "(", a blank or the start, before ")", ":", a blank, "&" or the end; or a
// number after "ch " ("(ch 9.7)").
bool isClause(std::string_view text, std::size_t begin, std::size_t end) {
    const std::string_view run = text.substr(begin, end - begin);
    // "(ch 9.7)": a chapter named as such.
    if (begin >= 3) {
        const std::string_view before = text.substr(begin - 3, 3);
        if ((before == "ch " || before == "Ch ") &&
            (begin == 3 || !std::isalpha(static_cast<unsigned char>(text[begin - 4]))))
            return true;
    }
    const std::size_t slash = run.find('/');
    if (slash == std::string_view::npos || slash == 0 || slash + 1 >= run.size()) return false;
    if (!isDigit(run.front())) return false;
    for (std::size_t i = 0; i < slash; ++i)
        if (!isDigit(run[i]) && run[i] != '-') return false;
    for (std::size_t i = slash + 1; i < run.size(); ++i)
        if (!isDigit(run[i]) && run[i] != '.' && run[i] != '&') return false;
    const char before = begin == 0 ? ' ' : text[begin - 1];
    const char after = end >= text.size() ? ' ' : text[end];
    return (before == '(' || before == ' ') && (after == ')' || after == ':' || after == ' ' || after == ',');
}

// Within a run that is no clause: each number (between "/", "&" and "-") with exactly one point
// between digits is a decimal number; a number with two points is a version or a date.
void convertNumbers(std::string& out, std::size_t begin, std::size_t end, char separator) {
    std::size_t i = begin;
    while (i < end) {
        std::size_t j = i;
        while (j < end && (isDigit(out[j]) || out[j] == '.')) ++j;
        if (j > i) {
            std::size_t points = 0;
            std::size_t at = 0;
            for (std::size_t k = i; k < j; ++k)
                if (out[k] == '.') {
                    ++points;
                    at = k;
                }
            if (points == 1 && at > i && at + 1 < j) out[at] = separator;
            i = j;
        } else {
            ++i;
        }
    }
}

} // namespace

std::string withDecimalSeparator(std::string_view text, char separator) {
    std::string out(text);
    if (separator == '.') return out;
    std::size_t i = 0;
    while (i < out.size()) {
        if (!inNumberRun(out[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < out.size() && inNumberRun(out[end])) ++end;
        // A number glued to letters ("E+7", "x12.0" of a designation) is still a number; a run
        // that is a clause reference is left whole.
        if (!isClause(out, i, end)) convertNumbers(out, i, end, separator);
        i = end;
    }
    return out;
}

} // namespace korvel
