// The bitmaps and the icon as FFmpeg and icoutils see them, each of its size.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "command.h"

namespace {

using kvoro::test::quoted;
using Rgba = std::array<int, 4>;

const std::string kAssets = KVORO_ASSET_DIR "/";

std::string run(const std::string& command) {
    const auto result = kvoro::test::runCommand(command);
    EXPECT_EQ(result.status, 0) << command;
    return result.output;
}

// A picture of the given size as FFmpeg decodes it, row by row; pixels missing from its output stay clear.
struct Picture {
    int width, height;
    std::vector<Rgba> pixels;
    const Rgba& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    auto count(bool (*wanted)(const Rgba&)) const { return std::count_if(pixels.begin(), pixels.end(), wanted); }
};

Picture decode(const std::string& path, int width, int height) {
    Picture picture{width, height, std::vector<Rgba>(static_cast<std::size_t>(width) * height)};
    const std::string raw = run(FFMPEG " -v error -i " + quoted(path) + " -f rawvideo -pix_fmt rgba -");
    EXPECT_EQ(raw.size(), 4u * width * height) << path;
    for (std::size_t i = 0; i + 3 < std::min(raw.size(), 4 * picture.pixels.size()); i += 4) {
        picture.pixels[i / 4] = {raw[i] & 0xFF, raw[i + 1] & 0xFF, raw[i + 2] & 0xFF, raw[i + 3] & 0xFF};
    }
    return picture;
}

// Banners: the board's green at every edge, a light title with a dark rim; the about banner's four dice mostly white.
TEST(Bitmaps, BannersShowTheTitleOnTheBoardGreen) {
    const struct {
        const char* name;
        int width, height, white;
    } banners[] = {{"banner_kvoro.bmp", 250, 100, 0}, {"banner_maxi.bmp", 361, 116, 0},
                   {"about_banner.bmp", 300, 38, 1000}};
    for (const auto& [name, width, height, white] : banners) {
        SCOPED_TRACE(name);
        const Picture p = decode(kAssets + name, width, height);
        for (int y = 0; y < p.height; ++y) {
            for (int x = 0; x < p.width; x += y == 0 || y == p.height - 1 ? 1 : p.width - 1) {
                ASSERT_EQ(p.at(x, y), (Rgba{1, 127, 1, 255})) << x << "," << y;
            }
        }
        const double area = width * height;
        EXPECT_GT(p.count([](const Rgba& c) { return c[0] > 230 && c[1] > 150 && c[2] < 120; }), 0.03 * area);
        EXPECT_GT(p.count([](const Rgba& c) { return c[0] < 60 && c[1] < 60 && c[2] < 60; }), 0.015 * area);
        EXPECT_GE(p.count([](const Rgba& c) { return c[0] > 190 && c[1] > 190 && c[2] > 190; }), white);
    }
}

// White is keyed out when the cross is drawn, so any grey would show as a fringe.
TEST(Bitmaps, CrossIsBlackDiagonalsOnPureWhite) {
    const Picture p = decode(kAssets + "cross.bmp", 17, 17);
    for (int y = 0; y < 17; ++y) {
        for (int x = 0; x < 17; ++x) {
            const bool inside = x >= 2 && x <= 14 && y >= 2 && y <= 14;
            const bool ink = inside && (std::abs(x - y) <= 1 || std::abs(x + y - 16) <= 1);
            EXPECT_EQ(p.at(x, y), (ink ? Rgba{0, 0, 0, 255} : Rgba{255, 255, 255, 255})) << x << "," << y;
        }
    }
}

// A rounded tile in each size: clear corners, an opaque middle, the tile's green and the dice's white.
TEST(Icon, HoldsA32And48PixelTileWithAlpha) {
    const std::string path = kAssets + "kvoro.ico";
    EXPECT_EQ(run(ICOTOOL " -l " + quoted(path)),
              "--icon --index=1 --width=32 --height=32 --bit-depth=32 --palette-size=0\n"
              "--icon --index=2 --width=48 --height=48 --bit-depth=32 --palette-size=0\n");
    for (auto [index, size] : {std::pair{1, 32}, {2, 48}}) {
        SCOPED_TRACE(size);
        const std::string png = SCRATCH_DIR "/icon" + std::to_string(size) + ".png";
        run(ICOTOOL " -x -i " + std::to_string(index) + " -o " + quoted(png) + " " + quoted(path));
        const Picture p = decode(png, size, size);
        const int corners = p.at(0, 0)[3] + p.at(size - 1, 0)[3] + p.at(0, size - 1)[3] + p.at(size - 1, size - 1)[3];
        EXPECT_EQ(std::pair(corners, p.at(size / 2, size / 2)[3]), std::pair(0, 255));
        const int tenth = size * size / 10;
        EXPECT_GT(p.count([](const Rgba& c) { return c[3] == 255 && c[0] > 230 && c[1] > 230 && c[2] > 230; }), tenth);
        EXPECT_GT(p.count([](const Rgba& c) { return c[3] == 255 && c[1] > 90 && c[0] < 80 && c[2] < 80; }), tenth);
    }
}

}  // namespace
