// The dice clip in a real animation control, the sounds' formats, the help document and the manifest.
#include "resource_access.h"

#include "res/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <mmsystem.h>

#include <cctype>
#include <string>
#include <vector>

namespace kvoro::test {
namespace {

HINSTANCE module() { return GetModuleHandleA(nullptr); }

struct AnimationEvents {
    int starts = 0;
    int stops = 0;
};

LRESULT CALLBACK RecordAnimation(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_DIE1) {
        auto* events = reinterpret_cast<AnimationEvents*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (HIWORD(wParam) == ACN_START) ++events->starts;
        if (HIWORD(wParam) == ACN_STOP) ++events->stops;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Pumps messages (the control reports from its own thread) until `done` holds or the limit has passed.
template <typename Done>
bool pumpUntil(Done done, DWORD limitMs) {
    const ULONGLONG deadline = GetTickCount64() + limitMs;
    while (!done()) {
        if (GetTickCount64() > deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return true;
}

TEST(DiceClipResource, PlaysATumblingRunToItsStopInAnAnimationControl) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_ANIMATE_CLASS};
    ASSERT_TRUE(InitCommonControlsEx(&controls));
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = RecordAnimation;
    windowClass.hInstance = module();
    windowClass.lpszClassName = "KvoroAnimationProbe";
    RegisterClassA(&windowClass);
    OwnedWindow parent(CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                       300, 200, nullptr, nullptr, module(), nullptr));
    ASSERT_TRUE(parent);
    AnimationEvents events;
    SetWindowLongPtrA(parent.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&events));
    // Styled like the main window's dice: no ACS_ bits.
    const HWND die = CreateWindowExA(0, ANIMATE_CLASSA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 20, 20,
                                     parent.get(), reinterpret_cast<HMENU>(IDC_DIE1), module(), nullptr);
    ASSERT_TRUE(die);

    ASSERT_TRUE(SendMessageA(die, ACM_OPENA, reinterpret_cast<WPARAM>(module()),
                             reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(IDR_DICE_AVI))));
    // Without ACS_CENTER the control takes the size of the clip's frames.
    RECT frame = {};
    GetWindowRect(die, &frame);
    EXPECT_EQ(frame.right - frame.left, 70);
    EXPECT_EQ(frame.bottom - frame.top, 75);

    // Frames 13 to 25: a die tumbling in and coming to rest on two, once.
    ASSERT_TRUE(SendMessageA(die, ACM_PLAY, 1, MAKELPARAM(13, 25)));
    EXPECT_TRUE(pumpUntil([&] { return events.stops > 0; }, 10000)) << "no ACN_STOP";
    EXPECT_EQ(events.starts, 1);
    EXPECT_EQ(events.stops, 1);

    // The held faces are the clip's last frames; showing one is accepted.
    EXPECT_TRUE(SendMessageA(die, ACM_PLAY, 0, MAKELPARAM(83, 83)));
}

// A walk over the RIFF chunks of a WAVE resource.
struct Wave {
    std::vector<unsigned long> format;  // tag, channels, rate, bytes a second, block align, bits
    unsigned long dataBytes = 0, riffBytes = 0;
};

Wave readWave(std::string_view bytes) {
    Wave wave;
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") return wave;
    wave.riffBytes = le32(bytes, 4) + 8;
    for (size_t at = 12; at + 8 <= bytes.size(); at += 8 + le32(bytes, at + 4) + (le32(bytes, at + 4) & 1)) {
        const std::string_view id = bytes.substr(at, 4);
        if (id == "fmt " && at + 24 <= bytes.size()) {
            wave.format = {le16(bytes, at + 8),  le16(bytes, at + 10), le32(bytes, at + 12),
                           le32(bytes, at + 16), le16(bytes, at + 20), le16(bytes, at + 22)};
        }
        if (id == "data") wave.dataBytes = le32(bytes, at + 4);
    }
    return wave;
}

TEST(SoundResource, EachIsMonoPcmAt11025HzWithItsLength) {
    const struct {
        int id;
        unsigned long samples;
    } sounds[] = {{IDR_WAVE_KVORO, 8048},  {IDR_WAVE_ROLL1, 9371}, {IDR_WAVE_ROLL2, 9151},
                  {IDR_WAVE_ROLL3, 12238}, {IDR_WAVE_ZERO, 5623}};
    for (const auto& sound : sounds) {
        SCOPED_TRACE("WAVE " + std::to_string(sound.id));
        const std::string_view bytes = resourceBytes("WAVE", sound.id);
        const Wave wave = readWave(bytes);
        EXPECT_EQ(wave.riffBytes, bytes.size());
        EXPECT_EQ(wave.format, (std::vector<unsigned long>{WAVE_FORMAT_PCM, 1, 11025, 22050, 2, 16}));
        EXPECT_EQ(wave.dataBytes, sound.samples * 2);
    }
}

TEST(HelpResource, IsACompiledHelpFile) {
    const std::string_view bytes = resourceBytes("CHM", IDR_HELP_CHM);
    ASSERT_GE(bytes.size(), 0x60u);
    EXPECT_EQ(bytes.substr(0, 4), "ITSF");
    EXPECT_EQ(le32(bytes, 4), 3u) << "version";
}

// The loader honoured the manifest: comctl32 is the side-by-side version 6
// (which Wine's DllGetVersion reports as 5.81).
TEST(ManifestResource, GetsCommonControls6) {
    char path[MAX_PATH] = {};
    ASSERT_TRUE(GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), path, MAX_PATH));
    std::string lower(path);
    for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    EXPECT_NE(lower.find("\\winsxs\\amd64_microsoft.windows.common-controls_6595b64144ccf1df_6."), std::string::npos)
        << path;
}

}  // namespace
}  // namespace kvoro::test
