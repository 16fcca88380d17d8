// The lettering: fitted text is centred in its box, the letters stand apart, and others are refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "glyphs.h"

namespace {

using imagegen::Box;
using imagegen::fitText;
using imagegen::TextStyle;

constexpr int kWidth = 400, kHeight = 120;

// Pixels whose centre a shape covers.
std::vector<bool> inkOf(const imagegen::Shape& shape) {
    std::vector<bool> ink(kWidth * kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) ink[y * kWidth + x] = shape.distance({x + 0.5, y + 0.5}) < 0;
    return ink;
}

// Separate blots of ink, pixels joined through their edges.
int blots(const std::vector<bool>& ink) {
    std::vector<bool> seen(ink.size());
    int count = 0;
    for (int start = 0; start < kWidth * kHeight; ++start) {
        if (!ink[start] || seen[start]) continue;
        ++count;
        std::vector<int> todo{start};
        seen[start] = true;
        while (!todo.empty()) {
            const int i = todo.back(), x = i % kWidth, y = i / kWidth;
            todo.pop_back();
            for (auto [nx, ny] : {std::pair{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}}) {
                const int j = ny * kWidth + nx;
                if (nx < 0 || ny < 0 || nx >= kWidth || ny >= kHeight || !ink[j] || seen[j]) continue;
                seen[j] = true;
                todo.push_back(j);
            }
        }
    }
    return count;
}

// The titles' letters are drawn by the test below; others are refused, not skipped.
TEST(Glyphs, RefuseLettersTheFontLacks) {
    EXPECT_EQ(imagegen::glyphFor('Q'), nullptr);
    EXPECT_THROW(fitText("Kvoro!", TextStyle{}, {0, 0, 100, 50}, 0), std::invalid_argument);
    EXPECT_THROW(fitText(" ", TextStyle{}, {0, 0, 100, 50}, 0), std::invalid_argument);
}

// The banners' boxes and a tall, narrow one. On the banners each letter (and the dot of the i) is a blot of its own.
TEST(Glyphs, FittedTextFillsItsBoxCentredWithLettersApart) {
    const struct {
        const char* text;
        Box box;
        double slant;
        int blots;  // 0: too small for the letters to stand apart
    } cases[] = {{"Kvoro", {4, 4, 246, 96}, 0.12, 5},
                 {"Kvoro", {70, 1, 230, 37}, 0.12, 5},
                 {"Maxi Kvoro", {4, 2, 357, 86}, 0.12, 10},
                 {"Kvoro", {5, 3, 45, 77}, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " in " << c.box.right - c.box.left << "x"
                                        << c.box.bottom - c.box.top);
        TextStyle style;
        style.slant = c.slant;
        const double margin = 0.1;
        const auto layout = fitText(c.text, style, c.box, margin);
        const std::vector<bool> ink = inkOf(layout.shape);
        if (c.blots) {
            EXPECT_EQ(blots(ink), c.blots);
        }
        int left = kWidth, right = -1, top = kHeight, bottom = -1;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (!ink[y * kWidth + x]) continue;
                left = std::min(left, x), right = std::max(right, x + 1);
                top = std::min(top, y), bottom = std::max(bottom, y + 1);
            }
        }
        // Inside the box by the margin, touching it (but for the margin) on one axis, centred on both.
        const double keep = margin * layout.scale;
        EXPECT_GE(left, c.box.left + keep - 1);
        EXPECT_LE(right, c.box.right - keep + 1);
        EXPECT_GE(top, c.box.top + keep - 1);
        EXPECT_LE(bottom, c.box.bottom - keep + 1);
        const double spareX = (c.box.right - c.box.left) - (right - left);
        const double spareY = (c.box.bottom - c.box.top) - (bottom - top);
        EXPECT_LE(std::min(spareX, spareY), 2 * keep + 2);
        EXPECT_NEAR((left + right) / 2.0, (c.box.left + c.box.right) / 2, 1.5);
        EXPECT_NEAR((top + bottom) / 2.0, (c.box.top + c.box.bottom) / 2, 1.5);
    }
}

}  // namespace
