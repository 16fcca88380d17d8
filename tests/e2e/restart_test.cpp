// Kvoro started three times on one Wine prefix: what a player leaves comes
// back. The first run plays a one-player game to its end; the second finds the
// result, switches the sound off, is moved, resized and maximised, and closes;
// the third finds all of it, declines Clear Highscore twice, confirms it, and
// closes. Between runs the settings key is read with the registry's own calls.
#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "desktop.h"
#include "game/rules.h"
#include "res/resource.h"
#include "store/settings_store.h"
#include "tests/win/test_support.h"

namespace kvoro::e2e {
namespace {

using test::PumpUntil;
constexpr DWORD kGuardMs = 60000;  // a hang guard only

std::vector<BYTE> Query(const char* name) { return test::RegistryValue(kSettingsKeyPath, name); }

class Restart : public testing::Test {
protected:
    // Starts the program and starts one player's standard game from its first
    // New Game dialog, so that the keyboard focus rests on Roll.
    void Start() {
        ASSERT_TRUE(process_.Start(KVORO_EXE)) << process_.error();
        const HWND dialog = WaitForWindow(process_.id(), "New Game");
        main_ = FindTopLevel(process_.id(), "Kvoro");
        ASSERT_TRUE(dialog && main_);
        ASSERT_TRUE(Dismiss(dialog, VK_RETURN));
    }
    // Fills every row of the card with one roll each, by Space and a click,
    // then leaves the highscores and the next New Game dialog with Escape.
    void PlayToTheEnd() {
        const HWND grid = FindWindowExA(main_, nullptr, nullptr, "VIZIVA"), hold = GetDlgItem(main_, IDC_HOLD1);
        for (int row = 0; row < kRowCount; ++row) {
            if (isComputedRow(row) || !GameState::isRowShown(GameType::Standard, row)) continue;
            ASSERT_TRUE(Roll(main_, VK_SPACE)) << "row " << row;
            ASSERT_TRUE(ClickCell(grid, row));
            ASSERT_TRUE(PumpUntil([&] { return !IsWindowEnabled(hold); }, kGuardMs)) << "row " << row << " not entered";
        }
        for (const char* caption : {"Highscore", "New Game"}) {
            const HWND dialog = WaitForWindow(process_.id(), caption);
            ASSERT_TRUE(dialog && Dismiss(dialog, VK_ESCAPE)) << caption;
        }
    }
    // A Game menu item, chosen from the keyboard: Alt+G opens the menu on its first item.
    void ChooseGameItem(int downs) {
        ASSERT_TRUE(MakeForeground(main_) && Settle(main_));
        PressChord(VK_MENU, 'G');
        for (int i = 0; i <= downs; ++i) {
            Settle(main_);  // the menu has taken the keys before
            PressKey(i < downs ? VK_DOWN : VK_RETURN);
        }
    }
    // Clear Highscore, each of its boxes answered with a key.
    void ClearHighscore(std::deque<WORD> keys) {
        ChooseGameItem(4);
        while (!keys.empty()) {
            HWND box = nullptr;
            ASSERT_TRUE(PumpUntil([&] { return (box = FindTopLevel(process_.id(), "Warning")) != nullptr; }, kGuardMs));
            ASSERT_TRUE(MakeForeground(box));
            PressKey(keys.front());
            keys.pop_front();
            ASSERT_TRUE(PumpUntil([&] { return !IsWindow(box); }, kGuardMs));
        }
        Settle(main_);
        EXPECT_FALSE(FindTopLevel(process_.id(), "Warning"));
    }
    void Close() {
        ASSERT_TRUE(MakeForeground(main_));
        PressChord(VK_MENU, VK_F4);
        EXPECT_EQ(process_.WaitForExit(kGuardMs), 2u);
    }

    ChildProcess process_;
    HWND main_ = nullptr;
};

TEST_F(Restart, ResultsSoundAndWindowComeBackAndClearHighscoreEmptiesTheListsAtTheClose) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath);
    // First run.
    Start();
    ASSERT_NO_FATAL_FAILURE(PlayToTheEnd());
    Close();
    const char* tables[] = {"hs1", "hs2", "hs3", "hs4"};
    std::vector<BYTE> played[4];
    for (int t = 0; t < 4; ++t) played[t] = Query(tables[t]);
    ASSERT_EQ(played[0].size(), 640u) << "the game left no result";
    ASSERT_NE(played[0], std::vector<BYTE>(640, 0));

    // Second run.
    Start();
    ChooseGameItem(3);  // Sound: off
    const RECT moved{60, 50, 60 + 820, 50 + 640};
    SetWindowPos(main_, nullptr, moved.left, moved.top, moved.right - moved.left, moved.bottom - moved.top, SWP_NOZORDER);
    ShowWindow(main_, SW_MAXIMIZE);
    Settle(main_);
    Close();
    EXPECT_EQ(Query("Sound"), std::vector<BYTE>(4, 0));
    for (int t = 0; t < 4; ++t) EXPECT_EQ(Query(tables[t]), played[t]) << tables[t];

    // Third run.
    Start();
    EXPECT_TRUE(IsZoomed(main_));
    // Wine answers GetWindowPlacement for another process's window with its
    // current rectangle; restored, the window shows its normal one.
    ShowWindow(main_, SW_RESTORE);
    Settle(main_);
    RECT placed{};
    GetWindowRect(main_, &placed);
    EXPECT_TRUE(EqualRect(&placed, &moved));
    ClearHighscore({'N'});
    ClearHighscore({'Y', VK_ESCAPE});
    ClearHighscore({'Y', 'Y'});
    for (int t = 0; t < 4; ++t) EXPECT_EQ(Query(tables[t]), played[t]) << tables[t] << " before the close";
    Close();
    EXPECT_EQ(Query("Sound"), std::vector<BYTE>(4, 0)) << "the third run started silent";
    for (const char* table : tables) EXPECT_EQ(Query(table), std::vector<BYTE>(640, 0)) << table;
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath);
}

}  // namespace
}  // namespace kvoro::e2e
