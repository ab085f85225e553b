#pragma once

// One utilisation factor with its state: computed by its check, not computed (the calculation
// stopped before the check), or not applicable (no beam-column or torsional buckling control
// for a stiffener not in compression, ABS 3/5.1, 3/5.3). The state is kept beside the number;
// the marker numbers -2 and -99 appear only where files and listings write a result that has
// none. T is the precision the check computes in: UFgbu is single precision, and its digits
// must be formatted as such.

namespace korvel {

// Utilisation markers as files and listings write them.
inline constexpr double notComputed = -2.0;
inline constexpr double notInCompression = -99.0;

enum class ResultState : unsigned char { notComputed, notApplicable, computed };

template <class T>
class Utilisation {
public:
    Utilisation() = default;
    // A check's result.
    Utilisation(T value) : value_(value), state_(ResultState::computed) {} // NOLINT(google-explicit-constructor)
    static Utilisation notApplicable() {
        Utilisation u;
        u.state_ = ResultState::notApplicable;
        return u;
    }

    ResultState state() const { return state_; }
    bool computed() const { return state_ == ResultState::computed; }

    // The number as files and listings write it: the value, or the marker of its state.
    T written() const {
        switch (state_) {
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
    T value_ = 0;
    ResultState state_ = ResultState::notComputed;
};

} // namespace korvel
