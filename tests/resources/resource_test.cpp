// The program's resources as Windows loads them: the four dialog templates as the dialog manager builds them, the
// menu and accelerators as user32 loads them, and the manifest as the loader honours it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework/gdi.h"
#include "res/resource.h"
#include "test_support.h"

namespace kvoro::test {
namespace {

struct Control {
    int id;
    const char* className;
    DWORD style;  // the full style, WS_CHILD included
    std::string text;
    SIZE bitmap = {};  // a picture's bitmap, compared instead of the text
};

struct Dialog {
    int id;
    DWORD style;  // as the template writes it (the dialog manager adds bits to the window's)
    const char* caption;
    const char* fontFace;
    int pointSize, width, height;  // the size in dialog units
    std::vector<Control> controls;  // in tab order
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kPopup = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

std::vector<Dialog> Dialogs() {
    Dialog main{IDD_MAIN, DS_SETFONT | WS_OVERLAPPEDWINDOW, "Kvoro", "Arial", 8, 438, 307, {}};
    for (int id : {IDC_DIE1, IDC_DIE2, IDC_DIE3, IDC_DIE4, IDC_DIE5, IDC_DIE6})
        main.controls.push_back({id, "SysAnimate32", kChild | WS_TABSTOP, ""});
    for (int id = IDC_HOLD1; id <= IDC_HOLD6; ++id)
        main.controls.push_back({id, "Button", kChild | WS_TABSTOP | BS_AUTOCHECKBOX | BS_PUSHLIKE, "Hold"});
    main.controls.insert(main.controls.end(), {{IDC_ROLL, "Button", kChild | WS_TABSTOP | BS_PUSHBUTTON, "Roll"},
                                               {IDC_BANNER, "Static", kChild | SS_BITMAP, "", {250, 100}},
                                               {IDC_STATUS, "Static", kChild | SS_OWNERDRAW, ""},
                                               {IDC_REMINDER, "Static", kChild | WS_GROUP | SS_CENTER, "Static"}});
    Dialog newGame{IDD_NEWGAME, kPopup | DS_FIXEDSYS, "New Game", "MS Shell Dlg", 8, 311, 114, {}};
    for (int n = 1; n <= 5; ++n)
        newGame.controls.push_back({IDC_PLAYERS1 + n - 1, "Button", kChild | BS_AUTORADIOBUTTON | BS_LEFT,
                                    std::to_string(n) + (n == 1 ? " Player" : " Players")});
    // Each name field is followed by its seat's list.
    for (int id = IDC_NAME1; id <= IDC_NAME5; ++id) {
        newGame.controls.push_back(
            {id, "Edit", kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | (id == IDC_NAME1 ? WS_GROUP : 0), ""});
        newGame.controls.push_back(
            {IDC_SEAT1 + id - IDC_NAME1, "ComboBox", kChild | WS_TABSTOP | CBS_DROPDOWNLIST, ""});
    }
    newGame.controls.insert(newGame.controls.end(),
                            {{IDC_TYPE_STANDARD, "Button", kChild | WS_GROUP | BS_AUTORADIOBUTTON, "Kvoro"},
                             {IDC_TYPE_MAXI, "Button", kChild | BS_AUTORADIOBUTTON, "Maxi Kvoro"},
                             {IDOK, "Button", kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, "Start"},
                             {IDC_STATIC, "Button", kChild | BS_GROUPBOX, "Game type"},
                             {IDC_STATIC, "Static", kChild | WS_GROUP | SS_LEFT, "Player names:"}});
    return {main, newGame,
            {IDD_HIGHSCORE, kPopup | DS_CENTER, "Highscore", "Microsoft Sans Serif", 8, 303, 183, {}},
            {IDD_ABOUT, kPopup, "About", "MS Sans Serif", 8, 213, 97,
             {{IDOK, "Button", kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, "OK"},
              {IDC_ABOUT_BANNER, "Static", kChild | SS_BITMAP | SS_CENTERIMAGE, "", {300, 38}},
              {IDC_ABOUT_PANEL, "Static", kChild | SS_WHITERECT, ""},
              {IDC_ABOUT_LINK, "Static", kChild | SS_CENTER, "Homepage:\nhttp://www.example.com/Kvoro/"},
              {IDC_STATIC, "Static", kChild | WS_GROUP | SS_CENTER, "Kvoro version 2.1\nDice for one to five players"}}}};
}

INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(DialogResource, CreatesWithStyleCaptionFontSizeAndTheControlsInTabOrder) {
    // The animation class, registered as the program does before its main window.
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_ANIMATE_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    for (const Dialog& expected : Dialogs()) {
        SCOPED_TRACE("dialog " + std::to_string(expected.id));
        // A DIALOGEX template: version 1, signature 0xFFFF, help id, extended style, then the style.
        const HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(expected.id), RT_DIALOG);
        ASSERT_TRUE(found && SizeofResource(nullptr, found) >= 16);
        const auto* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
        DWORD style = 0;
        std::memcpy(&style, bytes + 12, sizeof style);
        EXPECT_EQ(std::memcmp(bytes, "\1\0\xFF\xFF", 4), 0);
        EXPECT_EQ(style, expected.style) << std::hex << "differs in " << (style ^ expected.style);
        const std::unique_ptr<HWND__, decltype(&DestroyWindow)> dialog(
            CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(expected.id), nullptr, PlainDialog, 0),
            &DestroyWindow);
        ASSERT_TRUE(dialog) << "error " << GetLastError();
        EXPECT_EQ(test::WindowText(dialog.get()), expected.caption);

        LOGFONTA font = {};
        ASSERT_TRUE(GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog.get(), WM_GETFONT, 0, 0)), sizeof font, &font));
        EXPECT_EQ(font.lfHeight, -MulDiv(expected.pointSize, GetDeviceCaps(WindowDC(nullptr).get(), LOGPIXELSY), 72));
        // With DS_SHELLFONT Windows makes "MS Shell Dlg" "MS Shell Dlg 2"; Wine keeps the name.
        EXPECT_EQ(std::string(font.lfFaceName).substr(0, expected.style & DS_FIXEDSYS ? std::strlen(expected.fontFace) : 32),
                  expected.fontFace);
        RECT client = {}, size = {0, 0, expected.width, expected.height};
        GetClientRect(dialog.get(), &client);
        MapDialogRect(dialog.get(), &size);
        EXPECT_TRUE(EqualRect(&client, &size));

        HWND child = GetWindow(dialog.get(), GW_CHILD);
        for (const Control& control : expected.controls) {
            SCOPED_TRACE("control " + std::to_string(control.id));
            ASSERT_TRUE(child) << "missing";
            // WM_COMMAND carries the low word of an id; IDC_STATIC reads as 0xFFFF.
            EXPECT_EQ(LOWORD(GetDlgCtrlID(child)), LOWORD(control.id));
            char className[64] = {};
            GetClassNameA(child, className, sizeof className);
            EXPECT_STRCASEEQ(className, control.className);
            DWORD childStyle = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
            // An edit control trades WS_BORDER for WS_EX_CLIENTEDGE when it is created.
            if (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) childStyle |= control.style & WS_BORDER;
            EXPECT_EQ(childStyle, control.style) << std::hex << "differs in " << (childStyle ^ control.style);
            BITMAP picture = {};
            GetObjectA(reinterpret_cast<HBITMAP>(SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0)),
                       sizeof picture, &picture);
            EXPECT_EQ(std::pair(picture.bmWidth, picture.bmHeight), std::pair(control.bitmap.cx, control.bitmap.cy));
            if (!control.bitmap.cx) {
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
