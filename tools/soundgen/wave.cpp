#include "wave.h"

#include "riff.h"

namespace kvoro {

std::vector<std::uint8_t> buildWave(const std::vector<std::int16_t>& samples, std::uint32_t sampleRate) {
    constexpr std::uint16_t kPcm = 1;
    constexpr std::uint16_t kChannels = 1;
    constexpr std::uint16_t kBytesPerSample = 2;
    RiffWriter wave;
    const std::size_t riff = wave.beginList("RIFF", "WAVE");
    const std::size_t fmt = wave.beginChunk("fmt ");
    wave.u16(kPcm);
    wave.u16(kChannels);
    wave.u32(sampleRate);
    wave.u32(sampleRate * kChannels * kBytesPerSample);
    wave.u16(kChannels * kBytesPerSample);
    wave.u16(8 * kBytesPerSample);
    wave.endChunk(fmt);
    const std::size_t data = wave.beginChunk("data");
    for (std::int16_t sample : samples) wave.u16(static_cast<std::uint16_t>(sample));
    wave.endChunk(data);
    wave.endChunk(riff);
    return wave.bytes();
}

}  // namespace kvoro
