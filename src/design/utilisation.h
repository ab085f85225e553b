#pragma once

// One utilisation factor with its state: computed by its check, not computed (the calculation
// stopped before the check), or not applicable (no beam-column or torsional buckling control
// for a stiffener not in compression, ABS 3/5.1, 3/5.3). The marker numbers -2 and -99 appear
// only where files and listings write a result that has no value. T is the precision the check
// computes in: UFgbu is single precision, and its digits must be formatted as such.
//
// The state is kept in the number's own storage, as a quiet NaN with a payload of its own that
// no calculation produces, so that a result stays the size of its number: the calculation
// copies all results before each of its steps.

#include <cstdint>
#include <cstring>
#include <type_traits>

namespace korvel {

// Utilisation markers as files and listings write them.
inline constexpr double notComputed = -2.0;
inline constexpr double notInCompression = -99.0;

enum class ResultState : unsigned char { notComputed, notApplicable, computed };

template <class T>
class Utilisation {
    static_assert(std::is_same_v<T, double> || std::is_same_v<T, float>, "a utilisation is a float or a double");
    using Bits = std::conditional_t<std::is_same_v<T, double>, std::uint64_t, std::uint32_t>;
    // Quiet NaNs with the payloads 1 and 2; arithmetic gives the payload 0.
    static constexpr Bits quietNaN = std::is_same_v<T, double> ? Bits(0x7ff8000000000000ull) : Bits(0x7fc00000u);
    static constexpr Bits notComputedBits = quietNaN | 1u;
    static constexpr Bits notApplicableBits = quietNaN | 2u;

public:
    Utilisation() { setBits(notComputedBits); }
    // A check's result.
    Utilisation(T value) : value_(value) {} // NOLINT(google-explicit-constructor)
    static Utilisation notApplicable() {
        Utilisation u;
        u.setBits(notApplicableBits);
        return u;
    }

    ResultState state() const {
        const Bits bits = this->bits();
        if (bits == notComputedBits) return ResultState::notComputed;
        if (bits == notApplicableBits) return ResultState::notApplicable;
        return ResultState::computed;
    }
    bool computed() const { return state() == ResultState::computed; }

    // The number as files and listings write it: the value, or the marker of its state.
    T written() const {
        switch (state()) {
        case ResultState::computed:
            return value_;
        case ResultState::notApplicable:
            return static_cast<T>(notInCompression);
        default:
            return static_cast<T>(notComputed);
        }
    }
    operator T() const { return written(); } // NOLINT(google-explicit-constructor)

private:
    Bits bits() const {
        Bits b;
        std::memcpy(&b, &value_, sizeof b);
        return b;
    }
    void setBits(Bits b) { std::memcpy(&value_, &b, sizeof b); }

    T value_;
};

} // namespace korvel
