#include "ui/place_centred_model.h"

#include <gtest/gtest.h>

namespace kvoro {
namespace {

TEST(Centring, AFittingWindowIsCentredWhereItFitsAndKeptInsideTheAreaElsewhere) {
    const Rect area{0, 0, 1280, 994};
    const Size window{300, 200};
    for (int x = -600; x <= 1600; x += 37) {
        for (int y = -600; y <= 1400; y += 41) {
            const Point p = CentredPosition({x, y, x + 400, y + 300}, area, window);
            const Point centred{x + 50, y + 50};
            EXPECT_GE(p.x, area.left);
            EXPECT_GE(p.y, area.top);
            EXPECT_LE(p.x + window.width, area.right);
            EXPECT_LE(p.y + window.height, area.bottom);
            if (centred.x >= 0 && centred.x + 300 <= 1280) {
                EXPECT_EQ(p.x, centred.x);
            }
            if (centred.y >= 0 && centred.y + 200 <= 994) {
                EXPECT_EQ(p.y, centred.y);
            }
        }
    }
    // Odd sizes: every integer division rounds toward zero, also left of the origin.
    EXPECT_EQ(CentredPosition({-301, -301, 0, 0}, {-1000, -1000, 1000, 1000}, {101, 101}), (Point{-200, -200}));
    EXPECT_EQ(CentredPosition({0, 0, 101, 101}, area, {50, 50}), (Point{25, 25}));
}

TEST(Centring, AWindowLargerThanTheAreaTestsTheLeadingEdgeFirst) {
    const Rect area{0, 0, 800, 600};
    const Size huge{1000, 700};
    // Centred on the area it would start before the leading edge: it starts there.
    EXPECT_EQ(CentredPosition(area, area, huge), (Point{0, 0}));
    // Further right and down it starts inside but overhangs: its trailing edges meet the area's.
    EXPECT_EQ(CentredPosition({600, 400, 1400, 1000}, area, huge), (Point{-200, -100}));
}

}  // namespace
}  // namespace kvoro
