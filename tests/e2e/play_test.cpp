// Kvoro played from outside twice on one Wine prefix, with nothing but real keys and clicks, read only from what the
// platform reports (window states, rectangles) and from the screen. The window tests prove every step in-process;
// this proves that real input reaches them through the program's own message loop, that Alt+F4 ends it, and that
// the window's placement comes back. Then copies played by their controls' messages: copies saving at once keep every
// result, and one killed after a game keeps that game's.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "builders.h"
#include "driver/desktop.h"
#include "game/rules.h"
#include "res/resource.h"
#include "store/settings_store.h"
#include "test_support.h"
#include "ui/score_grid.h"
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

// A copy of the program playing one player's five-dice games through the messages its controls send: every Hold
// checked, so that a roll keeps the dice and ends at once, and the rows in card order. Sound off, for speed.
class Copy {
public:
    // Starts the program and, from its first New Game dialog, a game of a player with this name.
    void Start(const std::string& name) {
        ASSERT_TRUE(process_.Start(KVORO_EXE)) << process_.error();
        ASSERT_NE(Wait("New Game"), nullptr);
        main_ = FindTopLevel(process_.id(), "Kvoro");
        grid_ = FindWindowExA(main_, nullptr, nullptr, "VIZIVA");
        ASSERT_NO_FATAL_FAILURE(StartGame(name));
    }
    // From the New Game dialog that is open.
    void StartGame(const std::string& name) const {
        const HWND dialog = Wait("New Game");
        ASSERT_NE(dialog, nullptr);
        SendMessageA(GetDlgItem(dialog, IDC_NAME1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, kGuardMs));
    }
    // Every row; the last is posted, so that its game end (which opens the modal highscore window once the result
    // is recorded) runs while the driver waits for that window.
    void PlayGame(bool closeHighscores = true) const {
        const std::vector<int> rows = test::OpenRows(test::Started(1, GameType::Standard));
        for (std::size_t k = 0; k < rows.size(); ++k) Enter(rows[k], k + 1 == rows.size());
        const HWND highscores = Wait("Highscore");
        ASSERT_NE(highscores, nullptr);
        if (!closeHighscores) return;
        PostMessageA(highscores, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(highscores); }, kGuardMs));
    }
    HWND Wait(const char* caption) const {
        HWND window = nullptr;
        PumpUntil([&] { return (window = FindTopLevel(process_.id(), caption)) != nullptr; }, kGuardMs);
        return window;
    }
    // The window's close (command 2), the New Game dialog of the last game's end still open.
    void PostClose() const { PostMessageA(main_, WM_COMMAND, IDCANCEL, 0); }
    HWND main() const { return main_; }
    ChildProcess& process() { return process_; }

private:
    void Enter(int row, bool post) const {
        for (int hold = IDC_HOLD1; hold < IDC_HOLD1 + kMaxDice; ++hold) {
            SendMessageA(GetDlgItem(main_, hold), BM_SETCHECK, BST_CHECKED, 0);
        }
        SendMessageA(main_, WM_COMMAND, IDC_ROLL, 0);
        const LPARAM grid = reinterpret_cast<LPARAM>(grid_);
        if (post) {
            PostMessageA(main_, WM_ROW_CHOSEN, static_cast<WPARAM>(row), grid);
        } else {
            SendMessageA(main_, WM_ROW_CHOSEN, static_cast<WPARAM>(row), grid);
        }
    }

    ChildProcess process_;
    HWND main_ = nullptr, grid_ = nullptr;
};

// Saves of a copy over and over, as Windows asks at a session's end (the close's read, merge and write), on a
// thread of its own.
class Saver {
public:
    explicit Saver(HWND window) : window_(window), thread_(CreateThread(nullptr, 0, Run, this, 0, nullptr)) {}
    ~Saver() {
        stop_ = true;
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
    }
    // Waits until the copy has saved twice more: whatever it overwrote by then stays overwritten.
    bool SavedAgain() const {
        const long after = saves_ + 2;
        return PumpUntil([&] { return saves_ >= after; }, kGuardMs);
    }

private:
    static DWORD WINAPI Run(void* self) {
        auto& saver = *static_cast<Saver*>(self);
        DWORD_PTR ended = 0;
        while (!saver.stop_) {
            if (SendMessageTimeoutA(saver.window_, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK, kGuardMs,
                                    &ended)) {
                ++saver.saves_;
            }
        }
        return 0;
    }
    HWND window_;
    std::atomic<bool> stop_{false};
    std::atomic<long> saves_{0};
    HANDLE thread_;
};

std::set<std::string> StoredNames() {
    HighscoreTable table{};
    DWORD size = sizeof table;
    RegGetValueA(HKEY_CURRENT_USER, kSettingsKeyPath, "hs1", RRF_RT_REG_BINARY, nullptr, &table, &size);
    std::set<std::string> names;
    for (const HighscoreEntry& entry : table.entries) {
        if (entry.name[0]) names.insert(std::string(entryName(entry)));
    }
    return names;
}

void SilentKey() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath);
    const DWORD off = 0;
    RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKeyPath, "Sound", REG_DWORD, &off, sizeof off);
}

// Two copies save over and over while a third finishes game after game, each game's table written at its end:
// every result is in the key once the others have saved again, and after all close at once.
TEST(CopiesSavingAtOnce, KeepEveryResult) {
    constexpr int kGames = 12;  // past a full table
    SilentKey();
    Copy idle[2], player;
    for (Copy& copy : idle) ASSERT_NO_FATAL_FAILURE(copy.Start("Sam"));
    ASSERT_NO_FATAL_FAILURE(player.Start("B1"));
    std::set<std::string> latest;  // the table keeps the ten latest of equal scores
    {
        const Saver savers[] = {Saver(idle[0].main()), Saver(idle[1].main())};
        for (int game = 1; game <= kGames; ++game) {
            const std::string name = "B" + std::to_string(game);
            if (game > 1) ASSERT_NO_FATAL_FAILURE(player.StartGame(name));
            ASSERT_NO_FATAL_FAILURE(player.PlayGame());
            for (const Saver& saver : savers) ASSERT_TRUE(saver.SavedAgain());
            EXPECT_EQ(StoredNames().count(name), 1u) << "game " << game;
            latest.insert(name);
            if (game > kHighscoreEntries) latest.erase("B" + std::to_string(game - kHighscoreEntries));
        }
    }
    for (const Copy* copy : {&idle[0], &idle[1], &player}) copy->PostClose();
    for (Copy* copy : {&idle[0], &idle[1], &player}) EXPECT_EQ(copy->process().WaitForExit(kGuardMs), 2u);
    EXPECT_EQ(StoredNames(), latest);
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath);
}

TEST(KilledCopy, KeepsTheResultOfItsFinishedGame) {
    SilentKey();
    Copy copy;
    ASSERT_NO_FATAL_FAILURE(copy.Start("Kim"));
    ASSERT_NO_FATAL_FAILURE(copy.PlayGame(false));  // the result is recorded before the highscore window opens
    copy.process().End();
    EXPECT_EQ(StoredNames(), std::set<std::string>{"Kim"});
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath);
}

}  // namespace
}  // namespace kvoro::e2e
