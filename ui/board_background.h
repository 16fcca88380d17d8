#pragma once
// The main window's background: the board's green and, behind the dice and
// their Hold buttons, the dice panel with its lit and shaded edges. The
// brushes are made once, with the object.
#include <windows.h>

#include "framework/gdi.h"
#include "ui/geometry_model.h"

namespace kvoro {

class BoardBackground {
public:
    BoardBackground();

    // Where the layout put the dice panel, in client coordinates.
    void SetDicePanel(const Rect& panel) { dicePanel_ = panel; }
    HBRUSH green() const { return green_.get(); }
    HBRUSH panelFill() const { return panelFill_.get(); }

    // WM_ERASEBKGND of window: the background around its visible children.
    void Erase(HWND window, HDC dc) const;
    // Paints the background over area (client coordinates) into dc.
    void Paint(HDC dc, const RECT& area) const;

private:
    Rect dicePanel_ = {};
    Brush green_;
    Brush panelFill_;
    Brush panelLit_;
    Brush panelShaded_;
};

}  // namespace kvoro
