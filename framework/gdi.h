#pragma once
// Move-only owners for GDI handles and device contexts, a guard that undoes a
// SelectObject before the selected object can be deleted, and guards for the
// text colour and background settings.
#include <windows.h>

#include <utility>

namespace kvoro {

// Owns one GDI object (brush, font, bitmap, pen) and deletes it once.
template <typename Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(Handle handle = nullptr) {
        if (handle_) DeleteObject(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Pen = GdiObject<HPEN>;

// A memory DC created with CreateCompatibleDC and deleted with DeleteDC.
class MemoryDC {
public:
    MemoryDC() = default;
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    MemoryDC(MemoryDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    MemoryDC& operator=(MemoryDC&& other) noexcept {
        if (this != &other) {
            if (dc_) DeleteDC(dc_);
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    HDC get() const { return dc_; }

private:
    HDC dc_ = nullptr;
};

// GetDC/ReleaseDC for the lifetime of the object.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() { ReleaseDC(window_, dc_); }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint/EndPaint for the lifetime of the object.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window) { BeginPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { EndPaint(window_, &paint_); }
    HDC get() const { return paint_.hdc; }
    const RECT& area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
};

// Selects an object into a DC and puts the previous one back on destruction.
// Declare it after the object it selects, so that it is undone first.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() { SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Sets one of a DC's drawing settings (text colour, background mode or
// colour) and puts the former value back on destruction.
template <typename Value>
class DCSettingGuard {
public:
    using Setter = Value(WINAPI*)(HDC, Value);
    DCSettingGuard(HDC dc, Setter set, Value value) : dc_(dc), set_(set), previous_(set(dc, value)) {}
    DCSettingGuard(const DCSettingGuard&) = delete;
    DCSettingGuard& operator=(const DCSettingGuard&) = delete;
    ~DCSettingGuard() { set_(dc_, previous_); }

private:
    HDC dc_;
    Setter set_;
    Value previous_;
};

class TextColourGuard : public DCSettingGuard<COLORREF> {
public:
    TextColourGuard(HDC dc, COLORREF colour) : DCSettingGuard(dc, &SetTextColor, colour) {}
};

// TRANSPARENT or OPAQUE.
class BackgroundModeGuard : public DCSettingGuard<int> {
public:
    BackgroundModeGuard(HDC dc, int mode) : DCSettingGuard(dc, &SetBkMode, mode) {}
};

// The colour behind text in the OPAQUE mode.
class BackgroundColourGuard : public DCSettingGuard<COLORREF> {
public:
    BackgroundColourGuard(HDC dc, COLORREF colour) : DCSettingGuard(dc, &SetBkColor, colour) {}
};

// SaveDC/RestoreDC for the lifetime of the object: clipping and selections
// made meanwhile are undone.
class SavedDC {
public:
    explicit SavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;
    ~SavedDC() { RestoreDC(dc_, saved_); }

private:
    HDC dc_;
    int saved_;
};

}  // namespace kvoro
