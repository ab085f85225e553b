// The direct paths of the formatter (common masks, plain general numbers, appending to a line)
// against the digit-string path, over millions of values: random magnitudes, decimal halves
// such as 2.675 read from their text, the neighbours of rounding boundaries, whole numbers,
// the ends of the plain range, negative values, both zeros and floats.

#include "design/number_format.h"
#include "design/number_format_line.h"
#include "design/number_parser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace korvel;

namespace {

const char* const masks[] = {"0.00", "0.0", "00", "0", "0.0#", "#0.0", "#00", "##0.000", "0.00E+0", ""};

// Counts the texts that differ and shows the first few. The line writer writes each value too.
class PathCheck {
public:
    template <typename T>
    void check(T value) {
        for (const char* mask : masks) {
            line_.assign("x\t");
            appendNumber(line_, value, mask);
            const std::string digits = formatNumberOnDigits(value, mask);
            compare(value, mask, line_.substr(2), digits);
            line_.clear();
            NumberLine written(line_);
            written.text("x\t");
            written.number(value, NumberMask(mask));
            written.flush();
            compare(value, mask, line_.substr(2), digits);
        }
        line_.assign("x\t");
        appendGeneral(line_, value);
        const std::string general = generalNumberOnDigits(value);
        compare(value, "general", line_.substr(2), general);
        line_.clear();
        NumberLine written(line_);
        written.put('x');
        written.put('\t');
        written.general(value);
        written.flush();
        compare(value, "general", line_.substr(2), general);
        // The separator takes the same paths: a sample is enough.
        if (values_++ % 8 == 0) {
            compare(value, "0.00", formatNumber(value, "0.00", ','), formatNumberOnDigits(value, "0.00", ','));
            compare(value, "general", generalNumber(value, ','), generalNumberOnDigits(value, ','));
        }
    }
    int values() const { return values_; }
    int mismatches() const { return mismatches_; }

private:
    template <typename T>
    void compare(T value, const char* mask, const std::string& direct, const std::string& digits) {
        if (direct == digits) return;
        if (++mismatches_ <= 20) {
            ADD_FAILURE() << (sizeof(T) == 4 ? "float " : "double ") << exactNumber(value) << " mask \"" << mask
                          << "\": \"" << direct << "\" instead of \"" << digits << "\"";
        }
    }
    std::string line_;
    int values_ = 0;
    int mismatches_ = 0;
};

double fromText(const std::string& text) {
    return parseFileNumber(text).value_or(0);
}

} // namespace

TEST(FormatterPaths, DoublesGiveTheDigitPathsTexts) {
    PathCheck paths;
    std::mt19937_64 random(13);
    std::uniform_real_distribution<double> unit(0, 1);
    const auto sign = [&](double v) { return random() & 1 ? -v : v; };

    for (int i = 0; i < 400000; ++i) {
        // Any magnitude from far below a hundredth to far beyond the plain range.
        const int exponent = static_cast<int>(random() % 40) - 20;
        paths.check(sign(unit(random) * std::pow(10.0, exponent)));
        // Decimal halves at every place the masks round on, read from their text.
        const std::string whole = std::to_string(random() % 100000);
        const std::string decimals = std::to_string(1000000 + random() % 1000000).substr(1, random() % 6);
        const double half = fromText(whole + "." + decimals + "5");
        paths.check(sign(half));
        paths.check(std::nextafter(half, 0.0));
        paths.check(std::nextafter(half, 1e300));
        // Few decimals, as inputs are typed.
        paths.check(sign(static_cast<double>(random() % 10000000) / std::pow(10.0, random() % 5)));
    }
    for (int i = 0; i < 200000; ++i) {
        // Any finite bit pattern.
        std::uint64_t bits = random();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        if (std::isfinite(v)) paths.check(v);
    }
    // The neighbours of the rounding boundaries of two decimals and of the plain range.
    for (double edge : {0.005, 0.015, 0.045, 0.995, 1.005, 9.995, 99.995, 0.05, 0.95, 0.5, 1.5, 2.5, 1e-5, 1e15,
                        999999999999999.0, 1e15 - 0.5, 1e14 + 0.5, 0.0001, 1e-6}) {
        double below = edge, above = edge;
        for (int k = 0; k < 2000; ++k) {
            paths.check(below);
            paths.check(-above);
            below = std::nextafter(below, 0.0);
            above = std::nextafter(above, 1e300);
        }
    }
    paths.check(0.0);
    paths.check(-0.0);
    paths.check(std::numeric_limits<double>::max());
    paths.check(std::numeric_limits<double>::denorm_min());
    paths.check(std::numeric_limits<double>::infinity());
    paths.check(std::nan(""));
    EXPECT_EQ(paths.mismatches(), 0) << "of " << paths.values() << " values";
}

