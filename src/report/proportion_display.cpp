#include "report/proportion_display.h"

#include "report/check_line_texts.h"

#include <string>

namespace korvel {

void proportionCheckDisplay(DrawingSurface& surface, const StiffenerSection& s, double& y, double x, int mode,
                            char sep) {
    if (mode == 0) {
        surface.setScale(0, 0, 60, 4);
        surface.clear();
    }
    const ProportionTexts texts = proportionTexts(s, sep);
    // A ratio equal to its limit passes.
    const auto verdict = [&](double from, bool nok) {
        surface.setBold(true);
        surface.setPaletteColour(nok ? 4 : 2);
        const double next = surface.text(from, y, nok ? " NOK" : " OK");
        surface.setBold(false);
        surface.setPaletteColour(0);
        return next;
    };
    if (s.flangeRule) {
        const bool nok = s.flangeRatio > s.flangeLimit;
        const double next = verdict(surface.text(x, y, texts.flange), nok);
        surface.text(next, y, " (ch 9.7)");
        y += mode == 0 ? 1.5 : 1;
    }
    if (s.webRule) {
        const bool nok = s.webRatio > s.webLimit;
        const double next = verdict(surface.text(x, y, texts.web), nok);
        surface.text(next, y, nok ? " (ch 9.9)" : " (Ch 9.9)");
    }
}

} // namespace korvel
