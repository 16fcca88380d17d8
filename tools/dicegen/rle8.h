#pragma once
// Run-length encoding of 8-bit bitmaps (BI_RLE8), the compression the Windows
// animation control plays.
#include <cstdint>
#include <vector>

namespace kvoro {

// Encodes a width x height image of palette indices given top row first.
// The result holds the rows bottom up as in a DIB: each row ends with an
// end-of-line code, the last one with end-of-bitmap instead. Every pixel is
// written, so each frame stands on its own (no delta codes).
std::vector<std::uint8_t> encodeRle8(const std::vector<std::uint8_t>& pixels, int width, int height);

}  // namespace kvoro
