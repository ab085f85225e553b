#pragma once

// What the pages of a batch report share: the fonts, the product colour of the "KORVEL" heading,
// the shade of a heading row and the page margin (mm of the printable area).

#include "figures/drawing_surface.h"

namespace korvel {

inline constexpr const char* reportFont = "times new roman";
inline constexpr const char* headerFont = "arial";
inline constexpr Rgb productColour{0, 85, 152};
inline constexpr Rgb black{0, 0, 0};
inline constexpr Rgb headingShade{225, 225, 225};
inline constexpr double pageMarginMm = 8;

inline void setPageFont(DrawingSurface& page, const char* name, double size, bool bold = false, bool italic = false) {
    Font f;
    f.name = name;
    f.size = size;
    f.bold = bold;
    f.italic = italic;
    page.setFont(f);
}

} // namespace korvel
