#pragma once
// The base for an object that takes over an existing control (a dialog's
// static text, say): the control's messages come to HandleMessage first, and
// whatever it leaves goes on to the control's own window procedure. The
// object rides in SetWindowSubclass's reference data.
#include <windows.h>

namespace kvoro {

class SubclassedControl {
public:
    SubclassedControl() = default;
    SubclassedControl(const SubclassedControl&) = delete;
    SubclassedControl& operator=(const SubclassedControl&) = delete;
    // Gives the control back its own procedure when it outlives the object.
    virtual ~SubclassedControl();

    // The control taken over, or nullptr.
    HWND hwnd() const { return hwnd_; }

protected:
    // Takes over control; false, with the control left as it was, when the
    // platform refuses.
    bool Subclass(HWND control);
    // Returns true when handled, with the message's result in result.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    // The control's own handling of a message.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self) noexcept;

    HWND hwnd_ = nullptr;
};

}  // namespace kvoro
