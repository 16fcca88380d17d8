#pragma once
// The base for an object that takes over an existing control (a dialog's
// static text, say). The control's messages are decoded into the same named
// handlers as a window's; whatever the object leaves goes on to the control's
// own window procedure. The object rides in SetWindowSubclass's reference data.
#include <windows.h>

#include "framework/window.h"

namespace kvoro {

class SubclassedControl : public MessageHandlers {
public:
    SubclassedControl() = default;
    // Gives the control back its own procedure when it outlives the object.
    ~SubclassedControl() override;

    // The control taken over, or nullptr.
    HWND hwnd() const { return hwnd_; }

protected:
    // Takes over control; false, with the control left as it was, when the
    // platform refuses.
    bool Subclass(HWND control);

    // Whether Paint draws the control; otherwise the control paints itself.
    virtual bool Paints() const { return false; }
    // Draws the control into dc: WM_PAINT's own paint cycle, or the DC that
    // WM_PRINTCLIENT (or a WM_PAINT carrying one) brings.
    virtual void Paint(HDC /*dc*/) const {}
    // Every mouse message, before its own handler (a tooltip wants copies).
    virtual void OnMouseInput(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {}

private:
    // Painting, then the decoded handlers. Returns true when handled.
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self) noexcept;

    HWND hwnd_ = nullptr;
};

}  // namespace kvoro