TEST(FormatterPaths, FloatsGiveTheDigitPathsTexts) {
    PathCheck paths;
    std::mt19937 random(7);
    std::uniform_real_distribution<float> unit(0, 1);
    const auto sign = [&](float v) { return random() & 1 ? -v : v; };

    for (int i = 0; i < 300000; ++i) {
        const int exponent = static_cast<int>(random() % 20) - 10;
        paths.check(sign(unit(random) * std::pow(10.0f, static_cast<float>(exponent))));
        const std::string whole = std::to_string(random() % 10000);
        const std::string decimals = std::to_string(1000 + random() % 1000).substr(1, random() % 4);
        const float half = static_cast<float>(fromText(whole + "." + decimals + "5"));
        paths.check(sign(half));
        paths.check(std::nextafter(half, 0.0f));
        paths.check(std::nextafter(half, 1e30f));
        paths.check(sign(static_cast<float>(random() % 100000) / std::pow(10.0f, static_cast<float>(random() % 4))));
        std::uint32_t bits = random();
        float v;
        std::memcpy(&v, &bits, sizeof v);
        if (std::isfinite(v)) paths.check(v);
    }
    for (float edge : {0.005f, 0.015f, 0.125f, 1.005f, 9.995f, 0.5f, 2.5f, 1e-5f, 1e7f, 9999999.0f, 0.0001f}) {
        float below = edge, above = edge;
        for (int k = 0; k < 2000; ++k) {
            paths.check(below);
            paths.check(-above);
            below = std::nextafter(below, 0.0f);
            above = std::nextafter(above, 1e30f);
        }
    }
    paths.check(0.0f);
    paths.check(-0.0f);
    paths.check(std::numeric_limits<float>::max());
    paths.check(std::numeric_limits<float>::denorm_min());
    EXPECT_EQ(paths.mismatches(), 0) << "of " << paths.values() << " values";
}

// The digit path keeps its last few texts: a column cycling through more values than it keeps,
// through two exponent masks and both separators, gets each value's own text every time, -0
// and 0 apart.
TEST(FormatterPaths, KeptTextsBelongToTheirValueMaskAndSeparator) {
    const double values[] = {206000, 210000, 205000, 200000, 207000, 195000, 2.1e5, 70000, 69000, 0, -0.0, 206000.5};
    for (int round = 0; round < 5; ++round) {
        for (std::size_t i = 0; i < std::size(values); ++i) {
            // Fewer values, then more than are kept, in changing orders.
            const double v = values[(i * static_cast<std::size_t>(round + 1)) % (round < 2 ? 3 : std::size(values))];
            for (const char* mask : {"0.00E+0", "0.0E+00"}) {
                for (const char separator : {'.', ','}) {
                    std::string out;
                    appendNumber(out, v, mask, separator);
                    EXPECT_EQ(out, formatNumberOnDigits(v, mask, separator)) << v << " " << mask << " " << separator;
                    std::string single;
                    appendNumber(single, static_cast<float>(v), mask, separator);
                    EXPECT_EQ(single, formatNumberOnDigits(static_cast<float>(v), mask, separator)) << v;
                }
            }
        }
    }
}

// A line longer than the writer's buffer, with cells of every kind and texts longer than the
// buffer, is the line the append functions compose.
TEST(FormatterPaths, LineWriterGivesTheAppendedLine) {
    std::mt19937_64 random(5);
    const NumberMask twoDecimals("0.00");
    const NumberMask literals("Lt = ##0.000 mm");
    const NumberMask modulus("0.00E+0");
    std::string written = "start";
    std::string appended = "start";
    NumberLine line(written);
    for (int cell = 0; cell < 5000; ++cell) {
        const double v = static_cast<double>(random() % 2000000) / 1000.0 - 1000.0;
        const std::string text(random() % 50 == 0 ? 3000 : random() % 12, 'a');
        line.text(text);
        line.put('\t');
        line.number(v, twoDecimals);
        line.number(static_cast<float>(v), literals);
        line.number(v * 1e3, modulus);
        line.general(v);
        line.general(static_cast<float>(v));
        appended += text;
        appended += '\t';
        appendNumber(appended, v, "0.00");
        appendNumber(appended, static_cast<float>(v), "Lt = ##0.000 mm");
        appendNumber(appended, v * 1e3, "0.00E+0");
        appendGeneral(appended, v);
        appendGeneral(appended, static_cast<float>(v));
    }
    line.flush();
    EXPECT_EQ(written, appended);
}

// A number read from a text that is its own general form is echoed as that text: the claim
// checked on hand-picked texts and on random decimals of every length, point position and sign,
// read as the batch reader reads them (a float field takes the double read).
TEST(FormatterPaths, OwnGeneralFormsAreTheirValuesGeneralText) {
    struct Row {
        const char* text;
        bool inDouble;
        bool inFloat;
    };
    const Row rows[] = {
        {"0", true, true},
        {"625", true, true},
        {"-100", true, true},
        {"0.03", true, true},
        {"0.00001", true, true},
        {"1234567", true, false},
        {"0.123456789", true, false},
        {"123456789012345", true, false},
        {"1234567890123456", false, false},
        {"0.000001", false, false},
        {"2100.000000", false, false},
        {"+5", false, false},
        {"05", false, false},
        {"-0", false, false},
        {"0.0", false, false},
        {"1.", false, false},
        {".5", false, false},
        {" 5", false, false},
        {"1e3", false, false},
        {"1,5", false, false},
        {"", false, false},
        {"-", false, false},
        {"1.2.3", false, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(isOwnGeneralForm(row.text, false), row.inDouble) << row.text;
        EXPECT_EQ(isOwnGeneralForm(row.text, true), row.inFloat) << row.text;
    }

    std::mt19937_64 random(11);
    int own = 0;
    for (int i = 0; i < 400000; ++i) {
        const int length = 1 + static_cast<int>(random() % 17);
        std::string text = random() % 4 == 0 ? "-" : "";
        const int point = static_cast<int>(random() % (length + 1));
        for (int d = 0; d < length; ++d) {
            if (d == point && d > 0) text += '.';
            text += static_cast<char>('0' + random() % (d == 0 && random() % 2 ? 1 : 10));
        }
        const double read = parseFileNumber(text).value_or(0);
        if (isOwnGeneralForm(text, false)) {
            ++own;
            ASSERT_EQ(generalNumber(read), text);
        }
        if (isOwnGeneralForm(text, true)) {
            ASSERT_EQ(generalNumber(static_cast<float>(read)), text);
        }
    }
    EXPECT_GT(own, 100000) << "the random texts hardly ever were general forms";
}
