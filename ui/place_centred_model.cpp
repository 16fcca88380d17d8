#include "ui/place_centred_model.h"

namespace kvoro {
namespace {

// Integer division rounds toward zero, as the placement always has.
int CentredStart(int referenceStart, int referenceEnd, int length, int areaStart, int areaEnd) {
    int start = (referenceStart + referenceEnd) / 2 - length / 2;
    if (start < areaStart) {
        start = areaStart;
    } else if (start + length > areaEnd) {
        start = areaEnd - length;
    }
    return start;
}

}  // namespace

Point CentredPosition(const Rect& reference, const Rect& area, Size window) {
    return {CentredStart(reference.left, reference.right, window.width, area.left, area.right),
            CentredStart(reference.top, reference.bottom, window.height, area.top, area.bottom)};
}

}  // namespace kvoro
