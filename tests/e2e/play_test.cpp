// Kvoro played from outside twice on one Wine prefix, with nothing but real keys and clicks, read only from what the
// platform reports (window states, rectangles) and from the screen. The window tests prove every step in-process;
// this proves that real input reaches them through the program's own message loop, that Alt+F4 ends it, and that
// the window's placement comes back.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "desktop.h"
#include "game/rules.h"
#include "res/resource.h"
#include "store/settings_store.h"
#include "tests/win/test_support.h"
#include "ui/score_grid_model.h"
#include "ui/win_rect.h"

namespace kvoro::e2e {
namespace {

using test::PumpUntil;
using test::Snapshot;
constexpr DWORD kGuardMs = 60000;  // a hang guard only
constexpr COLORREF kPreviewRed = RGB(200, 0, 0);

class EndToEnd : public testing::Test {
protected:
    // Starts the program and one player's standard game from its first New Game dialog with Enter (Start, the
    // default button), so that the keyboard focus rests on Roll; saves the dialog's picture when given a file.
    void Start(const char* picture = nullptr) {
        ASSERT_TRUE(process_.Start(KVORO_EXE)) << process_.error();
        HWND dialog = nullptr;
        PumpUntil([&] { return (dialog = FindTopLevel(process_.id(), "New Game")) != nullptr; }, kGuardMs);
        ASSERT_NE(dialog, nullptr) << "no New Game dialog";
        main_ = FindTopLevel(process_.id(), "Kvoro");
        ASSERT_NE(main_, nullptr) << "the main window is not shown behind the New Game dialog";
        grid_ = FindWindowExA(main_, nullptr, nullptr, "VIZIVA");
        if (picture && Settle(dialog)) EXPECT_TRUE(Snapshot::OfClient(dialog, true).SavePng(picture));
        ASSERT_TRUE(MakeForeground(dialog));
        PressKey(VK_RETURN);
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(dialog) && Enabled(IDC_ROLL); }, kGuardMs));
    }
    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(main_, id)) != FALSE; }
    // Alt+F4, and the exit code (IDCANCEL), or STILL_ACTIVE when the program does not end.
    DWORD Close() const {
        Settle(main_);  // the last input handled, so that the keys meet a waiting window
        if (!MakeForeground(main_)) return STILL_ACTIVE;
        PressChord(VK_MENU, VK_F4);
        return process_.WaitForExit(kGuardMs);
    }
    ChildProcess process_;
    HWND main_ = nullptr, grid_ = nullptr;
};

// The turn's details, the menu's commands and what the settings key keeps in-process: main_dialog_test and
// settings_shell_test.
TEST_F(EndToEnd, ARollByKeyEnteredByAClickAndAWindowPlacementThatTheNextRunRestores) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath);
    // First run: a roll by Space entered by a click on its cell; the window moved, resized and maximised.
    ASSERT_NO_FATAL_FAILURE(Start("new_game.png"));
    ASSERT_TRUE(MoveTo({0, 0}));  // off the windows, so that no button is under the pointer
    RECT client{};
    GetClientRect(grid_, &client);
    const RECT chance = ToRECT(CellRect(1, *RowRect(GameType::Standard, Chance, client.right)));  // the first player's
    ASSERT_TRUE(MakeForeground(main_));
    PressKey(VK_SPACE);
    ASSERT_TRUE(PumpUntil([&] { return !Enabled(IDC_ROLL); }, kGuardMs));
    ASSERT_TRUE(PumpUntil([&] { return Enabled(IDC_ROLL) && Enabled(IDC_HOLD1); }, kGuardMs));
    // The sum of the dice always scores in "Chance", so its preview must show.
    const auto previewShown = [&] { return Snapshot::OfClient(grid_, true).Count(kPreviewRed, chance) > 0; };
    EXPECT_TRUE(PumpUntil(previewShown, kGuardMs));
    EXPECT_TRUE(Snapshot::OfClient(main_, true).SavePng("board.png"));
    POINT centre{(chance.left + chance.right) / 2, (chance.top + chance.bottom) / 2};
    ClientToScreen(grid_, &centre);
    ASSERT_TRUE(Settle(main_) && ClickAt(centre));
    EXPECT_TRUE(PumpUntil([&] { return !Enabled(IDC_HOLD1) && !previewShown(); }, kGuardMs)) << "the next turn begins";
    // Exactly the clicked row was entered: of the rows a player fills, only its cell shows anything.
    const Snapshot card = Snapshot::OfClient(grid_, true);
    for (int row = 0; row < kRowCount; ++row) {
        const std::optional<Rect> band = RowRect(GameType::Standard, row, client.right);
        if (!band || isComputedRow(row)) continue;
        const RECT cell = ToRECT(CellRect(1, *band));
        const int pixels = (cell.right - cell.left) * (cell.bottom - cell.top);
        EXPECT_EQ(card.Count(RGB(255, 255, 255), cell) < pixels, row == Chance) << "row " << row;
    }
    const RECT moved{60, 50, 60 + 820, 50 + 640};
    SetWindowPos(main_, nullptr, moved.left, moved.top, moved.right - moved.left, moved.bottom - moved.top, SWP_NOZORDER);
    ShowWindow(main_, SW_MAXIMIZE);
    EXPECT_EQ(Close(), 2u) << "Alt+F4 ends the program with IDCANCEL";

    // Second run: finds the window maximised over its moved rectangle.
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_TRUE(IsZoomed(main_));
    // Wine answers GetWindowPlacement for another process's window with its current rectangle; restored, the window
    // shows its normal one.
    ShowWindow(main_, SW_RESTORE);
    Settle(main_);
    RECT placed{};
    GetWindowRect(main_, &placed);
    EXPECT_TRUE(EqualRect(&placed, &moved));
    EXPECT_EQ(Close(), 2u);
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath);
}

}  // namespace
}  // namespace kvoro::e2e
