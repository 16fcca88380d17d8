#pragma once
// The dice clip: one die drawn by ray marching a rounded cube, with
// antialiasing, then reduced to a fixed palette.
//
// Frame 0 is the empty position. For face a = 1..6, frames 13(a-1) to
// 13a-1 show the die dropping in from above, tumbling and bouncing, and
// coming to rest with face a up; the first frame of each run is empty and
// the last one is the face at rest. Frames 78 to 83 repeat the resting faces
// 1 to 6 with red marks at the die's corners, the picture of a held die.
#include <array>
#include <cstdint>

#include "avi.h"

namespace kvoro {

constexpr int kClipWidth = 70;
constexpr int kClipHeight = 75;
constexpr int kClipFrameCount = 84;
constexpr int kRunFrames = 13;
constexpr int kFirstHeldFrame = 78;
constexpr std::uint32_t kClipMicroSecondsPerFrame = 66667;  // 15 frames a second
constexpr std::array<std::uint8_t, 3> kClipBackground{0, 80, 80};
constexpr std::array<std::uint8_t, 3> kHeldMarkColour{204, 16, 16};

IndexedClip renderDiceClip();

}  // namespace kvoro
