#pragma once

// The verdict colours of the lists and the margin line (dark green within the limit, dark red
// exceeded) as they read on the palette in use: the same hues, lightened or darkened until the
// text has the contrast WCAG asks of text (4.5:1) on its ground.

#include "figures/drawing_surface.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace korvel {

// The contrast ratio of two colours as WCAG 2 defines it, 1 to 21: text wants 4.5 at least.
inline double contrastRatio(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// `colour` with its hue kept and its lightness moved away from `ground` until the two reach a
// contrast of 4.5: dark red stays dark red on white and turns light red on dark grey.
inline QColor readableOn(const QColor& colour, const QColor& ground) {
    constexpr double least = 4.5;
    if (contrastRatio(colour, ground) >= least) return colour;
    const bool lighten = ground.lightnessF() < 0.5;
    QColor c = colour.toHsl();
    for (int step = 0; step < 100 && contrastRatio(c, ground) < least; ++step) {
        const float l = std::clamp(c.lightnessF() + (lighten ? 0.01f : -0.01f), 0.0f, 1.0f);
        c = QColor::fromHslF(c.hslHueF(), c.hslSaturationF(), l);
    }
    return c;
}

inline bool darkPalette() {
    return QGuiApplication::palette().color(QPalette::Base).lightnessF() < 0.5;
}

// A text colour of the listings, lightened on a dark palette.
// On a light ground the listing keeps its own colours (dark green reads at 5.1:1 and dark red at
// 10:1 on white); on a dark ground they are lightened to 4.5:1.
inline QColor verdictColour(Rgb c) {
    const QColor colour(c.r, c.g, c.b);
    if (!darkPalette()) return colour;
    return readableOn(colour, QGuiApplication::palette().color(QPalette::Base));
}

// The ground of a failing case's identification: light red on a light palette, dark red on a
// dark one.
inline QColor failingGround() {
    return darkPalette() ? QColor(110, 30, 30) : QColor(255, 215, 215);
}

} // namespace korvel
