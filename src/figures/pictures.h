#pragma once

// The profile pictures, drawn by code rather than shipped as bitmaps, so that they are sharp on
// the screen, on paper and in a PDF alike:
// - schematic cross-sections of the profile dialogs, "not to scale", standing on a strip of
//   plating with the dimension letters of the dialog's fields: "pic_l" (rolled angle with its
//   root fillet), "pic_lb" (built-up angle), "pic_t", "pic_f", "pic_hp" (bulb flat: H, tw, c, r),
//   "pic_rhs" (H, B, t), "pic_usp" (Trapez: H, B, a, t), "pic_i", "pic_GirderL", "pic_GirderT",
//   and the empty "pic_blank";
// - the small button pictures: "pic_small_l", "pic_small_t", "pic_small_fb", "pic_small_hp",
//   "pic_small_rhs", "pic_small_u", "pic_small_i", "pic_small_lg", "pic_small_tg".
// The schematics are laid out for an area of 4:3, the button pictures for a square.

#include "figures/drawing_surface.h"

#include <string_view>

namespace korvel {

// Draws the named picture stretched over the rectangle (x, y)-(x + w, y + h) of the current
// scale: the picture's top left corner goes to (x, y), its bottom right to (x + w, y + h). With a
// scale whose y grows downwards h is positive; with y growing upwards pass the top edge as y and
// a negative h. Letters are written in the current font. Returns false for an unknown name and
// draws nothing; "pic_blank" draws nothing and returns true. Leaves the fore colour as it found
// it, solid lines of width 1.
bool drawPicture(DrawingSurface& surface, std::string_view name, double x, double y, double w, double h);

} // namespace korvel
