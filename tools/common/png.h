#pragma once
// A minimal PNG writer for pictures meant for people (contact sheets): RGB,
// 8 bits a channel, stored (uncompressed) deflate blocks.
#include <cstdint>
#include <string>
#include <vector>

namespace kvoro {

// rgb holds width * height * 3 bytes, rows top down.
std::vector<std::uint8_t> encodePng(int width, int height, const std::vector<std::uint8_t>& rgb);

}  // namespace kvoro
