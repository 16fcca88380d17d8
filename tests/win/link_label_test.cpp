// The update reminder of the main window and the About box's link, read from
// their pixels and window state, worked with real mouse input, opening
// through the real shell (the recorder stands in for the browser).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "main_window_fixture.h"
#include "shell_recorder.h"
#include "tests/e2e/desktop.h"
#include "ui/about_dialog.h"
#include "ui/help_file.h"

namespace kvoro::test {
namespace {

constexpr COLORREF kGreen = RGB(1, 127, 1);
constexpr COLORREF kLink = RGB(0, 0, 255);
constexpr COLORREF kVisited = RGB(128, 0, 128);
constexpr char kBrowserSettings[] = "Software\\Microsoft\\Internet Explorer\\Settings";

// The bounding box of the pixels of one colour, if any.
std::optional<RECT> PixelsOf(const Snapshot& picture, COLORREF colour) {
    RECT box{picture.width(), picture.height(), 0, 0};
    for (LONG y = 0; y < picture.height(); ++y) {
        for (LONG x = 0; x < picture.width(); ++x) {
            if (picture.Pixel(x, y) == colour) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), y + 1};
            }
        }
    }
    return box.right ? std::optional<RECT>(box) : std::nullopt;
}

// An underline: a row of the box in this colour over nearly its whole width.
bool Underlined(const Snapshot& picture, const RECT& box, COLORREF colour) {
    for (int y = box.top; y < box.bottom; ++y) {
        int run = 0;
        for (int x = box.left; x < box.right; ++x) run += picture.Pixel(x, y) == colour;
        if (run * 10 >= (box.right - box.left) * 9) return true;
    }
    return false;
}

POINT OnScreen(HWND control, LONG x, LONG y) {
    POINT point{x, y};
    ClientToScreen(control, &point);
    return point;
}
POINT Centre(HWND control, const RECT& box) {
    return OnScreen(control, (box.left + box.right) / 2, (box.top + box.bottom) / 2);
}

// The text of the tooltip tool that belongs to control (tooltips are owned by
// the control's top-level window, so the tools tell them apart).
std::string TooltipText(HWND control) {
    for (HWND tip = nullptr; (tip = FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr));) {
        char text[256] = {};
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.lpszText = text;
        if (SendMessageA(tip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool)) && tool.hwnd == control) return text;
    }
    return {};
}

void SetBrowserColours(const char* link, const char* visited) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kBrowserSettings);
    const auto set = [](const char* name, const char* value) {
        if (value) RegSetKeyValueA(HKEY_CURRENT_USER, kBrowserSettings, name, REG_SZ, value, lstrlenA(value) + 1);
    };
    set("Anchor Color", link);
    set("Anchor Color Visited", visited);
}

class LinkLabelTest : public MainWindowTest {
protected:
    void SetUp() override {
        SetBrowserColours(nullptr, nullptr);
        ASSERT_TRUE(e2e::MoveTo({0, 0}));
    }
    void TearDown() override {
        SetBrowserColours(nullptr, nullptr);
        MainWindowTest::TearDown();
    }
    // Pumps until the control shows what check wants; returns its last look.
    static Snapshot Await(HWND control, const std::function<bool(const Snapshot&)>& check) {
        std::optional<Snapshot> last;
        PumpUntil([&] { return check(last.emplace(Snapshot::OfClient(control))); }, 3000);
        return std::move(*last);
    }
    static bool HasColour(HWND control, COLORREF colour) {
        return PixelsOf(Await(control, [&](const Snapshot& s) { return PixelsOf(s, colour).has_value(); }), colour)
            .has_value();
    }

    ShellRecorder recorder_{KVORO_SHELL_RECORDER};
};

