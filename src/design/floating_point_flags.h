#pragma once

// The floating-point exceptions that stop a calculation: division by zero, an invalid operation
// and overflow.
//
// On x86-64 every double and float operation of the calculation is an SSE instruction (the
// program computes in no long double, the one type the compiler keeps x87 code for; a test runs
// every reference case and finds no x87 flag raised), so the flags live in the MXCSR register:
// reading and clearing it is one instruction each, where <cfenv> also saves and restores the x87
// environment on every call. Elsewhere the standard functions do the same job.

#include <cfenv>

#if defined(__x86_64__) && defined(__SSE2__)
#include <xmmintrin.h>
#define KORVEL_SSE_FLAGS 1
#endif

namespace korvel {

inline constexpr int stoppingFlags = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;

#ifdef KORVEL_SSE_FLAGS
// The MXCSR status bits are in the very positions of the FE_ constants of <cfenv> on x86
// (invalid 0x01, division by zero 0x04, overflow 0x08); its six status bits are the low 0x3f.
static_assert(FE_INVALID == 0x01 && FE_DIVBYZERO == 0x04 && FE_OVERFLOW == 0x08,
              "MXCSR status bits and <cfenv> flags differ");
inline constexpr unsigned mxcsrStatusBits = 0x3fU;

inline void clearFloatingPointFlags() {
    _mm_setcsr(_mm_getcsr() & ~mxcsrStatusBits);
}

// The stopping flags raised since they were last cleared.
inline int raisedStoppingFlags() {
    return static_cast<int>(_mm_getcsr()) & stoppingFlags;
}
#else
inline void clearFloatingPointFlags() {
    std::feclearexcept(FE_ALL_EXCEPT);
}

inline int raisedStoppingFlags() {
    return std::fetestexcept(stoppingFlags);
}
#endif

} // namespace korvel
