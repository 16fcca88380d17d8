#pragma once
// An AVI 1.0 file with one RLE8 video stream, laid out as the Windows
// animation control reads it: hdrl (avih, strl with strh and strf), movi with
// one '00dc' chunk a frame, and an idx1 index.
#include <array>
#include <cstdint>
#include <vector>

namespace kvoro {

struct IndexedClip {
    int width = 0;
    int height = 0;
    std::uint32_t microSecondsPerFrame = 0;
    std::vector<std::array<std::uint8_t, 3>> palette;  // RGB, at most 256
    std::vector<std::vector<std::uint8_t>> frames;     // palette indices, top row first
};

std::vector<std::uint8_t> buildRle8Avi(const IndexedClip& clip);

}  // namespace kvoro