TEST_F(LinkLabelTest, TheReminderUnderlinesOnHoverAndOpensTheUpdateAddressOnAClick) {
    Open(1, GameType::Standard);
    const HWND reminder = Item(IDC_REMINDER);
    const Snapshot still = Snapshot::OfClient(reminder);
    const std::optional<RECT> black = PixelsOf(still, RGB(0, 0, 0)), link = PixelsOf(still, kLink);
    ASSERT_TRUE(black && link);
    EXPECT_EQ(still.Pixel(0, 0), kGreen);
    EXPECT_LT(black->right, link->left);  // the plain part first, the link after it
    EXPECT_EQ(TooltipText(reminder), kUpdateAddress);
    // Underlined while the pointer is over the link, not over the plain part or outside.
    const auto hover = [&](POINT at, bool underlined) {
        EXPECT_TRUE(e2e::MoveTo(at));
        const auto wanted = [&](const Snapshot& s) { return Underlined(s, *link, kLink) == underlined; };
        EXPECT_TRUE(wanted(Await(reminder, wanted))) << at.x << "," << at.y;
    };
    hover(Centre(reminder, *link), true);
    EXPECT_TRUE(Snapshot::OfClient(reminder).SavePng("reminder_hover.png"));
    hover(Centre(reminder, *black), false);
    hover(Centre(reminder, *link), true);
    hover(OnScreen(reminder, link->left, -20), false);

    // Pressed inside and released outside, or the other way round: nothing opens.
    for (const auto& [from, to] : {std::pair{*link, *black}, std::pair{*black, *link}}) {
        ASSERT_TRUE(e2e::MoveTo(Centre(reminder, from)));
        e2e::LeftButton(true);
        ASSERT_TRUE(e2e::MoveTo(Centre(reminder, to)));
        e2e::LeftButton(false);
        PumpUntil([] { return false; }, 300);
    }
    EXPECT_EQ(recorder_.Opened(), std::vector<std::string>{});
    EXPECT_TRUE(PixelsOf(Snapshot::OfClient(reminder), kLink));

    ASSERT_TRUE(e2e::ClickAt(Centre(reminder, *link)));
    ASSERT_TRUE(recorder_.WaitFor(1));
    EXPECT_EQ(recorder_.Opened(), std::vector<std::string>{kUpdateAddress});
    EXPECT_TRUE(HasColour(reminder, kVisited));
    EXPECT_FALSE(PixelsOf(Snapshot::OfClient(reminder), kLink));
    EnableWindow(reminder, FALSE);
    EXPECT_TRUE(HasColour(reminder, GetSysColor(COLOR_GRAYTEXT)));
    EXPECT_FALSE(PixelsOf(Snapshot::OfClient(reminder), kVisited));
}

TEST_F(LinkLabelTest, TheAboutLinkShowsTheHomepageOpensTheUpdatePageInTheBrowsersColours) {
    struct Case {
        const char* link;
        const char* visited;
        COLORREF linkColour, visitedColour;
    };
    const Case cases[] = {
        {"200,10,30", "10,200,30", RGB(200, 10, 30), RGB(10, 200, 30)},
        {"255,0", "1,2,", kLink, kVisited},
        {"-1,0,0", "", kLink, kVisited},
        {"100,100,1000", nullptr, kLink, kVisited},  // 13 bytes with its zero: too long
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.link);
        SetBrowserColours(c.link, c.visited);
        recorder_.Clear();
        AboutDialog about;
        ASSERT_TRUE(about.CreateModeless(IDD_ABOUT, nullptr));
        ShowWindow(about.hwnd(), SW_SHOW);
        SetForegroundWindow(about.hwnd());
        PumpMessages();
        const HWND link = GetDlgItem(about.hwnd(), IDC_ABOUT_LINK);
        char text[128] = {};
        GetWindowTextA(link, text, sizeof(text));
        EXPECT_STREQ(text, "Homepage:\nhttp://www.example.com/Kvoro/");
        EXPECT_EQ(TooltipText(link), kUpdateAddress);
        const Snapshot shown = Snapshot::OfClient(link);
        const std::optional<RECT> drawn = PixelsOf(shown, c.linkColour);
        ASSERT_TRUE(drawn);
        EXPECT_TRUE(Underlined(shown, *drawn, c.linkColour));
        EXPECT_EQ(shown.Pixel(0, 0), RGB(255, 255, 255));
        if (&c == cases) EXPECT_TRUE(Snapshot::OfClient(about.hwnd()).SavePng("about.png"));

        ASSERT_TRUE(e2e::ClickAt(Centre(link, *drawn)));
        ASSERT_TRUE(recorder_.WaitFor(1));
        EXPECT_EQ(recorder_.Opened(), std::vector<std::string>{kUpdateAddress});
        EXPECT_TRUE(HasColour(link, c.visitedColour));
    }
}

}  // namespace
}  // namespace kvoro::test
