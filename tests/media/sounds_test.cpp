// The five sounds as SoX reads them: format, length, headroom, and that each is its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "command.h"

namespace {

using kvoro::test::quoted;
using kvoro::test::runCommand;

struct Sound {
    const char* file;
    double seconds;
};
const Sound kSounds[] = {
    {"kvoro.wav", 0.73}, {"roll1.wav", 0.85}, {"roll2.wav", 0.83}, {"roll3.wav", 1.11}, {"zero.wav", 0.51},
};

std::string pathOf(const Sound& sound) { return std::string(KVORO_ASSET_DIR) + "/" + sound.file; }

std::string soxi(const Sound& sound, const char* option) {
    const auto result = runCommand(std::string(KVORO_SOXI) + " " + option + " " + quoted(pathOf(sound)));
    std::string value = result.output;
    while (!value.empty() && (value.back() == '\n' || value.back() == ' ')) value.pop_back();
    return value;
}

// A value from `sox <file> -n stat`, which reports on standard error.
double statValue(const Sound& sound, const std::string& name) {
    const auto result = runCommand(std::string(KVORO_SOX) + " " + quoted(pathOf(sound)) + " -n stat 2>&1");
    std::istringstream lines(result.output);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(name, 0) == 0) return std::stod(line.substr(line.find(':') + 1));
    }
    ADD_FAILURE() << "sox stat did not report " << name << " for " << sound.file;
    return 0;
}

std::vector<double> samplesOf(const Sound& sound) {
    const auto result = runCommand(std::string(KVORO_SOX) + " " + quoted(pathOf(sound)) + " -t raw -e signed -b 16 -L -");
    std::vector<double> samples(result.output.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        std::int16_t s;
        std::memcpy(&s, result.output.data() + 2 * i, 2);
        samples[i] = s / 32768.0;
    }
    return samples;
}


TEST(Sounds, AreMonoSixteenBitPcmAt11025HzOfTheirLength) {
    for (const Sound& sound : kSounds) {
        SCOPED_TRACE(sound.file);
        EXPECT_EQ(soxi(sound, "-t"), "wav");
        EXPECT_EQ(soxi(sound, "-c"), "1");
        EXPECT_EQ(soxi(sound, "-r"), "11025");
        EXPECT_EQ(soxi(sound, "-b"), "16");
        EXPECT_EQ(soxi(sound, "-e"), "Signed Integer PCM");
        EXPECT_EQ(soxi(sound, "-s"), std::to_string(std::lround(sound.seconds * 11025)));
    }
}

TEST(Sounds, PeakBelowFullScaleAndClearlyAudible) {
    for (const Sound& sound : kSounds) {
        SCOPED_TRACE(sound.file);
        const double peak = std::max(statValue(sound, "Maximum amplitude"), -statValue(sound, "Minimum amplitude"));
        EXPECT_LT(peak, 0.9);  // about 1 dB of headroom at least
        EXPECT_GT(peak, 0.3);
        EXPECT_GT(statValue(sound, "RMS     amplitude"), 0.02);
    }
}

TEST(Sounds, NoTwoAreAlike) {
    std::vector<std::vector<double>> all;
    for (const Sound& sound : kSounds) all.push_back(samplesOf(sound));
    for (std::size_t a = 0; a < all.size(); ++a) {
        for (std::size_t b = a + 1; b < all.size(); ++b) {
            // Near 1 for copies or mere changes of level.
            const std::size_t n = std::min(all[a].size(), all[b].size());
            double ab = 0, aa = 0, bb = 0;
            for (std::size_t i = 0; i < n; ++i) {
                ab += all[a][i] * all[b][i], aa += all[a][i] * all[a][i], bb += all[b][i] * all[b][i];
            }
            EXPECT_LT(std::abs(ab) / std::sqrt(aa * bb + 1e-12), 0.5) << kSounds[a].file << " ~ " << kSounds[b].file;
        }
    }
}

}  // namespace
