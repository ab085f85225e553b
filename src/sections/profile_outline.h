#pragma once

// Geometry of the to-scale cross-section figure: the stiffener's outline standing on its strip
// of attached plating, in mm, so that the figure only has to scale and draw it.

#include "design/design_case.h"
#include "sections/profile_type_table.h"

#include <string_view>

namespace korvel {

// Size of the rolled angle's drawn root fillet: twice the web thickness.
inline float rolledAngleFillet(float tw) {
    return 2 * tw;
}

// Outline of the working profile of dc.stiffenerType on a plate strip dc.se wide and dc.t
// thick, with the neutral axis of the se set (dc.stiff.zp). Rolled angle, bulb flat (c in dc.a,
// r in dc.bfCol4) and Trapez are open polygons followed by the plate rectangle; the other types
// are rectangles, the plate first. An invalid type code gives an empty outline.
ProfileOutline profileOutline(const DesignCase& dc);

// Where the to-scale figure puts the dimensions of dc.stiffenerType's outline o, with `unit` one
// hundredth of the figure's square (mm); an empty layout for an invalid type code.
DimensionLayout dimensionLayout(const DesignCase& dc, const ProfileOutline& o, double unit);

// Schematic ("not to scale") picture of a stiffener type: "pic_l", "pic_lb", "pic_t", "pic_f",
// "pic_hp", "pic_rhs", "pic_usp", "pic_i"; "pic_blank" for an invalid code.
std::string_view schematicPictureName(int stiffenerType);
// The girder type's schematic ("pic_GirderL", "pic_GirderT"); "pic_GirderT" for an invalid code.
std::string_view girderSchematicPictureName(int girderType);

} // namespace korvel
