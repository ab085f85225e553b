#pragma once

// The verdict colours of the lists (dark green within the limit, dark red exceeded) as they read
// on the palette in use: on a dark desktop the same hues, lightened, so that a value stays as
// legible as on white.

#include "figures/drawing_surface.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>

namespace korvel {

inline bool darkPalette() {
    return QGuiApplication::palette().color(QPalette::Base).lightnessF() < 0.5;
}

// A text colour of the listings, lightened on a dark palette.
inline QColor verdictColour(Rgb c) {
    const QColor colour(c.r, c.g, c.b);
    if (!darkPalette()) return colour;
    // Keep the hue, raise the lightness to what reads on a dark ground.
    return QColor::fromHslF(colour.hslHueF(), colour.hslSaturationF(), std::max(0.65f, colour.lightnessF()));
}

// The ground of a failing case's identification: light red on a light palette, dark red on a
// dark one.
inline QColor failingGround() {
    return darkPalette() ? QColor(110, 30, 30) : QColor(255, 215, 215);
}

} // namespace korvel
