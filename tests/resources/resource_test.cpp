// The program's resources as Windows loads them: the four dialog templates as the dialog manager builds them, the
// menu and accelerators as user32 loads them, and the manifest as the loader honours it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "res/resource.h"
#include "test_support.h"

namespace kvoro::test {
namespace {

// A control in tab order: its id, class, the styles that change how it behaves, its text, and whether it shows a bitmap.
struct Control {
    int id;
    const char* className;
    DWORD style;
    std::string text;
    bool picture = false;
};

// Tab stops and groups steer the keyboard; the low bits choose a button's, static's, edit's or list's kind.
constexpr DWORD kBehaviour = WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_PUSHLIKE | 0x1F;
constexpr DWORD kModal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

struct Dialog {
    int id;
    DWORD style;  // as the template writes it, DS_ bits left out
    std::vector<Control> controls;
};

std::vector<Dialog> Dialogs() {
    Dialog main{IDD_MAIN, WS_OVERLAPPEDWINDOW, {}};
    for (int id : {IDC_DIE1, IDC_DIE2, IDC_DIE3, IDC_DIE4, IDC_DIE5, IDC_DIE6})
        main.controls.push_back({id, "SysAnimate32", WS_TABSTOP, ""});
    for (int id = IDC_HOLD1; id <= IDC_HOLD6; ++id)
        main.controls.push_back({id, "Button", WS_TABSTOP | BS_AUTOCHECKBOX | BS_PUSHLIKE, "Hold"});
    main.controls.insert(main.controls.end(), {{IDC_ROLL, "Button", WS_TABSTOP | BS_PUSHBUTTON, "Roll"},
                                               {IDC_BANNER, "Static", SS_BITMAP, "", true},
                                               {IDC_STATUS, "Static", SS_OWNERDRAW, ""},
                                               {IDC_REMINDER, "Static", WS_GROUP | SS_CENTER, "Static"}});
    Dialog newGame{IDD_NEWGAME, kModal, {}};
    for (int n = 1; n <= 5; ++n)
        newGame.controls.push_back({IDC_PLAYERS1 + n - 1, "Button", BS_AUTORADIOBUTTON,
                                    std::to_string(n) + (n == 1 ? " Player" : " Players")});
    // Each name field is followed by its seat's list.
    for (int id = IDC_NAME1; id <= IDC_NAME5; ++id) {
        newGame.controls.push_back({id, "Edit", WS_TABSTOP | (id == IDC_NAME1 ? WS_GROUP : 0u), ""});
        newGame.controls.push_back({IDC_SEAT1 + id - IDC_NAME1, "ComboBox", WS_TABSTOP | CBS_DROPDOWNLIST, ""});
    }
    newGame.controls.insert(newGame.controls.end(),
                            {{IDC_TYPE_STANDARD, "Button", WS_GROUP | BS_AUTORADIOBUTTON, "Kvoro"},
                             {IDC_TYPE_MAXI, "Button", BS_AUTORADIOBUTTON, "Maxi Kvoro"},
                             {IDOK, "Button", WS_TABSTOP | BS_DEFPUSHBUTTON, "Start"},
                             {IDC_STATIC, "Button", BS_GROUPBOX, "Game type"},
                             {IDC_STATIC, "Static", WS_GROUP | SS_LEFT, "Player names:"}});
    return {main, newGame, {IDD_HIGHSCORE, kModal, {}},
            {IDD_ABOUT, kModal,
             {{IDOK, "Button", WS_TABSTOP | BS_DEFPUSHBUTTON, "OK"},
              {IDC_ABOUT_BANNER, "Static", SS_BITMAP, "", true},
              {IDC_ABOUT_PANEL, "Static", SS_WHITERECT, ""},
              {IDC_ABOUT_LINK, "Static", SS_CENTER, "Homepage:\nhttp://www.example.com/Kvoro/"},
              {IDC_STATIC, "Static", WS_GROUP | SS_CENTER, "Kvoro version 2.1\nDice for one to five players"}}}};
}

INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(DialogResource, CreatesWithItsFrameAndTheControlsInTabOrder) {
    // The animation class, registered as the program does before its main window.
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_ANIMATE_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    for (const Dialog& expected : Dialogs()) {
        SCOPED_TRACE("dialog " + std::to_string(expected.id));
        const std::unique_ptr<HWND__, decltype(&DestroyWindow)> dialog(
            CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(expected.id), nullptr, PlainDialog, 0),
            &DestroyWindow);
        ASSERT_TRUE(dialog) << "error " << GetLastError();
        const DWORD frame = WS_OVERLAPPEDWINDOW | WS_POPUP | DS_MODALFRAME;
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(dialog.get(), GWL_STYLE)) & frame, expected.style);
        HWND child = GetWindow(dialog.get(), GW_CHILD);
        for (const Control& control : expected.controls) {
            SCOPED_TRACE("control " + std::to_string(control.id));
            ASSERT_TRUE(child) << "missing";
            // WM_COMMAND carries the low word of an id; IDC_STATIC reads as 0xFFFF.
            EXPECT_EQ(LOWORD(GetDlgCtrlID(child)), LOWORD(control.id));
            char className[64] = {};
            GetClassNameA(child, className, sizeof className);
            EXPECT_STRCASEEQ(className, control.className);
            const DWORD style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)) & kBehaviour;
            EXPECT_EQ(style, control.style | WS_VISIBLE) << std::hex << "differs in " << (style ^ control.style ^ WS_VISIBLE);
            EXPECT_EQ(SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0, control.picture);
            // A picture's text names its bitmap resource.
            if (!control.picture) {
                EXPECT_EQ(test::WindowText(child), control.text);
            }
            child = GetWindow(child, GW_HWNDNEXT);
        }
        EXPECT_FALSE(child) << "a control too many";
    }
}

