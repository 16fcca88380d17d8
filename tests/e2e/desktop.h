#pragma once
// What a driver needs to work another program's windows from outside: the
// child process, its windows as the platform reports them, real keyboard and
// mouse input, and pictures of the screen.
#include <windows.h>

#include <string>

#include "tests/win/test_support.h"

namespace kvoro::e2e {

// A program started with CreateProcess. A program still running when the
// object goes is ended, so that a failed test leaves nothing behind.
class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    // Starts path; false with the reason in error() when it cannot be started.
    bool Start(const std::string& path);

    DWORD id() const { return info_.dwProcessId; }
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
// Moves the pointer to a screen point; false when it did not arrive.
bool MoveTo(POINT screen);
void LeftButton(bool down);
// Moves the pointer to a screen point and clicks the left button there;
// false when the pointer did not arrive.
bool ClickAt(POINT screen);
bool ClickCentre(HWND window);
// Real input goes to the foreground window. Makes window foreground when it is
// not; false when it cannot be made so.
bool MakeForeground(HWND window);

// What the screen shows in a window's client area, copied from the screen's
// device context. Only the client area: without a window manager the frame
// drawn around it is not the program's.
test::Snapshot CaptureClient(HWND window);
// Whether any pixel of area (in the snapshot, clipped to it) has exactly this colour.
bool AnyPixel(const test::Snapshot& picture, const RECT& area, COLORREF colour);
bool SamePicture(const test::Snapshot& a, const test::Snapshot& b);

// The program's windows as a player meets them.
// Waits for process pid's top-level window with this caption; null when none comes.
HWND WaitForWindow(DWORD pid, const char* caption, DWORD timeoutMs = 60000);
// Presses key on window and waits until the window has gone.
bool Dismiss(HWND window, WORD key, DWORD timeoutMs = 20000);
// A key that rolls, and the end of the roll as a player sees it: Roll and Hold
// enabled again and the focus back on Roll or a Hold button, where keys reach
// the program's filter.
bool Roll(HWND main, WORD key, DWORD timeoutMs = 20000);
// The first player's cell of row in the card, in the card's client coordinates.
RECT Cell(HWND grid, int row);
// A click on that cell, which enters the dice there.
bool ClickCell(HWND grid, int row);

}  // namespace kvoro::e2e
