#pragma once

// The calculation stops at a step that raised a division by zero, an invalid operation or an
// overflow. A formula text is composed from the numbers of its check and may compute with them
// once more (the deflection ratio L1/y of a tiny deflection overflows); whether a case stops
// must not depend on whether its texts were composed, so a text is composed inside this guard,
// which puts the flags back as they were.

#include <cfenv>

namespace korvel {

class FloatingPointFlagsKept {
public:
    FloatingPointFlagsKept() { std::fegetexceptflag(&saved_, FE_ALL_EXCEPT); }
    ~FloatingPointFlagsKept() { std::fesetexceptflag(&saved_, FE_ALL_EXCEPT); }
    FloatingPointFlagsKept(const FloatingPointFlagsKept&) = delete;
    FloatingPointFlagsKept& operator=(const FloatingPointFlagsKept&) = delete;

private:
    std::fexcept_t saved_{};
};

} // namespace korvel
