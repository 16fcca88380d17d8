#pragma once
// What a driver needs to work another program's windows from outside: the
// child process, its windows as the platform reports them, real keyboard and
// mouse input, and pictures of the screen.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kvoro::e2e {

// A program started with CreateProcess. A program still running when the
// object goes is ended, so that a failed test leaves nothing behind.
class ChildProcess {
public:
    // Starts path; false with the reason in error() when it cannot be started.
    bool Start(const std::string& path);
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    DWORD id() const { return info_.dwProcessId; }
    HANDLE handle() const { return info_.hProcess; }
    bool running() const;
    // Waits up to timeoutMs for the end; returns the exit code, or
    // STILL_ACTIVE when it is still running.
    DWORD WaitForExit(DWORD timeoutMs) const;
    const std::string& error() const { return error_; }

private:
    PROCESS_INFORMATION info_{};
    std::string error_;
};

// The visible top-level window of process pid with exactly this caption.
HWND FindTopLevel(DWORD pid, const char* caption);
std::string WindowText(HWND window);
// BM_GETCHECK, asked across the process boundary; false when it hangs.
bool IsChecked(HWND button);
// Waits until the window's thread has finished what it was doing and looks for
// messages again; false when it does not answer within timeoutMs.
bool Settle(HWND window, UINT timeoutMs = 10000);
// Real input, as the keyboard and mouse drivers deliver it.
void PressKey(WORD virtualKey);
void PressChord(WORD modifier, WORD virtualKey);
// Moves the pointer to a screen point and clicks the left button there;
// false when the pointer did not arrive.
bool ClickAt(POINT screen);
bool ClickCentre(HWND window);
// Real input goes to the foreground window. Makes window foreground when it is
// not; false when it cannot be made so.
bool MakeForeground(HWND window);

// A picture of part of the screen, 32-bit pixels top-down.
class ScreenImage {
public:
    // Copies the screen rectangle from the screen's device context.
    static ScreenImage Capture(const RECT& screenArea);
    static ScreenImage Capture(HWND window);  // the window's rectangle, frame included

    int width() const { return width_; }
    int height() const { return height_; }
    // x, y relative to the captured rectangle.
    COLORREF At(int x, int y) const;
    // Whether any pixel of area (relative to the capture, clipped to it) has
    // exactly this colour, or is darker than limit in every channel.
    bool AnyOf(const RECT& area, COLORREF colour) const;
    bool AnyDarker(const RECT& area, int limit) const;
    bool operator==(const ScreenImage& other) const;
    // Writes the picture as a PNG file; false when the file cannot be written.
    bool SavePng(const std::string& path) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;  // 0x00RRGGBB
};

}  // namespace kvoro::e2e
