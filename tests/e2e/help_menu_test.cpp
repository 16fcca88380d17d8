// The Help menu during a game, by real keys: About, Help from the menu and
// with F1, Homepage. The recorder stands in for the viewer and the browser;
// the game must go on as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "desktop.h"
#include "res/resource.h"
#include "tests/win/shell_recorder.h"
#include "ui/help_file.h"

namespace kvoro::e2e {
namespace {

TEST(HelpMenu, AboutHelpAndHomepageLeaveTheGameAsItWas) {
    constexpr DWORD kGuardMs = 30000;
    test::ShellRecorder recorder(KVORO_SHELL_RECORDER);
    ChildProcess kvoro;
    ASSERT_TRUE(kvoro.Start(KVORO_EXE)) << kvoro.error();
    HWND newGame = nullptr, about = nullptr;
    ASSERT_TRUE(test::PumpUntil([&] { return (newGame = FindTopLevel(kvoro.id(), "New Game")); }, 60000));
    ASSERT_TRUE(MakeForeground(newGame));
    PressKey(VK_RETURN);
    const HWND main = FindTopLevel(kvoro.id(), "Kvoro"), hold = GetDlgItem(main, IDC_HOLD1);
    const HWND grid = FindWindowExA(main, nullptr, nullptr, "VIZIVA"), status = GetDlgItem(main, IDC_STATUS);
    ASSERT_TRUE(test::PumpUntil([&] { return !IsWindow(newGame) && MakeForeground(main); }, kGuardMs));
    PressKey(VK_SPACE);  // one roll: the game is under way
    ASSERT_TRUE(test::PumpUntil([&] { return IsWindowEnabled(hold) && Settle(main); }, kGuardMs));
    const test::Snapshot card = CaptureClient(grid), panel = CaptureClient(status);

    PressChord(VK_MENU, 'H');
    PressKey('A');
    ASSERT_TRUE(test::PumpUntil([&] { return (about = FindTopLevel(kvoro.id(), "About")); }, kGuardMs));
    EXPECT_EQ(GetWindow(about, GW_OWNER), main);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(test::PumpUntil([&] { return !IsWindow(about); }, kGuardMs));
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
    EXPECT_EQ(opened[0].substr(opened[0].size() - 10), "\\kvoro.chm");
    EXPECT_EQ(opened, (std::vector<std::string>{opened[0], opened[0], kUpdateAddress}));

    // The game goes on from where it was: same card, same panel, and it rolls.
    ASSERT_TRUE(Settle(main) && MakeForeground(main));
    EXPECT_TRUE(SamePicture(CaptureClient(grid), card) && SamePicture(CaptureClient(status), panel));
    PressKey(VK_SPACE);
    EXPECT_TRUE(test::PumpUntil([&] { return !SamePicture(CaptureClient(status), panel); }, kGuardMs));
    PressChord(VK_MENU, VK_F4);
    EXPECT_EQ(kvoro.WaitForExit(kGuardMs), 2u);
}

}  // namespace
}  // namespace kvoro::e2e
