// The four dialog templates as the dialog manager builds them: each dialog's style, caption, font and
// size, and its controls in tab order with their ids, classes, styles, texts and pictures.
#include "resource_access.h"

#include "res/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kvoro::test {
namespace {

struct ExpectedControl {
    int id;
    const char* className;
    DWORD style;             // the full style, WS_CHILD included
    const char* text;        // nullptr for a picture: its bitmap's size is compared instead
    SIZE bitmap = {};
};

struct ExpectedDialog {
    int id;
    DWORD style;             // as written in the template
    const char* caption;
    const char* fontFace;
    int pointSize;
    int width, height;       // dialog units
    std::vector<ExpectedControl> controls;   // in tab order
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kDie = kChild | WS_TABSTOP;
constexpr DWORD kHold = kChild | WS_TABSTOP | BS_AUTOCHECKBOX | BS_PUSHLIKE;
constexpr DWORD kPlayers = kChild | BS_AUTORADIOBUTTON | BS_LEFT;
constexpr DWORD kName = kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;

const ExpectedDialog kMain = {
    IDD_MAIN, DS_SETFONT | WS_OVERLAPPEDWINDOW, "Kvoro", "Arial", 8, 438, 307,
    {
        {IDC_DIE1, "SysAnimate32", kDie, ""},
        {IDC_DIE2, "SysAnimate32", kDie, ""},
        {IDC_DIE3, "SysAnimate32", kDie, ""},
        {IDC_DIE4, "SysAnimate32", kDie, ""},
        {IDC_DIE5, "SysAnimate32", kDie, ""},
        {IDC_DIE6, "SysAnimate32", kDie, ""},
        {IDC_HOLD1, "Button", kHold, "Hold"},
        {IDC_HOLD2, "Button", kHold, "Hold"},
        {IDC_HOLD3, "Button", kHold, "Hold"},
        {IDC_HOLD4, "Button", kHold, "Hold"},
        {IDC_HOLD5, "Button", kHold, "Hold"},
        {IDC_HOLD6, "Button", kHold, "Hold"},
        {IDC_ROLL, "Button", kChild | WS_TABSTOP | BS_PUSHBUTTON, "Roll"},
        {IDC_BANNER, "Static", kChild | SS_BITMAP, nullptr, {250, 100}},
        {IDC_STATUS, "Static", kChild | SS_OWNERDRAW, ""},
        {IDC_REMINDER, "Static", kChild | WS_GROUP | SS_CENTER, "Static"},
    }};

const ExpectedDialog kNewGame = {
    IDD_NEWGAME, DS_SETFONT | DS_MODALFRAME | DS_FIXEDSYS | WS_POPUP | WS_CAPTION | WS_SYSMENU,
    "New Game", "MS Shell Dlg", 8, 239, 114,
    {
        {IDC_PLAYERS1, "Button", kPlayers, "1 Player"},
        {IDC_PLAYERS2, "Button", kPlayers, "2 Players"},
        {IDC_PLAYERS3, "Button", kPlayers, "3 Players"},
        {IDC_PLAYERS4, "Button", kPlayers, "4 Players"},
        {IDC_PLAYERS5, "Button", kPlayers, "5 Players"},
        {IDC_NAME1, "Edit", kName | WS_GROUP, ""},
        {IDC_NAME2, "Edit", kName, ""},
        {IDC_NAME3, "Edit", kName, ""},
        {IDC_NAME4, "Edit", kName, ""},
        {IDC_NAME5, "Edit", kName, ""},
        {IDC_TYPE_STANDARD, "Button", kChild | WS_GROUP | BS_AUTORADIOBUTTON, "Kvoro"},
        {IDC_TYPE_MAXI, "Button", kChild | BS_AUTORADIOBUTTON, "Maxi Kvoro"},
        {IDOK, "Button", kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, "Start"},
        {IDC_STATIC, "Button", kChild | BS_GROUPBOX, "Game type"},
        {IDC_STATIC, "Static", kChild | WS_GROUP | SS_LEFT, "Player names:"},
    }};

const ExpectedDialog kHighscore = {
    IDD_HIGHSCORE, DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
    "Highscore", "Microsoft Sans Serif", 8, 303, 183, {}};

const ExpectedDialog kAbout = {
    IDD_ABOUT, DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
    "About", "MS Sans Serif", 8, 213, 97,
    {
        {IDOK, "Button", kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, "OK"},
        {IDC_ABOUT_BANNER, "Static", kChild | SS_BITMAP | SS_CENTERIMAGE, nullptr, {300, 38}},
        {IDC_ABOUT_PANEL, "Static", kChild | SS_WHITERECT, ""},
        {IDC_ABOUT_LINK, "Static", kChild | SS_CENTER, "Homepage:\nhttp://www.example.com/Kvoro/"},
        {IDC_STATIC, "Static", kChild | WS_GROUP | SS_CENTER, "Kvoro version 2.1\nDice for one to five players"},
    }};

// The style as the template writes it (the dialog manager adds bits to the window's).
DWORD templateStyle(int id) {
    const std::string_view bytes = resourceBytes(RT_DIALOG, id);
    if (bytes.size() >= 16 && le16(bytes, 0) == 1 && le16(bytes, 2) == 0xFFFF) return le32(bytes, 12);
    ADD_FAILURE() << "dialog " << id << " is not a DIALOGEX template";
    return 0;
}

std::string windowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string className(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// A dialog procedure that leaves everything to the dialog manager.
INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class DialogResource : public testing::TestWithParam<const ExpectedDialog*> {
protected:
    static void SetUpTestSuite() {
        // The animation class, registered as the program does before its main window.
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_ANIMATE_CLASS | ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
    }
};

TEST_P(DialogResource, CreatesWithStyleCaptionFontAndClientSize) {
    const ExpectedDialog& dialogTemplate = *GetParam();
    const DWORD style = templateStyle(dialogTemplate.id);
    EXPECT_EQ(style, dialogTemplate.style) << std::hex << "extra " << (style & ~dialogTemplate.style) << ", missing "
                                           << (dialogTemplate.style & ~style);
    OwnedWindow dialog(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(dialogTemplate.id), nullptr,
                                          PlainDialog, 0));
    ASSERT_TRUE(dialog) << "error " << GetLastError();
    EXPECT_EQ(windowText(dialog.get()), dialogTemplate.caption);

    LOGFONTA font = {};
    ASSERT_TRUE(GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog.get(), WM_GETFONT, 0, 0)), sizeof font, &font));
    const HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(font.lfHeight, -MulDiv(dialogTemplate.pointSize, pixelsPerInch, 72));
    // With DS_SHELLFONT Windows makes "MS Shell Dlg" "MS Shell Dlg 2"; Wine keeps the name.
    if (dialogTemplate.style & DS_FIXEDSYS) {
        EXPECT_EQ(std::string(font.lfFaceName).rfind(dialogTemplate.fontFace, 0), 0u) << font.lfFaceName;
    } else {
        EXPECT_STREQ(font.lfFaceName, dialogTemplate.fontFace);
    }

    RECT client = {};
    GetClientRect(dialog.get(), &client);
    RECT expected = {0, 0, dialogTemplate.width, dialogTemplate.height};
    MapDialogRect(dialog.get(), &expected);
    EXPECT_EQ(client.right, expected.right);
    EXPECT_EQ(client.bottom, expected.bottom);
}

