// The menu, the accelerators, the bitmaps and the icon as user32 and GDI load
// them by the ids the program uses.
#include "resource_access.h"

#include "framework/gdi.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kvoro::test {
namespace {

HINSTANCE module() { return GetModuleHandleA(nullptr); }

struct MenuEntry {
    std::string text;   // empty for a separator
    UINT id;            // 0 for a separator or a popup
    bool popup;
};

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
            result.push_back({"", 0, false});
            continue;
        }
        EXPECT_EQ(item.fState & (MFS_CHECKED | MFS_DISABLED), 0u) << text << " starts checked or disabled";
        result.push_back({text, item.hSubMenu ? 0 : item.wID, item.hSubMenu != nullptr});
    }
    return result;
}

bool operator==(const MenuEntry& a, const MenuEntry& b) {
    return a.text == b.text && a.id == b.id && a.popup == b.popup;
}
void PrintTo(const MenuEntry& entry, std::ostream* out) {
    *out << '"' << entry.text << "\" " << entry.id << (entry.popup ? " popup" : "");
}

TEST(MenuResource, HasTheGameAndHelpPopupsWithTheirCommands) {
    OwnedMenu menu(LoadMenuA(module(), MAKEINTRESOURCEA(IDR_MAINMENU)));
    ASSERT_TRUE(menu);
    EXPECT_EQ(entries(menu.get()), (std::vector<MenuEntry>{{"&Game", 0, true}, {"&Help", 0, true}}));
    EXPECT_EQ(entries(GetSubMenu(menu.get(), 0)), (std::vector<MenuEntry>{
                                                      {"&New Game\tF2", ID_GAME_NEWGAME, false},
                                                      {"Highscore\tF3", ID_GAME_HIGHSCORE, false},
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
    // The program finds the Sound item by command from the menu bar.
    EXPECT_EQ(CheckMenuItem(menu.get(), ID_GAME_SOUND, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(GetMenuState(menu.get(), ID_GAME_SOUND, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
}

// Records the commands an accelerator table sends to a window.
LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        auto* commands = reinterpret_cast<std::vector<std::pair<int, int>>*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        commands->emplace_back(LOWORD(wParam), HIWORD(wParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(AcceleratorResource, MapsTheFunctionKeysToTheirCommands) {
    OwnedAccelerators table(LoadAcceleratorsA(module(), MAKEINTRESOURCEA(IDR_ACCELERATORS)));
    ASSERT_TRUE(table);
    std::vector<ACCEL> entries(CopyAcceleratorTableA(table.get(), nullptr, 0));
    ASSERT_EQ(entries.size(), 3u);
    CopyAcceleratorTableA(table.get(), entries.data(), static_cast<int>(entries.size()));
    std::set<std::pair<int, int>> keys;
    for (const ACCEL& entry : entries) {
        EXPECT_EQ(entry.fVirt & ~FNOINVERT, FVIRTKEY) << "key " << entry.key << " needs no modifier";
        keys.emplace(entry.key, entry.cmd);
    }
    EXPECT_EQ(keys, (std::set<std::pair<int, int>>{
                        {VK_F1, ID_HELP_HELP}, {VK_F2, ID_GAME_NEWGAME}, {VK_F3, ID_GAME_HIGHSCORE}}));

    // And the table does what the message loop asks of it.
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = RecordCommands;
    windowClass.hInstance = module();
    windowClass.lpszClassName = "KvoroAcceleratorProbe";
    RegisterClassA(&windowClass);
    OwnedWindow window(CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                       nullptr, module(), nullptr));
    ASSERT_TRUE(window);
    std::vector<std::pair<int, int>> commands;
    SetWindowLongPtrA(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&commands));
    for (WPARAM key : {VK_F1, VK_F2, VK_F3, VK_F4}) {
        MSG press = {};
        press.hwnd = window.get();
        press.message = WM_KEYDOWN;
        press.wParam = key;
        press.lParam = 1;
        TranslateAcceleratorA(window.get(), table.get(), &press);
    }
    EXPECT_EQ(commands, (std::vector<std::pair<int, int>>{
                            {ID_HELP_HELP, 1}, {ID_GAME_NEWGAME, 1}, {ID_GAME_HIGHSCORE, 1}}));
}

TEST(BitmapResource, LoadsAtTheSizesTheLayoutAndDrawingUse) {
    const struct {
        int id, width, height;
    } bitmaps[] = {
        {IDB_BANNER_KVORO, 250, 100}, {IDB_CROSS, 17, 17}, {IDB_BANNER_MAXI, 361, 116}, {IDB_ABOUT_BANNER, 300, 38}};
    for (const auto& expected : bitmaps) {
        SCOPED_TRACE("bitmap " + std::to_string(expected.id));
        const Bitmap bitmap(LoadBitmapA(module(), MAKEINTRESOURCEA(expected.id)));
        ASSERT_TRUE(bitmap);
        BITMAP info = {};
        ASSERT_TRUE(GetObjectA(bitmap.get(), sizeof info, &info));
        EXPECT_EQ(info.bmWidth, expected.width);
        EXPECT_EQ(info.bmHeight, expected.height);
    }
}

SIZE iconSize(HICON icon) {
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) return {};
    const Bitmap color(info.hbmColor);
    const Bitmap mask(info.hbmMask);
    BITMAP bitmap = {};
    GetObjectA(color.get(), sizeof bitmap, &bitmap);
    return {bitmap.bmWidth, bitmap.bmHeight};
}

TEST(IconResource, HoldsThe32And48PixelImages) {
    const std::string_view directory = resourceBytes(RT_GROUP_ICON, IDI_KVORO);
    ASSERT_GE(directory.size(), 6u);
    // GRPICONDIR: reserved, type 1, count, then 14-byte entries whose first
    // byte is the width (0 for 256).
    std::set<int> widths;
    for (unsigned i = 0; i < le16(directory, 4); ++i)
        widths.insert(static_cast<unsigned char>(directory[6 + 14 * i]));
    EXPECT_EQ(widths, (std::set<int>{32, 48}));

    auto* bits = reinterpret_cast<PBYTE>(const_cast<char*>(directory.data()));
    for (int size : {32, 48}) {
        SCOPED_TRACE(std::to_string(size) + " pixels");
        const int imageId = LookupIconIdFromDirectoryEx(bits, TRUE, size, size, LR_DEFAULTCOLOR);
        const std::string_view image = resourceBytes(RT_ICON, imageId);
        ASSERT_FALSE(image.empty());
        OwnedIcon fromImage(CreateIconFromResourceEx(reinterpret_cast<PBYTE>(const_cast<char*>(image.data())),
                                                     static_cast<DWORD>(image.size()), TRUE, 0x00030000, size,
                                                     size, LR_DEFAULTCOLOR));
        ASSERT_TRUE(fromImage);
        EXPECT_EQ(iconSize(fromImage.get()).cx, size);
        EXPECT_EQ(iconSize(fromImage.get()).cy, size);

        // The way the main window asks for its icons.
        OwnedIcon loaded(static_cast<HICON>(
            LoadImageA(module(), MAKEINTRESOURCEA(IDI_KVORO), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
        ASSERT_TRUE(loaded);
        EXPECT_EQ(iconSize(loaded.get()).cx, size);
    }
}

}  // namespace
}  // namespace kvoro::test
