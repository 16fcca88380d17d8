#include "ui/window_fit.h"

#include <algorithm>

#include "ui/main_dialog_model.h"
#include "ui/win_rect.h"

namespace kvoro {

namespace {

// The window's outer size less its client size: frame, caption and a menu
// bar of one line.
SIZE FrameSize(HWND window) {
    // From the styles rather than the current rectangles, which are those of
    // the icon while the window is being restored.
    RECT outer{0, 0, 0, 0};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)), GetMenu(window) != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE)));
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

}  // namespace

SIZE WindowSizeFor(HWND window, Size client) {
    const SIZE frame = FrameSize(window);
    return SIZE{client.width + frame.cx, client.height + frame.cy};
}

void LimitTracking(HWND window, Size minimumClient, MINMAXINFO& limits) {
    const SIZE minimum = WindowSizeFor(window, minimumClient);
    limits.ptMinTrackSize.x = std::max<LONG>(limits.ptMinTrackSize.x, minimum.cx);
    limits.ptMinTrackSize.y = std::max<LONG>(limits.ptMinTrackSize.y, minimum.cy);
}

void GrowToClient(HWND window, Size client) {
    if (IsIconic(window) || IsZoomed(window)) return;
    const SIZE wanted = WindowSizeFor(window, client);
    RECT outer{};
    GetWindowRect(window, &outer);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const Rect grown = GrownWindow(FromRECT(outer), Size{wanted.cx, wanted.cy},
                                   FromRECT(monitor.rcWork));
    if (grown == FromRECT(outer)) return;
    SetWindowPos(window, nullptr, grown.left, grown.top, grown.Width(), grown.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace kvoro
