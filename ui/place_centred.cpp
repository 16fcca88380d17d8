#include "ui/place_centred.h"

#include "ui/place_centred_model.h"
#include "ui/win_rect.h"

namespace kvoro {

void PlaceCentred(HWND window, HWND reference) {
    const bool child = (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0;
    if (!reference) reference = child ? GetParent(window) : GetWindow(window, GW_OWNER);

    RECT area{};
    RECT centreOn{};
    if (child) {
        // Positions of a child are in its parent's client coordinates.
        const HWND parent = GetParent(window);
        GetClientRect(parent, &area);
        centreOn = area;
        if (reference) {
            GetClientRect(reference, &centreOn);
            MapWindowPoints(reference, parent, reinterpret_cast<POINT*>(&centreOn), 2);
        }
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        // Centring on a window the user cannot see would put this one out of sight too.
        if (reference && (!IsWindowVisible(reference) || IsIconic(reference))) reference = nullptr;
        centreOn = area;
        if (reference) GetWindowRect(reference, &centreOn);
    }

    RECT outer;
    GetWindowRect(window, &outer);
    const Point position = CentredPosition(FromRECT(centreOn), FromRECT(area),
                                           Size{outer.right - outer.left, outer.bottom - outer.top});
    SetWindowPos(window, nullptr, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace kvoro
