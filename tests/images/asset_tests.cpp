// The bitmaps and the icon in the build's asset folder, as FFmpeg and
// icoutils read them, plus the header facts the resource compiler and
// LoadBitmap depend on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "image_readers.h"

namespace {

const std::string kAssets = KVORO_ASSET_DIR;

std::string quoted(const std::string& s) { return "'" + s + "'"; }

// Runs a shell command and returns its standard output; fails the test when
// the command fails.
std::string run(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        ADD_FAILURE() << "cannot run " << command;
        return out;
    }
    char buffer[65536];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    int status = pclose(pipe);
    EXPECT_EQ(status, 0) << command;
    return out;
}

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A picture as FFmpeg decodes it, RGBA.
struct Picture {
    int width = 0, height = 0;
    std::string codec;
    std::vector<uint8_t> rgba;
    imagetest::Rgba at(int x, int y) const {
        const uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
        return {p[0], p[1], p[2], p[3]};
    }
};

Picture decode(const std::string& path) {
    Picture picture;
    std::istringstream probe(run(FFPROBE " -v error -select_streams v:0 -show_entries stream=codec_name,width,height "
                                 "-of default=noprint_wrappers=1 " + quoted(path)));
    for (std::string line; std::getline(probe, line);) {
        auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "codec_name") picture.codec = value;
        if (key == "width") picture.width = std::stoi(value);
        if (key == "height") picture.height = std::stoi(value);
    }
    std::string raw = run(FFMPEG " -v error -i " + quoted(path) + " -f rawvideo -pix_fmt rgba -");
    picture.rgba.assign(raw.begin(), raw.end());
    EXPECT_EQ(picture.rgba.size(), static_cast<size_t>(picture.width) * picture.height * 4) << path;
    return picture;
}

constexpr imagetest::Rgba kGreen{1, 127, 1, 255};

int count(const Picture& p, bool (*wanted)(imagetest::Rgba)) {
    int n = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) n += wanted(p.at(x, y));
    return n;
}

struct BitmapFile {
    const char* name;
    int width, height;
};

const BitmapFile kBitmaps[] = {
    {"banner_kvoro.bmp", 250, 100}, {"banner_maxi.bmp", 361, 116}, {"cross.bmp", 17, 17}, {"about_banner.bmp", 300, 38}};

TEST(Bitmaps, AreUncompressedBottomUpAndDecodeAtTheirSizes) {
    for (const BitmapFile& f : kBitmaps) {
        SCOPED_TRACE(f.name);
        const std::string path = kAssets + "/" + f.name;
        std::vector<uint8_t> bytes = readFile(path);
        imagetest::Bmp bmp = imagetest::readBmp(bytes);
        EXPECT_EQ(bmp.fileSize, bytes.size());
        EXPECT_EQ(bmp.info.size, 40u) << "BITMAPINFOHEADER";
        EXPECT_GT(bmp.info.height, 0) << "bottom-up";

        Picture picture = decode(path);
        EXPECT_EQ(picture.codec, "bmp");
        ASSERT_EQ(picture.width, f.width);
        ASSERT_EQ(picture.height, f.height);
        // FFmpeg and our reader see the same pixels.
        for (int y = 0; y < f.height; ++y)
            for (int x = 0; x < f.width; ++x) ASSERT_EQ(picture.at(x, y), bmp.at(x, y)) << x << "," << y;
    }
}

// The banners sit on the board's green: every edge pixel is exactly that
// green, so no seam shows, and the title is there in light letters with a
// dark rim.
TEST(Bitmaps, BannersShowTheTitleOnTheBoardGreen) {
    for (const char* name : {"banner_kvoro.bmp", "banner_maxi.bmp", "about_banner.bmp"}) {
        SCOPED_TRACE(name);
        Picture p = decode(kAssets + "/" + name);
        ASSERT_GT(p.width, 0);
        for (int x = 0; x < p.width; ++x) {
            ASSERT_EQ(p.at(x, 0), kGreen) << x;
            ASSERT_EQ(p.at(x, p.height - 1), kGreen) << x;
        }
        for (int y = 0; y < p.height; ++y) {
            ASSERT_EQ(p.at(0, y), kGreen) << y;
            ASSERT_EQ(p.at(p.width - 1, y), kGreen) << y;
        }
        const double area = p.width * p.height;
        int yellow = count(p, [](imagetest::Rgba c) { return c.r > 230 && c.g > 150 && c.b < 120; });
        int dark = count(p, [](imagetest::Rgba c) { return c.r < 60 && c.g < 60 && c.b < 60; });
        EXPECT_GT(yellow, 0.03 * area);
        EXPECT_GT(dark, 0.015 * area);
    }
}

