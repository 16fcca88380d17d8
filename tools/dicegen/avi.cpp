#include "avi.h"

#include <algorithm>
#include <cstddef>

#include "riff.h"
#include "rle8.h"

namespace kvoro {
namespace {

constexpr std::uint32_t kAvifHasIndex = 0x10;
constexpr std::uint32_t kAviifKeyframe = 0x10;
constexpr std::uint32_t kBiRle8 = 1;

}  // namespace

std::vector<std::uint8_t> buildRle8Avi(const IndexedClip& clip) {
    std::vector<std::vector<std::uint8_t>> encoded;
    std::size_t largest = 0;
    std::size_t total = 0;
    for (const auto& frame : clip.frames) {
        encoded.push_back(encodeRle8(frame, clip.width, clip.height));
        largest = std::max(largest, encoded.back().size());
        total += encoded.back().size();
    }
    const auto frameCount = static_cast<std::uint32_t>(clip.frames.size());
    const auto bufferSize = static_cast<std::uint32_t>(largest);
    const auto width = static_cast<std::uint32_t>(clip.width);
    const auto height = static_cast<std::uint32_t>(clip.height);
    const std::uint32_t rate = (1000000 + clip.microSecondsPerFrame / 2) / clip.microSecondsPerFrame;
    const auto bytesPerSecond = static_cast<std::uint32_t>(total * rate / std::max<std::size_t>(frameCount, 1));

    RiffWriter avi;
    const std::size_t riff = avi.beginList("RIFF", "AVI ");

    const std::size_t hdrl = avi.beginList("LIST", "hdrl");
    const std::size_t avih = avi.beginChunk("avih");
    avi.u32(clip.microSecondsPerFrame);
    avi.u32(bytesPerSecond);
    avi.u32(0);  // padding granularity
    avi.u32(kAvifHasIndex);
    avi.u32(frameCount);
    avi.u32(0);  // initial frames
    avi.u32(1);  // streams
    avi.u32(bufferSize);
    avi.u32(width);
    avi.u32(height);
    for (int i = 0; i < 4; ++i) avi.u32(0);
    avi.endChunk(avih);

    const std::size_t strl = avi.beginList("LIST", "strl");
    const std::size_t strh = avi.beginChunk("strh");
    avi.fourcc("vids");
    avi.fourcc("mrle");
    avi.u32(0);  // flags
    avi.u16(0);  // priority
    avi.u16(0);  // language
    avi.u32(0);  // initial frames
    avi.u32(1);  // scale: rate / scale frames a second
    avi.u32(rate);
    avi.u32(0);  // start
    avi.u32(frameCount);
    avi.u32(bufferSize);
    avi.u32(0xFFFFFFFFu);  // default quality
    avi.u32(0);            // sample size varies
    avi.u16(0);            // rcFrame left, top, right, bottom
    avi.u16(0);
    avi.u16(static_cast<std::uint16_t>(width));
    avi.u16(static_cast<std::uint16_t>(height));
    avi.endChunk(strh);

    const std::size_t strf = avi.beginChunk("strf");
    const std::uint32_t stride = (width + 3) / 4 * 4;
    avi.u32(40);  // BITMAPINFOHEADER
    avi.u32(width);
    avi.u32(height);  // positive: bottom-up rows
    avi.u16(1);       // planes
    avi.u16(8);       // bits per pixel
    avi.u32(kBiRle8);
    avi.u32(stride * height);
    avi.u32(0);
    avi.u32(0);
    avi.u32(static_cast<std::uint32_t>(clip.palette.size()));
    avi.u32(0);
    for (const auto& colour : clip.palette) {
        avi.u8(colour[2]);
        avi.u8(colour[1]);
        avi.u8(colour[0]);
        avi.u8(0);
    }
    avi.endChunk(strf);
    avi.endChunk(strl);
    avi.endChunk(hdrl);

    // idx1 offsets count from the 'movi' type code.
    const std::size_t movi = avi.beginList("LIST", "movi");
    const std::size_t moviType = movi + 4;
    std::vector<std::size_t> offsets;
    for (const auto& data : encoded) {
        offsets.push_back(avi.size() - moviType);
        const std::size_t chunk = avi.beginChunk("00dc");
        avi.raw(data.data(), data.size());
        avi.endChunk(chunk);
    }
    avi.endChunk(movi);

    const std::size_t idx1 = avi.beginChunk("idx1");
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        avi.fourcc("00dc");
        avi.u32(kAviifKeyframe);
        avi.u32(static_cast<std::uint32_t>(offsets[i]));
        avi.u32(static_cast<std::uint32_t>(encoded[i].size()));
    }
    avi.endChunk(idx1);
    avi.endChunk(riff);
    return avi.bytes();
}

}  // namespace kvoro
