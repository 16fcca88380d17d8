#pragma once
// Bases that tie a window or dialog to its C++ object. The object pointer
// travels in the creation parameters, is stored at WM_NCCREATE (WM_INITDIALOG
// for dialogs), and every later message is decoded once, here, and goes to a
// named handler of the object.
#include <windows.h>

namespace kvoro {

// The module whose resources the program uses: the executable itself.
inline HINSTANCE AppInstance() { return GetModuleHandleA(nullptr); }

// The decoded handlers that windows and dialogs share. Each returns true when
// it handled its message; unhandled messages get the default processing.
class MessageHandlers {
public:
    MessageHandlers() = default;
    MessageHandlers(const MessageHandlers&) = delete;
    MessageHandlers& operator=(const MessageHandlers&) = delete;

protected:
    virtual ~MessageHandlers() = default;

    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    // type is SIZE_RESTORED, SIZE_MINIMIZED, ...; the size is the client area's.
    virtual bool OnSize(UINT /*type*/, int /*width*/, int /*height*/) { return false; }
    virtual bool OnTimer(UINT_PTR /*id*/) { return false; }
    virtual bool OnDrawItem(int /*controlId*/, const DRAWITEMSTRUCT& /*item*/) { return false; }
    // True when the background was erased (or needs no erasing).
    virtual bool OnEraseBackground(HDC /*dc*/) { return false; }
    virtual bool OnPaint() { return false; }
    // Points are in client coordinates, negative left of or above the client area.
    virtual bool OnLeftButtonDown(POINT /*client*/) { return false; }
    virtual bool OnLeftButtonUp(POINT /*client*/) { return false; }
    virtual bool OnMouseMove(POINT /*client*/) { return false; }
    // WM_MOUSELEAVE, after _TrackMouseEvent asked for it.
    virtual bool OnMouseLeave() { return false; }
    virtual bool OnKeyDown(UINT /*key*/) { return false; }
    // WM_CHAR: the character code.
    virtual bool OnChar(UINT /*character*/) { return false; }
    // True when the handler has set the cursor, which the message then keeps.
    virtual bool OnSetCursor(HWND /*under*/, UINT /*hitTest*/) { return false; }
    // WM_SETFOCUS (gained) and WM_KILLFOCUS; other is the window that had the
    // focus or that gets it, or nullptr.
    virtual bool OnFocus(bool /*gained*/, HWND /*other*/) { return false; }
    virtual bool OnEnable(bool /*enabled*/) { return false; }
    virtual bool OnSetFont(HFONT /*font*/, bool /*redraw*/) { return false; }
    // WM_DESTROY, while the children still exist.
    virtual bool OnDestroy() { return false; }
    virtual bool OnGetMinMaxInfo(MINMAXINFO& /*limits*/) { return false; }
    // WM_CTLCOLORBTN, WM_CTLCOLORDLG, WM_CTLCOLORSTATIC and the like: the
    // brush for the control's background, or nullptr for the default.
    virtual HBRUSH OnControlColor(HDC /*dc*/, HWND /*control*/) { return nullptr; }
    // Any message without a decoded handler; result is its result.
    virtual bool OnMessage(UINT /*message*/, WPARAM, LPARAM, LRESULT& /*result*/) { return false; }

    // Routes a message to its handler. Returns true when handled, with the
    // message's result in result.
    bool Decode(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    // The mouse, keyboard and focus messages of Decode.
    bool DecodeInput(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
};

// Leaves a trace for a maintainer (OutputDebugString) when a handler failed
// with an exception, which the window procedure must not let through.
void TraceFailedHandler(HWND window, UINT message) noexcept;

// A custom window class. Derived classes name their class and handle
// messages; unhandled ones get DefWindowProc.
class Window : public MessageHandlers {
public:
    Window() = default;
    ~Window() override;

    HWND hwnd() const { return hwnd_; }

protected:
    // Registers the class on first use and creates the window bound to this.
    HWND CreateBound(const char* className, UINT classStyle, HCURSOR cursor, DWORD exStyle,
                     const char* text, DWORD style, const RECT& rect, HWND parent);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    HWND hwnd_ = nullptr;
};

// A dialog from a resource template, modal or modeless.
class Dialog : public MessageHandlers {
public:
    Dialog() = default;
    ~Dialog() override;

    HWND hwnd() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

    // DialogBoxParam: returns the value passed to EndDialog.
    INT_PTR RunModal(int templateId, HWND owner);
    // CreateDialogParam: returns the window, or nullptr when creation failed.
    HWND CreateModeless(int templateId, HWND owner);

protected:
    // Returns whether the dialog manager should set the focus.
    virtual bool OnInitDialog() { return true; }
    // Enter or the default button, and Escape or the close box. A modal
    // dialog ends with the command's id by default.
    virtual void OnOK() { EndDialog(hwnd_, IDOK); }
    virtual void OnCancel() { EndDialog(hwnd_, IDCANCEL); }

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    // What the dialog procedure returns for a handled message: a few messages
    // return their result directly, the others through DWLP_MSGRESULT.
    INT_PTR MessageResult(UINT message, LRESULT result) const;

    HWND hwnd_ = nullptr;
};

}  // namespace kvoro
