#pragma once

// Texts of the user's (a project name, an identification, a comment line) in a printed cell of
// fixed width. They may be of any length, so the work of fitting one is bounded by the width,
// not by the text: prefixes of doubling length are measured until one no longer fits, and only
// that far is searched for the cut. A 2 MB identification costs what a line of it costs.

#include "figures/drawing_surface.h"

#include <string>
#include <string_view>
#include <vector>

namespace korvel {

// The ellipsis "…" that marks a text cut to fit; the whole text is in the detail listing.
inline constexpr std::string_view ellipsisMark = "\xe2\x80\xa6";

// Whether `text` in the surface's font is at most `width` wide.
bool fitsWidth(DrawingSurface& page, std::string_view text, double width);

// `text` whole when it fits `width`, otherwise its longest prefix that fits with "…" after it,
// cut at a character boundary; empty when not even "…" fits.
std::string fittedText(DrawingSurface& page, std::string_view text, double width);

// `text` broken at its blanks into lines of at most `width`; a word wider than the width stands
// alone on its line, whole. Nothing is cut.
std::vector<std::string> wrappedText(DrawingSurface& page, std::string_view text, double width);

} // namespace korvel
