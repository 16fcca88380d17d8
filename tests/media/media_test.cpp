// The generated clip and sounds as readers that share no code with the generators see them: the dice clip as
// FFmpeg's probe and decoder (the window tests play it in the program's animation controls), the five sounds as SoX
// reads them: format, length, headroom, and that each is its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "command.h"

namespace {

using kvoro::test::quoted;
using kvoro::test::runCommand;

constexpr int kWidth = 70, kHeight = 75, kFrames = 84;

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
constexpr Rgb kBackground{0, 80, 80}, kMarkRed{204, 16, 16};

Rgb Pixel(int frame, int x, int y) {
    static const std::string clip = runCommand(std::string(KVORO_FFMPEG) + " -v error -i " + quoted(KVORO_DICE_AVI) +
                                               " -f rawvideo -pix_fmt rgb24 -").output;
    if (clip.size() != std::size_t{kFrames} * kWidth * kHeight * 3) throw std::runtime_error("not 84 frames decoded");
    const auto* p = reinterpret_cast<const std::uint8_t*>(clip.data()) + ((frame * kHeight + y) * kWidth + x) * 3;
    return {p[0], p[1], p[2]};
}

// The box of a frame's pixels that satisfy wanted: left, top, right, bottom, inclusive; right is -1 when none does.
template <typename Predicate>
std::vector<int> Box(int frame, Predicate wanted) {
    std::vector<int> box{kWidth, kHeight, -1, -1};
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (!wanted(Pixel(frame, x, y))) continue;
            box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
        }
    }
    return box;
}

bool NotBackground(Rgb c) { return !(c == kBackground); }

// Run n is frames 13(n-1) to 13n-1: empty, then a die falling in from the top that moves until it rests on face n
// in the usual pattern; frame 77+n is that resting frame with red marks at the die's four corners.
TEST(DiceClip, HasEightyFourRle8FramesAtFifteenASecondAndEveryRunDropsInAndRestsOnItsFaceWithItsHeldFrame) {
    const auto probe = runCommand(std::string(KVORO_FFPROBE) +
                                  " -v error -count_frames -select_streams v:0 -show_entries"
                                  " stream=codec_name,width,height,r_frame_rate,nb_read_frames"
                                  " -of default=noprint_wrappers=1 " + quoted(KVORO_DICE_AVI));
    EXPECT_EQ(probe.output, "codec_name=msrle\nwidth=70\nheight=75\nr_frame_rate=15/1\nnb_read_frames=84\n");
    for (int face = 1; face <= 6; ++face) {
        SCOPED_TRACE("face " + std::to_string(face));
        const int first = 13 * (face - 1), rest = first + 12, held = 77 + face;
        EXPECT_EQ(Box(first, NotBackground)[2], -1);
        EXPECT_EQ(Box(first + 1, NotBackground)[1], 0);
        EXPECT_GT(Box(rest, NotBackground)[1], 5);
        for (int step = first + 2; step <= rest; ++step) {
            bool moved = false;
            for (int y = 0; y < kHeight && !moved; ++y)
                for (int x = 0; x < kWidth && !moved; ++x) moved = !(Pixel(step, x, y) == Pixel(step - 1, x, y));
            EXPECT_TRUE(moved) << "frame " << step;
        }
        // The die is the box of the pixels with red in them. The usual patterns put the pips on a 3 x 3 grid a
        // quarter of the die's width apart; each is symmetric about the centre, odd faces have the middle one.
        const std::vector<int> die = Box(rest, [](Rgb c) { return c.r > 30; });
        EXPECT_LE(std::abs((die[2] - die[0]) - (die[3] - die[1])), 3);
        bool pip[9];  // row by row
        int pips = 0;
        for (int k = 0; k < 9; ++k) {
            const Rgb c = Pixel(rest, (die[0] + die[2]) / 2 + (k % 3 - 1) * (die[2] - die[0]) * 26 / 100,
                                (die[1] + die[3]) / 2 + (k / 3 - 1) * (die[3] - die[1]) * 26 / 100);
            pips += pip[k] = (299 * c.r + 587 * c.g + 114 * c.b) / 1000 < 100;
        }
        EXPECT_EQ(pips, face);
        EXPECT_EQ(pip[4], face % 2 == 1);
        for (int k = 0; k < 9; ++k) EXPECT_EQ(pip[k], pip[8 - k]);

        int marks[4] = {};  // top left, top right, bottom left, bottom right
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const Rgb h = Pixel(held, x, y);
                if (h == Pixel(rest, x, y)) continue;
                ASSERT_TRUE(h.r > h.g + 80 && h.r > h.b + 80) << "changed pixel not red at " << x << "," << y;
                EXPECT_FALSE(x > die[0] && x < die[2] && y > die[1] && y < die[3]) << "mark on the die at " << x << "," << y;
                if (h == kMarkRed) ++marks[2 * (y > (die[1] + die[3]) / 2) + (x > (die[0] + die[2]) / 2)];
            }
        }
        for (int count : marks) EXPECT_GE(count, 10);
    }
}


TEST(Sounds, AreMonoSixteenBitPcmAt11025HzOfTheirLengthWithHeadroomAndEachItsOwn) {
    const struct {
        const char* file;
        double seconds;
    } sounds[] = {{"kvoro.wav", 0.73}, {"roll1.wav", 0.85}, {"roll2.wav", 0.83}, {"roll3.wav", 1.11}, {"zero.wav", 0.51}};
    std::vector<std::vector<double>> all;
    for (const auto& sound : sounds) {
        SCOPED_TRACE(sound.file);
        const std::string path = quoted(std::string(KVORO_ASSET_DIR) + "/" + sound.file);
        std::string format;
        for (const char* option : {"-t", "-c", "-r", "-b", "-e", "-s"})
            format += runCommand(std::string(KVORO_SOXI) + " " + option + " " + path).output;
        EXPECT_EQ(format, "wav\n1\n11025\n16\nSigned Integer PCM\n" + std::to_string(std::lround(sound.seconds * 11025)) + "\n");
        // The samples as SoX decodes them, in [-1, 1).
        const std::string raw = runCommand(std::string(KVORO_SOX) + " " + path + " -t raw -e signed -b 16 -L -").output;
        std::vector<double>& samples = all.emplace_back(raw.size() / 2);
        double peak = 0, energy = 0;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            std::int16_t s;
            std::memcpy(&s, raw.data() + 2 * i, 2);
            samples[i] = s / 32768.0;
            peak = std::max(peak, std::abs(samples[i]));
            energy += samples[i] * samples[i];
        }
        EXPECT_LT(peak, 0.9);  // about 1 dB of headroom at least
        EXPECT_GT(peak, 0.3);
        EXPECT_GT(std::sqrt(energy / std::max<std::size_t>(samples.size(), 1)), 0.02);
    }
    // No two alike: the normalised correlation is near 1 for copies or mere changes of level.
    for (std::size_t a = 0; a < all.size(); ++a) {
        for (std::size_t b = a + 1; b < all.size(); ++b) {
            double ab = 0, aa = 0, bb = 0;
            for (std::size_t i = 0; i < std::min(all[a].size(), all[b].size()); ++i)
                ab += all[a][i] * all[b][i], aa += all[a][i] * all[a][i], bb += all[b][i] * all[b][i];
            EXPECT_LT(std::abs(ab) / std::sqrt(aa * bb + 1e-12), 0.5) << sounds[a].file << " ~ " << sounds[b].file;
        }
    }
}

}  // namespace
