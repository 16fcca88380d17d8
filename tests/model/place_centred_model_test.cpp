#include "ui/place_centred_model.h"

#include <gtest/gtest.h>

namespace kvoro {
namespace {

// Centred where it fits, else kept inside the area; a window larger than the
// area tests the leading edge first.
TEST(Centring, CentredWhereItFitsAndKeptInsideTheAreaElsewhere) {
    const Rect area{0, 0, 1280, 994};
    for (int x = -600; x <= 1600; x += 37) {
        for (int y = -600; y <= 1400; y += 41) {
            const Point p = CentredPosition({x, y, x + 400, y + 300}, area, {300, 200});
            EXPECT_TRUE(p.x >= 0 && p.y >= 0 && p.x + 300 <= 1280 && p.y + 200 <= 994) << x << "," << y;
            if (x + 50 >= 0 && x + 350 <= 1280) EXPECT_EQ(p.x, x + 50);
            if (y + 50 >= 0 && y + 250 <= 994) EXPECT_EQ(p.y, y + 50);
        }
    }
    // Odd sizes: every integer division rounds toward zero, also left of the origin.
    EXPECT_EQ(CentredPosition({-301, -301, 0, 0}, {-1000, -1000, 1000, 1000}, {101, 101}), (Point{-200, -200}));
    EXPECT_EQ(CentredPosition({0, 0, 101, 101}, area, {50, 50}), (Point{25, 25}));
    // Centred on the area it would start before the leading edge; further on it overhangs the trailing edges.
    EXPECT_EQ(CentredPosition({0, 0, 800, 600}, {0, 0, 800, 600}, {1000, 700}), (Point{0, 0}));
    EXPECT_EQ(CentredPosition({600, 400, 1400, 1000}, {0, 0, 800, 600}, {1000, 700}), (Point{-200, -100}));
}

}  // namespace
}  // namespace kvoro
