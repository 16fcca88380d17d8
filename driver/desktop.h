#pragma once
// What a driver needs to work another program's windows from outside: the
// child process, its windows as the platform reports them, real keyboard and
// mouse input, and a message pump to wait with. The end-to-end tests and the
// start-up bench use it.
#include <windows.h>

#include <functional>
#include <string>

namespace kvoro::e2e {

// Dispatches every waiting message of this thread.
void PumpMessages();

// Pumps messages until done() is true or timeoutMs has passed; returns done().
// The timeout only guards against a hang; it is not a timing assertion.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);

// A window's text: a control's, or a caption.
std::string WindowText(HWND window);

// A program started with CreateProcess. A program still running when the
// object goes is ended, so that a failed test leaves nothing behind.
class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess() { End(); }

    // Starts path (ending one started before); false with the reason in error().
    bool Start(const std::string& path);

    DWORD id() const { return info_.dwProcessId; }
    // Ends a program still running at once (TerminateProcess), as a crash would.
    void End();
    // The exit code, or STILL_ACTIVE when it runs on after timeoutMs.
    DWORD WaitForExit(DWORD timeoutMs) const;
    const std::string& error() const { return error_; }

private:
    PROCESS_INFORMATION info_{};
    std::string error_;
};

// The visible top-level window of process pid with exactly this caption.
HWND FindTopLevel(DWORD pid, const char* caption);
// Waits until the window's thread has finished what it was doing and looks for
// messages again; false when it does not answer within timeoutMs.
bool Settle(HWND window, UINT timeoutMs = 10000);

// Real input, as the keyboard and mouse drivers deliver it.
void PressKey(WORD virtualKey);
void PressChord(WORD modifier, WORD virtualKey);
// Moves the pointer to a screen point; false when it did not arrive.
bool MoveTo(POINT screen);
void LeftButton(bool down);
bool ClickAt(POINT screen);
// Real input goes to the foreground window. Makes window foreground when it is
// not; false when it cannot be made so.
bool MakeForeground(HWND window);

}  // namespace kvoro::e2e
