#include "ui/score_grid.h"

#include <optional>
#include <string>
#include <utility>

#include "res/resource.h"
#include "ui/score_grid_model.h"
#include "ui/win_rect.h"

namespace kvoro {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kComputedGrey = RGB(230, 230, 230);
constexpr COLORREF kHighlightYellow = RGB(255, 255, 200);
constexpr COLORREF kPreviewRed = RGB(200, 0, 0);
constexpr COLORREF kHintBlue = RGB(0, 70, 255);
constexpr int kCrossSize = 17;

HFONT MakeFont(int weight) {
    return CreateFontA(12, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "MS Sans Serif");
}

void Line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

void DrawTextIn(HDC dc, const std::string& text, const Rect& rect, UINT format) {
    RECT area = ToRECT(rect);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
}

void DrawNumber(HDC dc, int number, const Rect& cell) {
    DrawTextIn(dc, std::to_string(number), cell, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
}

}  // namespace

ScoreGrid::ScoreGrid()
    : background_(CreateSolidBrush(kWhite)),
      computedRow_(CreateSolidBrush(kComputedGrey)),
      highlight_(CreateSolidBrush(kHighlightYellow)),
      hintFrame_(CreateSolidBrush(kHintBlue)),
      normalFont_(MakeFont(FW_NORMAL)),
      boldFont_(MakeFont(FW_BOLD)),
      cross_(LoadBitmapA(AppInstance(), MAKEINTRESOURCEA(IDB_CROSS))),
      hand_(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND))),
      arrow_(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW))) {}

HWND ScoreGrid::Create(HWND parent) {
    // No class cursor: WM_SETCURSOR picks the hand or the arrow every time.
    return CreateBound("KvoroScoreGrid", 0, nullptr, 0, "VIZIVA", WS_CHILD | WS_VISIBLE | WS_BORDER,
                       RECT{10, 10, 300, 500}, parent);
}

ScoreGrid::BackBuffer::BackBuffer(HDC compatibleWith, int width, int height)
    : bitmap(CreateCompatibleBitmap(compatibleWith, width, height)),
      dc(compatibleWith),
      selected(dc.get(), bitmap.get()),
      width(width),
      height(height) {}

void ScoreGrid::Redraw() {
    if (!state_ || !buffer_) return;
    PaintTo(buffer_->dc.get(), buffer_->width, buffer_->height);
    FitWindowSize();
}

