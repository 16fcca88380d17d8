#include "driver/desktop.h"

namespace kvoro::e2e {

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

std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool ChildProcess::Start(const std::string& path) {
    End();
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

void ChildProcess::End() {
    if (!info_.hProcess) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 10000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
    info_ = {};
}

DWORD ChildProcess::WaitForExit(DWORD timeoutMs) const {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

namespace {

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
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, nullptr, caption));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == pid && IsWindowVisible(window) && WindowText(window) == caption) return window;
    }
    return nullptr;
}

bool Settle(HWND window, UINT timeoutMs) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &ignored) != 0;
}

void PressKey(WORD virtualKey) {
    INPUT inputs[] = {Key(virtualKey, false), Key(virtualKey, true)};
    SendInput(2, inputs, sizeof(INPUT));
}

void PressChord(WORD modifier, WORD virtualKey) {
    INPUT inputs[] = {Key(modifier, false), Key(virtualKey, false), Key(virtualKey, true), Key(modifier, true)};
    SendInput(4, inputs, sizeof(INPUT));
}

bool MoveTo(POINT screen) {
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = Normalised(screen.x, GetSystemMetrics(SM_CXSCREEN));
    move.mi.dy = Normalised(screen.y, GetSystemMetrics(SM_CYSCREEN));
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    // The display may report the pointer where it was a moment longer; the
    // move is repeated until the pointer is seen at the target.
    return PumpUntil(
        [&] {
            POINT at{};
            if (GetCursorPos(&at) && at.x == screen.x && at.y == screen.y) return true;
            SendInput(1, &move, sizeof(INPUT));
            return false;
        },
        5000);
}

void LeftButton(bool down) {
    INPUT press{};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &press, sizeof(INPUT));
}

bool ClickAt(POINT screen) {
    if (!MoveTo(screen)) return false;
    LeftButton(true);
    LeftButton(false);
    return true;
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
    return PumpUntil([&] { return GetForegroundWindow() == window; }, 5000);
}

}  // namespace kvoro::e2e
