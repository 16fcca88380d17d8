#include "ui/dice_panel_model.h"

namespace kvoro {

ClipRun EmptyDie() { return ClipRun{0, 0, 0}; }

ClipRun TumbleToFace(int face) { return ClipRun{13 * face - 13, 13 * face - 1, 1}; }

ClipRun FaceAtRest(int face) {
    if (face < 1) return EmptyDie();
    return ClipRun{13 * face - 1, 13 * face - 1, 0};
}

ClipRun FaceHeld(int face) {
    if (face < 1) return EmptyDie();
    return ClipRun{face + 77, face + 77, 0};
}

}  // namespace kvoro
