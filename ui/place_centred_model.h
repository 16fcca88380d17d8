#pragma once
// Where a window goes when it is centred over a reference rectangle and kept
// inside a bounding area.
#include "ui/geometry_model.h"

namespace kvoro {

// The top-left corner for a window of the given size centred on reference.
// Each axis tests the area's leading edge first: a window larger than the area
// has its trailing edge on the area's trailing edge and starts before it.
Point CentredPosition(const Rect& reference, const Rect& area, Size window);

}  // namespace kvoro
