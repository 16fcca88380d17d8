#pragma once
// The score card: a custom-drawn child window of the main window. It draws
// only on Redraw or a size change, into a back buffer that WM_PAINT copies.
#include <windows.h>

#include "framework/gdi.h"
#include "framework/window.h"
#include "game/rules.h"

namespace kvoro {

// Sent to the parent when the player clicks a choosable cell: wParam is the
// row, lParam the grid's window.
constexpr UINT WM_ROW_CHOSEN = WM_USER + 1;

class ScoreGrid : public Window {
public:
    ScoreGrid();  // creates the fonts, brushes and cross bitmap; no window yet

    // Creates the child window at (10,10)-(300,500) in the parent's client area.
    HWND Create(HWND parent);
    void Attach(const GameState* state) { state_ = state; }
    // Rebuilds the picture in the back buffer and fits the window's size.
    void Redraw();

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    const GameState* state_ = nullptr;
};

}  // namespace kvoro
