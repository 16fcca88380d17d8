#include "ui/score_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "test_support.h"
#include "ui/score_grid_model.h"

namespace kvoro {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kYellow = RGB(255, 255, 200);
constexpr COLORREF kGrey = RGB(230, 230, 230);
constexpr COLORREF kRed = RGB(200, 0, 0);

std::vector<std::pair<WPARAM, LPARAM>> chosen;  // WM_ROW_CHOSEN as the parent received it

LRESULT CALLBACK ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ROW_CHOSEN) chosen.emplace_back(wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

// The grid in a plain parent that records what the grid reports, redrawn the way the main window does it.
class ScoreGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ParentProcedure;
        windowClass.hInstance = AppInstance();
        windowClass.lpszClassName = "GridTestParent";
        RegisterClassA(&windowClass);
        parent_ = CreateWindowExA(0, "GridTestParent", "Grid", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 500, 600,
                                  nullptr, nullptr, AppInstance(), nullptr);
        ASSERT_TRUE(grid_.Create(parent_));
        grid_.Attach(&state_);
        chosen.clear();
    }
    void TearDown() override { DestroyWindow(parent_); }

    void Show() {
        grid_.Redraw();
        RedrawWindow(grid_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        test::PumpMessages();
    }
    SIZE WindowSize() const {
        RECT outer;
        GetWindowRect(grid_.hwnd(), &outer);
        return {outer.right - outer.left, outer.bottom - outer.top};
    }
    // The middle of a player's cell in the row (client coordinates).
    POINT CellCentre(int player, int row) const {
        const Rect cell = CellRect(player, *RowRect(state_.gameType, row, 300));
        return {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    }
    void Click(POINT at) {
        SendMessageA(grid_.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        SendMessageA(grid_.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
    void Roll(std::initializer_list<int> faces) {
        std::copy(faces.begin(), faces.end(), state_.dice.values);
        state_.hasRolled = 1;
    }
    COLORREF Pixel(int x, int y) const { return test::ClientPixel(grid_.hwnd(), x, y); }

    HWND parent_ = nullptr;
    GameState state_{7};
    ScoreGrid grid_;
};

TEST_F(ScoreGridTest, RedrawFitsTheWindowToTheCardAndDrawsItAtOnce) {
    state_.startGame(4, GameType::Maxi);
    Show();
    EXPECT_EQ(WindowSize().cx, 212);
    EXPECT_EQ(WindowSize().cy, 480);
    state_.startGame(2, GameType::Standard);
    grid_.Redraw();
    EXPECT_EQ(WindowSize().cx, 152);
    EXPECT_EQ(WindowSize().cy, 380);
    test::PumpMessages();
    EXPECT_EQ(Pixel(2, 370), kGrey);  // the Score row at the new bottom
}

TEST_F(ScoreGridTest, ClicksReportOnlyChoosableCellsOfTheCurrentPlayer) {
    state_.startGame(3, GameType::Maxi);
    state_.currentPlayer = 2;
    state_.card(2).values[Sixes] = 18;
    state_.card(2).values[Pair] = -1;
    Show();
    Click(CellCentre(2, Ones));
    EXPECT_TRUE(chosen.empty()) << "before the first roll nothing may be chosen";

    // Which cells answer is the hit test's (model_tests); here: what the parent hears.
    Roll({2, 2, 4, 4, 6, 6});
    for (int row : {Ones, Sixes, Pair, Bonus, Chance}) Click(CellCentre(2, row));
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_EQ(chosen[0], std::make_pair(WPARAM{Ones}, reinterpret_cast<LPARAM>(grid_.hwnd())));
    EXPECT_EQ(chosen[1].first, static_cast<WPARAM>(Chance));
}

TEST_F(ScoreGridTest, CursorIsAHandOverChoosableCellsOnly) {
    state_.startGame(2, GameType::Standard);
    Roll({1, 2, 3, 4, 5, 0});
    Show();
    const auto cursorOver = [&](int row) {
        POINT at = CellCentre(1, row);
        ClientToScreen(grid_.hwnd(), &at);
        SetCursorPos(at.x, at.y);
        const HWND grid = grid_.hwnd();
        SendMessageA(grid, WM_SETCURSOR, reinterpret_cast<WPARAM>(grid), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    EXPECT_EQ(cursorOver(SmallStraight), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
    EXPECT_EQ(cursorOver(Total), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
}

TEST_F(ScoreGridTest, PixelsOfTintComputedRowsPreviewAndCross) {
    state_.startGame(3, GameType::Standard);
    state_.currentPlayer = 2;
    state_.card(2).values[Pair] = -1;
    state_.card(3).values[Pair] = -1;
    Show();
    EXPECT_EQ(Pixel(125, 30), kYellow) << "the current player's column is tinted";
    EXPECT_EQ(Pixel(95, 30), kWhite);
    EXPECT_EQ(Pixel(155, 30), kWhite);
    const int bonusMiddle = RowRect(GameType::Standard, Bonus, 300)->top + 10;
    EXPECT_EQ(Pixel(2, bonusMiddle), kGrey);
    EXPECT_EQ(Pixel(125, bonusMiddle), kGrey) << "the grey row covers the tint";

    // The cross is black on whatever lies below it: its white is keyed out.
    for (int player : {2, 3}) {
        const Point origin = CrossOrigin(CellRect(player, *RowRect(GameType::Standard, Pair, 300)));
        EXPECT_EQ(Pixel(origin.x + 8, origin.y + 8), RGB(0, 0, 0));
        EXPECT_EQ(Pixel(origin.x, origin.y), player == 2 ? kYellow : kWhite);
    }

    const auto redPixels = [&] {
        int count = 0;
        for (int y = 20; y < 360; ++y)
            for (int x = 121; x < 144; ++x) count += Pixel(x, y) == kRed;
        return count;
    };
    EXPECT_EQ(redPixels(), 0) << "no preview before a roll";
    Roll({5, 1, 5, 3, 5, 0});
    Show();
    EXPECT_GT(redPixels(), 0);

    state_.playerCount = 1;  // a single player's column is never tinted
    state_.currentPlayer = 1;
    Show();
    EXPECT_EQ(Pixel(95, 30), kWhite);
}

}  // namespace
}  // namespace kvoro
