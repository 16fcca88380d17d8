#include "desktop.h"

#include <algorithm>
#include <cstring>

#include "framework/gdi.h"
#include "png.h"
#include "riff.h"

namespace kvoro::e2e {

bool ChildProcess::Start(const std::string& path) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + path + "\"";
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info_)) {
        error_ = "CreateProcess failed with error " + std::to_string(GetLastError()) + " for " + path;
        return false;
    }
    return true;
}

ChildProcess::~ChildProcess() {
    if (!info_.hProcess) return;
    if (running()) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 10000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool ChildProcess::running() const { return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

DWORD ChildProcess::WaitForExit(DWORD timeoutMs) const {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

namespace {

struct TopLevelSearch {
    DWORD pid;
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<TopLevelSearch*>(parameter);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search.pid || !IsWindowVisible(window) || WindowText(window) != search.caption) return TRUE;
    search.found = window;
    return FALSE;
}

void Send(INPUT* inputs, UINT count) { SendInput(count, inputs, sizeof(INPUT)); }

INPUT Key(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// Absolute mouse coordinates run from 0 to 65535 over the primary screen;
// rounding up makes the driver's mapping back land on the intended pixel.
LONG Normalised(LONG pixel, int extent) { return static_cast<LONG>((pixel * 65536LL + extent - 1) / extent); }

}  // namespace

HWND FindTopLevel(DWORD pid, const char* caption) {
    TopLevelSearch search{pid, caption, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool IsChecked(HWND button) {
    DWORD_PTR state = 0;
    return SendMessageTimeoutA(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state) &&
           state == BST_CHECKED;
}

bool Settle(HWND window, UINT timeoutMs) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &ignored) != 0;
}

void PressKey(WORD virtualKey) {
    INPUT inputs[] = {Key(virtualKey, false), Key(virtualKey, true)};
    Send(inputs, 2);
}

void PressChord(WORD modifier, WORD virtualKey) {
    INPUT inputs[] = {Key(modifier, false), Key(virtualKey, false), Key(virtualKey, true), Key(modifier, true)};
    Send(inputs, 4);
}

bool ClickAt(POINT screen) {
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = Normalised(screen.x, GetSystemMetrics(SM_CXSCREEN));
    move.mi.dy = Normalised(screen.y, GetSystemMetrics(SM_CYSCREEN));
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    Send(&move, 1);
    POINT at{};
    if (!GetCursorPos(&at) || at.x != screen.x || at.y != screen.y) return false;
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    Send(click, 2);
    return true;
}

bool ClickCentre(HWND window) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) return false;
    return ClickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

bool MakeForeground(HWND window) {
    if (GetForegroundWindow() == window) return true;
    // Without a window manager nothing activates windows for the user; an
    // automation tool shares the target's input state for a moment so that
    // the platform lets it hand over the foreground.
    const DWORD target = GetWindowThreadProcessId(window, nullptr);
    const DWORD self = GetCurrentThreadId();
    const bool attached = AttachThreadInput(self, target, TRUE) != 0;
    SetForegroundWindow(window);
    if (attached) AttachThreadInput(self, target, FALSE);
    return GetForegroundWindow() == window;
}

ScreenImage ScreenImage::Capture(const RECT& area) {
    ScreenImage image;
    image.width_ = std::max(0L, area.right - area.left);
    image.height_ = std::max(0L, area.bottom - area.top);
    image.pixels_.assign(static_cast<size_t>(image.width_) * image.height_, 0);
    if (image.pixels_.empty()) return image;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width_;
    info.bmiHeader.biHeight = -image.height_;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    WindowDC screen(nullptr);
    MemoryDC memory(screen.get());
    void* bits = nullptr;
    Bitmap section(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || !bits) return image;
    {
        SelectGuard select(memory.get(), section.get());
        BitBlt(memory.get(), 0, 0, image.width_, image.height_, screen.get(), area.left, area.top, SRCCOPY);
    }
    GdiFlush();
    const auto* source = static_cast<const std::uint32_t*>(bits);
    std::transform(source, source + image.pixels_.size(), image.pixels_.begin(),
                   [](std::uint32_t bgrx) { return bgrx & 0xFFFFFFu; });
    return image;
}

ScreenImage ScreenImage::Capture(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return Capture(rect);
}

COLORREF ScreenImage::At(int x, int y) const {
    const std::uint32_t rgb = pixels_[static_cast<size_t>(y) * width_ + x];
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

namespace {

template <typename Test>
bool AnyIn(const ScreenImage& image, const RECT& area, Test test) {
    for (int y = std::max(0L, area.top); y < std::min<LONG>(image.height(), area.bottom); ++y)
        for (int x = std::max(0L, area.left); x < std::min<LONG>(image.width(), area.right); ++x)
            if (test(image.At(x, y))) return true;
    return false;
}

}  // namespace

bool ScreenImage::AnyOf(const RECT& area, COLORREF colour) const {
    return AnyIn(*this, area, [colour](COLORREF pixel) { return pixel == colour; });
}

bool ScreenImage::AnyDarker(const RECT& area, int limit) const {
    return AnyIn(*this, area, [limit](COLORREF pixel) {
        return GetRValue(pixel) < limit && GetGValue(pixel) < limit && GetBValue(pixel) < limit;
    });
}

bool ScreenImage::operator==(const ScreenImage& other) const {
    return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
}

bool ScreenImage::SavePng(const std::string& path) const {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(pixels_.size() * 3);
    for (std::uint32_t pixel : pixels_) {
        rgb.push_back(static_cast<std::uint8_t>(pixel >> 16));
        rgb.push_back(static_cast<std::uint8_t>(pixel >> 8));
        rgb.push_back(static_cast<std::uint8_t>(pixel));
    }
    return writeFile(path, encodePng(width_, height_, rgb));
}

}  // namespace kvoro::e2e
