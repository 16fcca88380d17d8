// The Help menu driven from outside during a game: About from the menu, Help
// from the menu and with F1, Homepage from the menu, each by real keys. The
// recorder stands in for the help viewer and the browser; the game must go
// on as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "desktop.h"
#include "res/resource.h"
#include "tests/win/shell_recorder.h"
#include "tests/win/test_support.h"
#include "ui/help_file.h"

namespace kvoro::e2e {
namespace {

using test::PumpUntil;

constexpr DWORD kGuardMs = 30000;

TEST(HelpMenu, AboutHelpAndHomepageLeaveTheGameAsItWas) {
    test::ShellRecorder recorder(KVORO_SHELL_RECORDER);
    ChildProcess kvoro;
    ASSERT_TRUE(kvoro.Start(KVORO_EXE)) << kvoro.error();
    HWND newGame = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (newGame = FindTopLevel(kvoro.id(), "New Game")) != nullptr; }, 60000));
    ASSERT_TRUE(MakeForeground(newGame));
    PressKey(VK_RETURN);
    const HWND main = FindTopLevel(kvoro.id(), "Kvoro"), roll = GetDlgItem(main, IDC_ROLL);
    const HWND grid = FindWindowExA(main, nullptr, nullptr, "VIZIVA"), status = GetDlgItem(main, IDC_STATUS);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(newGame) && IsWindowEnabled(roll); }, kGuardMs));

    // One roll, so that the game is under way.
    ASSERT_TRUE(MakeForeground(main));
    PressKey(VK_SPACE);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(GetDlgItem(main, IDC_HOLD1)) && IsWindowEnabled(roll); },
                          kGuardMs));
    ASSERT_TRUE(Settle(main));
    const test::Snapshot card = CaptureClient(grid);
    const test::Snapshot panel = CaptureClient(status);

    PressChord(VK_MENU, 'H');
    PressKey('A');
    HWND about = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (about = FindTopLevel(kvoro.id(), "About")) != nullptr; }, kGuardMs));
    EXPECT_EQ(GetWindow(about, GW_OWNER), main);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(about); }, kGuardMs));

    // Help from the menu, with F1, and Homepage, the item below Help.
    for (const std::vector<WORD>& keys : {std::vector<WORD>{'H'}, {}, {VK_DOWN, VK_RETURN}}) {
        const std::size_t before = recorder.Opened().size();
        ASSERT_TRUE(MakeForeground(main));
        keys.empty() ? PressKey(VK_F1) : PressChord(VK_MENU, 'H');
        for (WORD key : keys) {
            Settle(main);  // the menu has taken the keys before
            PressKey(key);
        }
        ASSERT_TRUE(recorder.WaitFor(before + 1));
    }
    const std::vector<std::string> opened = recorder.Opened();
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0].substr(opened[0].size() - 10), "\\kvoro.chm");
    EXPECT_EQ(opened[1], opened[0]);
    EXPECT_EQ(opened[2], kUpdateAddress);

    // The game goes on from where it was: same card, same panel, and it rolls.
    ASSERT_TRUE(Settle(main));
    EXPECT_TRUE(SamePicture(CaptureClient(grid), card));
    EXPECT_TRUE(SamePicture(CaptureClient(status), panel));
    ASSERT_TRUE(MakeForeground(main));
    PressKey(VK_SPACE);
    EXPECT_TRUE(PumpUntil([&] { return !SamePicture(CaptureClient(status), panel); }, kGuardMs));
    PressChord(VK_MENU, VK_F4);
    EXPECT_EQ(kvoro.WaitForExit(kGuardMs), 2u);
}

}  // namespace
}  // namespace kvoro::e2e