TEST(Bitmaps, AboutBannerHasDice) {
    Picture p = decode(kAssets + "/about_banner.bmp");
    int white = count(p, [](imagetest::Rgba c) { return c.r > 190 && c.g > 190 && c.b > 190; });
    EXPECT_GT(white, 4 * 250) << "four dice of about 20 by 20 pixels, mostly white";
}

// The cross is drawn with white keyed out: any shade besides pure white and
// pure black would show as a fringe on the card.
TEST(Bitmaps, CrossIsBlackDiagonalsOnPureWhite) {
    Picture p = decode(kAssets + "/cross.bmp");
    ASSERT_EQ(p.width, 17);
    ASSERT_EQ(p.height, 17);
    constexpr imagetest::Rgba white{255, 255, 255, 255}, black{0, 0, 0, 255};
    for (int y = 0; y < 17; ++y) {
        for (int x = 0; x < 17; ++x) {
            imagetest::Rgba c = p.at(x, y);
            ASSERT_TRUE(c == white || c == black) << x << "," << y;
            // Symmetric under both mirrors.
            ASSERT_EQ(c, p.at(16 - x, y)) << x << "," << y;
            ASSERT_EQ(c, p.at(x, 16 - y)) << x << "," << y;
        }
    }
    for (int i = 3; i <= 13; ++i) {
        EXPECT_EQ(p.at(i, i), black) << i;
        EXPECT_EQ(p.at(i, 16 - i), black) << i;
    }
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(p.at(i, 0), white) << "a white frame keeps the cross inside its cell";
        EXPECT_EQ(p.at(0, i), white);
        EXPECT_EQ(p.at(8, i), std::abs(i - 8) <= 1 ? black : white) << "only the centre on the middle column";
    }
}

TEST(Icon, ListsA32And48PixelImageWithAlpha) {
    const std::string path = kAssets + "/kvoro.ico";
    std::string listing = run(ICOTOOL " -l " + quoted(path));
    EXPECT_NE(listing.find("--width=32 --height=32 --bit-depth=32"), std::string::npos) << listing;
    EXPECT_NE(listing.find("--width=48 --height=48 --bit-depth=32"), std::string::npos) << listing;
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 2) << listing;

    // Classic bitmap entries, not PNG streams, for the older loaders.
    for (const imagetest::IcoImage& image : imagetest::readIco(readFile(path))) {
        EXPECT_FALSE(image.png);
        EXPECT_EQ(image.info.height, 2 * image.height);
    }

    const std::filesystem::path out = SCRATCH_DIR "/icon";
    std::filesystem::remove_all(out);
    std::filesystem::create_directories(out);
    run(ICOTOOL " -x -o " + quoted(out.string()) + " " + quoted(path));
    for (int size : {32, 48}) {
        SCOPED_TRACE(size);
        std::string png;
        for (const auto& entry : std::filesystem::directory_iterator(out))
            if (entry.path().filename().string().find("_" + std::to_string(size) + "x") != std::string::npos)
                png = entry.path().string();
        ASSERT_FALSE(png.empty());
        Picture p = decode(png);
        ASSERT_EQ(p.width, size);
        ASSERT_EQ(p.height, size);
        // A tile with rounded corners: clear corners, an opaque middle, and
        // both the tile's green and the dice's white in it.
        for (auto [x, y] : {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}})
            EXPECT_EQ(p.at(x, y).a, 0) << x << "," << y;
        EXPECT_EQ(p.at(size / 2, size / 2).a, 255);
        int white = count(p, [](imagetest::Rgba c) { return c.a == 255 && c.r > 230 && c.g > 230 && c.b > 230; });
        int green = count(p, [](imagetest::Rgba c) { return c.a == 255 && c.g > 90 && c.r < 80 && c.b < 80; });
        EXPECT_GT(white, size * size / 10);
        EXPECT_GT(green, size * size / 10);
    }
    std::filesystem::remove_all(out);
}

}  // namespace
