#include "framework/subclassed_control.h"

#include <commctrl.h>

#include "framework/gdi.h"

namespace kvoro {

namespace {
constexpr UINT_PTR kSubclassId = 1;
}

SubclassedControl::~SubclassedControl() {
    if (hwnd_) RemoveWindowSubclass(hwnd_, &SubclassedControl::Procedure, kSubclassId);
}

bool SubclassedControl::Subclass(HWND control) {
    if (!control || !SetWindowSubclass(control, &SubclassedControl::Procedure, kSubclassId,
                                       reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    hwnd_ = control;
    return true;
}

bool SubclassedControl::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    if (message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK) OnMouseInput(message, wParam, lParam);
    if (message != WM_PAINT && message != WM_PRINTCLIENT) return Decode(message, wParam, lParam, result);
    if (!Paints()) return false;
    if (wParam) {
        Paint(reinterpret_cast<HDC>(wParam));
    } else {
        PaintDC paint(hwnd_);
        Paint(paint.get());
    }
    return true;
}

LRESULT CALLBACK SubclassedControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR self) noexcept {
    auto* control = reinterpret_cast<SubclassedControl*>(self);
    try {
        LRESULT result = 0;
        if (control->Route(message, wParam, lParam, result)) return result;
    } catch (...) {
        TraceFailedHandler(window, message);
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &SubclassedControl::Procedure, kSubclassId);
        control->hwnd_ = nullptr;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace kvoro
