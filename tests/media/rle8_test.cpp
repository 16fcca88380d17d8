// The RLE8 encoder against a strict decoder written from the format's rules.
#include "rle8.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Decodes BI_RLE8 into top-down rows; refuses bad row fills, trailing data,
// unpadded absolute runs and the delta code (every frame stands on its own).
std::optional<Bytes> decode(const Bytes& data, int width, int height) {
    Bytes image(static_cast<std::size_t>(width) * height, 0);
    int x = 0, row = 0;  // row counts from the bottom
    std::size_t i = 0;
    auto put = [&](std::uint8_t value) {
        if (x >= width || row >= height) return false;
        image[static_cast<std::size_t>(height - 1 - row) * width + x++] = value;
        return true;
    };
    while (i + 1 < data.size()) {
        const std::uint8_t first = data[i], second = data[i + 1];
        i += 2;
        if (first > 0) {
            for (int k = 0; k < first; ++k)
                if (!put(second)) return std::nullopt;
        } else if (second == 0 || second == 1) {
            if (x != width) return std::nullopt;
            x = 0;
            ++row;
            if (second == 1) return row == height && i == data.size() ? std::optional<Bytes>(image) : std::nullopt;
        } else if (second == 2) {
            return std::nullopt;
        } else {
            if (i + second > data.size()) return std::nullopt;
            for (int k = 0; k < second; ++k)
                if (!put(data[i + k])) return std::nullopt;
            i += second;
            if (second % 2 != 0) {
                if (i >= data.size() || data[i] != 0) return std::nullopt;
                ++i;
            }
        }
    }
    return std::nullopt;  // no end-of-bitmap
}

void expectRoundTrip(const Bytes& image, int width, int height) {
    const Bytes encoded = kvoro::encodeRle8(image, width, height);
    const auto decoded = decode(encoded, width, height);
    ASSERT_TRUE(decoded.has_value()) << width << "x" << height;
    EXPECT_EQ(*decoded, image) << width << "x" << height;
}

TEST(Rle8, RandomImagesSurviveTheRoundTrip) {
    std::mt19937 random(12345);
    for (int trial = 0; trial < 300; ++trial) {
        const int width = 1 + static_cast<int>(random() % 700);
        const int height = 1 + static_cast<int>(random() % 4);
        // Few distinct values and a changing chance of repeats: every mix of runs and literals.
        const int palette = 1 + static_cast<int>(random() % 6);
        const unsigned repeat = random() % 100;
        Bytes image(static_cast<std::size_t>(width) * height);
        for (std::size_t p = 0; p < image.size(); ++p)
            image[p] = (p > 0 && random() % 100 < repeat) ? image[p - 1] : static_cast<std::uint8_t>(random() % palette * 51);
        expectRoundTrip(image, width, height);
    }
}

// Every row of up to eight pixels over three values: all mixes of short runs, pairs and odd literals.
TEST(Rle8, EveryShortRowSurvivesTheRoundTrip) {
    for (int width = 1, rows = 3; width <= 8; ++width, rows *= 3) {
        for (int code = 0; code < rows; ++code) {
            Bytes row(width);
            for (int x = 0, rest = code; x < width; ++x, rest /= 3) row[x] = static_cast<std::uint8_t>(rest % 3);
            expectRoundTrip(row, width, 1);
        }
    }
}

// Runs and literals at and beyond the count limit of 255.
TEST(Rle8, LongRunsAndLiteralsSurviveTheRoundTrip) {
    for (int length : {255, 256, 257, 513, 700}) {
        Bytes literals(length);
        for (int k = 0; k < length; ++k) literals[k] = static_cast<std::uint8_t>(k % 2 ? 7 : 200 + k % 50);
        expectRoundTrip(literals, length, 1);
        expectRoundTrip(Bytes(length, 4), length, 1);
    }
}

// One run and one end code a row.
TEST(Rle8, UniformRowsCompressToRuns) {
    const Bytes image(70 * 75, 0);
    EXPECT_EQ(kvoro::encodeRle8(image, 70, 75).size(), 75u * 4);
}

}  // namespace
