#include "framework/window.h"

#include <windowsx.h>

namespace kvoro {

namespace {

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

bool MessageHandlers::Decode(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SIZE:
        return OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
    case WM_TIMER:
        return OnTimer(wParam);
    case WM_DRAWITEM:
        result = TRUE;
        return OnDrawItem(static_cast<int>(wParam), *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_ERASEBKGND:
        result = 1;
        return OnEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_PAINT:
        return OnPaint();
    case WM_GETMINMAXINFO:
        return OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
    case WM_ENABLE:
        return OnEnable(wParam != FALSE);
    case WM_SETFONT:
        return OnSetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
    case WM_DESTROY:
        return OnDestroy();
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        const HBRUSH brush = OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        result = reinterpret_cast<LRESULT>(brush);
        return brush != nullptr;
    }
    default:
        return DecodeInput(message, wParam, lParam, result);
    }
}

bool MessageHandlers::DecodeInput(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_MOUSEMOVE:
        return OnMouseMove(PointOf(lParam));
    case WM_MOUSELEAVE:
        return OnMouseLeave();
    case WM_LBUTTONDOWN:
        return OnLeftButtonDown(PointOf(lParam));
    case WM_LBUTTONUP:
        return OnLeftButtonUp(PointOf(lParam));
    case WM_SETCURSOR:
        result = TRUE;
        return OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam));
    case WM_KEYDOWN:
        return OnKeyDown(static_cast<UINT>(wParam));
    case WM_CHAR:
        return OnChar(static_cast<UINT>(wParam));
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return OnFocus(message == WM_SETFOCUS, reinterpret_cast<HWND>(wParam));
    default:
        return OnMessage(message, wParam, lParam, result);
    }
}

void TraceFailedHandler(HWND window, UINT message) noexcept {
    char className[64] = "";
    GetClassNameA(window, className, sizeof(className));
    char line[256];  // the text and a class name of at most 63 characters
    wsprintfA(line, "Kvoro: a handler of message 0x%04X failed in a window of class \"%s\"; it was left to the "
                    "default processing.\n", message, className);
    OutputDebugStringA(line);
}

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
            if (self->Decode(message, wParam, lParam, result)) return result;
        } catch (...) {
            TraceFailedHandler(window, message);
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

INT_PTR Dialog::MessageResult(UINT message, LRESULT result) const {
    switch (message) {
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return static_cast<INT_PTR>(result);
    default:
        SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
    }
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OnInitDialog() ? TRUE : FALSE;
    // A click, a menu item or an accelerator (codes 0 and 1), not another notification.
    const bool ending = message == WM_COMMAND && HIWORD(wParam) <= 1;
    if (ending && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
        } else {
            OnCancel();
        }
        return TRUE;
    }
    LRESULT result = 0;
    return Decode(message, wParam, lParam, result) ? MessageResult(message, result) : FALSE;
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
        TraceFailedHandler(window, message);
        result = FALSE;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

}  // namespace kvoro
