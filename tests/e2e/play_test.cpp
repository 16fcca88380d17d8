// Kvoro played from outside, as a person plays it: the program runs as its own
// process and gets nothing but real keys and mouse clicks. What the driver
// knows of the game it learns from the platform (window texts, enabled and
// checked states, window rectangles) and from the pixels on the screen. The
// window tests prove the rules of every step in-process; this one proves that
// real input reaches them through the program's own message loop.
//
// One test plays one run of the program from its start to Alt+F4, so that
// nothing depends on the order in which tests run.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "desktop.h"
#include "game/rules.h"
#include "res/resource.h"
#include "tests/win/test_support.h"
#include "ui/score_grid_model.h"
#include "ui/win_rect.h"

namespace kvoro::e2e {
namespace {

using test::PumpUntil;

// Hang guards only; every wait ends as soon as its condition holds.
constexpr DWORD kStartGuardMs = 60000;
constexpr DWORD kGuardMs = 20000;

constexpr COLORREF kPreviewRed = RGB(200, 0, 0);
constexpr COLORREF kHeldMark = RGB(204, 16, 16);
constexpr RECT kWhole{0, 0, 1000, 1000};

// Saves a picture for people to look at.
void Save(const test::Snapshot& picture, const char* file) {
    EXPECT_TRUE(picture.SavePng(file)) << "could not write " << file;
    std::printf("screenshot: %s (%d x %d)\n", file, picture.width(), picture.height());
}

class EndToEnd : public testing::Test {
protected:
    HWND WaitForDialog(const char* caption, DWORD timeoutMs = kGuardMs) {
        HWND found = nullptr;
        PumpUntil([&] { return (found = FindTopLevel(process_.id(), caption)) != nullptr; }, timeoutMs);
        return found;
    }
    HWND Item(int id) const { return GetDlgItem(main_, id); }
    // Between inputs the program keeps the keyboard focus on Roll or a Hold
    // button; keys typed while it is nowhere do not reach the program's filter.
    bool FocusRests() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &info)) return false;
        const int id = GetDlgCtrlID(info.hwndFocus);
        return id == IDC_ROLL || (id >= IDC_HOLD1 && id <= IDC_HOLD6);
    }
    // A key that rolls, and the end of the roll as a player sees it: Roll and
    // Hold enabled again and the focus back where keys reach the program.
    void Roll(WORD key) {
        ASSERT_TRUE(MakeForeground(main_));
        PressKey(key);
        ASSERT_TRUE(PumpUntil([&] { return !IsWindowEnabled(Item(IDC_ROLL)); }, kGuardMs)) << "no roll began";
        ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(Item(IDC_ROLL)) && IsWindowEnabled(Item(IDC_HOLD1)); },
                              kGuardMs)) << "the roll did not end";
        ASSERT_TRUE(PumpUntil([&] { return FocusRests(); }, kGuardMs)) << "the focus did not come back";
        Settle(main_);
    }
    RECT Cell(int row) const {
        RECT client{};
        GetClientRect(grid_, &client);
        const Rect cell = CellRect(1, *RowRect(GameType::Standard, row, client.right));
        return {cell.left, cell.top, cell.right, cell.bottom};
    }

    ChildProcess process_;
    HWND main_ = nullptr;
    HWND grid_ = nullptr;
};

TEST_F(EndToEnd, RollsHoldsAndEntersByKeyboardAndMouseThenClosesWithAltF4) {
    ASSERT_TRUE(process_.Start(KVORO_EXE)) << process_.error();
    HWND dialog = WaitForDialog("New Game", kStartGuardMs);
    ASSERT_NE(dialog, nullptr) << "no New Game dialog within " << kStartGuardMs << " ms";
    main_ = FindTopLevel(process_.id(), "Kvoro");
    ASSERT_NE(main_, nullptr) << "the main window is not shown behind the New Game dialog";
    grid_ = FindWindowExA(main_, nullptr, nullptr, "VIZIVA");
    Settle(dialog);
    Save(CaptureClient(dialog), "new_game.png");
    ASSERT_TRUE(MakeForeground(dialog));
    PressKey(VK_RETURN);  // Start, the default button: one player, Kvoro
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(dialog) && IsWindowEnabled(Item(IDC_ROLL)); }, kGuardMs));

    ASSERT_NO_FATAL_FAILURE(Roll(VK_SPACE));
    // The sum of the dice always scores in "Chance", so its preview must show.
    EXPECT_TRUE(PumpUntil([&] { return AnyPixel(CaptureClient(grid_), Cell(Chance), kPreviewRed); }, kGuardMs));
    // Holds by key, by a click on a die and on a Hold button; a held die shows its red marks.
    PressKey('1');
    ASSERT_TRUE(ClickCentre(Item(IDC_DIE3)));
    ASSERT_TRUE(ClickCentre(Item(IDC_HOLD4)));
    ASSERT_TRUE(PumpUntil([&] { return IsChecked(Item(IDC_HOLD1)) && IsChecked(Item(IDC_HOLD3)) && IsChecked(Item(IDC_HOLD4)); },
                          kGuardMs));
    const auto held = [&](int id) { return AnyPixel(CaptureClient(Item(id)), kWhole, kHeldMark); };
    EXPECT_TRUE(PumpUntil([&] { return held(IDC_DIE1) && held(IDC_DIE3) && held(IDC_DIE4) && !held(IDC_DIE2); },
                          kGuardMs));
    const test::Snapshot heldDie = CaptureClient(Item(IDC_DIE1));
    // With a Hold button focused, Enter is the dialog's OK, which rolls.
    ASSERT_NO_FATAL_FAILURE(Roll(VK_RETURN));
    EXPECT_TRUE(SamePicture(CaptureClient(Item(IDC_DIE1)), heldDie)) << "a held die changed";
    Save(CaptureClient(main_), "board.png");

    // A click on the cell enters the roll and the next turn begins.
    const RECT cell = Cell(Chance);
    POINT target{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    ClientToScreen(grid_, &target);
    ASSERT_TRUE(MakeForeground(main_));
    ASSERT_TRUE(ClickAt(target));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowEnabled(Item(IDC_HOLD1)) && !IsChecked(Item(IDC_HOLD1)); }, kGuardMs));
    EXPECT_TRUE(PumpUntil([&] { return !AnyPixel(CaptureClient(grid_), Cell(Chance), kPreviewRed); }, kGuardMs));

    Settle(main_);  // the entry's repainting done, so that the keys meet a waiting window
    ASSERT_TRUE(MakeForeground(main_));
    PressChord(VK_MENU, VK_F4);
    EXPECT_EQ(process_.WaitForExit(kGuardMs), 2u) << "Alt+F4 ends the program with IDCANCEL";
}

}  // namespace
}  // namespace kvoro::e2e
