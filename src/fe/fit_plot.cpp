#include "fe/fit_plot.h"

#include "design/number_format.h"

#include <algorithm>
#include <cmath>

namespace korvel {

namespace {

constexpr double chartWidth = 420, chartHeight = 300, margin = 60, top = 50;

std::string num(double v) {
    return formatNumber(v, "0.##");
}

std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '&')
            out += "&amp;";
        else if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
    return out;
}

struct Chart {
    double left = 0;
    double t0 = 0, t1 = 1, s0 = 0, s1 = 1; // data ranges: coordinate (mm) and stress (MPa)

    double px(double t) const { return left + margin + (t - t0) / (t1 - t0) * (chartWidth - margin - 20); }
    double py(double s) const { return top + (s1 - s) / (s1 - s0) * (chartHeight - 60); }
};

void text(std::string& out, double x, double y, const std::string& what, const char* anchor = "middle") {
    out +=
        "<text x=\"" + num(x) + "\" y=\"" + num(y) + "\" text-anchor=\"" + anchor + "\">" + escaped(what) + "</text>\n";
}

void drawChart(std::string& out, double left, const std::vector<std::array<double, 2>>& points, double length,
               double atStart, double atEnd, const char* axis, const char* stress, const char* startName,
               const char* endName) {
    Chart c;
    c.left = left;
    c.t1 = length;
    double lo = std::min(atStart, atEnd), hi = std::max(atStart, atEnd);
    for (const auto& p : points) {
        lo = std::min(lo, p[1]);
        hi = std::max(hi, p[1]);
    }
    const double pad = std::max((hi - lo) * 0.1, std::max(1.0, std::fabs(hi) * 0.01));
    c.s0 = lo - pad;
    c.s1 = hi + pad;
    const double x0 = c.px(0), x1 = c.px(length), y0 = c.py(c.s0), y1 = c.py(c.s1);
    out += "<rect x=\"" + num(x0) + "\" y=\"" + num(y1) + "\" width=\"" + num(x1 - x0) + "\" height=\"" + num(y0 - y1) +
           "\" fill=\"none\" stroke=\"#444\"/>\n";
    text(out, (x0 + x1) / 2, y0 + 36, std::string(axis) + " (mm)");
    text(out, x0, y0 + 16, "0");
    text(out, x1, y0 + 16, num(length));
    text(out, x0 - 6, y0, num(c.s0), "end");
    text(out, x0 - 6, y1 + 10, num(c.s1), "end");
    out += "<text x=\"" + num(left + 14) + "\" y=\"" + num((y0 + y1) / 2) + "\" transform=\"rotate(-90 " +
           num(left + 14) + " " + num((y0 + y1) / 2) + ")\" text-anchor=\"middle\">" + stress + " (MPa)</text>\n";
    if (c.s0 < 0 && c.s1 > 0)
        out += "<line x1=\"" + num(x0) + "\" y1=\"" + num(c.py(0)) + "\" x2=\"" + num(x1) + "\" y2=\"" + num(c.py(0)) +
               "\" stroke=\"#bbb\" stroke-dasharray=\"4 3\"/>\n";
    for (const auto& p : points)
        out += "<circle cx=\"" + num(c.px(p[0])) + "\" cy=\"" + num(c.py(p[1])) + "\" r=\"2.5\" fill=\"#1f77b4\"/>\n";
    out += "<line x1=\"" + num(x0) + "\" y1=\"" + num(c.py(atStart)) + "\" x2=\"" + num(x1) + "\" y2=\"" +
           num(c.py(atEnd)) + "\" stroke=\"#d62728\" stroke-width=\"2\"/>\n";
    const auto mark = [&](double x, double v, const char* name, bool atLeft) {
        out += "<rect x=\"" + num(x - 4) + "\" y=\"" + num(c.py(v) - 4) +
               "\" width=\"8\" height=\"8\" fill=\"#d62728\"/>\n";
        text(out, x + (atLeft ? 8 : -8), c.py(v) - 8, std::string(name) + " = " + formatNumber(v, "0.00"),
             atLeft ? "start" : "end");
    };
    mark(x0, atStart, startName, true);
    mark(x1, atEnd, endName, false);
}

} // namespace

std::string fitPlotSvg(const FitPlotData& d) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      num(2 * chartWidth) + "\" height=\"" + num(chartHeight + 45) + "\" viewBox=\"0 0 " +
                      num(2 * chartWidth) + " " + num(chartHeight + 45) +
                      "\" font-family=\"Liberation Sans, Arial, sans-serif\" font-size=\"12\">\n"
                      "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    out += "<text x=\"" + num(chartWidth) + R"(" y="22" text-anchor="middle" font-size="15">)" + escaped(d.title) +
           "</text>\n";
    drawChart(out, 0, d.sxAlongY, d.s, d.SigxA, d.SigxB, "y", "sx", "SigxA", "SigxB");
    drawChart(out, chartWidth, d.syAlongX, d.L1, d.SigyA, d.SigyC, "x", "sy", "SigyA", "SigyC");
    out += "</svg>\n";
    return out;
}

} // namespace korvel
