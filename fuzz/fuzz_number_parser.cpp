// The number readers of typed and file numbers on arbitrary text, and the formatter on every
// value they accept; a text the writers may echo as its number's general form is that form.

#include "design/number_format.h"
#include "design/number_format_line.h"
#include "design/number_parser.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

using namespace korvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static const char* const masks[] = {"0.00", "0.0#", "#00", "##0.000", "0.00E+0", "#", "00", "#0 ", ""};
    for (const std::optional<double> value :
         {parseNumber(text, DecimalMode::period), parseNumber(text, DecimalMode::comma), parseFileNumber(text)}) {
        if (!value) continue;
        if (!std::isfinite(*value)) std::abort(); // a reader never gives an infinity or NaN
        for (const char* mask : masks) (void)formatNumber(*value, mask);
        (void)formatNumber(static_cast<float>(*value), "0.00");
        (void)generalNumber(*value);
        (void)generalNumber(static_cast<float>(*value));
    }
    if (isOwnGeneralForm(text, false) && generalNumber(parseFileNumber(text).value_or(1e300)) != text) std::abort();
    if (isOwnGeneralForm(text, true) && generalNumber(static_cast<float>(parseFileNumber(text).value_or(1e30))) != text)
        std::abort();
    // In period mode every text reads, as the input boxes accept whatever is typed.
    if (!parseNumber(text, DecimalMode::period) && text.find_first_of("0123456789") == std::string_view::npos)
        std::abort();
    return 0;
}
