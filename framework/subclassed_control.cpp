#include "framework/subclassed_control.h"

#include <commctrl.h>

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

LRESULT SubclassedControl::Default(UINT message, WPARAM wParam, LPARAM lParam) const {
    return DefSubclassProc(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR self) noexcept {
    auto* control = reinterpret_cast<SubclassedControl*>(self);
    try {
        LRESULT result = 0;
        if (control->HandleMessage(message, wParam, lParam, result)) return result;
    } catch (...) {
        // A failed handler leaves the message to the control.
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &SubclassedControl::Procedure, kSubclassId);
        control->hwnd_ = nullptr;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace kvoro
