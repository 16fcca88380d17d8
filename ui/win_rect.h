#pragma once
// Conversions between the layout arithmetic's Rect and the platform's RECT.
#include <windows.h>

#include "ui/geometry_model.h"

namespace kvoro {

inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline Rect FromRECT(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

}  // namespace kvoro
