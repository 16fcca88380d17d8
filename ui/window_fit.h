#pragma once
// Sizing a top-level window by its client area: the frame around it, the
// smallest size it may be dragged to and growing it to fit its content.
#include <windows.h>

#include "ui/geometry_model.h"

namespace kvoro {

// The window's outer size around the given client size.
SIZE WindowSizeFor(HWND window, Size client);
// Raises the smallest tracking size to the given client size.
void LimitTracking(HWND window, Size minimumClient, MINMAXINFO& limits);
// Grows the window towards the given client size, never shrinking it, within
// the work area of its monitor; a minimised or maximised window stays.
void GrowToClient(HWND window, Size client);

}  // namespace kvoro
