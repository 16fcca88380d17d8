#pragma once
#include <windows.h>

namespace kvoro {

// Centres window on reference (or, without one, on its parent or owner),
// kept inside the parent's client area or the work area. Only moves it.
void PlaceCentred(HWND window, HWND reference);

}  // namespace kvoro
