// The bitmaps and the icon as FFmpeg and icoutils see them. (The window and
// resource tests check the banners' sizes as the dialogs load them.)
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <sstream>
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

// A picture as FFmpeg decodes it, row by row.
struct Picture {
    int width = 0, height = 0;
    std::vector<Rgba> pixels;
    const Rgba& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    int count(bool (*wanted)(const Rgba&)) const { return static_cast<int>(std::count_if(pixels.begin(), pixels.end(), wanted)); }
};

Picture decode(const std::string& path) {
    Picture picture;
    std::istringstream(run(FFPROBE " -v error -select_streams v:0 -show_entries stream=width,height "
                           "-of default=noprint_wrappers=1:nokey=1 " + quoted(path))) >> picture.width >> picture.height;
    const std::string raw = run(FFMPEG " -v error -i " + quoted(path) + " -f rawvideo -pix_fmt rgba -");
    EXPECT_EQ(raw.size(), 4u * picture.width * picture.height) << path;
    for (std::size_t i = 0; i + 3 < raw.size(); i += 4) {
        picture.pixels.push_back({raw[i] & 0xFF, raw[i + 1] & 0xFF, raw[i + 2] & 0xFF, raw[i + 3] & 0xFF});
    }
    return picture;
}

// Banners sit on the board's green with no seam at the edges; the title is
// light letters with a dark rim; the about banner's four dice are mostly white.
TEST(Bitmaps, BannersShowTheTitleOnTheBoardGreen) {
    for (const auto& [name, white] : {std::pair{"banner_kvoro.bmp", 0}, {"banner_maxi.bmp", 0}, {"about_banner.bmp", 1000}}) {
        SCOPED_TRACE(name);
        const Picture p = decode(kAssets + name);
        ASSERT_GT(p.width, 2);
        for (int y = 0; y < p.height; ++y) {
            for (int x = 0; x < p.width; x += y == 0 || y == p.height - 1 ? 1 : p.width - 1) {
                ASSERT_EQ(p.at(x, y), (Rgba{1, 127, 1, 255})) << x << "," << y;
            }
        }
        EXPECT_GT(p.count([](const Rgba& c) { return c[0] > 230 && c[1] > 150 && c[2] < 120; }), 0.03 * p.pixels.size());
        EXPECT_GT(p.count([](const Rgba& c) { return c[0] < 60 && c[1] < 60 && c[2] < 60; }), 0.015 * p.pixels.size());
        EXPECT_GE(p.count([](const Rgba& c) { return c[0] > 190 && c[1] > 190 && c[2] > 190; }), white);
    }
}

// White is keyed out when the cross is drawn, so any grey would show as a fringe.
TEST(Bitmaps, CrossIsBlackDiagonalsOnPureWhite) {
    const Picture p = decode(kAssets + "cross.bmp");
    ASSERT_EQ(std::pair(p.width, p.height), std::pair(17, 17));
    for (int y = 0; y < 17; ++y) {
        for (int x = 0; x < 17; ++x) {
            const bool ink = x >= 2 && x <= 14 && y >= 2 && y <= 14 && (std::abs(x - y) <= 1 || std::abs(x + y - 16) <= 1);
            EXPECT_EQ(p.at(x, y), (ink ? Rgba{0, 0, 0, 255} : Rgba{255, 255, 255, 255})) << x << "," << y;
        }
    }
}

// A rounded tile in each size: clear corners, an opaque middle, the tile's
// green and the dice's white.
TEST(Icon, HoldsA32And48PixelTileWithAlpha) {
    const std::string path = kAssets + "kvoro.ico";
    EXPECT_EQ(run(ICOTOOL " -l " + quoted(path)),
              "--icon --index=1 --width=32 --height=32 --bit-depth=32 --palette-size=0\n"
              "--icon --index=2 --width=48 --height=48 --bit-depth=32 --palette-size=0\n");
    for (auto [index, size] : {std::pair{1, 32}, {2, 48}}) {
        SCOPED_TRACE(size);
        const std::string png = SCRATCH_DIR "/icon" + std::to_string(size) + ".png";
        run(ICOTOOL " -x -i " + std::to_string(index) + " -o " + quoted(png) + " " + quoted(path));
        const Picture p = decode(png);
        ASSERT_EQ(std::pair(p.width, p.height), std::pair(size, size));
        const int corners = p.at(0, 0)[3] + p.at(size - 1, 0)[3] + p.at(0, size - 1)[3] + p.at(size - 1, size - 1)[3];
        EXPECT_EQ(std::pair(corners, p.at(size / 2, size / 2)[3]), std::pair(0, 255));
        EXPECT_GT(p.count([](const Rgba& c) { return c[3] == 255 && c[0] > 230 && c[1] > 230 && c[2] > 230; }), size * size / 10);
        EXPECT_GT(p.count([](const Rgba& c) { return c[3] == 255 && c[1] > 90 && c[0] < 80 && c[2] < 80; }), size * size / 10);
    }
}

}  // namespace
