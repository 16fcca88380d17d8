#pragma once
// The game's five sounds, synthesised: three dice rattles, the zero-entry
// sigh and the fanfare of the "Kvoro" row. Deterministic, so every build
// writes the same files.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kvoro {

constexpr std::uint32_t kSampleRate = 11025;

// Samples for a length in seconds, rounded to the nearest sample.
std::size_t samplesFor(double seconds);

std::vector<std::int16_t> cupRattle();    // roll1.wav, 0.85 s: dice shaken in a cup
std::vector<std::int16_t> tableRattle();  // roll2.wav, 0.83 s: dice thrown on a table
std::vector<std::int16_t> pourRattle();   // roll3.wav, 1.11 s: shaken, then poured out
std::vector<std::int16_t> zeroSigh();     // zero.wav, 0.51 s: a soft falling "aww"
std::vector<std::int16_t> kvoroFanfare(); // kvoro.wav, 0.73 s: a bright rising arpeggio

}  // namespace kvoro
