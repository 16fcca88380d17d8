// The four dialog templates as the dialog manager builds them: the controls
// the program looks up by id, their classes, styles, texts and tab order, and
// each dialog's caption, font and size.
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
    const char* text;        // nullptr: not compared (bitmaps)
    RECT dialogUnits = {};   // x, y, width, height; all 0: not compared
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
        {IDC_BANNER, "Static", kChild | SS_BITMAP, nullptr},
        {IDC_STATUS, "Static", kChild | SS_OWNERDRAW, ""},
        {IDC_REMINDER, "Static", kChild | WS_GROUP | SS_CENTER, "Static"},
    }};

const ExpectedDialog kNewGame = {
    IDD_NEWGAME, DS_SETFONT | DS_MODALFRAME | DS_FIXEDSYS | WS_POPUP | WS_CAPTION | WS_SYSMENU,
    "New Game", "MS Shell Dlg", 8, 239, 114,
    {
        {IDC_PLAYERS1, "Button", kPlayers, "1 Player", {7, 19, 50, 12}},
        {IDC_PLAYERS2, "Button", kPlayers, "2 Players", {7, 38, 50, 12}},
        {IDC_PLAYERS3, "Button", kPlayers, "3 Players", {7, 57, 50, 12}},
        {IDC_PLAYERS4, "Button", kPlayers, "4 Players", {7, 76, 50, 12}},
        {IDC_PLAYERS5, "Button", kPlayers, "5 Players", {7, 95, 50, 12}},
        {IDC_NAME1, "Edit", kName | WS_GROUP, "", {57, 19, 81, 12}},
        {IDC_NAME2, "Edit", kName, "", {57, 38, 81, 12}},
        {IDC_NAME3, "Edit", kName, "", {57, 57, 81, 12}},
        {IDC_NAME4, "Edit", kName, "", {57, 76, 81, 12}},
        {IDC_NAME5, "Edit", kName, "", {57, 95, 81, 12}},
        {IDC_TYPE_STANDARD, "Button", kChild | WS_GROUP | BS_AUTORADIOBUTTON, "Kvoro", {170, 32, 34, 10}},
        {IDC_TYPE_MAXI, "Button", kChild | BS_AUTORADIOBUTTON, "Maxi Kvoro", {170, 47, 51, 10}},
        {IDOK, "Button", kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, "Start", {158, 89, 74, 18}},
        {IDC_STATIC, "Button", kChild | BS_GROUPBOX, "Game type", {158, 19, 74, 44}},
        {IDC_STATIC, "Static", kChild | WS_GROUP | SS_LEFT, "Player names:", {57, 6, 46, 8}},
    }};

const ExpectedDialog kHighscore = {
    IDD_HIGHSCORE, DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
    "Highscore", "Microsoft Sans Serif", 8, 303, 183, {}};

const ExpectedDialog kAbout = {
    IDD_ABOUT, DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
    "About", "MS Sans Serif", 8, 213, 97,
    {
        {IDOK, "Button", kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, "OK", {152, 70, 53, 21}},
        // Centred at its own size: the picture keeps the template's rectangle.
        {IDC_ABOUT_BANNER, "Static", kChild | SS_BITMAP | SS_CENTERIMAGE, nullptr, {5, 6, 200, 23}},
        {IDC_ABOUT_PANEL, "Static", kChild | SS_WHITERECT, "", {5, 34, 145, 57}},
        {IDC_ABOUT_LINK, "Static", kChild | SS_CENTER, "Homepage:\nhttp://www.kvorosoft.net/Kvoro/",
         {18, 69, 120, 18}},
        {IDC_STATIC, "Static", kChild | WS_GROUP | SS_CENTER, "Kvoro version 2.1\nDice for one to five players",
         {12, 42, 131, 18}},
    }};

// The fixed part of a DLGTEMPLATEEX header, read straight from the resource.
struct TemplateHeader {
    DWORD style = 0;
    unsigned itemCount = 0;
    int width = 0, height = 0;
    int pointSize = 0;
};

