#pragma once
// Readers of the BMP and ICO formats, written from their layout and independent of imagegen's writers.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace imagetest {

inline uint32_t le16(const std::vector<uint8_t>& b, size_t at) {
    if (at + 2 > b.size()) throw std::out_of_range("read past the end");
    return b[at] | b[at + 1] << 8;
}

inline uint32_t le32(const std::vector<uint8_t>& b, size_t at) { return le16(b, at) | le16(b, at + 2) << 16; }

struct Rgba {
    uint8_t r, g, b, a;
    bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

// The BITMAPINFOHEADER fields the checks look at, read at offset at.
struct InfoHeader {
    uint32_t size;
    int32_t width, height;
    uint32_t planes, bitCount, compression, imageSize, xPelsPerMeter, yPelsPerMeter;
};

inline InfoHeader readInfoHeader(const std::vector<uint8_t>& b, size_t at) {
    return {le32(b, at), static_cast<int32_t>(le32(b, at + 4)), static_cast<int32_t>(le32(b, at + 8)),
            le16(b, at + 12), le16(b, at + 14), le32(b, at + 16), le32(b, at + 20), le32(b, at + 24),
            le32(b, at + 28)};
}

struct Bmp {
    uint32_t fileSize, pixelOffset;
    InfoHeader info;
    std::vector<Rgba> pixels;  // top row first
    Rgba at(int x, int y) const { return pixels[static_cast<size_t>(y) * info.width + x]; }
};

// Reads an uncompressed 24-bit BMP, bottom-up or top-down.
inline Bmp readBmp(const std::vector<uint8_t>& b) {
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') throw std::runtime_error("not a BMP");
    Bmp bmp{le32(b, 2), le32(b, 10), readInfoHeader(b, 14), {}};
    const InfoHeader& h = bmp.info;
    if (h.bitCount != 24 || h.compression != 0) throw std::runtime_error("not uncompressed 24-bit");
    const int rows = h.height < 0 ? -h.height : h.height;
    const size_t stride = (static_cast<size_t>(h.width) * 3 + 3) & ~size_t{3};
    if (bmp.pixelOffset + stride * rows > b.size()) throw std::runtime_error("pixels past the end");
    bmp.pixels.resize(static_cast<size_t>(h.width) * rows);
    for (int row = 0; row < rows; ++row) {
        const size_t start = bmp.pixelOffset + stride * row;
        const int y = h.height > 0 ? rows - 1 - row : row;
        for (int x = 0; x < h.width; ++x) {
            const uint8_t* p = &b[start + 3 * x];
            bmp.pixels[static_cast<size_t>(y) * h.width + x] = {p[2], p[1], p[0], 255};
        }
    }
    return bmp;
}

struct IcoImage {
    int width, height;  // from the directory, 0 meaning 256
    uint32_t bitCount;  // from the directory
    bool png;           // a PNG stream rather than a classic bitmap
    InfoHeader info;    // when not png
    std::vector<Rgba> pixels;  // top row first, straight alpha
    std::vector<bool> masked;  // AND mask bits, top row first
};

// Reads an icon file with 32-bit classic entries (PNG entries are only recognised).
inline std::vector<IcoImage> readIco(const std::vector<uint8_t>& b) {
    if (le16(b, 0) != 0 || le16(b, 2) != 1) throw std::runtime_error("not an icon file");
    std::vector<IcoImage> images;
    for (uint32_t i = 0; i < le16(b, 4); ++i) {
        const size_t dir = 6 + 16 * i;
        if (dir + 16 > b.size()) throw std::runtime_error("directory past the end");
        IcoImage image{b[dir] ? b[dir] : 256, b[dir + 1] ? b[dir + 1] : 256, le16(b, dir + 6), false, {}, {}, {}};
        const uint32_t bytes = le32(b, dir + 8), offset = le32(b, dir + 12);
        if (offset + static_cast<size_t>(bytes) > b.size()) throw std::runtime_error("image past the end");
        image.png = bytes >= 8 && b[offset] == 0x89 && b[offset + 1] == 'P';
        if (!image.png) {
            image.info = readInfoHeader(b, offset);
            if (image.info.bitCount != 32) throw std::runtime_error("only 32-bit entries are read");
            const int w = image.info.width, h = image.info.height / 2;
            const size_t colour = offset + image.info.size, maskStride = (static_cast<size_t>(w) + 31) / 32 * 4;
            const size_t mask = colour + static_cast<size_t>(w) * 4 * h;
            if (mask + maskStride * h > offset + static_cast<size_t>(bytes)) throw std::runtime_error("entry too short");
            image.pixels.resize(static_cast<size_t>(w) * h);
            image.masked.resize(static_cast<size_t>(w) * h);
            for (int row = 0; row < h; ++row) {
                const int y = h - 1 - row;
                for (int x = 0; x < w; ++x) {
                    const uint8_t* p = &b[colour + (static_cast<size_t>(row) * w + x) * 4];
                    image.pixels[static_cast<size_t>(y) * w + x] = {p[2], p[1], p[0], p[3]};
                    const uint8_t bits = b[mask + row * maskStride + x / 8];
                    image.masked[static_cast<size_t>(y) * w + x] = (bits >> (7 - x % 8)) & 1;
                }
            }
        }
        images.push_back(std::move(image));
    }
    return images;
}

}  // namespace imagetest
