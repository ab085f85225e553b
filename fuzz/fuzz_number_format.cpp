// The formatter's direct paths against its digit-string path: every double and float the input
// bytes spell, through every common mask and the general form, must give the same text, and so
// must the line writer.

#include "design/number_format.h"
#include "design/number_format_line.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace korvel;

namespace {

const char* const masks[] = {"0.00", "0.0", "00", "0", "0.0#", "#0.0", "#00", "##0.000", "0.00E+0", "#0 ", ""};

template <typename T>
void check(T value) {
    std::string line;
    for (const char* mask : masks) {
        line.assign("cell\t");
        appendNumber(line, value, mask);
        if (line.compare(5, std::string::npos, formatNumberOnDigits(value, mask)) != 0) std::abort();
        if (formatNumber(value, mask, ',') != formatNumberOnDigits(value, mask, ',')) std::abort();
        line.clear();
        NumberLine written(line);
        written.number(value, NumberMask(mask));
        written.flush();
        if (line != formatNumberOnDigits(value, mask)) std::abort();
    }
    line.assign("cell\t");
    appendGeneral(line, value);
    if (line.compare(5, std::string::npos, generalNumberOnDigits(value)) != 0) std::abort();
    line.clear();
    NumberLine written(line);
    written.general(value);
    written.flush();
    if (line != generalNumberOnDigits(value)) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t at = 0; at + sizeof(double) <= size; at += sizeof(double)) {
        double d;
        std::memcpy(&d, data + at, sizeof d);
        check(d);
        float f;
        std::memcpy(&f, data + at, sizeof f);
        check(f);
        // The same bits scaled into the range the masks round in.
        check(d / 1e300 * 1e300);
        check(static_cast<float>(d));
    }
    return 0;
}
