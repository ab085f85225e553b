#pragma once

namespace korvel {

// The numeric input boxes of the main window, by their control names; the focus target of a
// warning. `none` when no box should take the focus.
enum class InputBox {
    none,
    iproj,
    iident,
    it,
    is1,
    is2,
    il1,
    il2,
    iLg,
    iLgs,
    iLt,
    isigx1,
    isigx2,
    isigy1,
    isigy3,
    itau1,
    ip1,
    ips,
    ifyp,
    ifup,
    ifys,
    ifus,
    ie,
    ifs,
    iufa,
    iunit_length,
};

} // namespace korvel
