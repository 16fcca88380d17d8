// Saves what a top-level window shows on the screen as a PNG, for a person to
// look at (the installed-programs list after an install).
// window_picture <caption> <file.png>: exits 1 when no such window shows.
#include <windows.h>

#include "test_support.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    HWND window = nullptr;
    kvoro::test::PumpUntil([&] { return (window = FindWindowA(nullptr, argv[1])) != nullptr; }, 20000);
    if (!window) return 1;
    Sleep(1000);  // the list fills after the window shows
    const bool saved = kvoro::test::Snapshot::OfClient(window, true).SavePng(argv[2]);
    PostMessageA(window, WM_CLOSE, 0, 0);
    return saved ? 0 : 1;
}
