// The BMP and icon encoders, read back by the independent readers of image_readers.h.
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

#include "files.h"
#include "image_readers.h"

namespace {

using imagegen::Canvas;
using imagegen::Color;

// A canvas of random pixels; with holes, some fully transparent ones.
Canvas noise(int width, int height, bool holes, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    Canvas canvas(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int a = holes ? (byte(random) < 64 ? 0 : byte(random)) : 255;
            canvas.set(x, y, Color{double(byte(random)), double(byte(random)), double(byte(random)), double(a)});
        }
    }
    return canvas;
}

imagetest::Rgba bytesOf(const Canvas& canvas, int x, int y) {
    imagegen::Rgba8 p = imagegen::toBytes(canvas.at(x, y));
    return {p.r, p.g, p.b, p.a};
}

// Widths that need 0 to 3 bytes of row padding.
TEST(BmpWriter, RoundTripsEveryRowPadding) {
    for (int width : {1, 2, 3, 4, 17, 361}) {
        for (int height : {1, 7}) {
            SCOPED_TRACE(testing::Message() << width << "x" << height);
            Canvas canvas = noise(width, height, false, width * 31 + height);
            std::vector<uint8_t> file = imagegen::encodeBmp(canvas);
            imagetest::Bmp bmp = imagetest::readBmp(file);
            EXPECT_EQ(bmp.fileSize, file.size());
            EXPECT_EQ(bmp.info.size, 40u);
            EXPECT_EQ(bmp.info.width, width);
            EXPECT_EQ(bmp.info.height, height) << "bottom-up rows have a positive height";
            EXPECT_EQ(bmp.info.planes, 1u);
            EXPECT_EQ(bmp.info.imageSize, file.size() - bmp.pixelOffset);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) ASSERT_EQ(bmp.at(x, y), bytesOf(canvas, x, y)) << x << "," << y;
        }
    }
}

TEST(IcoWriter, RoundTripsColourAlphaAndMask) {
    const std::vector<std::pair<int, int>> sizes = {{1, 1}, {17, 9}, {32, 32}, {48, 48}, {256, 256}};
    std::vector<Canvas> canvases;
    for (auto [w, h] : sizes) canvases.push_back(noise(w, h, true, w + h));
    std::vector<uint8_t> file = imagegen::encodeIco(canvases);
    std::vector<imagetest::IcoImage> images = imagetest::readIco(file);

    ASSERT_EQ(images.size(), sizes.size());
    for (size_t i = 0; i < sizes.size(); ++i) {
        auto [w, h] = sizes[i];
        const imagetest::IcoImage& image = images[i];
        SCOPED_TRACE(testing::Message() << w << "x" << h);
        EXPECT_EQ(image.width, w);
        EXPECT_EQ(image.height, h);
        EXPECT_EQ(image.bitCount, 32u);
        ASSERT_FALSE(image.png);
        EXPECT_EQ(image.info.width, w);
        EXPECT_EQ(image.info.height, 2 * h) << "the header counts colour and mask rows";
        EXPECT_EQ(image.info.compression, 0u);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                imagetest::Rgba want = bytesOf(canvases[i], x, y);
                imagetest::Rgba got = image.pixels[static_cast<size_t>(y) * w + x];
                ASSERT_EQ(got.a, want.a) << x << "," << y;
                // Transparent pixels are black, for loaders that apply only the mask.
                if (want.a == 0) want = {0, 0, 0, 0};
                ASSERT_EQ(got, want) << x << "," << y;
                ASSERT_EQ(image.masked[static_cast<size_t>(y) * w + x], want.a == 0) << x << "," << y;
            }
        }
    }
}

TEST(Writers, RefuseWhatTheyCannotWrite) {
    EXPECT_THROW(imagegen::encodeIco({Canvas(257, 16)}), std::invalid_argument);
    EXPECT_THROW(imagegen::encodeIco({Canvas(16, 0)}), std::invalid_argument);
    EXPECT_THROW(imagegen::writeFile("/nonexistent-folder/x.bmp", {1, 2, 3}), std::runtime_error);
}

}  // namespace
