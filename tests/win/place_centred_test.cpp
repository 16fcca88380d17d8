#include "ui/place_centred.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/window.h"
#include "test_support.h"

namespace kvoro {
namespace {

RECT WindowRect(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return rect;
}

RECT WorkArea() {
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

class PlaceCentredTest : public ::testing::Test {
protected:
    HWND Make(DWORD style, int x, int y, int width, int height, HWND owner) {
        const HWND window = CreateWindowExA(0, "STATIC", "", style, x, y, width, height, owner, nullptr,
                                            AppInstance(), nullptr);
        made_.push_back(window);
        return window;
    }
    void TearDown() override {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it) DestroyWindow(*it);
    }
    // Moves the window away, places it, and returns its top-left corner.
    static POINT Placed(HWND window, HWND reference) {
        SetWindowPos(window, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        PlaceCentred(window, reference);
        const RECT rect = WindowRect(window);
        return {rect.left, rect.top};
    }

    std::vector<HWND> made_;
};

TEST_F(PlaceCentredTest, HiddenOrMinimisedOwnerGivesWayToTheWorkArea) {
    const RECT area = WorkArea();
    const POINT centred{(area.left + area.right) / 2 - 150, (area.top + area.bottom) / 2 - 100};
    const HWND owner = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr);
    const HWND dialog = Make(WS_POPUP | WS_VISIBLE, 5, 5, 300, 200, owner);
    ShowWindow(owner, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(owner));
    const POINT overMinimised = Placed(dialog, owner);
    EXPECT_EQ(overMinimised.x, centred.x);
    EXPECT_EQ(overMinimised.y, centred.y);
    ShowWindow(owner, SW_RESTORE);
    ShowWindow(owner, SW_HIDE);
    const POINT overHidden = Placed(dialog, nullptr);
    EXPECT_EQ(overHidden.x, centred.x);
    EXPECT_EQ(overHidden.y, centred.y);
}

TEST_F(PlaceCentredTest, WindowLargerThanTheWorkAreaMeetsItsTrailingEdge) {
    const RECT area = WorkArea();
    const LONG width = area.right - area.left + 200;
    const LONG height = area.bottom - area.top + 100;
    // Centred on an owner in the bottom-right corner it starts inside the area but overhangs it.
    const HWND owner = Make(WS_POPUP | WS_VISIBLE, area.right - 300, area.bottom - 200, 300, 200, nullptr);
    const HWND big = Make(WS_POPUP | WS_VISIBLE, 0, 0, width, height, owner);
    ASSERT_EQ(WindowRect(big).right - WindowRect(big).left, width);
    PlaceCentred(big, owner);
    EXPECT_EQ(WindowRect(big).right - WindowRect(big).left, width) << "only moved, never sized";
    EXPECT_EQ(WindowRect(big).right, area.right);
    EXPECT_EQ(WindowRect(big).bottom, area.bottom);
    EXPECT_LT(WindowRect(big).left, area.left);

    // Centred on the work area itself it would start before the leading edge: it starts there.
    ShowWindow(owner, SW_HIDE);
    const POINT placed = Placed(big, owner);
    EXPECT_EQ(placed.x, area.left);
    EXPECT_EQ(placed.y, area.top);
}

}  // namespace
}  // namespace kvoro
