// The link label's input handling: the hand pointer and the underline under
// the mouse, the click (pressed and released inside the link), Enter and
// Space, and the control's focus, enabled state and font.
#include "ui/link_label.h"

#include <commctrl.h>
#include <shellapi.h>

namespace kvoro {

void LinkLabel::OnMouseInput(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!tooltip_) return;
    MSG copy{hwnd(), message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    GetCursorPos(&copy.pt);
    SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&copy));
}

bool LinkLabel::OnMouseMove(POINT client) {
    if (!target_ || !InLink(client)) {
        SetHovering(false);
        return false;  // the control's own handling follows
    }
    SetCursor(hand_);
    if ((options & UnderlineOnHover) && !hovering_) {
        SetHovering(true);
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd(), 0};
        _TrackMouseEvent(&track);
    }
    return true;
}

bool LinkLabel::OnMouseLeave() {
    SetHovering(false);
    return true;
}

// Over the link the hand set at the last move stays.
bool LinkLabel::OnSetCursor(HWND, UINT) {
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(hwnd(), &point);
    return target_ && InLink(point);
}

bool LinkLabel::OnLeftButtonDown(POINT client) {
    if (InLink(client)) {
        SetFocus(hwnd());
        SetCapture(hwnd());
    }
    return true;
}

// Opens only when the button went down in the link too (the capture) and
// comes up inside it.
bool LinkLabel::OnLeftButtonUp(POINT client) {
    if (GetCapture() == hwnd()) {
        ReleaseCapture();
        if (InLink(client)) OpenTarget();
    }
    return true;
}

bool LinkLabel::OnChar(UINT character) {
    if (character == VK_RETURN || character == VK_SPACE) OpenTarget();
    return true;
}

// The focus rectangle comes and goes with the focus.
bool LinkLabel::OnFocus(bool, HWND) {
    if (!drawsText_) return false;
    InvalidateRect(hwnd(), nullptr, TRUE);
    return true;
}

bool LinkLabel::OnEnable(bool) {
    RepaintAtOnce(nullptr);
    return true;
}

// Paint fills the background itself.
bool LinkLabel::OnEraseBackground(HDC) { return true; }

// The link font stays the one made from the parent's font.
bool LinkLabel::OnSetFont(HFONT font, bool redraw) {
    normalFont_ = font;
    if (redraw) RepaintAtOnce(nullptr);
    return true;
}

bool LinkLabel::OnDestroy() {
    if (tooltip_) DestroyWindow(tooltip_);
    tooltip_ = nullptr;
    return false;
}

bool LinkLabel::OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
    switch (message) {
    case WM_GETDLGCODE:
        result = DLGC_WANTCHARS;
        return true;
    case WM_GETFONT:
        result = reinterpret_cast<LRESULT>(normalFont_);
        return true;
    case WM_UPDATEUISTATE:  // no focus cues to hide or show
        return true;
    default:
        return false;
    }
}

void LinkLabel::RepaintAtOnce(const RECT* area) const {
    InvalidateRect(hwnd(), area, TRUE);
    UpdateWindow(hwnd());
}

void LinkLabel::SetHovering(bool hovering) {
    if (!(options & UnderlineOnHover) || hovering_ == hovering) return;
    hovering_ = hovering;
    RepaintAtOnce(&linkRect_);
}

bool LinkLabel::OpenTarget() {
    if (!target_) return false;
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", target_->c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) return false;
    visited_ = true;
    RepaintAtOnce(nullptr);
    return true;
}

}  // namespace kvoro
