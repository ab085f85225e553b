#pragma once

// A table line of many numbers composed in a buffer of its own and added to the table's text in
// a few pieces: the cells of a results table are written straight into the buffer by the
// formatter's direct paths, through masks split once. The texts are exactly those of
// number_format.h (appendNumber, appendGeneral).

#include "design/number_format_paths.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace korvel {

// A display mask split once, for the columns a writer fills case after case. It views its text,
// which must outlive it (the masks are literals).
class NumberMask {
public:
    explicit constexpr NumberMask(std::string_view text)
        : text_(text), mask_(formatPaths::parseMask(text)),
          direct_(!text.empty() && formatPaths::fixedPathTakes(mask_)),
          shortDecimals_(direct_ && mask_.prefix.empty() && mask_.suffix.empty() && mask_.minInteger == 1 &&
                                 !mask_.optionalDecimal && mask_.decimals.size() <= 2
                             ? static_cast<int>(mask_.decimals.size())
                             : -1) {}
    constexpr std::string_view text() const { return text_; }

private:
    friend class NumberLine;
    std::string_view text_;
    formatPaths::Mask mask_;
    bool direct_;       // a mask the direct path may take
    int shortDecimals_; // "0", "0.0", "0.00" and alike: the decimals of the shortest direct path; else -1
};

class NumberLine {
public:
    explicit NumberLine(std::string& out, char decimalSeparator = '.') : out_(out), separator_(decimalSeparator) {}
    NumberLine(const NumberLine&) = delete;
    NumberLine& operator=(const NumberLine&) = delete;
    ~NumberLine() = default;

    void put(char c) {
        makeRoom(1);
        *at_++ = c;
    }
    void text(std::string_view s);
    void number(double value, const NumberMask& mask);
    void number(float value, const NumberMask& mask);
    void general(double value);
    void general(float value);
    // Adds what the buffer holds to the text; a line's writer calls it when the line is done.
    void flush();

private:
    template <typename T>
    void writeNumber(T value, const NumberMask& mask);
    template <typename T>
    void writeGeneral(T value);
    void makeRoom(std::size_t n) {
        if (static_cast<std::size_t>(buffer_ + sizeof buffer_ - at_) < n) flush();
    }

    std::string& out_;
    char separator_;
    char buffer_[2048];
    char* at_ = buffer_;
};

// Whether `text` is exactly the general form (generalNumber) of the number it reads as, in a
// double or, `single`, in a float that takes the double read from it: a plain decimal without
// '+', blanks, exponent, leading or trailing zeros, of at most 15 significant digits (a float 6,
// with at most 8 decimals), no smaller than 0.00001, or "0". A writer that echoes a number read
// from such a text may copy the text. False for some texts that are general forms as well (the
// exponent form, 7 digits in a float): those take the formatter.
bool isOwnGeneralForm(std::string_view text, bool single);

} // namespace korvel
