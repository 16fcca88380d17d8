#include "test_support.h"

#include <objidl.h>  // before gdiplus.h, which needs PROPID
#include <gdiplus.h>

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace kvoro::test {

COLORREF ClientPixel(HWND window, int x, int y) { return GetPixel(WindowDC(window).get(), x, y); }

std::vector<BYTE> RegistryValue(const char* key, const char* name, DWORD* type) {
    std::vector<BYTE> bytes(4096);
    DWORD size = static_cast<DWORD>(bytes.size());
    const LSTATUS status = RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_ANY, type, bytes.data(), &size);
    bytes.resize(status == ERROR_SUCCESS ? size : 0);
    return bytes;
}

bool CentredOn(HWND window, HWND owner) {
    RECT placed, under;
    GetWindowRect(window, &placed);
    GetWindowRect(owner, &under);
    return std::abs((placed.left + placed.right) - (under.left + under.right)) <= 1 &&
           std::abs((placed.top + placed.bottom) - (under.top + under.bottom)) <= 1;
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

Snapshot Snapshot::OfClient(HWND window, bool fromScreen) {
    RECT client;
    GetClientRect(window, &client);
    POINT origin{0, 0};
    if (fromScreen) ClientToScreen(window, &origin);
    Snapshot snapshot(client.right, client.bottom);
    const WindowDC source(fromScreen ? nullptr : window);
    BitBlt(snapshot.dc(), 0, 0, client.right, client.bottom, source.get(), origin.x, origin.y, SRCCOPY);
    return snapshot;
}

COLORREF Snapshot::Pixel(int x, int y) const {
    GdiFlush();
    const std::uint32_t value = pixels_[static_cast<std::size_t>(y) * width_ + x];
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

int Snapshot::Count(COLORREF colour, const RECT& area) const {
    int found = 0;
    for (int y = std::max(0L, area.top); y < std::min<LONG>(height_, area.bottom); ++y) {
        for (int x = std::max(0L, area.left); x < std::min<LONG>(width_, area.right); ++x)
            found += Pixel(x, y) == colour;
    }
    return found;
}

int Snapshot::Differing(const Snapshot& other, const RECT& area) const {
    if (width_ != other.width_ || height_ != other.height_) return width_ * height_;
    int found = 0;
    for (int y = std::max(0L, area.top); y < std::min<LONG>(height_, area.bottom); ++y) {
        for (int x = std::max(0L, area.left); x < std::min<LONG>(width_, area.right); ++x)
            found += Pixel(x, y) != other.Pixel(x, y);
    }
    return found;
}

bool Snapshot::SavePng(const std::string& path) const {
    // GDI+'s PNG encoder.
    static const CLSID kPngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    ULONG_PTR token = 0;
    const Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
    GdiFlush();
    bool saved = false;
    {
        Gdiplus::Bitmap image(width_, height_, width_ * 4, PixelFormat32bppRGB,
                              reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(pixels_)));
        saved = image.Save(std::filesystem::path(path).wstring().c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
    }
    Gdiplus::GdiplusShutdown(token);
    return saved;
}

}  // namespace kvoro::test
