#pragma once

// Keyboard movement between the input controls of the working window, by control name. Enter
// walks the inputs in the order engineers type a case in (identification, materials, c-factor,
// geometry, stresses, and round again), skipping the strength boxes of a catalogue grade and the
// unit length unless the structure is a watertight bulkhead. The arrow keys move along the
// geometry and load boxes, the four in-plane stresses forming a grid.

#include "design/catalogue.h"
#include "design/design_case.h"

#include <string>
#include <string_view>

namespace korvel {

// The control Enter moves to from `control`; empty where Enter moves nowhere.
std::string nextOnEnter(std::string_view control, const DesignCase& dc, const Catalogue& catalogue);

enum class ArrowKey { up, down, left, right };

// The control an arrow key moves to from `control`; empty where that key keeps its ordinary
// meaning in the box.
std::string nextOnArrow(std::string_view control, ArrowKey key);

// Whether `control` moves the focus with Up/Down, with Left/Right.
bool movesUpDown(std::string_view control);
bool movesLeftRight(std::string_view control);

} // namespace korvel
