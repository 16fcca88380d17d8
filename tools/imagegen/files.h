#pragma once
// The image files Kvoro's resources hold, encoded from canvases.
#include <cstdint>
#include <string>
#include <vector>

#include "raster.h"

namespace imagegen {

// An uncompressed 24-bit bottom-up BMP with a BITMAPINFOHEADER, every row
// padded to four bytes, as resource compilers and LoadBitmap expect. Alpha
// is dropped: the canvas must be opaque.
std::vector<uint8_t> encodeBmp(const Canvas& image);

// An icon file of classic BMP entries (32-bit BGRA with alpha, then the AND
// mask), one per image, which both old and new icon loaders read. Images
// must be 1 to 256 pixels on a side.
std::vector<uint8_t> encodeIco(const std::vector<Canvas>& images);

// Writes bytes to path; throws std::runtime_error when that fails.
void writeFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace imagegen
