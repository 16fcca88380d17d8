#include "ui/status_panel.h"

#include "ui/board_colours.h"
#include "ui/status_panel_model.h"
#include "ui/win_rect.h"

namespace kvoro {

void StatusPanel::Attach(HWND control) {
    control_ = control;
    // A positive height is matched against the cell height.
    font_.reset(CreateFontA(16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, "Arial"));
    SendMessageA(control_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
}

void StatusPanel::Redraw() const {
    RedrawWindow(control_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void StatusPanel::PaintTo(HDC dc, const GameState& state, HBRUSH background, const std::string& hintLine) const {
    RECT client{};
    GetClientRect(control_, &client);
    const BackgroundColourGuard green(dc, kBoardGreen);
    const TextColourGuard black(dc, RGB(0, 0, 0));
    SelectGuard font(dc, font_.get());
    FillRect(dc, &client, background);
    for (const StatusLine& line : LayoutStatus(FromRECT(client), state).lines) {
        RECT label = ToRECT(line.labelRect);
        RECT value = ToRECT(line.valueRect);
        DrawTextA(dc, line.label, -1, &label, 0);
        DrawTextA(dc, line.value.c_str(), -1, &value, 0);
    }
    RECT hint = client;
    hint.top = client.top + 3 * ((client.bottom - client.top) / 4);
    DrawTextA(dc, hintLine.c_str(), -1, &hint, DT_SINGLELINE | DT_END_ELLIPSIS);
}

}  // namespace kvoro
