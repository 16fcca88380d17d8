#include "desktop.h"

#include <algorithm>

#include "framework/gdi.h"
#include "res/resource.h"
#include "ui/score_grid_model.h"
#include "ui/win_rect.h"

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
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 10000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

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

bool MoveTo(POINT screen) {
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = Normalised(screen.x, GetSystemMetrics(SM_CXSCREEN));
    move.mi.dy = Normalised(screen.y, GetSystemMetrics(SM_CYSCREEN));
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    const auto arrived = [&] {
        POINT at{};
        return GetCursorPos(&at) && at.x == screen.x && at.y == screen.y;
    };
    // The display may report the pointer where it was a moment longer; the
    // move is repeated until the pointer is seen at the target.
    return test::PumpUntil(
        [&] {
            if (arrived()) return true;
            Send(&move, 1);
            return false;
        },
        5000);
}

void LeftButton(bool down) {
    INPUT press{};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    Send(&press, 1);
}

bool ClickAt(POINT screen) {
    if (!MoveTo(screen)) return false;
    LeftButton(true);
    LeftButton(false);
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

test::Snapshot CaptureClient(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    test::Snapshot picture(client.right, client.bottom);
    WindowDC screen(nullptr);
    BitBlt(picture.dc(), 0, 0, client.right, client.bottom, screen.get(), origin.x, origin.y, SRCCOPY);
    return picture;
}

bool AnyPixel(const test::Snapshot& picture, const RECT& area, COLORREF colour) {
    for (int y = std::max(0L, area.top); y < std::min<LONG>(picture.height(), area.bottom); ++y)
        for (int x = std::max(0L, area.left); x < std::min<LONG>(picture.width(), area.right); ++x)
            if (picture.Pixel(x, y) == colour) return true;
    return false;
}

bool SamePicture(const test::Snapshot& a, const test::Snapshot& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    return true;
}

HWND WaitForWindow(DWORD pid, const char* caption, DWORD timeoutMs) {
    HWND found = nullptr;
    test::PumpUntil([&] { return (found = FindTopLevel(pid, caption)) != nullptr; }, timeoutMs);
    return found;
}

bool Dismiss(HWND window, WORD key, DWORD timeoutMs) {
    if (!MakeForeground(window)) return false;
    PressKey(key);
    return test::PumpUntil([&] { return !IsWindow(window); }, timeoutMs);
}

bool Roll(HWND main, WORD key, DWORD timeoutMs) {
    const HWND roll = GetDlgItem(main, IDC_ROLL), hold = GetDlgItem(main, IDC_HOLD1);
    const auto focusRests = [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info)) return false;
        const int id = GetDlgCtrlID(info.hwndFocus);
        return id == IDC_ROLL || (id >= IDC_HOLD1 && id <= IDC_HOLD6);
    };
    if (!MakeForeground(main)) return false;
    PressKey(key);
    return test::PumpUntil([&] { return !IsWindowEnabled(roll); }, timeoutMs) &&
           test::PumpUntil([&] { return IsWindowEnabled(roll) && IsWindowEnabled(hold) && focusRests(); }, timeoutMs) &&
           Settle(main);
}

RECT Cell(HWND grid, int row) {
    RECT client{};
    GetClientRect(grid, &client);
    return ToRECT(CellRect(1, *RowRect(GameType::Standard, row, client.right)));
}

bool ClickCell(HWND grid, int row) {
    const RECT cell = Cell(grid, row);
    POINT target{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    ClientToScreen(grid, &target);
    return MakeForeground(GetAncestor(grid, GA_ROOT)) && ClickAt(target);
}

}  // namespace kvoro::e2e