// The menu as (popup/item, command) lines, a separator with an empty item and command 0; nothing starts checked or
// greyed.
std::vector<std::pair<std::string, UINT>> MenuLines(HMENU menu, const std::string& popup = {}) {
    std::vector<std::pair<std::string, UINT>> lines;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        EXPECT_TRUE(state & MF_SEPARATOR || !(state & (MF_CHECKED | MF_GRAYED | MF_DISABLED))) << text << " starts off";
        if (const HMENU items = GetSubMenu(menu, i)) {
            const auto inner = MenuLines(items, popup + text + "/");
            lines.insert(lines.end(), inner.begin(), inner.end());
        } else {
            lines.emplace_back(popup + text, state & MF_SEPARATOR ? 0 : GetMenuItemID(menu, i));
        }
    }
    return lines;
}

TEST(MenuResource, HasTheGameAndHelpPopupsWithTheirCommandsAndTheFunctionKeysAsAccelerators) {
    const std::unique_ptr<HMENU__, decltype(&DestroyMenu)> menu(LoadMenuA(nullptr, MAKEINTRESOURCEA(IDR_MAINMENU)),
                                                                &DestroyMenu);
    ASSERT_TRUE(menu);
    EXPECT_EQ(MenuLines(menu.get()), (std::vector<std::pair<std::string, UINT>>{
                                         {"&Game/&New Game\tF2", ID_GAME_NEWGAME},
                                         {"&Game/Highscore\tF3", ID_GAME_HIGHSCORE},
                                         {"&Game/Hint\tF4", ID_GAME_HINT},
                                         {"&Game/Undo\tCtrl+Z", ID_GAME_UNDO},
                                         {"&Game/Sound", ID_GAME_SOUND},
                                         {"&Game/Computer Speed/Slow", ID_SPEED_SLOW},
                                         {"&Game/Computer Speed/Normal", ID_SPEED_NORMAL},
                                         {"&Game/Computer Speed/Fast", ID_SPEED_FAST},
                                         {"&Game/Clear Highscore", ID_GAME_CLEARHIGHSCORE},
                                         {"&Game/", 0},
                                         {"&Game/E&xit\tAlt+F4", IDCANCEL},
                                         {"&Help/&Help\tF1", ID_HELP_HELP},
                                         {"&Help/Homepage", ID_HELP_HOMEPAGE},
                                         {"&Help/", 0},
                                         {"&Help/&About", ID_HELP_ABOUT},
                                     }));
    const std::unique_ptr<HACCEL__, decltype(&DestroyAcceleratorTable)> table(
        LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS)), &DestroyAcceleratorTable);
    ACCEL entries[8] = {};
    const int count = CopyAcceleratorTableA(table.get(), entries, 8);
    std::set<std::pair<int, int>> keys;
    for (int i = 0; i < count; ++i) {
        // Only Undo's Ctrl+Z needs a modifier.
        EXPECT_EQ(entries[i].fVirt & ~FNOINVERT, FVIRTKEY | (entries[i].key == 'Z' ? FCONTROL : 0))
            << "key " << entries[i].key;
        keys.emplace(entries[i].key, entries[i].cmd);
    }
    EXPECT_EQ(keys, (std::set<std::pair<int, int>>{{VK_F1, ID_HELP_HELP},
                                                    {VK_F2, ID_GAME_NEWGAME},
                                                    {VK_F3, ID_GAME_HIGHSCORE},
                                                    {VK_F4, ID_GAME_HINT},
                                                    {'Z', ID_GAME_UNDO}}));
    EXPECT_EQ(count, 5);
}

// The loader honoured the manifest: comctl32 is the side-by-side version 6 (which Wine's DllGetVersion reports as
// 5.81).
TEST(ManifestResource, GetsCommonControls6) {
    char path[MAX_PATH] = {};
    ASSERT_TRUE(GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), path, MAX_PATH));
    EXPECT_NE(std::string(CharLowerA(path)).find("\\winsxs\\amd64_microsoft.windows.common-controls_6595b64144ccf1df_6."),
              std::string::npos) << path;
}

}  // namespace
}  // namespace kvoro::test
