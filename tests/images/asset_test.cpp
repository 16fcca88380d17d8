// The bitmaps and the icon as FFmpeg and icoutils see them. (The window and
// resource tests check the banners' sizes as the dialogs load them.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "command.h"

namespace {

using kvoro::test::quoted;

struct Rgba {
    uint8_t r, g, b, a;
    bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

const std::string kAssets = KVORO_ASSET_DIR;
constexpr Rgba kGreen{1, 127, 1, 255}, kWhite{255, 255, 255, 255}, kBlack{0, 0, 0, 255};

std::string run(const std::string& command) {
    const auto result = kvoro::test::runCommand(command);
    EXPECT_EQ(result.status, 0) << command;
    return result.output;
}

// A picture as FFmpeg decodes it, RGBA.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
    Rgba at(int x, int y) const {
        const uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
        return {p[0], p[1], p[2], p[3]};
    }
    int count(bool (*wanted)(Rgba)) const {
        int n = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) n += wanted(at(x, y));
        return n;
    }
};

Picture decode(const std::string& path) {
    Picture picture;
    std::istringstream probe(run(FFPROBE " -v error -select_streams v:0 -show_entries stream=width,height "
                                 "-of default=noprint_wrappers=1:nokey=1 " + quoted(path)));
    probe >> picture.width >> picture.height;
    const std::string raw = run(FFMPEG " -v error -i " + quoted(path) + " -f rawvideo -pix_fmt rgba -");
    picture.rgba.assign(raw.begin(), raw.end());
    EXPECT_EQ(picture.rgba.size(), static_cast<size_t>(picture.width) * picture.height * 4) << path;
    return picture;
}

// Banners sit on the board's green with no seam at the edges; the title is light letters with a dark rim.
TEST(Bitmaps, BannersShowTheTitleOnTheBoardGreen) {
    for (const char* name : {"banner_kvoro.bmp", "banner_maxi.bmp", "about_banner.bmp"}) {
        SCOPED_TRACE(name);
        const Picture p = decode(kAssets + "/" + name);
        ASSERT_GT(p.width, 0);
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) {
                if (x == 0 || y == 0 || x == p.width - 1 || y == p.height - 1) {
                    ASSERT_EQ(p.at(x, y), kGreen) << x << "," << y;
                }
            }
        const double area = p.width * p.height;
        EXPECT_GT(p.count([](Rgba c) { return c.r > 230 && c.g > 150 && c.b < 120; }), 0.03 * area);
        EXPECT_GT(p.count([](Rgba c) { return c.r < 60 && c.g < 60 && c.b < 60; }), 0.015 * area);
    }
    const Picture about = decode(kAssets + "/about_banner.bmp");
    EXPECT_GT(about.count([](Rgba c) { return c.r > 190 && c.g > 190 && c.b > 190; }), 4 * 250)
        << "four dice of about 20 by 20 pixels, mostly white";
}

// White is keyed out when the cross is drawn, so any grey would show as a fringe.
TEST(Bitmaps, CrossIsBlackDiagonalsOnPureWhite) {
    const Picture p = decode(kAssets + "/cross.bmp");
    ASSERT_EQ(p.width, 17);
    ASSERT_EQ(p.height, 17);
    for (int y = 0; y < 17; ++y) {
        for (int x = 0; x < 17; ++x) {
            const bool inside = x >= 2 && x <= 14 && y >= 2 && y <= 14;
            const bool onDiagonal = std::abs(x - y) <= 1 || std::abs(x + y - 16) <= 1;
            EXPECT_EQ(p.at(x, y), inside && onDiagonal ? kBlack : kWhite) << x << "," << y;
        }
    }
}

TEST(Icon, HoldsA32And48PixelTileWithAlpha) {
    const std::string path = kAssets + "/kvoro.ico";
    EXPECT_EQ(run(ICOTOOL " -l " + quoted(path)),
              "--icon --index=1 --width=32 --height=32 --bit-depth=32 --palette-size=0\n"
              "--icon --index=2 --width=48 --height=48 --bit-depth=32 --palette-size=0\n");
    for (auto [index, size] : {std::pair{1, 32}, {2, 48}}) {
        SCOPED_TRACE(size);
        const std::string png = SCRATCH_DIR "/icon" + std::to_string(size) + ".png";
        run(ICOTOOL " -x -i " + std::to_string(index) + " -o " + quoted(png) + " " + quoted(path));
        const Picture p = decode(png);
        ASSERT_EQ(p.width, size);
        ASSERT_EQ(p.height, size);
        // A rounded tile: clear corners, an opaque middle, the tile's green and the dice's white.
        for (auto [x, y] : {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}})
            EXPECT_EQ(p.at(x, y).a, 0) << x << "," << y;
        EXPECT_EQ(p.at(size / 2, size / 2).a, 255);
        EXPECT_GT(p.count([](Rgba c) { return c.a == 255 && c.r > 230 && c.g > 230 && c.b > 230; }), size * size / 10);
        EXPECT_GT(p.count([](Rgba c) { return c.a == 255 && c.g > 90 && c.r < 80 && c.b < 80; }), size * size / 10);
    }
}

}  // namespace
