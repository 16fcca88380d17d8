#pragma once
// Helpers shared by the in-process window tests.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "framework/gdi.h"

namespace kvoro::test {

// Dispatches every waiting message of this thread.
void PumpMessages();

// Pumps messages until done() is true or timeoutMs has passed; returns done().
// The timeout only guards against a hang; it is not a timing assertion.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);

// The colour a window shows at a client point, read from its device context.
COLORREF ClientPixel(HWND window, int x, int y);

// Runs action once on the first window of this thread with the given caption,
// from inside whatever message loop is running then (a modal dialog's, say):
// create it before opening the window. Should the window still be open some
// seconds after the action, it is sent IDCANCEL, so a failed test cannot hang.
class WhenWindowOpens {
public:
    WhenWindowOpens(std::string caption, std::function<void(HWND)> action);
    WhenWindowOpens(const WhenWindowOpens&) = delete;
    WhenWindowOpens& operator=(const WhenWindowOpens&) = delete;
    ~WhenWindowOpens();
    bool acted() const { return acted_; }

private:
    static void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD);

    std::string caption_;
    std::function<void(HWND)> action_;
    UINT_PTR timer_ = 0;
    HWND window_ = nullptr;
    bool acted_ = false;
    DWORD actedAt_ = 0;
};

// A 32-bit top-down DIB section in a memory DC: something to paint into, or a
// copy of what a window shows, whose pixels can be read and saved as PNG.
class Snapshot {
public:
    Snapshot(int width, int height);
    // What the window's client area shows now.
    static Snapshot OfClient(HWND window);

    HDC dc() const { return dc_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF Pixel(int x, int y) const;
    bool SavePng(const std::string& path) const;

private:
    int width_;
    int height_;
    const std::uint32_t* pixels_ = nullptr;  // 0x00RRGGBB, owned by bitmap_
    Bitmap bitmap_;
    MemoryDC dc_;
};

}  // namespace kvoro::test
