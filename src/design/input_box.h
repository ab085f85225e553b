#pragma once

namespace korvel {

// The input boxes of the main window, by the symbol of the value each holds (the project name
// and the identification head the column); the focus target of a warning. `none` when no box
// should take the focus. No file or setting stores these values.
enum class InputBox {
    none,
    projectName,
    identification,
    t,
    s1,
    s2,
    L1,
    L2,
    Lg,
    Lgs,
    Lt,
    SigxA,
    SigxB,
    SigyA,
    SigyC,
    Tau,
    p,
    ps,
    Fyp,
    Fup,
    Fys,
    Fus,
    E,
    FS,
    UF,
    UL,
};

} // namespace korvel
