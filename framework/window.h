#pragma once
// Bases that tie a window or dialog to its C++ object. The object pointer
// travels in the creation parameters, is stored at WM_NCCREATE (WM_INITDIALOG
// for dialogs), and every later message goes to the object's HandleMessage.
#include <windows.h>

namespace kvoro {

// The module whose resources the program uses: the executable itself.
inline HINSTANCE AppInstance() { return GetModuleHandleA(nullptr); }

// A custom window class. Derived classes name their class and handle
// messages; unhandled ones get DefWindowProc.
class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }

protected:
    // Registers the class on first use and creates the window bound to this.
    HWND CreateBound(const char* className, UINT classStyle, HCURSOR cursor, DWORD exStyle,
                     const char* text, DWORD style, const RECT& rect, HWND parent);

    // Returns true when handled, with the message's result in result.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    HWND hwnd_ = nullptr;
};

// A dialog from a resource template, modal or modeless.
class Dialog {
public:
    Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog();

    HWND hwnd() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

    // DialogBoxParam: returns the value passed to EndDialog.
    INT_PTR RunModal(int templateId, HWND owner);
    // CreateDialogParam: returns the window, or nullptr when creation failed.
    HWND CreateModeless(int templateId, HWND owner);

protected:
    virtual bool OnInitDialog() { return true; }
    // Returns true when the command was handled.
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    // Any other message. Returns true when handled; result is what the dialog
    // procedure returns (TRUE, or a brush for the WM_CTLCOLOR messages).
    virtual bool HandleMessage(UINT /*message*/, WPARAM, LPARAM, INT_PTR& /*result*/) { return false; }

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

}  // namespace kvoro
