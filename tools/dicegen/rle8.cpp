#include "rle8.h"

#include <algorithm>
#include <cstddef>

namespace kvoro {
namespace {

constexpr std::size_t kMaxCount = 255;
// Absolute mode needs at least three bytes: counts 1 and 2 are escape codes.
constexpr std::size_t kMinLiteral = 3;

std::size_t runLength(const std::uint8_t* row, std::size_t from, std::size_t width) {
    std::size_t end = from + 1;
    while (end < width && end - from < kMaxCount && row[end] == row[from]) ++end;
    return end - from;
}

void putLiterals(std::vector<std::uint8_t>& out, const std::uint8_t* data, std::size_t count) {
    if (count < kMinLiteral) {
        for (std::size_t i = 0; i < count; ++i) out.insert(out.end(), {1, data[i]});
        return;
    }
    out.push_back(0);
    out.push_back(static_cast<std::uint8_t>(count));
    out.insert(out.end(), data, data + count);
    if (count % 2 != 0) out.push_back(0);  // absolute runs end on a word boundary
}

void encodeRow(std::vector<std::uint8_t>& out, const std::uint8_t* row, std::size_t width) {
    std::size_t x = 0;
    std::size_t literalStart = 0;
    while (x < width) {
        const std::size_t run = runLength(row, x, width);
        // A run of two inside literals costs less as literals; a run of three
        // or more is cheaper encoded.
        if (run >= kMinLiteral) {
            putLiterals(out, row + literalStart, x - literalStart);
            out.push_back(static_cast<std::uint8_t>(run));
            out.push_back(row[x]);
            x += run;
            literalStart = x;
        } else {
            x += run;
            if (x - literalStart >= kMaxCount) {
                putLiterals(out, row + literalStart, kMaxCount);
                literalStart += kMaxCount;
            }
        }
    }
    putLiterals(out, row + literalStart, x - literalStart);
}

}  // namespace

std::vector<std::uint8_t> encodeRle8(const std::vector<std::uint8_t>& pixels, int width, int height) {
    std::vector<std::uint8_t> out;
    const auto w = static_cast<std::size_t>(width);
    for (int y = height - 1; y >= 0; --y) {
        encodeRow(out, pixels.data() + static_cast<std::size_t>(y) * w, w);
        out.push_back(0);
        out.push_back(y == 0 ? 1 : 0);
    }
    return out;
}

}  // namespace kvoro
