#include "test_support.h"

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <fstream>
#include <vector>

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

int Snapshot::Count(COLORREF colour) const {
    int found = 0;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) found += Pixel(x, y) == colour;
    }
    return found;
}

namespace {

void PutBe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data) {
    PutBe32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = start; i < out.size(); ++i) {
        crc ^= out[i];
        for (int k = 0; k < 8; ++k) crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    PutBe32(out, ~crc);
}

}  // namespace

// RGB, 8 bits a channel, in stored (uncompressed) deflate blocks: no encoder to get wrong.
bool Snapshot::SavePng(const std::string& path) const {
    std::vector<std::uint8_t> raw;  // every row starts with filter type 0 (none)
    for (int y = 0; y < height_; ++y) {
        raw.push_back(0);
        for (int x = 0; x < width_; ++x) {
            const COLORREF colour = Pixel(x, y);
            raw.insert(raw.end(), {GetRValue(colour), GetGValue(colour), GetBValue(colour)});
        }
    }
    std::vector<std::uint8_t> zlib{0x78, 0x01};
    std::uint32_t a = 1, b = 0;
    for (std::size_t pos = 0; pos < raw.size();) {
        const std::size_t length = std::min<std::size_t>(raw.size() - pos, 65535);
        zlib.push_back(pos + length == raw.size() ? 1 : 0);
        zlib.insert(zlib.end(), {static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
                                 static_cast<std::uint8_t>(~length), static_cast<std::uint8_t>(~length >> 8)});
        for (std::size_t i = pos; i < pos + length; ++i) {
            zlib.push_back(raw[i]);
            a = (a + raw[i]) % 65521;
            b = (b + a) % 65521;
        }
        pos += length;
    }
    PutBe32(zlib, (b << 16) | a);
    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, header;
    PutBe32(header, static_cast<std::uint32_t>(width_));
    PutBe32(header, static_cast<std::uint32_t>(height_));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", zlib);
    PutChunk(png, "IEND", {});
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(file);
}

}  // namespace kvoro::test
