#pragma once
// The layout arithmetic's rectangles on the platform's side: conversions
// between Rect and RECT, and placing a control where the layout says.
#include <windows.h>

#include "ui/geometry_model.h"

namespace kvoro {

inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline Rect FromRECT(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

// Moves a control to rect without changing the z-order, and shows or hides it.
inline void PlaceControl(HWND control, const Rect& rect, bool shown = true) {
    SetWindowPos(control, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

// A child's window rectangle in its parent's client coordinates.
inline RECT RectInParent(HWND child, HWND parent) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace kvoro
