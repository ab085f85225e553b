// The Qt drawing surface on a QImage: the user scale lands shapes on the expected pixels (also
// with y upwards), text stays upright with its top left at the given point, text is measured in
// user units, fonts resolve to the report's families and keep their point size on every
// resolution.

#include "support/qt_application.h"
#include "ui/qt_drawing_surface.h"

#include <QApplication>
#include <QColor>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

namespace korvel {
namespace {

constexpr Rgb red{255, 0, 0};
constexpr Rgb green{0, 128, 0};
const QRgb white = qRgb(255, 255, 255);

QImage whiteImage(int width, int height, double dpi = 96) {
    QImage image(width, height, QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(white);
    return image;
}

// Paints on a fresh white image through a surface over the whole image.
QImage paint(int width, int height, const std::function<void(QtDrawingSurface&)>& draw) {
    QImage image = whiteImage(width, height);
    QPainter painter(&image);
    QtDrawingSurface surface(painter, QRectF(0, 0, width, height));
    draw(surface);
    painter.end();
    return image;
}

QRgb rgb(Rgb c) {
    return qRgb(c.r, c.g, c.b);
}

struct Probe {
    int x, y;
    bool coloured;
};

// A filled box from (2, 1) to (6, 4) on a 200 x 100 image, 10 pixels a unit.
TEST(QtDrawingSurface, FilledBoxLandsOnTheScaledPixels) {
    struct Row {
        const char* what;
        double left, top, right, bottom;
        std::vector<Probe> probes;
    };
    const Row rows[] = {
        // y downwards: pixels x 20..60, y 10..40.
        {"y down",
         0,
         0,
         20,
         10,
         {{40, 25, true},
          {21, 11, true},
          {58, 38, true},
          {40, 75, false},
          {10, 25, false},
          {65, 25, false},
          {40, 5, false},
          {40, 45, false}}},
        // y upwards: y = 4 is 60 pixels down, y = 1 is 90 pixels down.
        {"y up",
         0,
         10,
         20,
         0,
         {{40, 75, true},
          {21, 61, true},
          {58, 88, true},
          {40, 25, false},
          {10, 75, false},
          {65, 75, false},
          {40, 55, false},
          {40, 95, false}}},
        // Shifted origin: x from -2 to 18, so the box is at 40..80.
        {"shifted", -2, 0, 18, 10, {{60, 25, true}, {41, 11, true}, {30, 25, false}, {85, 25, false}}},
    };
    for (const Row& r : rows) {
        const QImage image = paint(200, 100, [&](QtDrawingSurface& s) {
            s.setScale(r.left, r.top, r.right, r.bottom);
            s.filledBox(2, 1, 6, 4, red);
        });
        for (const Probe& p : r.probes)
            EXPECT_EQ(p.coloured ? rgb(red) : white, image.pixel(p.x, p.y)) << r.what << " at " << p.x << "," << p.y;
    }
}

TEST(QtDrawingSurface, TargetRectangleInsideTheDevice) {
    QImage image = whiteImage(200, 100);
    QPainter painter(&image);
    QtDrawingSurface surface(painter, QRectF(50, 20, 100, 50));
    surface.setScale(0, 0, 10, 5);
    surface.filledBox(0, 0, 1, 1, red);  // pixels 50..60, 20..30
    surface.filledBox(9, 4, 10, 5, red); // pixels 140..150, 60..70
    painter.end();
    const Probe probes[] = {{55, 25, true},   {145, 65, true},  {45, 25, false}, {55, 15, false},
                            {155, 65, false}, {145, 75, false}, {100, 45, false}};
    for (const Probe& p : probes) EXPECT_EQ(p.coloured ? rgb(red) : white, image.pixel(p.x, p.y)) << p.x << "," << p.y;
}

TEST(QtDrawingSurface, ClearFillsOnlyTheTarget) {
    QImage image = whiteImage(100, 100);
    image.fill(Qt::black);
    QPainter painter(&image);
    QtDrawingSurface surface(painter, QRectF(10, 10, 50, 50));
    surface.clear();
    painter.end();
    EXPECT_EQ(white, image.pixel(30, 30));
    EXPECT_EQ(qRgb(0, 0, 0), image.pixel(80, 80));
}

// On a y-up scale the text is drawn exactly as the painter draws it upright, with its top left
// corner at the mapped point: (20, 80) on a 200 x 100 scale upwards is pixel (20, 20).
TEST(QtDrawingSurface, TextUprightWithItsTopLeftAtThePoint) {
    const Font font{"arial", 20, false, false, false};
    const QImage drawn = paint(200, 100, [&](QtDrawingSurface& s) {
        s.setScale(0, 100, 200, 0);
        s.setFont(font);
        s.drawText(20, 80, "KORVEL");
    });

    QImage expected = whiteImage(200, 100);
    {
        QPainter painter(&expected);
        const QFont f(qtFontFor(font), &expected);
        painter.setFont(f);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(20, 20 + QFontMetricsF(f, &expected).ascent()), QStringLiteral("KORVEL"));
    }
    EXPECT_TRUE(drawn == expected);

    // Something was written, and nothing above or left of the corner.
    int inked = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (drawn.pixel(x, y) != white) {
                ++inked;
                EXPECT_GE(y, 20);
                EXPECT_GE(x, 19);
            }
    EXPECT_GT(inked, 50);
}

TEST(QtDrawingSurface, TextPiecesInColourAndBold) {
    const QImage image = paint(300, 60, [](QtDrawingSurface& s) {
        s.setFont({"times new roman", 24, false, false, false});
        s.setForeColour(green);
        const double next = s.text(5, 5, "OK");
        EXPECT_GT(next, 5);
        s.setBold(true);
        EXPECT_TRUE(s.font().bold);
        EXPECT_EQ(green, s.foreColour());
    });
    bool greenInk = false;
    for (int y = 0; y < image.height() && !greenInk; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == rgb(green)) greenInk = true;
    EXPECT_TRUE(greenInk);
}

TEST(QtDrawingSurface, TextMeasuredInUserUnits) {
    QImage image = whiteImage(200, 100);
    QPainter painter(&image);
    QtDrawingSurface surface(painter, QRectF(0, 0, 200, 100));
    const Font font{"times new roman", 10, false, false, false};
    surface.setFont(font);
    const QFontMetricsF metrics(qtFontFor(font), &image);
    const double advance = metrics.horizontalAdvance(QStringLiteral("SmGasdfghjklpoiuytre"));
    ASSERT_GT(advance, 0);

    struct Row {
        double left, top, right, bottom;
        double perUnitX, perUnitY; // pixels per user unit
    };
    const Row rows[] = {
        {0, 0, 200, 100, 1, 1}, {0, 0, 100, 50, 2, 2}, {0, 100, 400, 0, 0.5, 1}, {0, 10, 20, 0, 10, 10}};
    for (const Row& r : rows) {
        surface.setScale(r.left, r.top, r.right, r.bottom);
        EXPECT_NEAR(advance / r.perUnitX, surface.textWidth("SmGasdfghjklpoiuytre"), 1e-9);
        EXPECT_NEAR(metrics.height() / r.perUnitY, surface.textHeight("KORVEL"), 1e-9);
        EXPECT_GT(surface.textHeight("KORVEL"), 0);
    }
    painter.end();
}

// 12 points are 12/72 inch on every device: 16 pixels of em at 96 dpi, 50 at 300 dpi.
TEST(QtDrawingSurface, PointSizeFollowsTheDeviceResolution) {
    const Font font{"arial", 12, false, false, false};
    const auto height = [&](double dpi) {
        QImage image = whiteImage(100, 100, dpi);
        QPainter painter(&image);
        QtDrawingSurface surface(painter, QRectF(0, 0, 100, 100));
        surface.setFont(font);
        const double h = surface.textHeight("KORVEL");
        painter.end();
        return h;
    };
    const double at96 = height(96);
    const double at300 = height(300);
    EXPECT_GE(at96, 16.0);
    EXPECT_LE(at96, 16.0 * 1.4);
    EXPECT_NEAR(300.0 / 96.0, at300 / at96, 0.1);
}

TEST(QtDrawingSurface, FontsResolveToTheReportFamilies) {
    struct Row {
        const char* name;
        QStringList families;
    };
    const Row rows[] = {
        {"times new roman", {"Times New Roman", "Liberation Serif"}},
        {"Times New Roman", {"Times New Roman", "Liberation Serif"}},
        {"arial", {"Arial", "Liberation Sans"}},
        {"ARIAL", {"Arial", "Liberation Sans"}},
    };
    for (const Row& r : rows) {
        const QFont f = qtFontFor({r.name, 9.5, true, true, true});
        EXPECT_EQ(r.families, f.families()) << r.name;
        EXPECT_TRUE(r.families.contains(QFontInfo(f).family()))
            << r.name << ": " << QFontInfo(f).family().toStdString();
        EXPECT_DOUBLE_EQ(9.5, f.pointSizeF());
        EXPECT_TRUE(f.bold());
        EXPECT_TRUE(f.italic());
        EXPECT_TRUE(f.underline());
    }
    const QFont plain = qtFontFor({"times new roman", 10, false, false, false});
    EXPECT_FALSE(plain.bold() || plain.italic() || plain.underline());
    // Serif and sans serif really are different faces.
    EXPECT_NE(QFontInfo(qtFontFor({"times new roman", 10})).family(), QFontInfo(qtFontFor({"arial", 10})).family());
}

TEST(QtDrawingSurface, LineWidthIsScreenPixels) {
    struct Row {
        double width;
        std::vector<Probe> probes; // around a horizontal line through row 50
    };
    const Row rows[] = {
        {1, {{100, 50, true}, {100, 48, false}, {100, 52, false}}},
        {5, {{100, 48, true}, {100, 52, true}, {100, 45, false}, {100, 55, false}}},
    };
    for (const Row& r : rows) {
        const QImage image = paint(200, 100, [&](QtDrawingSurface& s) {
            s.setForeColour(red);
            s.setLineWidth(r.width);
            s.line(10, 50.5, 190, 50.5);
        });
        for (const Probe& p : r.probes)
            EXPECT_EQ(p.coloured ? rgb(red) : white, image.pixel(p.x, p.y)) << r.width << " at " << p.y;
    }
}

TEST(QtDrawingSurface, DashedLineHasGaps) {
    const QImage image = paint(200, 20, [](QtDrawingSurface& s) {
        s.setDashStyle(DashStyle::dash);
        s.line(0, 10.5, 200, 10.5);
    });
    int ink = 0;
    for (int x = 0; x < 200; ++x)
        if (image.pixel(x, 10) != white) ++ink;
    EXPECT_GT(ink, 40);
    EXPECT_LT(ink, 180);
}

// The radius is in units across: with 5 pixels a unit across and 1 down, radius 4 is 20 pixels.
TEST(QtDrawingSurface, CircleFilledAndRoundUnderAnUnequalScale) {
    const QImage image = paint(200, 100, [](QtDrawingSurface& s) {
        s.setScale(0, 0, 40, 100);
        s.setFillStyle(FillStyle::solid);
        s.setFillColour(green);
        s.circle(20, 50, 4);
    });
    const Probe probes[] = {{100, 50, true}, {100, 65, true}, {115, 50, true}, {100, 75, false}, {125, 50, false}};
    for (const Probe& p : probes)
        EXPECT_EQ(p.coloured ? rgb(green) : white, image.pixel(p.x, p.y)) << p.x << "," << p.y;
}

TEST(QtDrawingSurface, BoxIsFilledOnlyWithASolidFillStyle) {
    struct Row {
        FillStyle style;
        QRgb centre;
    };
    const Row rows[] = {{FillStyle::transparent, white}, {FillStyle::solid, rgb(green)}};
    for (const Row& r : rows) {
        const QImage image = paint(100, 100, [&](QtDrawingSurface& s) {
            s.setForeColour(red);
            s.setFillColour(green);
            s.setFillStyle(r.style);
            s.box(20, 20, 80, 80);
        });
        EXPECT_EQ(r.centre, image.pixel(50, 50));
        EXPECT_EQ(rgb(red), image.pixel(50, 20));
    }
}

TEST(QtDrawingSurface, NonFiniteCoordinatesAndEmptyScalesDrawNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const QImage image = paint(100, 100, [&](QtDrawingSurface& s) {
        s.setScale(0, 0, 10, 10);
        s.setScale(0, 0, 0, 10); // ignored: would divide by zero
        s.line(nan, 0, 10, 10);
        s.box(0, 0, std::numeric_limits<double>::infinity(), 5);
        s.circle(5, 5, nan);
        s.drawText(nan, 1, "x");
        s.filledBox(1, 1, 2, 2, red); // still 10 pixels a unit
    });
    EXPECT_EQ(rgb(red), image.pixel(15, 15));
    EXPECT_EQ(white, image.pixel(50, 50));
    EXPECT_EQ(white, image.pixel(5, 5));
}

// Pictures are drawn by code into their rectangle; an unknown name draws nothing.
TEST(QtDrawingSurface, PicturesStayInTheirRectangle) {
    const QImage known = paint(200, 100, [](QtDrawingSurface& s) {
        s.setScale(0, 0, 20, 10);
        s.picture("pic_small_l", 2, 2, 6, 6); // pixels 20..80
    });
    int inside = 0, outside = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            if (known.pixel(x, y) == white) continue;
            if (x >= 17 && x <= 83 && y >= 17 && y <= 83)
                ++inside;
            else
                ++outside;
        }
    EXPECT_GT(inside, 0);
    EXPECT_EQ(0, outside);

    const QImage unknown = paint(50, 50, [](QtDrawingSurface& s) { s.picture("no_such_picture", 0, 0, 50, 50); });
    EXPECT_TRUE(unknown == whiteImage(50, 50));
}

} // namespace
} // namespace korvel
