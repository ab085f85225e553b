#pragma once

// The cross-section figure of the stiffener dialogs, to scale or as the schematic of the type.

#include "design/design_case.h"
#include "figures/drawing_surface.h"

namespace korvel {

// Sets its own scale, with y upwards, and clears the area first.
//
// Not to scale: the schematic picture of dc.stiffenerType fills a 100 x 75 area.
//
// To scale: the outline of the section the calculation formed (sectionOutline) on its plate strip, in a square of
// side 1.8·m where m = max(H + t, se). The strip's lower left corner stands at x = 0.9·m − se/2, which puts the web
// centre line on the middle of the square, and at y = 0.9·m − 0.4·(H + t), which is 0.5·(H + t) when the profile is at
// least as high as the strip is wide and keeps the section near the middle when the strip is the wider. Around the
// outline: the axis "Z" through the web centre, the neutral axis "Y" at zp + t/2, and the dimension letters "se" (plate
// width), "H" (overall height), "h" (web height), "B" (flange or top width), "b" (flange outstand beyond the web; inner
// width of RHS and Trapez) and "s" (web or wall thickness). A flat bar has no flange and gets no "B" and "b". A stale
// or malformed outline draws nothing but the cleared area. The sizes are written with `decimalSeparator` ("s = 9,5").
void drawProfileFigure(DrawingSurface& surface, const DesignCase& dc, bool toScale, char decimalSeparator = '.');

// The to-scale figure of a given outline of dc's section.
void drawProfileOutline(DrawingSurface& surface, const DesignCase& dc, const ProfileOutline& outline,
                        char decimalSeparator = '.');

} // namespace korvel
