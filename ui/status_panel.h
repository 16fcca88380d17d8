#pragma once
// The status panel: an owner-drawn static control of the main dialog's
// template that shows the current player, the rolls left and the bonus.
#include <windows.h>

#include <string>

#include "framework/gdi.h"
#include "game/rules.h"
#include "ui/geometry_model.h"

namespace kvoro {

class StatusPanel {
public:
    // Takes the control and gives it the status font, made here once.
    void Attach(HWND control);
    HWND hwnd() const { return control_; }
    void Redraw() const;
    // Draws the panel into dc, as its control shows it, with the hint line
    // (may be empty) in its last quarter.
    void PaintTo(HDC dc, const GameState& state, HBRUSH background, const std::string& hintLine) const;

private:
    HWND control_ = nullptr;
    Font font_;
};

}  // namespace kvoro