void ScoreGrid::PaintTo(HDC dc, int width, int height) const {
    if (!state_) return;
    const GameState& state = *state_;
    const int columns = GridColumnCount(state);

    const BackgroundModeGuard transparent(dc, TRANSPARENT);
    const TextColourGuard black(dc, kBlack);

    const RECT client{0, 0, width, height};
    FillRect(dc, &client, background_.get());
    // A single player's column is never tinted.
    if (state.playerCount > 1 && state.currentPlayer > 0) {
        const RECT column = ToRECT(PlayerColumnRect(state.currentPlayer, height));
        FillRect(dc, &column, highlight_.get());
    }
    Line(dc, 0, kGridHeaderLineY, width, kGridHeaderLineY);

    MemoryDC crossDC(dc);
    const SelectGuard crossSelected(crossDC.get(), cross_.get());
    for (int row = 0; row < kRowCount; ++row) {
        const std::optional<Rect> band = RowRect(state.gameType, row, width);
        if (!band) continue;
        // The computed rows are grey and bold.
        const SelectGuard rowFont(dc, (isComputedRow(row) ? boldFont_ : normalFont_).get());
        if (isComputedRow(row)) {
            const RECT fill = ToRECT(*band);
            FillRect(dc, &fill, computedRow_.get());
        }
        DrawTextIn(dc, state.rowLabel(row), LabelRect(*band), DT_SINGLELINE | DT_VCENTER);
        Line(dc, 0, band->bottom - 1, width, band->bottom - 1);
        for (int player = 1; player <= columns; ++player) {
            DrawCell(dc, crossDC.get(), player, row, CellRect(player, *band));
        }
    }

    // The column lines and player numbers; the window's border closes the last column.
    const SelectGuard headerFont(dc, boldFont_.get());
    const int cardBottom = GridCardHeight(state.gameType);
    for (int column = 1; column <= columns; ++column) {
        const Rect area = PlayerColumnRect(column, cardBottom);
        Line(dc, area.left, 0, area.left, cardBottom);
        DrawTextIn(dc, std::to_string(column), Rect{area.left, 0, area.right, kGridHeaderHeight},
                 DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
}

void ScoreGrid::DrawCell(HDC dc, HDC crossDC, int player, int row, const Rect& cell) const {
    const CellContent content = CellShows(*state_, player, row);
    switch (content.kind) {
    case CellKind::Value:
        DrawNumber(dc, content.number, cell);
        break;
    case CellKind::Cross: {
        const Point origin = CrossOrigin(cell);
        TransparentBlt(dc, origin.x, origin.y, kCrossSize, kCrossSize, crossDC, 0, 0, kCrossSize, kCrossSize,
                       kWhite);
        break;
    }
    case CellKind::Preview: {
        const SelectGuard bold(dc, boldFont_.get());
        const TextColourGuard red(dc, kPreviewRed);
        DrawNumber(dc, content.number, cell);
        break;
    }
    case CellKind::Blank:
        break;
    }
    if (row == markedRow_ && player == state_->currentPlayer) {
        // Two pixels inside the column's edges, clear of the preview's digits,
        // which end 6 pixels short of the column's right edge.
        RECT frame = ToRECT(cell);
        frame.right += 5;
        FrameRect(dc, &frame, hintFrame_.get());
        InflateRect(&frame, -1, -1);
        FrameRect(dc, &frame, hintFrame_.get());
    }
}

void ScoreGrid::FitWindowSize() {
    const Size wanted = GridWindowSize(*state_);
    RECT outer;
    GetWindowRect(hwnd(), &outer);
    if (outer.right - outer.left == wanted.width && outer.bottom - outer.top == wanted.height) return;
    // The resize sends WM_SIZE, whose new buffer is drawn at once; that nested
    // Redraw finds the size right.
    SetWindowPos(hwnd(), nullptr, 0, 0, wanted.width, wanted.height, SWP_NOMOVE | SWP_NOZORDER);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

bool ScoreGrid::OnSize(UINT, int width, int height) {
    std::unique_ptr<BackBuffer> old;
    {
        WindowDC window(hwnd());
        old = std::exchange(buffer_, std::make_unique<BackBuffer>(window.get(), width, height));
    }
    // The first buffer is made before a GameState is attached; the owner's
    // first Redraw fills it. Later ones are drawn before the old one goes.
    if (old) {
        Redraw();
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    return true;
}

bool ScoreGrid::OnPaint() {
    PaintDC paint(hwnd());
    RECT client;
    GetClientRect(hwnd(), &client);
    if (buffer_) BitBlt(paint.get(), 0, 0, client.right, client.bottom, buffer_->dc.get(), 0, 0, SRCCOPY);
    return true;
}

// The back buffer covers the whole client area; erasing would only flicker.
bool ScoreGrid::OnEraseBackground(HDC) { return true; }

bool ScoreGrid::OnLeftButtonDown(POINT client) {
    const int row = ChoosableRowAt(client.x, client.y);
    if (row >= 0) SendMessageA(GetParent(hwnd()), WM_ROW_CHOSEN, row, reinterpret_cast<LPARAM>(hwnd()));
    return true;
}

int ScoreGrid::ChosenRow(UINT message, WPARAM wParam, LPARAM lParam) const {
    if (message != WM_ROW_CHOSEN || !hwnd() || reinterpret_cast<HWND>(lParam) != hwnd()) return -1;
    return static_cast<int>(wParam);
}

// The hand over a choosable cell, else the arrow.
bool ScoreGrid::OnSetCursor(HWND, UINT) {
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(hwnd(), &cursor);
    SetCursor(ChoosableRowAt(cursor.x, cursor.y) >= 0 ? hand_ : arrow_);
    return true;
}

int ScoreGrid::ChoosableRowAt(int x, int y) const {
    if (!state_) return -1;
    const std::optional<int> row = HitTest(*state_, Point{x, y});
    return row && IsChoosable(*state_, *row) ? *row : -1;
}

}  // namespace kvoro
