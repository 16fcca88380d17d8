#pragma once
// RIFF WAVE files of 16-bit mono PCM.
#include <cstdint>
#include <vector>

namespace kvoro {

std::vector<std::uint8_t> buildWave(const std::vector<std::int16_t>& samples, std::uint32_t sampleRate);

}  // namespace kvoro
