// The dice clip as independent readers see it: FFmpeg's probe and decoder,
// and a walk over the RIFF structure that the Windows animation control reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "command.h"

namespace {

using kvoro::test::quoted;
using kvoro::test::runCommand;

constexpr int kWidth = 70;
constexpr int kHeight = 75;
constexpr int kFrames = 84;

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

const std::vector<Frame>& decodedFrames() {
    static const std::vector<Frame> frames = [] {
        const auto result = runCommand(std::string(KVORO_FFMPEG) + " -v error -i " + quoted(KVORO_DICE_AVI) +
                                       " -f rawvideo -pix_fmt rgb24 -");
        std::vector<Frame> out;
        const std::size_t size = kWidth * kHeight * 3;
        if (result.status != 0) return out;
        for (std::size_t p = 0; p + size <= result.output.size(); p += size) out.push_back({result.output.substr(p, size)});
        return out;
    }();
    return frames;
}

const Frame& frame(int n) {
    const auto& frames = decodedFrames();
    if (static_cast<int>(frames.size()) != kFrames) throw std::runtime_error("ffmpeg did not decode 84 frames");
    return frames[n];
}

struct Box {
    int left = kWidth, top = kHeight, right = -1, bottom = -1;  // inclusive
    void add(int x, int y) {
        left = std::min(left, x), top = std::min(top, y), right = std::max(right, x), bottom = std::max(bottom, y);
    }
    bool empty() const { return right < 0; }
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

template <typename Predicate>
Box boxOf(const Frame& f, Predicate wanted) {
    Box box;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (wanted(f.at(x, y))) box.add(x, y);
    return box;
}

struct Point {
    double x, y;
};

// The die is the box of the pixels with red in them (background and shadow
// have none); its pips are the dark patches that lie wholly inside that box
// (the background in the rounded corners touches the box's edge).
struct DieReading {
    Box die;
    std::vector<Point> pips;
};

DieReading readDie(const Frame& f) {
    DieReading reading;
    reading.die = boxOf(f, [](Rgb c) { return c.r > 30; });
    const Box& box = reading.die;
    if (box.empty()) return reading;
    std::vector<bool> seen(kWidth * kHeight, false);
    for (int y = box.top; y <= box.bottom; ++y) {
        for (int x = box.left; x <= box.right; ++x) {
            if (seen[y * kWidth + x] || f.at(x, y).luma() >= 100) continue;
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
                const int next[4][2] = {{px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}};
                for (const auto& [nx, ny] : next) {
                    if (nx < box.left || nx > box.right || ny < box.top || ny > box.bottom) continue;
                    if (seen[ny * kWidth + nx] || f.at(nx, ny).luma() >= 100) continue;
                    seen[ny * kWidth + nx] = true;
                    stack.push_back({nx, ny});
                }
            }
            if (!touchesEdge && area >= 8) reading.pips.push_back({sx / area, sy / area});
        }
    }
    return reading;
}

std::map<std::string, std::string> probe() {
    const auto result = runCommand(std::string(KVORO_FFPROBE) +
                                   " -v error -count_frames -select_streams v:0 -show_entries"
                                   " stream=codec_name,width,height,r_frame_rate,nb_read_frames"
                                   " -of default=noprint_wrappers=1 " + quoted(KVORO_DICE_AVI));
    std::map<std::string, std::string> values;
    std::istringstream lines(result.output);
    for (std::string line; std::getline(lines, line);) {
        const auto eq = line.find('=');
        if (eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return values;
}

TEST(DiceClip, FfprobeSeesEightyFourRle8FramesAtFifteenASecond) {
    const auto values = probe();
    EXPECT_EQ(values.at("codec_name"), "msrle");
    EXPECT_EQ(values.at("width"), "70");
    EXPECT_EQ(values.at("height"), "75");
    EXPECT_EQ(values.at("r_frame_rate"), "15/1");
    EXPECT_EQ(values.at("nb_read_frames"), "84");
}

TEST(DiceClip, EmptyFramesAreUniformBackground) {
    // Frame 0 and the first frame of every run.
    for (int n : {0, 13, 26, 39, 52, 65}) {
        const Frame& f = frame(n);
        EXPECT_TRUE(boxOf(f, [](Rgb c) { return !(c == kBackground); }).empty()) << "frame " << n;
    }
}

TEST(DiceClip, RestingFramesShowAWhiteDieWithItsFaceInTheUsualPattern) {
    for (int face = 1; face <= 6; ++face) {
        SCOPED_TRACE("face " + std::to_string(face));
        const Frame& rest = frame(13 * face - 1);
        const DieReading reading = readDie(rest);
        const Box& die = reading.die;
        EXPECT_GE(die.width(), 40);
        EXPECT_LE(die.width(), 60);
        EXPECT_LE(std::abs(die.width() - die.height()), 3);
        int white = 0;
        for (int y = die.top; y <= die.bottom; ++y)
            for (int x = die.left; x <= die.right; ++x) white += rest.at(x, y).luma() > 200;
        EXPECT_GT(white, die.width() * die.height() / 2);
        ASSERT_EQ(static_cast<int>(reading.pips.size()), face);
        // Every usual pattern is symmetric about the face's centre, and odd
        // faces have a pip in the middle.
        const Point centre{(die.left + die.right) / 2.0, (die.top + die.bottom) / 2.0};
        int central = 0;
        for (const Point& pip : reading.pips) {
            const bool mirrored = std::any_of(reading.pips.begin(), reading.pips.end(), [&](const Point& other) {
                return std::hypot(other.x - (2 * centre.x - pip.x), other.y - (2 * centre.y - pip.y)) < 2;
            });
            EXPECT_TRUE(mirrored) << "pip at " << pip.x << "," << pip.y;
            central += std::hypot(pip.x - centre.x, pip.y - centre.y) < 2;
        }
        EXPECT_EQ(central, face % 2);
    }
}

TEST(DiceClip, HeldFramesAreTheRestingFaceWithRedCornerMarks) {
    for (int face = 1; face <= 6; ++face) {
        SCOPED_TRACE("face " + std::to_string(face));
        const Frame& rest = frame(13 * face - 1);
        const Frame& held = frame(77 + face);
        const Box die = readDie(rest).die;
        int marks[2][2] = {};
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const Rgb h = held.at(x, y);
                if (h == rest.at(x, y)) continue;
                ASSERT_TRUE(h.r > h.g + 80 && h.r > h.b + 80) << "changed pixel not red at " << x << "," << y;
                const bool inside = x > die.left && x < die.right && y > die.top && y < die.bottom;
                EXPECT_FALSE(inside) << "mark covers the die at " << x << "," << y;
                if (h == kMarkRed) ++marks[y > (die.top + die.bottom) / 2][x > (die.left + die.right) / 2];
            }
        }
        for (const auto& row : marks)
            for (int count : row) EXPECT_GE(count, 10);
    }
}

TEST(DiceClip, EveryRunDropsInFromAboveAndMovesOnEachFrame) {
    auto notBackground = [](Rgb c) { return !(c == kBackground); };
    for (int face = 1; face <= 6; ++face) {
        SCOPED_TRACE("face " + std::to_string(face));
        const int first = 13 * (face - 1);
        EXPECT_EQ(boxOf(frame(first + 1), notBackground).top, 0);
        EXPECT_GT(boxOf(frame(first + 12), notBackground).top, 5);
        for (int step = 2; step <= 12; ++step) EXPECT_NE(frame(first + step).rgb, frame(first + step - 1).rgb);
    }
}

// What the control reads, in the order it reads it.
struct Riff {
    std::string bytes;
    std::uint32_t u32(std::size_t p) const {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<std::uint8_t>(bytes.at(p + i));
        return v;
    }
    std::uint16_t u16(std::size_t p) const { return static_cast<std::uint16_t>(u32(p) & 0xFFFF); }
    std::string code(std::size_t p) const { return bytes.substr(p, 4); }
    // Offsets of the chunks inside [begin, end), with their ids.
    std::vector<std::pair<std::string, std::size_t>> chunks(std::size_t begin, std::size_t end) const {
        std::vector<std::pair<std::string, std::size_t>> out;
        for (std::size_t p = begin; p + 8 <= end; p += 8 + (u32(p + 4) + 1) / 2 * 2) out.push_back({code(p), p});
        return out;
    }
};

TEST(DiceClip, RiffLayoutIsClassicAvi) {
    std::ifstream in(KVORO_DICE_AVI, std::ios::binary);
    const Riff avi{std::string(std::istreambuf_iterator<char>(in), {})};
    ASSERT_GE(avi.bytes.size(), 12u);
    ASSERT_EQ(avi.code(0), "RIFF");
    ASSERT_EQ(avi.code(8), "AVI ");
    ASSERT_EQ(avi.u32(4) + 8, avi.bytes.size());

    const auto top = avi.chunks(12, avi.bytes.size());
    ASSERT_EQ(top.size(), 3u);
    ASSERT_EQ(top[0].first + avi.code(top[0].second + 8), "LISThdrl");
    ASSERT_EQ(top[1].first + avi.code(top[1].second + 8), "LISTmovi");
    ASSERT_EQ(top[2].first, "idx1");

    const std::size_t hdrl = top[0].second;
    const auto header = avi.chunks(hdrl + 12, hdrl + 8 + avi.u32(hdrl + 4));
    ASSERT_EQ(header.size(), 2u);
    ASSERT_EQ(header[0].first, "avih");
    const std::size_t avih = header[0].second + 8;
    EXPECT_EQ(avi.u32(avih), 66667u);
    EXPECT_EQ(avi.u32(avih + 16), 84u);  // total frames
    EXPECT_EQ(avi.u32(avih + 24), 1u);   // streams
    EXPECT_EQ(avi.u32(avih + 32), 70u);
    EXPECT_EQ(avi.u32(avih + 36), 75u);
    const std::uint32_t suggestedBuffer = avi.u32(avih + 28);

    ASSERT_EQ(header[1].first + avi.code(header[1].second + 8), "LISTstrl");
    const auto stream = avi.chunks(header[1].second + 12, header[1].second + 8 + avi.u32(header[1].second + 4));
    ASSERT_EQ(stream.size(), 2u);
    ASSERT_EQ(stream[0].first, "strh");
    const std::size_t strh = stream[0].second + 8;
    EXPECT_EQ(avi.code(strh), "vids");
    EXPECT_EQ(avi.code(strh + 4), "mrle");
    EXPECT_EQ(avi.u32(strh + 24) / avi.u32(strh + 20), 15u);  // rate / scale
    EXPECT_EQ(avi.u32(strh + 32), 84u);                       // length
    ASSERT_EQ(stream[1].first, "strf");
    const std::size_t strf = stream[1].second + 8;
    EXPECT_EQ(avi.u32(strf), 40u);
    EXPECT_EQ(avi.u32(strf + 4), 70u);
    EXPECT_EQ(avi.u32(strf + 8), 75u);  // positive: bottom-up
    EXPECT_EQ(avi.u16(strf + 14), 8u);
    EXPECT_EQ(avi.u32(strf + 16), 1u);  // BI_RLE8
    const std::uint32_t colours = avi.u32(strf + 32);
    EXPECT_LE(colours, 256u);
    EXPECT_EQ(avi.u32(stream[1].second + 4), 40 + 4 * colours);

    // One '00dc' chunk a frame, each one found again through the index.
    const std::size_t movi = top[1].second;
    const auto frames = avi.chunks(movi + 12, movi + 8 + avi.u32(movi + 4));
    ASSERT_EQ(frames.size(), 84u);
    const std::size_t idx1 = top[2].second;
    ASSERT_EQ(avi.u32(idx1 + 4), 84u * 16);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const std::size_t entry = idx1 + 8 + 16 * i;
        EXPECT_EQ(frames[i].first, "00dc");
        EXPECT_EQ(avi.code(entry), "00dc");
        EXPECT_EQ(avi.u32(entry + 4) & 0x10, 0x10u) << "frame " << i << " is not a key frame";
        EXPECT_EQ(movi + 8 + avi.u32(entry + 8), frames[i].second) << "frame " << i;
        EXPECT_EQ(avi.u32(entry + 12), avi.u32(frames[i].second + 4));
        EXPECT_LE(avi.u32(frames[i].second + 4), suggestedBuffer);
    }
}

}  // namespace
