#include "fe/line_fit.h"

namespace korvel {

FitLine fitLine(const PlaceSums& place, const StressSums& stress, bool oneLine) {
    FitLine line;
    if (!(place.w > 0)) return line;
    const double det = place.w * place.wtt - place.wt * place.wt;
    if (!oneLine && det > 0) line.b = (place.w * stress.wts - place.wt * stress.ws) / det;
    line.a = (stress.ws - line.b * place.wt) / place.w;
    return line;
}

} // namespace korvel
