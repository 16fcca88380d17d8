#pragma once
// Which frames of the dice clip a die picture uses: the tumble to a face, the
// face at rest, the held face and the empty die. Plain data only.

namespace kvoro {

// The frame size of the dice clip; every die control has this size.
constexpr int kDieWidth = 70;
constexpr int kDieHeight = 75;

// One ACM_PLAY request: frames first to last, played times times (0 shows the
// single frame without notifying).
struct ClipRun {
    int first;
    int last;
    int times;
};

ClipRun EmptyDie();
ClipRun TumbleToFace(int face);  // face 1..6
// A die without a value (0) shows the empty frame at rest and when held.
ClipRun FaceAtRest(int face);
ClipRun FaceHeld(int face);

}  // namespace kvoro