TemplateHeader readTemplateHeader(int id) {
    const std::string_view bytes = resourceBytes(RT_DIALOG, id);
    TemplateHeader header;
    if (bytes.size() < 26 || le16(bytes, 0) != 1 || le16(bytes, 2) != 0xFFFF) {
        ADD_FAILURE() << "dialog " << id << " is not a DIALOGEX template";
        return header;
    }
    header.style = le32(bytes, 12);
    header.itemCount = le16(bytes, 16);
    header.width = static_cast<short>(le16(bytes, 22));
    header.height = static_cast<short>(le16(bytes, 24));
    // Menu, class and caption follow: each an ordinal (FFFF + word), none
    // (0000) or a zero-terminated UTF-16 string.
    size_t at = 26;
    for (int field = 0; field < 3 && at + 2 <= bytes.size(); ++field) {
        if (field < 2 && le16(bytes, at) == 0xFFFF) {
            at += 4;
            continue;
        }
        while (at + 2 <= bytes.size() && le16(bytes, at) != 0) at += 2;
        at += 2;
    }
    if (header.style & DS_SETFONT && at + 2 <= bytes.size()) header.pointSize = le16(bytes, at);
    return header;
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

// The dialog manager converts a control's position and its size separately,
// so the size is not the difference of two converted edges.
RECT dialogUnitsToPixels(HWND dialog, const RECT& positionAndSize) {
    RECT pixels = positionAndSize;
    MapDialogRect(dialog, &pixels);
    return {pixels.left, pixels.top, pixels.left + pixels.right, pixels.top + pixels.bottom};
}

SIZE bitmapSize(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

// A dialog procedure that leaves everything to the dialog manager.
INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class DialogResource : public testing::TestWithParam<const ExpectedDialog*> {
protected:
    static void SetUpTestSuite() {
        // The animation class, as the program registers the common controls
        // before it creates the main window.
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_ANIMATE_CLASS | ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
    }
};

TEST_P(DialogResource, TemplateHasTheStyleSizeAndFontPointSize) {
    const ExpectedDialog& dialogTemplate = *GetParam();
    const TemplateHeader header = readTemplateHeader(dialogTemplate.id);
    EXPECT_EQ(header.style, dialogTemplate.style) << std::hex << "extra " << (header.style & ~dialogTemplate.style)
                                        << ", missing " << (dialogTemplate.style & ~header.style);
    EXPECT_EQ(header.itemCount, dialogTemplate.controls.size());
    EXPECT_EQ(header.width, dialogTemplate.width);
    EXPECT_EQ(header.height, dialogTemplate.height);
    EXPECT_EQ(header.pointSize, dialogTemplate.pointSize);
}

TEST_P(DialogResource, CreatesWithCaptionFontAndClientSize) {
    const ExpectedDialog& dialogTemplate = *GetParam();
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
    // With DS_SHELLFONT Windows substitutes "MS Shell Dlg 2" for "MS Shell Dlg";
    // Wine keeps the name as written.
    if (dialogTemplate.style & DS_FIXEDSYS) {
        EXPECT_EQ(std::string(font.lfFaceName).rfind(dialogTemplate.fontFace, 0), 0u) << font.lfFaceName;
    } else {
        EXPECT_STREQ(font.lfFaceName, dialogTemplate.fontFace);
    }

    RECT client = {};
    GetClientRect(dialog.get(), &client);
    const RECT expected = dialogUnitsToPixels(dialog.get(), {0, 0, dialogTemplate.width, dialogTemplate.height});
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
        // An edit control trades WS_BORDER for the sunken WS_EX_CLIENTEDGE
        // when it is created; either is the border the template asks for.
        if (control.style & WS_BORDER && GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) style |= WS_BORDER;
        EXPECT_EQ(style, control.style) << std::hex << "extra " << (style & ~control.style) << ", missing "
                                        << (control.style & ~style);

        if (control.text) {
            EXPECT_EQ(windowText(child), control.text);
        }
        if (control.dialogUnits.right) {
            RECT actual = {};
            GetWindowRect(child, &actual);
            MapWindowPoints(nullptr, dialog.get(), reinterpret_cast<POINT*>(&actual), 2);
            const RECT expected = dialogUnitsToPixels(dialog.get(), control.dialogUnits);
            EXPECT_TRUE(EqualRect(&actual, &expected))
                << "at " << actual.left << "," << actual.top << " " << actual.right - actual.left << "x"
                << actual.bottom - actual.top << " instead of " << expected.left << "," << expected.top << " "
                << expected.right - expected.left << "x" << expected.bottom - expected.top;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogResource, testing::Values(&kMain, &kNewGame, &kHighscore, &kAbout),
                         [](const auto& info) { return std::to_string(info.param->id); });

// The pictures that the static controls load from their templates.
TEST(DialogResourcePictures, BannersComeFromTheirBitmaps) {
    OwnedWindow main(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                                        PlainDialog, 0));
    ASSERT_TRUE(main);
    const auto banner = reinterpret_cast<HBITMAP>(
        SendDlgItemMessageA(main.get(), IDC_BANNER, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_TRUE(banner);
    const SIZE title = bitmapSize(banner);
    EXPECT_EQ(title.cx, 250);
    EXPECT_EQ(title.cy, 100);

    OwnedWindow about(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), nullptr,
                                         PlainDialog, 0));
    ASSERT_TRUE(about);
    const auto picture = reinterpret_cast<HBITMAP>(
        SendDlgItemMessageA(about.get(), IDC_ABOUT_BANNER, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_TRUE(picture);
    const SIZE aboutBanner = bitmapSize(picture);
    EXPECT_EQ(aboutBanner.cx, 300);
    EXPECT_EQ(aboutBanner.cy, 38);
}

}  // namespace
}  // namespace kvoro::test
