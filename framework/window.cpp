#include "framework/window.h"

namespace kvoro {

Window::~Window() {
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

HWND Window::CreateBound(const char* className, UINT classStyle, HCURSOR cursor, DWORD exStyle,
                         const char* text, DWORD style, const RECT& rect, HWND parent) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExA(AppInstance(), className, &existing)) {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = classStyle;
        windowClass.lpfnWndProc = &Window::Procedure;
        windowClass.hInstance = AppInstance();
        windowClass.hCursor = cursor;
        windowClass.lpszClassName = className;
        RegisterClassExA(&windowClass);
    }
    return CreateWindowExA(exStyle, className, text, style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, parent, nullptr, AppInstance(), this);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (self) {
        try {
            LRESULT result = 0;
            if (self->HandleMessage(message, wParam, lParam, result)) return result;
        } catch (...) {
            // A failed handler leaves the message to the default processing.
        }
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

Dialog::~Dialog() {
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
        DestroyWindow(hwnd_);
    }
}

INT_PTR Dialog::RunModal(int templateId, HWND owner) {
    return DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(templateId), owner, &Dialog::Procedure,
                           reinterpret_cast<LPARAM>(this));
}

HWND Dialog::CreateModeless(int templateId, HWND owner) {
    return CreateDialogParamA(AppInstance(), MAKEINTRESOURCEA(templateId), owner, &Dialog::Procedure,
                              reinterpret_cast<LPARAM>(this));
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OnInitDialog() ? TRUE : FALSE;
    if (message == WM_COMMAND) return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    INT_PTR result = 0;
    return HandleMessage(message, wParam, lParam, result) ? result : FALSE;
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->hwnd_ = window;
        SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return FALSE;
    INT_PTR result = FALSE;
    try {
        result = self->Dispatch(message, wParam, lParam);
    } catch (...) {
        result = FALSE;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

}  // namespace kvoro
