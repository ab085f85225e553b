#pragma once

#include "design/catalogue.h"

namespace korvel {

// A small catalogue for tests that need a calculable case without the table files: the four
// hull grades, one further grade and the user-defined row; one angle, tee, flat bar and bulb flat.
inline Catalogue testCatalogue() {
    Catalogue c;
    c.materials.rows = {{"Hull A-E", 235, 400, 1.0},   {"Hull AH32", 315, 440, 0.78}, {"Hull AH36", 355, 490, 0.72},
                        {"Hull AH40", 390, 510, 0.68}, {"S460", 460, 540, 0.597},     {"User defined", 235, 400, 1.0}};
    c.l.rows[0] = {0, 200, 90, 9, 14, 0};
    c.l.lastRow = 0;
    c.t.rows[0] = {0, 250, 120, 10, 14, 0};
    c.t.lastRow = 0;
    c.fb.rows[0] = {0, 200, 10, 0, 0, 0};
    c.fb.lastRow = 0;
    c.bf.rows[0] = {0, 200, 10, 28, 8, 2560};
    c.bf.lastRow = 0;
    return c;
}

} // namespace korvel
