// Kvoro played from outside, as a person plays it: the program runs as its own
// process and gets nothing but real keys and mouse clicks. What the driver
// knows of the game it learns from the platform (window texts, enabled and
// checked states, window rectangles) and from the pixels on the screen. The
// window tests prove the rules of every step in-process; this one proves that
// real input reaches them through the program's own message loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "desktop.h"
#include "game/rules.h"
#include "res/resource.h"
#include "tests/win/test_support.h"

namespace kvoro::e2e {
namespace {

using test::PumpUntil;
constexpr DWORD kGuardMs = 20000;  // a hang guard only
constexpr COLORREF kPreviewRed = RGB(200, 0, 0);
constexpr COLORREF kHeldMark = RGB(204, 16, 16);
constexpr RECT kWhole{0, 0, 1000, 1000};

// Saves a picture for people to look at.
void Save(const test::Snapshot& picture, const char* file) {
    EXPECT_TRUE(picture.SavePng(file)) << "could not write " << file;
    std::printf("screenshot: %s (%d x %d)\n", file, picture.width(), picture.height());
}

TEST(EndToEnd, RollsHoldsAndEntersByKeyboardAndMouseThenClosesWithAltF4) {
    ChildProcess process;
    ASSERT_TRUE(process.Start(KVORO_EXE)) << process.error();
    const HWND dialog = WaitForWindow(process.id(), "New Game");
    ASSERT_NE(dialog, nullptr) << "no New Game dialog";
    const HWND main = FindTopLevel(process.id(), "Kvoro");
    ASSERT_NE(main, nullptr) << "the main window is not shown behind the New Game dialog";
    const HWND grid = FindWindowExA(main, nullptr, nullptr, "VIZIVA");
    const auto item = [&](int id) { return GetDlgItem(main, id); };
    Settle(dialog);
    Save(CaptureClient(dialog), "new_game.png");
    ASSERT_TRUE(Dismiss(dialog, VK_RETURN));  // Start, the default button: one player, Kvoro
    ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(item(IDC_ROLL)); }, kGuardMs));

    ASSERT_TRUE(Roll(main, VK_SPACE));
    // The sum of the dice always scores in "Chance", so its preview must show.
    EXPECT_TRUE(PumpUntil([&] { return AnyPixel(CaptureClient(grid), Cell(grid, Chance), kPreviewRed); }, kGuardMs));
    // Holds by key, by a click on a die and on a Hold button; a held die shows its red marks.
    PressKey('1');
    ASSERT_TRUE(ClickCentre(item(IDC_DIE3)));
    ASSERT_TRUE(ClickCentre(item(IDC_HOLD4)));
    ASSERT_TRUE(PumpUntil([&] { return IsChecked(item(IDC_HOLD1)) && IsChecked(item(IDC_HOLD3)) && IsChecked(item(IDC_HOLD4)); },
                          kGuardMs));
    const auto held = [&](int id) { return AnyPixel(CaptureClient(item(id)), kWhole, kHeldMark); };
    EXPECT_TRUE(PumpUntil([&] { return held(IDC_DIE1) && held(IDC_DIE3) && held(IDC_DIE4) && !held(IDC_DIE2); },
                          kGuardMs));
    const test::Snapshot heldDie = CaptureClient(item(IDC_DIE1));
    // With a Hold button focused, Enter is the dialog's OK, which rolls.
    ASSERT_TRUE(Roll(main, VK_RETURN));
    EXPECT_TRUE(SamePicture(CaptureClient(item(IDC_DIE1)), heldDie)) << "a held die changed";
    Save(CaptureClient(main), "board.png");

    // A click on the cell enters the roll and the next turn begins.
    ASSERT_TRUE(ClickCell(grid, Chance));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowEnabled(item(IDC_HOLD1)) && !IsChecked(item(IDC_HOLD1)); }, kGuardMs));
    EXPECT_TRUE(PumpUntil([&] { return !AnyPixel(CaptureClient(grid), Cell(grid, Chance), kPreviewRed); }, kGuardMs));

    Settle(main);  // the entry's repainting done, so that the keys meet a waiting window
    ASSERT_TRUE(MakeForeground(main));
    PressChord(VK_MENU, VK_F4);
    EXPECT_EQ(process.WaitForExit(kGuardMs), 2u) << "Alt+F4 ends the program with IDCANCEL";
}

}  // namespace
}  // namespace kvoro::e2e
