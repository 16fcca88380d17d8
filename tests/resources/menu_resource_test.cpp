// The menu and the accelerators as user32 loads them by id. (image_asset_tests and the window tests
// check the bitmaps and the icon.)
#include "resource_access.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace kvoro::test {
namespace {

HINSTANCE module() { return GetModuleHandleA(nullptr); }

// Text (empty for a separator), command id (0 for a separator or popup), popup.
using MenuEntry = std::tuple<std::string, UINT, bool>;

std::vector<MenuEntry> entries(HMENU menu) {
    std::vector<MenuEntry> result;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU | MIIM_STATE;
        item.dwTypeData = text;
        item.cch = sizeof text;
        EXPECT_TRUE(GetMenuItemInfoA(menu, i, TRUE, &item));
        if (item.fType & MFT_SEPARATOR) {
            result.emplace_back("", 0, false);
            continue;
        }
        EXPECT_EQ(item.fState & (MFS_CHECKED | MFS_DISABLED), 0u) << text << " starts checked or disabled";
        result.emplace_back(text, item.hSubMenu ? 0 : item.wID, item.hSubMenu != nullptr);
    }
    return result;
}

TEST(MenuResource, HasTheGameAndHelpPopupsWithTheirCommands) {
    OwnedMenu menu(LoadMenuA(module(), MAKEINTRESOURCEA(IDR_MAINMENU)));
    ASSERT_TRUE(menu);
    EXPECT_EQ(entries(menu.get()), (std::vector<MenuEntry>{{"&Game", 0, true}, {"&Help", 0, true}}));
    EXPECT_EQ(entries(GetSubMenu(menu.get(), 0)), (std::vector<MenuEntry>{
                                                      {"&New Game\tF2", ID_GAME_NEWGAME, false},
                                                      {"Highscore\tF3", ID_GAME_HIGHSCORE, false},
                                                      {"Hint\tF4", ID_GAME_HINT, false},
                                                      {"Sound", ID_GAME_SOUND, false},
                                                      {"Clear Highscore", ID_GAME_CLEARHIGHSCORE, false},
                                                      {"", 0, false},
                                                      {"E&xit\tAlt+F4", IDCANCEL, false},
                                                  }));
    EXPECT_EQ(entries(GetSubMenu(menu.get(), 1)), (std::vector<MenuEntry>{
                                                      {"&Help\tF1", ID_HELP_HELP, false},
                                                      {"Homepage", ID_HELP_HOMEPAGE, false},
                                                      {"", 0, false},
                                                      {"&About", ID_HELP_ABOUT, false},
                                                  }));
}

TEST(AcceleratorResource, MapsTheFunctionKeysToTheirCommands) {
    OwnedAccelerators table(LoadAcceleratorsA(module(), MAKEINTRESOURCEA(IDR_ACCELERATORS)));
    ASSERT_TRUE(table);
    std::vector<ACCEL> entries(CopyAcceleratorTableA(table.get(), nullptr, 0));
    ASSERT_EQ(entries.size(), 4u);
    CopyAcceleratorTableA(table.get(), entries.data(), static_cast<int>(entries.size()));
    std::set<std::pair<int, int>> keys;
    for (const ACCEL& entry : entries) {
        EXPECT_EQ(entry.fVirt & ~FNOINVERT, FVIRTKEY) << "key " << entry.key << " needs no modifier";
        keys.emplace(entry.key, entry.cmd);
    }
    EXPECT_EQ(keys, (std::set<std::pair<int, int>>{
                        {VK_F1, ID_HELP_HELP}, {VK_F2, ID_GAME_NEWGAME}, {VK_F3, ID_GAME_HIGHSCORE},
                        {VK_F4, ID_GAME_HINT}}));
}

}  // namespace
}  // namespace kvoro::test
