// The five sounds as SoX reads them: format, length, headroom, and that each is its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "command.h"

namespace {

using kvoro::test::quoted;
using kvoro::test::runCommand;

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
