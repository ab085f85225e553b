#pragma once

// The panel layout schematic of the main window and the printed report: a plan of the plating
// with its stiffeners and girders (spans L1 and L2, spacings s1 and s2, the corner points A to D
// and the points 1 to 3 of the yield checks), beside it an elevation of the girder with its end
// brackets and tripping brackets (Lg, Lgs, Lt, a, 0.25a), and the arrows of the applied stresses
// and of the lateral pressure. The shape is fixed; only the arrows follow the design case.
//
// Figure units, y upwards from the origin. The labels are written in the surface's current
// font and fit best when a line of text is about 3 to 4.5 units high (the report's 9-point font
// on its 280 x 400 page grid makes 4.3).

#include "design/design_case.h"
#include "figures/drawing_surface.h"

#include <string>
#include <vector>

namespace korvel {

inline constexpr double panelFigureWidth = 110;
inline constexpr double panelFigureHeight = 70;

// A label of the figure: its text and where it stands, the anchor (ax 0/0.5/1 puts x at the
// text's left/centre/right, ay 0/0.5/1 puts y at its bottom/middle/top).
struct PanelLabel {
    std::string text;
    double x = 0;
    double y = 0;
    double ax = 0;
    double ay = 0;
};

// Every label the figure writes for the case, in the order it writes them; "0.25a" is written
// with `decimalSeparator`.
std::vector<PanelLabel> panelLabels(const DesignCase& dc, char decimalSeparator = '.');

// Draws the figure into x0..x0 + panelFigureWidth, y0..y0 + panelFigureHeight of the current
// scale, which must have y growing upwards. Reads SigxA, SigxB, SigyA, SigyC and p only.
// The labels are written in the surface's font, made smaller where two of them would meet (so
// that they never do, whatever the size the figure is drawn at); the font is then set back.
// Leaves solid lines of width 1 in black, the fill style transparent and the fill colour white.
void drawPanelFigure(DrawingSurface& surface, const DesignCase& dc, double x0, double y0, char decimalSeparator = '.');

} // namespace korvel
