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
    HWND Make(DWORD style, int x, int y, int width, int height, HWND parentOrOwner) {
        const HWND window = CreateWindowExA(0, "STATIC", "", style, x, y, width, height, parentOrOwner, nullptr,
                                            AppInstance(), nullptr);
        if (!(style & WS_CHILD)) made_.push_back(window);
        return window;
    }
    void TearDown() override {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it) DestroyWindow(*it);
    }

    std::vector<HWND> made_;
};

TEST_F(PlaceCentredTest, TopLevelWindowGoesOverItsOwner) {
    const HWND owner = Make(WS_POPUP | WS_VISIBLE, 100, 100, 600, 400, nullptr);
    const HWND dialog = Make(WS_POPUP | WS_VISIBLE, 0, 0, 201, 101, owner);
    PlaceCentred(dialog, nullptr);
    const RECT placed = WindowRect(dialog);
    EXPECT_EQ(placed.left, (100 + 700) / 2 - 201 / 2);
    EXPECT_EQ(placed.top, (100 + 500) / 2 - 101 / 2);
    EXPECT_EQ(placed.right - placed.left, 201) << "only moved, never sized";

    // The same with the owner named, from anywhere the window was before.
    SetWindowPos(dialog, nullptr, 900, 700, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PlaceCentred(dialog, owner);
    EXPECT_EQ(WindowRect(dialog).left, placed.left);
    EXPECT_EQ(WindowRect(dialog).top, placed.top);
}

TEST_F(PlaceCentredTest, HiddenOrMinimisedOwnerGivesWayToTheWorkArea) {
    const RECT area = WorkArea();
    const LONG expectedLeft = (area.left + area.right) / 2 - 150;
    const LONG expectedTop = (area.top + area.bottom) / 2 - 100;
    const HWND owner = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr);
    const HWND dialog = Make(WS_POPUP | WS_VISIBLE, 5, 5, 300, 200, owner);

    ShowWindow(owner, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(owner));
    PlaceCentred(dialog, owner);
    EXPECT_EQ(WindowRect(dialog).left, expectedLeft);
    EXPECT_EQ(WindowRect(dialog).top, expectedTop);

    ShowWindow(owner, SW_RESTORE);
    ShowWindow(owner, SW_HIDE);
    SetWindowPos(dialog, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PlaceCentred(dialog, nullptr);
    EXPECT_EQ(WindowRect(dialog).left, expectedLeft);
    EXPECT_EQ(WindowRect(dialog).top, expectedTop);
}

TEST_F(PlaceCentredTest, WindowLargerThanTheWorkAreaMeetsItsTrailingEdge) {
    const RECT area = WorkArea();
    const LONG width = area.right - area.left + 200;
    const LONG height = area.bottom - area.top + 100;
    // An owner in the bottom-right corner: centred there the window starts
    // inside the area but overhangs it, so its trailing edges meet the area's.
    const HWND owner = Make(WS_POPUP | WS_VISIBLE, area.right - 300, area.bottom - 200, 300, 200, nullptr);
    const HWND big = Make(WS_POPUP | WS_VISIBLE, 0, 0, width, height, owner);
    ASSERT_EQ(WindowRect(big).right - WindowRect(big).left, width);
    PlaceCentred(big, owner);
    EXPECT_EQ(WindowRect(big).right, area.right);
    EXPECT_EQ(WindowRect(big).bottom, area.bottom);
    EXPECT_LT(WindowRect(big).left, area.left);

    // Centred on the work area itself it would start before the leading edge: it starts there.
    ShowWindow(owner, SW_HIDE);
    PlaceCentred(big, owner);
    EXPECT_EQ(WindowRect(big).left, area.left);
    EXPECT_EQ(WindowRect(big).top, area.top);
}

TEST_F(PlaceCentredTest, ChildStaysInItsParentsClientArea) {
    const HWND parent = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 500, 400, nullptr);
    RECT client;
    GetClientRect(parent, &client);
    const HWND child = Make(WS_CHILD | WS_VISIBLE, 0, 0, 100, 50, parent);
    const auto childPosition = [&] {
        RECT rect = WindowRect(child);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    };

    PlaceCentred(child, nullptr);
    EXPECT_EQ(childPosition().left, client.right / 2 - 50);
    EXPECT_EQ(childPosition().top, client.bottom / 2 - 25);

    // Over a sibling near the corner, held back by the parent's top-left edge.
    const HWND sibling = Make(WS_CHILD | WS_VISIBLE | WS_BORDER, 5, 10, 80, 60, parent);
    RECT siblingClient;
    GetClientRect(sibling, &siblingClient);
    MapWindowPoints(sibling, parent, reinterpret_cast<POINT*>(&siblingClient), 2);
    PlaceCentred(child, sibling);
    EXPECT_EQ(childPosition().left, 0);
    EXPECT_EQ(childPosition().top, (siblingClient.top + siblingClient.bottom) / 2 - 25);
}

}  // namespace
}  // namespace kvoro
