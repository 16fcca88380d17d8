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
    const HWND newGame = WaitForWindow(kvoro.id(), "New Game");
    ASSERT_TRUE(newGame && Dismiss(newGame, VK_RETURN));
    const HWND main = FindTopLevel(kvoro.id(), "Kvoro"), status = GetDlgItem(main, IDC_STATUS);
    const HWND grid = FindWindowExA(main, nullptr, nullptr, "VIZIVA");
    ASSERT_TRUE(Roll(main, VK_SPACE));  // the game is under way
    const test::Snapshot card = CaptureClient(grid), panel = CaptureClient(status);

    PressChord(VK_MENU, 'H');
    PressKey('A');
    const HWND about = WaitForWindow(kvoro.id(), "About", kGuardMs);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(GetWindow(about, GW_OWNER), main);
    ASSERT_TRUE(Dismiss(about, VK_ESCAPE));
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
