#include "test_support.h"

#include <algorithm>
#include <cstdint>
#include <fstream>

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
DialogAnswers* current = nullptr;  // the one the thread timer serves
constexpr DWORD kCancelAfterMs = 3000;
}  // namespace

DialogAnswers::DialogAnswers() {
    current = this;
    timer_ = SetTimer(nullptr, 0, 10, &DialogAnswers::Poll);
}

DialogAnswers::~DialogAnswers() {
    KillTimer(nullptr, timer_);
    current = nullptr;
}

void CALLBACK DialogAnswers::Poll(HWND, UINT, UINT_PTR, DWORD) {
    DialogAnswers* self = current;
    if (!self) return;
    auto& answered = self->answered_;
    answered.erase(std::remove_if(answered.begin(), answered.end(), [](const auto& a) { return !IsWindow(a.first); }),
                   answered.end());
    for (auto& [window, at] : answered) {
        if (GetTickCount() - at > kCancelAfterMs) {
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
            at = GetTickCount();
        }
    }
    for (const auto& [caption, action] : self->actions_) {
        const HWND window = FindWindowA(nullptr, caption.c_str());
        if (!window || !IsWindowVisible(window)) continue;
        if (std::any_of(answered.begin(), answered.end(), [&](const auto& a) { return a.first == window; })) continue;
        answered.emplace_back(window, GetTickCount());
        self->log_.push_back(caption);
        const auto act = action;  // the action may replace itself
        act(window);
        return;
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
