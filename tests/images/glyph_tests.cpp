// The lettering: every title letter exists, fitted text stays in its box and
// is centred there, and the letters stand apart at the sizes the banners use.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "glyphs.h"

namespace {

using imagegen::Box;
using imagegen::fitText;
using imagegen::TextStyle;

// Pixels at least half covered by a shape, as a mask; the pixel centre decides.
struct Ink {
    int width, height;
    std::vector<bool> on;
    bool at(int x, int y) const { return on[static_cast<size_t>(y) * width + x]; }
};

Ink inkOf(const imagegen::Shape& shape, int width, int height) {
    Ink ink{width, height, std::vector<bool>(static_cast<size_t>(width) * height)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) ink.on[static_cast<size_t>(y) * width + x] = shape.distance({x + 0.5, y + 0.5}) < 0;
    return ink;
}

// Separate blots of ink, pixels joined through their edges.
int blots(const Ink& ink) {
    std::vector<bool> seen(ink.on.size());
    int count = 0;
    for (int start = 0; start < ink.width * ink.height; ++start) {
        if (!ink.on[start] || seen[start]) continue;
        ++count;
        std::vector<int> todo{start};
        seen[start] = true;
        while (!todo.empty()) {
            int i = todo.back();
            todo.pop_back();
            int x = i % ink.width, y = i / ink.width;
            const int neighbours[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            for (auto [nx, ny] : neighbours) {
                if (nx < 0 || ny < 0 || nx >= ink.width || ny >= ink.height) continue;
                int j = ny * ink.width + nx;
                if (ink.on[j] && !seen[j]) {
                    seen[j] = true;
                    todo.push_back(j);
                }
            }
        }
    }
    return count;
}

TEST(Glyphs, CoverTheTitlesAndNothingElse) {
    for (char c : std::string("Maxi Kvoro")) EXPECT_NE(imagegen::glyphFor(c), nullptr) << c;
    EXPECT_EQ(imagegen::glyphFor('Q'), nullptr);
    EXPECT_THROW(fitText("Kvoro!", TextStyle{}, {0, 0, 100, 50}, 0), std::invalid_argument);
    EXPECT_THROW(fitText(" ", TextStyle{}, {0, 0, 100, 50}, 0), std::invalid_argument);
}

TEST(Glyphs, FittedTextFillsItsBoxCentred) {
    struct Case {
        const char* text;
        Box box;
        double slant;
    };
    const Case cases[] = {{"Kvoro", {4, 4, 246, 96}, 0.12},      // a banner
                          {"Maxi Kvoro", {10, 2, 350, 86}, 0.12}, // wide
                          {"Kvoro", {5, 3, 45, 77}, 0}};          // tall and narrow
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TextStyle style;
        style.slant = c.slant;
        const double margin = 0.1;
        auto layout = fitText(c.text, style, c.box, margin);
        Ink ink = inkOf(layout.shape, 400, 120);
        int left = 400, right = -1, top = 120, bottom = -1;
        for (int y = 0; y < ink.height; ++y) {
            for (int x = 0; x < ink.width; ++x) {
                if (!ink.at(x, y)) continue;
                left = std::min(left, x);
                right = std::max(right, x + 1);
                top = std::min(top, y);
                bottom = std::max(bottom, y + 1);
            }
        }
        // Inside the box by the margin, touching it (but for the margin) on
        // one axis, and centred on both.
        const double keep = margin * layout.scale;
        EXPECT_GE(left, c.box.left + keep - 1);
        EXPECT_LE(right, c.box.right - keep + 1);
        EXPECT_GE(top, c.box.top + keep - 1);
        EXPECT_LE(bottom, c.box.bottom - keep + 1);
        double spareX = (c.box.right - c.box.left) - (right - left), spareY = (c.box.bottom - c.box.top) - (bottom - top);
        EXPECT_LE(std::min(spareX, spareY), 2 * keep + 2);
        EXPECT_NEAR((left + right) / 2.0, (c.box.left + c.box.right) / 2, 1.5);
        EXPECT_NEAR((top + bottom) / 2.0, (c.box.top + c.box.bottom) / 2, 1.5);
    }
}

// Touching letters would read as one blot; the dot of the i must float free.
TEST(Glyphs, LettersStandApartAtBannerSizes) {
    TextStyle style;
    style.slant = 0.12;
    EXPECT_EQ(blots(inkOf(fitText("Kvoro", style, {4, 4, 246, 96}, 0.1).shape, 250, 100)), 5);
    EXPECT_EQ(blots(inkOf(fitText("Kvoro", style, {70, 1, 230, 37}, 0.1).shape, 300, 38)), 5);
    EXPECT_EQ(blots(inkOf(fitText("Maxi Kvoro", style, {4, 2, 357, 86}, 0.1).shape, 361, 116)), 10);
}

}  // namespace
