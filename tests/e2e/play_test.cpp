// Kvoro played from outside twice on one Wine prefix, with nothing but real keys and clicks, read only from what the
// platform reports (window states, rectangles, the settings key) and from the screen. The window tests prove every
// step in-process; this proves that real input reaches them through the program's own message loop, menu and
// accelerators, and that what a player leaves comes back. The shell recorder is the help viewer and the browser.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "desktop.h"
#include "game/rules.h"
#include "res/resource.h"
#include "store/settings_store.h"
#include "tests/win/shell_recorder.h"
#include "tests/win/test_support.h"
#include "ui/help_file.h"
#include "ui/score_grid_model.h"
#include "ui/win_rect.h"

namespace kvoro::e2e {
namespace {

using test::PumpUntil;
using test::Snapshot;
constexpr DWORD kGuardMs = 60000;  // a hang guard only
constexpr COLORREF kPreviewRed = RGB(200, 0, 0);
constexpr COLORREF kHeldMark = RGB(204, 16, 16);

std::vector<BYTE> Query(const char* name) { return test::RegistryValue(kSettingsKeyPath, name); }

bool AnyPixel(const Snapshot& picture, const RECT& area, COLORREF colour) {
    for (int y = std::max(0L, area.top); y < std::min<LONG>(picture.height(), area.bottom); ++y)
        for (int x = std::max(0L, area.left); x < std::min<LONG>(picture.width(), area.right); ++x)
            if (picture.Pixel(x, y) == colour) return true;
    return false;
}

bool SamePicture(const Snapshot& a, const Snapshot& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    return true;
}

class EndToEnd : public testing::Test {
protected:
    // Starts the program and one player's standard game from its first New Game dialog with Enter (Start, the
    // default button), so that the keyboard focus rests on Roll; saves the dialog's picture when given a file.
    void Start(const char* picture = nullptr) {
        ASSERT_TRUE(process_.Start(KVORO_EXE)) << process_.error();
        const HWND dialog = WaitFor("New Game");
        ASSERT_NE(dialog, nullptr) << "no New Game dialog";
        main_ = FindTopLevel(process_.id(), "Kvoro");
        ASSERT_NE(main_, nullptr) << "the main window is not shown behind the New Game dialog";
        grid_ = FindWindowExA(main_, nullptr, nullptr, "VIZIVA");
        if (picture && Settle(dialog)) EXPECT_TRUE(CaptureClient(dialog).SavePng(picture));
        ASSERT_TRUE(Dismiss(dialog, VK_RETURN));
        ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(Item(IDC_ROLL)); }, kGuardMs));
    }
    HWND Item(int id) const { return GetDlgItem(main_, id); }
    bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool ClickCentre(int id) const {
        RECT rect{};
        GetWindowRect(Item(id), &rect);
        return ClickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    }
    HWND WaitFor(const char* caption) const {
        HWND found = nullptr;
        PumpUntil([&] { return (found = FindTopLevel(process_.id(), caption)) != nullptr; }, kGuardMs);
        return found;
    }
    static bool Dismiss(HWND window, WORD key) {
        if (!MakeForeground(window)) return false;
        PressKey(key);
        return PumpUntil([&] { return !IsWindow(window); }, kGuardMs);
    }
    // A key that rolls, and the end of the roll as a player sees it: Roll and Hold enabled again and the focus back
    // on Roll or a Hold button, where keys reach the program's filter.
    bool Roll(WORD key) const {
        const auto focusRests = [&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            if (!GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &info)) return false;
            const int id = GetDlgCtrlID(info.hwndFocus);
            return id == IDC_ROLL || (id >= IDC_HOLD1 && id <= IDC_HOLD6);
        };
        if (!MakeForeground(main_)) return false;
        PressKey(key);
        return PumpUntil([&] { return !IsWindowEnabled(Item(IDC_ROLL)); }, kGuardMs) &&
               PumpUntil([&] { return IsWindowEnabled(Item(IDC_ROLL)) && IsWindowEnabled(Item(IDC_HOLD1)) && focusRests(); },
                         kGuardMs) &&
               Settle(main_);
    }
    // The item downs rows below the first of the menu that Alt and its mnemonic open, chosen by keys.
    bool Choose(WORD mnemonic, int downs) const {
        if (!MakeForeground(main_) || !Settle(main_)) return false;
        PressChord(VK_MENU, mnemonic);
        for (int i = 0; i <= downs; ++i) {
            Settle(main_);  // the menu has taken the keys before
            PressKey(i < downs ? VK_DOWN : VK_RETURN);
        }
        return true;
    }
    // Alt+F4, and the exit code (IDCANCEL), or STILL_ACTIVE when the program does not end.
    DWORD Close() const {
        Settle(main_);  // the last input handled, so that the keys meet a waiting window
        if (!MakeForeground(main_)) return STILL_ACTIVE;
        PressChord(VK_MENU, VK_F4);
        return process_.WaitForExit(kGuardMs);
    }
    test::ShellRecorder recorder_{KVORO_SHELL_RECORDER};
    ChildProcess process_;
    HWND main_ = nullptr, grid_ = nullptr;
};

