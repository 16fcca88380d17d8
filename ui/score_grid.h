#pragma once
// The score card: a custom-drawn child window of the main window. It draws
// only on Redraw or a size change, into a back buffer that WM_PAINT copies.
#include <windows.h>

#include <memory>

#include "framework/gdi.h"
#include "framework/window.h"
#include "game/rules.h"
#include "ui/geometry_model.h"

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
    // Frames the current player's cell of row (the coach's advice); -1 for
    // none. Shown from the next Redraw.
    void MarkRow(int row) { markedRow_ = row; }
    int markedRow() const { return markedRow_; }
    // The row of a WM_ROW_CHOSEN that this grid sent; -1 for any other
    // message (the same number is DM_SETDEFID for a dialog).
    int ChosenRow(UINT message, WPARAM wParam, LPARAM lParam) const;
    // Rebuilds the picture in the back buffer and fits the window's size.
    void Redraw();
    // Draws the card of the attached GameState into dc, for a client area of
    // the given size. The back buffer and screenshots are made with it.
    void PaintTo(HDC dc, int width, int height) const;

protected:
    bool OnSize(UINT type, int width, int height) override;
    bool OnPaint() override;
    bool OnEraseBackground(HDC dc) override;
    bool OnLeftButtonDown(POINT client) override;
    bool OnSetCursor(HWND under, UINT hitTest) override;

private:
    // An off-screen bitmap selected into its memory DC. The members go in
    // reverse order: the selection is undone, the DC deleted, then the bitmap.
    struct BackBuffer {
        BackBuffer(HDC compatibleWith, int width, int height);
        Bitmap bitmap;
        MemoryDC dc;
        SelectGuard selected;
        int width;
        int height;
    };

    void FitWindowSize();
    // crossDC holds the cross bitmap, ready to be copied.
    void DrawCell(HDC dc, HDC crossDC, int player, int row, const Rect& cell) const;
    // The row under a client point when the current player may choose it, else -1.
    int ChoosableRowAt(int x, int y) const;

    const GameState* state_ = nullptr;
    std::unique_ptr<BackBuffer> buffer_;
    Brush background_;
    Brush computedRow_;
    Brush highlight_;
    Brush hintFrame_;
    int markedRow_ = -1;
    Font normalFont_;
    Font boldFont_;
    Bitmap cross_;
    HCURSOR hand_;   // shared system cursors, never destroyed
    HCURSOR arrow_;
};

}  // namespace kvoro
