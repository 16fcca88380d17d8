#include "ui/board_background.h"

#include "ui/board_colours.h"
#include "ui/main_dialog_model.h"
#include "ui/win_rect.h"

namespace kvoro {

BoardBackground::BoardBackground()
    : green_(CreateSolidBrush(kBoardGreen)),
      panelFill_(CreateSolidBrush(kDicePanelFill)),
      panelLit_(CreateSolidBrush(kDicePanelLit)),
      panelShaded_(CreateSolidBrush(kDicePanelShaded)) {}

void BoardBackground::Erase(HWND window, HDC dc) const {
    RECT area{};
    GetClipBox(dc, &area);
    // Every child paints all of its area, so green under a child would only
    // show until it does. A themed control asking for its parent's background
    // brings a DC of its own, which is left whole.
    const SavedDC keepClip(dc);
    if (WindowFromDC(dc) == window) {
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (!IsWindowVisible(child)) continue;
            const RECT rect = RectInParent(child, window);
            ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
        }
    }
    Paint(dc, area);
}

void BoardBackground::Paint(HDC dc, const RECT& area) const {
    // The dice panel first, then the green around it, so that no pixel shows
    // green before its final colour.
    const SavedDC keepClip(dc);
    if (dicePanel_.Width() > 0) {  // laid out
        const RECT panel = ToRECT(dicePanel_);
        FillRect(dc, &panel, panelFill_.get());
        const PanelFrame frame = DicePanelFrame(dicePanel_);
        for (const Rect& edge : frame.lit) {
            const RECT line = ToRECT(edge);
            FillRect(dc, &line, panelLit_.get());
        }
        for (const Rect& edge : frame.shaded) {
            const RECT line = ToRECT(edge);
            FillRect(dc, &line, panelShaded_.get());
        }
        ExcludeClipRect(dc, panel.left, panel.top, panel.right, panel.bottom);
    }
    FillRect(dc, &area, green_.get());
}

}  // namespace kvoro
