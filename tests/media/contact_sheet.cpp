// contact_sheet <out.png> <frames.rgb> <frame width> <frame height> [bitmap.bmp ...]
// Lays out every decoded frame of the dice clip (raw RGB as FFmpeg writes it)
// and the program's bitmaps on one picture, twice their size, for a person to
// look over. A bitmap it cannot read shows as a crossed-out box.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "png.h"
#include "riff.h"

namespace {

constexpr int kScale = 2;
constexpr int kGap = 4;
constexpr int kColumns = 12;
constexpr std::uint8_t kSheetGrey = 96;

struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
};

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t le(const std::string& b, std::size_t p, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<std::uint8_t>(b[p + i]);
    return v;
}

// Uncompressed 8-, 24- or 32-bit BMP, bottom-up or top-down.
bool readBmp(const std::string& path, Picture& picture) {
    const std::string b = readAll(path);
    if (b.size() < 54 || b.compare(0, 2, "BM") != 0) return false;
    const std::size_t pixels = le(b, 10, 4), infoSize = le(b, 14, 4);
    const int width = static_cast<int>(le(b, 18, 4));
    const int rawHeight = static_cast<int>(le(b, 22, 4));
    const int bits = static_cast<int>(le(b, 28, 2));
    const std::uint32_t compression = le(b, 30, 4);
    const int height = rawHeight < 0 ? -rawHeight : rawHeight;
    if (width <= 0 || height == 0 || compression != 0 || (bits != 8 && bits != 24 && bits != 32)) return false;
    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    if (pixels + stride * height > b.size()) return false;
    std::uint32_t colours = le(b, 46, 4);
    if (bits == 8 && colours == 0) colours = 256;
    const std::size_t palette = 14 + infoSize;
    if (palette + 4 * colours > b.size()) return false;

    picture = {width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
    for (int y = 0; y < height; ++y) {
        const std::size_t row = pixels + stride * (rawHeight < 0 ? y : height - 1 - y);
        for (int x = 0; x < width; ++x) {
            std::size_t p;
            if (bits == 8) {
                const std::uint32_t index = static_cast<std::uint8_t>(b[row + x]);
                if (index >= colours) return false;
                p = palette + 4 * index;
            } else {
                p = row + static_cast<std::size_t>(x) * (bits / 8);
            }
            for (int c = 0; c < 3; ++c)
                picture.rgb[(static_cast<std::size_t>(y) * width + x) * 3 + c] = static_cast<std::uint8_t>(b[p + 2 - c]);
        }
    }
    return true;
}

Picture crossedBox(int width, int height) {
    Picture p{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3, 255)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool line = x * height / width == y || (width - 1 - x) * height / width == y || x == 0 ||
                              y == 0 || x == width - 1 || y == height - 1;
            if (line) p.rgb[(static_cast<std::size_t>(y) * width + x) * 3 + 1] = p.rgb[(static_cast<std::size_t>(y) * width + x) * 3 + 2] = 0;
        }
    }
    return p;
}

void paste(Picture& sheet, const Picture& p, int left, int top) {
    for (int y = 0; y < p.height * kScale; ++y) {
        for (int x = 0; x < p.width * kScale; ++x) {
            const std::size_t from = (static_cast<std::size_t>(y / kScale) * p.width + x / kScale) * 3;
            const std::size_t to = (static_cast<std::size_t>(top + y) * sheet.width + left + x) * 3;
            for (int c = 0; c < 3; ++c) sheet.rgb[to + c] = p.rgb[from + c];
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: contact_sheet <out.png> <frames.rgb> <width> <height> [bitmap.bmp ...]\n");
        return 2;
    }
    const int frameWidth = std::stoi(argv[3]), frameHeight = std::stoi(argv[4]);
    const std::string raw = readAll(argv[2]);
    const std::size_t frameBytes = static_cast<std::size_t>(frameWidth) * frameHeight * 3;
    std::vector<Picture> frames;
    for (std::size_t p = 0; p + frameBytes <= raw.size(); p += frameBytes)
        frames.push_back({frameWidth, frameHeight, std::vector<std::uint8_t>(raw.begin() + p, raw.begin() + p + frameBytes)});

    std::vector<Picture> bitmaps;
    for (int i = 5; i < argc; ++i) {
        Picture p;
        if (!readBmp(argv[i], p)) {
            std::fprintf(stderr, "contact_sheet: cannot read %s, shown crossed out\n", argv[i]);
            p = crossedBox(32, 32);
        }
        bitmaps.push_back(std::move(p));
    }

    // The frames in rows of twelve, then the bitmaps left to right, wrapping.
    const int cellWidth = frameWidth * kScale + kGap, cellHeight = frameHeight * kScale + kGap;
    const int width = kGap + kColumns * cellWidth;
    const int rows = (static_cast<int>(frames.size()) + kColumns - 1) / kColumns;
    std::vector<std::pair<int, int>> places;
    int x = kGap, y = kGap + rows * cellHeight + kGap, lineHeight = 0;
    for (const Picture& p : bitmaps) {
        if (x > kGap && x + p.width * kScale > width) {
            x = kGap;
            y += lineHeight + kGap;
            lineHeight = 0;
        }
        places.push_back({x, y});
        x += p.width * kScale + kGap;
        lineHeight = std::max(lineHeight, p.height * kScale);
    }
    Picture sheet{width, y + lineHeight + kGap, {}};
    for (const Picture& p : bitmaps) sheet.width = std::max(sheet.width, kGap + p.width * kScale + kGap);
    sheet.rgb.assign(static_cast<std::size_t>(sheet.width) * sheet.height * 3, kSheetGrey);

    for (std::size_t i = 0; i < frames.size(); ++i)
        paste(sheet, frames[i], kGap + static_cast<int>(i % kColumns) * cellWidth,
              kGap + static_cast<int>(i / kColumns) * cellHeight);
    for (std::size_t i = 0; i < bitmaps.size(); ++i) paste(sheet, bitmaps[i], places[i].first, places[i].second);

    if (!kvoro::writeFile(argv[1], kvoro::encodePng(sheet.width, sheet.height, sheet.rgb))) {
        std::fprintf(stderr, "contact_sheet: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
