// The RLE8 encoder against a strict decoder written from the format's rules.
#include "rle8.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Decodes BI_RLE8 into top-down rows. Refuses what a DIB decoder would not
// draw completely: rows over- or under-filled, data after the end, absolute
// runs not padded to a word, and the delta code (the encoder writes every
// pixel, so frames must not depend on the one before).
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
        // Few distinct values and a changing chance of repeats give every mix
        // of runs, short runs and literals.
        const int palette = 1 + static_cast<int>(random() % 6);
        const unsigned repeat = random() % 100;
        Bytes image(static_cast<std::size_t>(width) * height);
        for (std::size_t p = 0; p < image.size(); ++p)
            image[p] = (p > 0 && random() % 100 < repeat) ? image[p - 1] : static_cast<std::uint8_t>(random() % palette * 51);
        expectRoundTrip(image, width, height);
    }
}

TEST(Rle8, EdgeCaseRowsSurviveTheRoundTrip) {
    auto literals = [](int n) {
        Bytes row(n);
        for (int k = 0; k < n; ++k) row[k] = static_cast<std::uint8_t>(k % 2 ? 7 : 200 + k % 50);
        return row;
    };
    const std::vector<Bytes> rows = {
        Bytes(1, 9),                      // a single pixel
        Bytes(255, 4), Bytes(256, 4), Bytes(700, 4),  // runs at and beyond the count limit
        literals(2), literals(3), literals(5), literals(255), literals(256), literals(257), literals(513),
        {1, 1, 2, 2, 3, 3, 4, 4},          // pairs only
        {5, 6, 6, 6, 7},                   // a run between single pixels
        {0, 0, 0, 1, 2, 3, 3, 3, 3, 3, 9}, // runs around an odd literal
    };
    for (const Bytes& row : rows) {
        expectRoundTrip(row, static_cast<int>(row.size()), 1);
        Bytes twoRows = row;
        twoRows.insert(twoRows.end(), row.rbegin(), row.rend());
        expectRoundTrip(twoRows, static_cast<int>(row.size()), 2);
    }
}

TEST(Rle8, RowsAreStoredBottomUp) {
    const Bytes image = {1, 1, 1, 1, 2, 2, 2, 2};  // top row of 1s, bottom row of 2s
    const Bytes encoded = kvoro::encodeRle8(image, 4, 2);
    EXPECT_EQ(encoded, (Bytes{4, 2, 0, 0, 4, 1, 0, 1}));
}

TEST(Rle8, UniformRowsCompressToRuns) {
    const Bytes image(70 * 75, 0);
    // One run and one end code a row.
    EXPECT_EQ(kvoro::encodeRle8(image, 70, 75).size(), 75u * 4);
}

}  // namespace
