#include "test_support.h"

#include <cstdint>
#include <fstream>
#include <utility>
#include <vector>

#include "tools/common/png.h"

namespace kvoro::test {

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
    }
    return true;
}

COLORREF ClientPixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

namespace {
WhenWindowOpens* pending = nullptr;  // the one the thread timer serves
constexpr DWORD kCancelAfterMs = 3000;
}  // namespace

WhenWindowOpens::WhenWindowOpens(std::string caption, std::function<void(HWND)> action)
    : caption_(std::move(caption)), action_(std::move(action)) {
    pending = this;
    timer_ = SetTimer(nullptr, 0, 10, &WhenWindowOpens::Poll);
}

WhenWindowOpens::~WhenWindowOpens() {
    KillTimer(nullptr, timer_);
    pending = nullptr;
}

void CALLBACK WhenWindowOpens::Poll(HWND, UINT, UINT_PTR, DWORD) {
    WhenWindowOpens* self = pending;
    if (!self) return;
    if (!self->acted_) {
        const HWND window = FindWindowA(nullptr, self->caption_.c_str());
        if (!window || !IsWindowVisible(window)) return;
        self->window_ = window;
        self->acted_ = true;
        self->actedAt_ = GetTickCount();
        self->action_(window);
    } else if (IsWindow(self->window_) && GetTickCount() - self->actedAt_ > kCancelAfterMs) {
        PostMessageA(self->window_, WM_COMMAND, IDCANCEL, 0);
        self->actedAt_ = GetTickCount();
    }
}

Snapshot::Snapshot(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    pixels_ = static_cast<const std::uint32_t*>(bits);
    dc_ = MemoryDC(nullptr);
    SelectObject(dc_.get(), bitmap_.get());
}

Snapshot Snapshot::OfClient(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    Snapshot snapshot(client.right, client.bottom);
    HDC source = GetDC(window);
    BitBlt(snapshot.dc(), 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
    ReleaseDC(window, source);
    return snapshot;
}

COLORREF Snapshot::Pixel(int x, int y) const {
    GdiFlush();
    const std::uint32_t value = pixels_[static_cast<std::size_t>(y) * width_ + x];
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

bool Snapshot::SavePng(const std::string& path) const {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(static_cast<std::size_t>(width_) * height_ * 3);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const COLORREF colour = Pixel(x, y);
            rgb.insert(rgb.end(), {GetRValue(colour), GetGValue(colour), GetBValue(colour)});
        }
    }
    const std::vector<std::uint8_t> png = encodePng(width_, height_, rgb);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(file);
}

}  // namespace kvoro::test
