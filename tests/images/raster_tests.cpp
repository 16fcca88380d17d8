// The rasteriser against geometry: areas of shapes, exact edges on pixel boundaries, and compositing.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "raster.h"

namespace {

using namespace imagegen;

constexpr double kPi = 3.14159265358979323846;

// The area a shape covers, in pixels, measured as white painted on black.
double paintedArea(const Shape& shape, int width, int height) {
    Canvas canvas(width, height, rgb(0, 0, 0));
    fill(canvas, shape, rgb(255, 255, 255));
    double area = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) area += canvas.at(x, y).r / 255;
    return area;
}

TEST(Raster, AreasMatchGeometry) {
    for (double radius : {2.5, 7.0, 15.3}) {
        SCOPED_TRACE(radius);
        EXPECT_NEAR(paintedArea(circle({20.3, 19.6}, radius), 40, 40), kPi * radius * radius,
                    0.01 * kPi * radius * radius + 0.5);
    }
    // A rounded box keeps its area however it is turned.
    const double hw = 12, hh = 8, r = 3;
    const double area = 4 * hw * hh - (4 - kPi) * r * r;
    for (double angle : {0.0, 0.3, 1.0, kPi / 2}) {
        SCOPED_TRACE(angle);
        EXPECT_NEAR(paintedArea(roundedBox({25, 25}, hw, hh, r, angle), 50, 50), area, 0.01 * area);
    }
    // Clipped at the canvas edges, not wrapped: a circle at the corner shows a quarter of itself.
    EXPECT_NEAR(paintedArea(circle({0, 0}, 10), 30, 30), kPi * 100 / 4, 2.0);
    EXPECT_NEAR(paintedArea(circle({30, 30}, 10), 30, 30), kPi * 100 / 4, 2.0);
}

TEST(Raster, EdgesOnPixelBoundariesAreExact) {
    const Color background = rgb(1, 127, 1), ink = rgb(200, 30, 90);
    Canvas canvas(12, 10, background);
    fill(canvas, roundedBox({6, 5}, 3, 2, 0), ink);  // x 3..9, y 3..7
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 12; ++x) {
            bool inside = x >= 3 && x < 9 && y >= 3 && y < 7;
            Rgba8 p = toBytes(canvas.at(x, y)), want = toBytes(inside ? ink : background);
            ASSERT_TRUE(p.r == want.r && p.g == want.g && p.b == want.b && p.a == 255) << x << "," << y;
        }
    }
}

TEST(Raster, ComposesOverTransparency) {
    Canvas canvas(3, 1);
    const Color ink = rgb(250, 100, 20);
    canvas.blend(0, 0, ink, 1);
    canvas.blend(1, 0, ink, 0.5);
    canvas.blend(2, 0, Color{0, 0, 0, 128}, 1);
    canvas.blend(2, 0, Color{0, 0, 0, 128}, 1);
    Color full = canvas.at(0, 0), half = canvas.at(1, 0), twice = canvas.at(2, 0);
    EXPECT_DOUBLE_EQ(full.a, 255);
    // Straight colour survives a partial cover; only alpha drops.
    EXPECT_NEAR(half.r, 250, 1e-9);
    EXPECT_NEAR(half.g, 100, 1e-9);
    EXPECT_NEAR(half.a, 127.5, 1e-9);
    // Two half-opaque layers: 1 - (1 - a)^2.
    double a = 128.0 / 255;
    EXPECT_NEAR(twice.a, 255 * (1 - (1 - a) * (1 - a)), 1e-9);
}

// unite skips parts by their bounds; it must still find the nearest part.
TEST(Raster, UnionIsTheNearestOfItsParts) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(0, 100), size(0.5, 8);
    std::vector<Shape> parts;
    for (int i = 0; i < 20; ++i) {
        Point a{coordinate(random), coordinate(random)}, b{coordinate(random), coordinate(random)};
        parts.push_back(i % 2 ? circle(a, size(random)) : stroke({a, b}, size(random)));
    }
    Shape all = unite(parts);
    for (int i = 0; i < 500; ++i) {
        Point p{coordinate(random) * 1.2 - 10, coordinate(random) * 1.2 - 10};
        double nearest = HUGE_VAL;
        for (const Shape& part : parts) nearest = std::min(nearest, part.distance(p));
        ASSERT_NEAR(all.distance(p), nearest, 1e-9) << p.x << "," << p.y;
    }
}

}  // namespace
