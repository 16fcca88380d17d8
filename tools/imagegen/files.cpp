#include "files.h"

#include <fstream>
#include <stdexcept>

namespace imagegen {

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

uint32_t paddedRow(uint32_t bytes) { return (bytes + 3) / 4 * 4; }

// BITMAPINFOHEADER of an uncompressed bitmap; height counts the rows stored.
// Icon entries leave the resolution 0, as icon readers expect.
void putInfoHeader(std::vector<uint8_t>& out, int width, int height, int bitCount, uint32_t imageSize,
                   uint32_t pixelsPerMetre) {
    put32(out, 40);
    put32(out, static_cast<uint32_t>(width));
    put32(out, static_cast<uint32_t>(height));
    put16(out, 1);
    put16(out, static_cast<uint32_t>(bitCount));
    put32(out, 0);  // BI_RGB
    put32(out, imageSize);
    put32(out, pixelsPerMetre);
    put32(out, pixelsPerMetre);
    put32(out, 0);
    put32(out, 0);
}

}  // namespace

std::vector<uint8_t> encodeBmp(const Canvas& image) {
    const uint32_t rowBytes = paddedRow(3 * static_cast<uint32_t>(image.width()));
    const uint32_t imageSize = rowBytes * static_cast<uint32_t>(image.height());
    const uint32_t headers = 14 + 40;
    std::vector<uint8_t> out;
    out.reserve(headers + imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, headers + imageSize);
    put32(out, 0);
    put32(out, headers);
    putInfoHeader(out, image.width(), image.height(), 24, imageSize, 2835);  // 72 dpi
    for (int y = image.height() - 1; y >= 0; --y) {
        size_t rowStart = out.size();
        for (int x = 0; x < image.width(); ++x) {
            Rgba8 p = toBytes(image.at(x, y));
            out.insert(out.end(), {p.b, p.g, p.r});
        }
        out.resize(rowStart + rowBytes, 0);
    }
    return out;
}

std::vector<uint8_t> encodeIco(const std::vector<Canvas>& images) {
    std::vector<std::vector<uint8_t>> entries;
    for (const Canvas& image : images) {
        if (image.width() < 1 || image.width() > 256 || image.height() < 1 || image.height() > 256)
            throw std::invalid_argument("icon images are 1 to 256 pixels on a side");
        const uint32_t w = static_cast<uint32_t>(image.width()), h = static_cast<uint32_t>(image.height());
        const uint32_t maskRow = (w + 31) / 32 * 4;
        std::vector<uint8_t> entry;
        // The header counts the colour rows and the mask rows together.
        putInfoHeader(entry, image.width(), 2 * image.height(), 32, (4 * w + maskRow) * h, 0);
        for (int y = image.height() - 1; y >= 0; --y) {
            for (int x = 0; x < image.width(); ++x) {
                Rgba8 p = toBytes(image.at(x, y));
                if (p.a == 0) p = Rgba8{};
                entry.insert(entry.end(), {p.b, p.g, p.r, p.a});
            }
        }
        // AND mask: a set bit lets the desktop show through, for loaders
        // that ignore alpha.
        for (int y = image.height() - 1; y >= 0; --y) {
            std::vector<uint8_t> row(maskRow, 0);
            for (int x = 0; x < image.width(); ++x)
                if (toBytes(image.at(x, y)).a == 0) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            entry.insert(entry.end(), row.begin(), row.end());
        }
        entries.push_back(std::move(entry));
    }

    std::vector<uint8_t> out;
    put16(out, 0);
    put16(out, 1);  // icon
    put16(out, static_cast<uint32_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<uint8_t>(images[i].width() & 0xFF));  // 256 is written as 0
        out.push_back(static_cast<uint8_t>(images[i].height() & 0xFF));
        out.push_back(0);  // no palette
        out.push_back(0);
        put16(out, 1);
        put16(out, 32);
        put32(out, static_cast<uint32_t>(entries[i].size()));
        put32(out, offset);
        offset += static_cast<uint32_t>(entries[i].size());
    }
    for (const auto& entry : entries) out.insert(out.end(), entry.begin(), entry.end());
    return out;
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace imagegen