TEST_P(DialogResource, CreatesTheControlsInTabOrder) {
    const ExpectedDialog& dialogTemplate = *GetParam();
    OwnedWindow dialog(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(dialogTemplate.id), nullptr,
                                          PlainDialog, 0));
    ASSERT_TRUE(dialog) << "error " << GetLastError();

    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog.get(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    ASSERT_EQ(children.size(), dialogTemplate.controls.size());

    for (size_t i = 0; i < children.size(); ++i) {
        const ExpectedControl& control = dialogTemplate.controls[i];
        const HWND child = children[i];
        SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(control.id));
        // WM_COMMAND carries the low word of an id; IDC_STATIC reads as 0xFFFF.
        EXPECT_EQ(LOWORD(GetDlgCtrlID(child)), LOWORD(control.id));
        EXPECT_STRCASEEQ(className(child).c_str(), control.className);

        DWORD style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
        // An edit control trades WS_BORDER for WS_EX_CLIENTEDGE when it is created.
        if (control.style & WS_BORDER && GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) style |= WS_BORDER;
        EXPECT_EQ(style, control.style) << std::hex << "extra " << (style & ~control.style) << ", missing "
                                        << (control.style & ~style);

        if (control.text) {
            EXPECT_EQ(windowText(child), control.text);
        } else {
            BITMAP picture = {};
            GetObjectA(reinterpret_cast<HBITMAP>(SendMessageA(child, STM_GETIMAGE, IMAGE_BITMAP, 0)), sizeof picture,
                       &picture);
            EXPECT_EQ(picture.bmWidth, control.bitmap.cx);
            EXPECT_EQ(picture.bmHeight, control.bitmap.cy);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogResource, testing::Values(&kMain, &kNewGame, &kHighscore, &kAbout),
                         [](const auto& info) { return std::to_string(info.param->id); });

}  // namespace
}  // namespace kvoro::test
