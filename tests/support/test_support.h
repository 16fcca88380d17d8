#pragma once
// Helpers shared by the in-process window tests.
#include <windows.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "driver/desktop.h"
#include "framework/gdi.h"

namespace kvoro::test {

using e2e::PumpMessages;
using e2e::PumpUntil;
using e2e::WindowText;

// The colour a window shows at a client point, read from its device context.
COLORREF ClientPixel(HWND window, int x, int y);

// A value of a key under HKEY_CURRENT_USER read with the registry's own calls:
// its bytes, empty when it is missing, and its type in type.
std::vector<BYTE> RegistryValue(const char* key, const char* name, DWORD* type = nullptr);

// The bytes of a record, as stored byte for byte.
template <typename T>
std::vector<BYTE> Bytes(const T& data) {
    const auto* bytes = reinterpret_cast<const BYTE*>(&data);
    return {bytes, bytes + sizeof data};
}

inline void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
inline void Close(HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }

// Whether the window's centre is within a pixel of its owner's.
bool CentredOn(HWND window, HWND owner);

// Answers each top-level window of this thread whose caption has an action,
// once a window, from whatever message loop runs then (a modal dialog's, say),
// and logs the captions answered. A window still open 3 s after its answer is
// sent IDCANCEL, so a failed test cannot hang.
class DialogAnswers {
public:
    DialogAnswers();
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;
    ~DialogAnswers();

    void On(const std::string& caption, std::function<void(HWND)> action) { actions_[caption] = std::move(action); }
    std::vector<std::string>& log() { return log_; }

private:
    static void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD);

    UINT_PTR timer_ = 0;
    std::map<std::string, std::function<void(HWND)>> actions_;
    std::vector<std::pair<HWND, DWORD>> answered_;  // still open, with the time of the answer
    std::vector<std::string> log_;
};

// A 32-bit top-down DIB section in a memory DC: something to paint into, or a
// copy of what a window shows, whose pixels can be read and saved as PNG.
class Snapshot {
public:
    Snapshot(int width, int height);
    // What the window's client area shows now, read from its own DC or from the screen's (another process's
    // window; without a window manager the frame around it is not the program's).
    static Snapshot OfClient(HWND window, bool fromScreen = false);

    HDC dc() const { return dc_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF Pixel(int x, int y) const;
    // How many pixels of the area have the colour.
    int Count(COLORREF colour, const RECT& area = {0, 0, LONG_MAX, LONG_MAX}) const;
    // How many pixels of the area differ from other's; every one when the sizes differ.
    int Differing(const Snapshot& other, const RECT& area = {0, 0, LONG_MAX, LONG_MAX}) const;
    bool SavePng(const std::string& path) const;

private:
    int width_;
    int height_;
    const std::uint32_t* pixels_ = nullptr;  // 0x00RRGGBB, owned by bitmap_
    Bitmap bitmap_;
    MemoryDC dc_;
};

}  // namespace kvoro::test
