// The dice clip as FFmpeg's probe and decoder see it; the window tests play it in the program's
// animation controls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "command.h"

namespace {

using kvoro::test::quoted;
using kvoro::test::runCommand;

constexpr int kWidth = 70, kHeight = 75, kFrames = 84;

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    int luma() const { return (299 * r + 587 * g + 114 * b) / 1000; }
};
constexpr Rgb kBackground{0, 80, 80};
constexpr Rgb kMarkRed{204, 16, 16};

struct Frame {
    std::string rgb;
    Rgb at(int x, int y) const {
        const std::size_t p = (static_cast<std::size_t>(y) * kWidth + x) * 3;
        return {static_cast<std::uint8_t>(rgb[p]), static_cast<std::uint8_t>(rgb[p + 1]),
                static_cast<std::uint8_t>(rgb[p + 2])};
    }
};

const Frame& frame(int n) {
    static const std::vector<Frame> frames = [] {
        const auto result = runCommand(std::string(KVORO_FFMPEG) + " -v error -i " + quoted(KVORO_DICE_AVI) +
                                       " -f rawvideo -pix_fmt rgb24 -");
        std::vector<Frame> out;
        const std::size_t size = kWidth * kHeight * 3;
        for (std::size_t p = 0; result.status == 0 && p + size <= result.output.size(); p += size)
            out.push_back({result.output.substr(p, size)});
        return out;
    }();
    if (static_cast<int>(frames.size()) != kFrames) throw std::runtime_error("ffmpeg did not decode 84 frames");
    return frames[n];
}

struct Box {
    int left = kWidth, top = kHeight, right = -1, bottom = -1;  // inclusive
    bool empty() const { return right < 0; }
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
    bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

template <typename Predicate>
Box boxOf(const Frame& f, Predicate wanted) {
    Box box;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (!wanted(f.at(x, y))) continue;
            box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
        }
    }
    return box;
}

bool notBackground(Rgb c) { return !(c == kBackground); }

struct Point {
    double x, y;
};

// The die is the box of the pixels with red in them; its pips are the dark
// patches inside it that do not touch its edge (the rounded corners do).
struct DieReading {
    Box die;
    std::vector<Point> pips;
};

DieReading readDie(const Frame& f) {
    const Box box = boxOf(f, [](Rgb c) { return c.r > 30; });
    DieReading reading{box, {}};
    auto dark = [&](int x, int y) { return box.contains(x, y) && f.at(x, y).luma() < 100; };
    std::vector<bool> seen(kWidth * kHeight, false);
    for (int y = box.top; y <= box.bottom; ++y) {
        for (int x = box.left; x <= box.right; ++x) {
            if (seen[y * kWidth + x] || !dark(x, y)) continue;
            std::vector<std::pair<int, int>> stack{{x, y}};
            seen[y * kWidth + x] = true;
            bool touchesEdge = false;
            double sx = 0, sy = 0;
            int area = 0;
            while (!stack.empty()) {
                const auto [px, py] = stack.back();
                stack.pop_back();
                ++area, sx += px, sy += py;
                touchesEdge |= px == box.left || px == box.right || py == box.top || py == box.bottom;
                for (const auto& [nx, ny] : {std::pair{px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}}) {
                    if (!dark(nx, ny) || seen[ny * kWidth + nx]) continue;
                    seen[ny * kWidth + nx] = true;
                    stack.push_back({nx, ny});
                }
            }
            if (!touchesEdge && area >= 8) reading.pips.push_back({sx / area, sy / area});
        }
    }
    return reading;
}

TEST(DiceClip, FfprobeSeesEightyFourRle8FramesAtFifteenASecond) {
    const auto result = runCommand(std::string(KVORO_FFPROBE) +
                                   " -v error -count_frames -select_streams v:0 -show_entries"
                                   " stream=codec_name,width,height,r_frame_rate,nb_read_frames"
                                   " -of default=noprint_wrappers=1 " + quoted(KVORO_DICE_AVI));
    EXPECT_EQ(result.output, "codec_name=msrle\nwidth=70\nheight=75\nr_frame_rate=15/1\nnb_read_frames=84\n");
}

// Run n is frames 13(n-1) to 13n-1: empty, then a die falling in from the top that moves until it rests.
TEST(DiceClip, EveryRunStartsEmptyAndDropsInFromAbove) {
    for (int face = 1; face <= 6; ++face) {
        SCOPED_TRACE("face " + std::to_string(face));
        const int first = 13 * (face - 1);
        EXPECT_TRUE(boxOf(frame(first), notBackground).empty());
        EXPECT_EQ(boxOf(frame(first + 1), notBackground).top, 0);
        EXPECT_GT(boxOf(frame(first + 12), notBackground).top, 5);
        for (int step = 2; step <= 12; ++step) EXPECT_NE(frame(first + step).rgb, frame(first + step - 1).rgb);
    }
}

// Frame 13n-1 rests on face n; frame 77+n is the same with red corner marks.
TEST(DiceClip, RestingAndHeldFramesShowTheFaceInTheUsualPattern) {
    for (int face = 1; face <= 6; ++face) {
        SCOPED_TRACE("face " + std::to_string(face));
        const Frame& rest = frame(13 * face - 1);
        const DieReading reading = readDie(rest);
        const Box& die = reading.die;
        EXPECT_LE(std::abs(die.width() - die.height()), 3);
        // Every usual pattern is symmetric about the centre; odd faces have a pip in the middle.
        ASSERT_EQ(static_cast<int>(reading.pips.size()), face);
        const Point centre{(die.left + die.right) / 2.0, (die.top + die.bottom) / 2.0};
        int central = 0;
        for (const Point& pip : reading.pips) {
            EXPECT_TRUE(std::any_of(reading.pips.begin(), reading.pips.end(), [&](const Point& other) {
                return std::hypot(other.x - (2 * centre.x - pip.x), other.y - (2 * centre.y - pip.y)) < 2;
            })) << "pip at " << pip.x << "," << pip.y << " has no mirror";
            central += std::hypot(pip.x - centre.x, pip.y - centre.y) < 2;
        }
        EXPECT_EQ(central, face % 2);

        const Frame& held = frame(77 + face);
        int marks[2][2] = {};
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const Rgb h = held.at(x, y);
                if (h == rest.at(x, y)) continue;
                ASSERT_TRUE(h.r > h.g + 80 && h.r > h.b + 80) << "changed pixel not red at " << x << "," << y;
                EXPECT_FALSE(x > die.left && x < die.right && y > die.top && y < die.bottom)
                    << "mark covers the die at " << x << "," << y;
                if (h == kMarkRed) ++marks[y > (die.top + die.bottom) / 2][x > (die.left + die.right) / 2];
            }
        }
        for (const auto& row : marks)
            for (int count : row) EXPECT_GE(count, 10);
    }
}

}  // namespace