TEST_F(EndToEnd, AGameByKeysAndClicksTheHelpMenuAndWhatTwoRunsLeaveInTheSettingsKey) {
    // Highscore tables of untrusted bytes, which each run must leave as they are until a confirmed Clear Highscore.
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath);
    const char* tables[] = {"hs1", "hs2", "hs3", "hs4"};
    std::vector<BYTE> stored[4];
    for (int t = 0; t < 4; ++t) {
        stored[t].assign(640, static_cast<BYTE>(0x31 + t));
        RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKeyPath, tables[t], REG_BINARY, stored[t].data(), 640);
    }
    // First run: the sound switched off, one turn in detail with the Help menu after its first roll; the window
    // moved, resized and maximised.
    ASSERT_NO_FATAL_FAILURE(Start("new_game.png"));
    ASSERT_TRUE(MoveTo({0, 0}));  // off the windows, so that no menu item or button is under the pointer
    ASSERT_TRUE(Choose('G', 3));  // Sound: off
    RECT client{};
    GetClientRect(grid_, &client);
    const RECT chance = ToRECT(CellRect(1, *RowRect(GameType::Standard, Chance, client.right)));  // the first player's
    ASSERT_TRUE(Roll(VK_SPACE));
    // The sum of the dice always scores in "Chance", so its preview must show.
    EXPECT_TRUE(PumpUntil([&] { return AnyPixel(CaptureClient(grid_), chance, kPreviewRed); }, kGuardMs));
    // About, owned by the main window; Help from the menu and with F1; Homepage, the item below Help.
    const Snapshot card = CaptureClient(grid_), panel = CaptureClient(Item(IDC_STATUS));
    ASSERT_TRUE(Choose('H', 2));
    const HWND about = WaitFor("About");
    ASSERT_TRUE(about);
    EXPECT_EQ(GetWindow(about, GW_OWNER), main_);
    ASSERT_TRUE(Dismiss(about, VK_ESCAPE));
    for (int downs : {0, -1, 1}) {
        const std::size_t before = recorder_.Opened().size();
        if (downs < 0) {
            ASSERT_TRUE(MakeForeground(main_));
            PressKey(VK_F1);
        } else {
            ASSERT_TRUE(Choose('H', downs));
        }
        ASSERT_TRUE(recorder_.WaitFor(before + 1, kGuardMs));
    }
    const std::vector<std::string> opened = recorder_.Opened();
    EXPECT_EQ(opened[0].substr(opened[0].size() - 10), "\\kvoro.chm");
    EXPECT_EQ(opened, (std::vector<std::string>{opened[0], opened[0], kUpdateAddress}));
    ASSERT_TRUE(Settle(main_));
    EXPECT_TRUE(SamePicture(CaptureClient(grid_), card) && SamePicture(CaptureClient(Item(IDC_STATUS)), panel))
        << "the Help menu changed the game";

    // Holds by key, by a click on a die and on a Hold button; a held die shows its red marks.
    ASSERT_TRUE(MakeForeground(main_) && Settle(main_));
    PressKey('1');
    ASSERT_TRUE(ClickCentre(IDC_DIE3));
    ASSERT_TRUE(ClickCentre(IDC_HOLD4));
    ASSERT_TRUE(PumpUntil([&] { return Checked(IDC_HOLD1) && Checked(IDC_HOLD3) && Checked(IDC_HOLD4); }, kGuardMs));
    const auto held = [&](int id) { return AnyPixel(CaptureClient(Item(id)), {0, 0, 1000, 1000}, kHeldMark); };
    EXPECT_TRUE(PumpUntil([&] { return held(IDC_DIE1) && held(IDC_DIE3) && held(IDC_DIE4) && !held(IDC_DIE2); },
                          kGuardMs));
    const Snapshot heldDie = CaptureClient(Item(IDC_DIE1));
    // With a Hold button focused, Enter is the dialog's OK, which rolls.
    ASSERT_TRUE(Roll(VK_RETURN));
    EXPECT_TRUE(SamePicture(CaptureClient(Item(IDC_DIE1)), heldDie)) << "a held die changed";
    EXPECT_TRUE(CaptureClient(main_).SavePng("board.png"));

    // A click on the cell enters the roll and the next turn begins.
    POINT centre{(chance.left + chance.right) / 2, (chance.top + chance.bottom) / 2};
    ClientToScreen(grid_, &centre);
    ASSERT_TRUE(MakeForeground(main_) && ClickAt(centre));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowEnabled(Item(IDC_HOLD1)) && !Checked(IDC_HOLD1); }, kGuardMs));
    EXPECT_TRUE(PumpUntil([&] { return !AnyPixel(CaptureClient(grid_), chance, kPreviewRed); }, kGuardMs));
    const RECT moved{60, 50, 60 + 820, 50 + 640};
    SetWindowPos(main_, nullptr, moved.left, moved.top, moved.right - moved.left, moved.bottom - moved.top, SWP_NOZORDER);
    ShowWindow(main_, SW_MAXIMIZE);
    EXPECT_EQ(Close(), 2u) << "Alt+F4 ends the program with IDCANCEL";
    EXPECT_EQ(Query("Sound"), std::vector<BYTE>(4, 0));
    for (int t = 0; t < 4; ++t) EXPECT_EQ(Query(tables[t]), stored[t]) << tables[t];

    // Second run: finds the sound off and the window maximised over its moved rectangle; confirms Clear
    // Highscore (the window tests answer No and Cancel), and closes.
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_TRUE(IsZoomed(main_));
    // Wine answers GetWindowPlacement for another process's window with its current rectangle; restored, the window
    // shows its normal one.
    ShowWindow(main_, SW_RESTORE);
    Settle(main_);
    RECT placed{};
    GetWindowRect(main_, &placed);
    EXPECT_TRUE(EqualRect(&placed, &moved));
    ASSERT_TRUE(Choose('G', 4));
    for (int box = 0; box < 2; ++box) {
        const HWND warning = WaitFor("Warning");
        ASSERT_TRUE(warning && Dismiss(warning, 'Y'));
    }
    for (int t = 0; t < 4; ++t) EXPECT_EQ(Query(tables[t]), stored[t]) << tables[t] << " before the close";
    EXPECT_EQ(Close(), 2u);
    EXPECT_EQ(Query("Sound"), std::vector<BYTE>(4, 0)) << "the second run started silent";
    for (const char* table : tables) EXPECT_EQ(Query(table), std::vector<BYTE>(640, 0)) << table;
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath);
}

}  // namespace
}  // namespace kvoro::e2e
