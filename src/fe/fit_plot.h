#pragma once

// The picture of one panel's fits: sx of each element against y with the line through SigxA and
// SigxB, and sy against x with the line through SigyA and SigyC, written as SVG text.

#include <array>
#include <string>
#include <vector>

namespace korvel {

struct FitPlotData {
    std::string title;
    double L1 = 0, s = 0;                        // mm
    std::vector<std::array<double, 2>> sxAlongY; // (y, sx)
    std::vector<std::array<double, 2>> syAlongX; // (x, sy)
    double SigxA = 0, SigxB = 0, SigyA = 0, SigyC = 0;
};

std::string fitPlotSvg(const FitPlotData& data);

} // namespace korvel
