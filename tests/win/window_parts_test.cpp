// The score card and the program's dialogs, each under a plain top-level owner.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "framework/subclassed_control.h"
#include "framework/window.h"
#include "res/resource.h"
#include "test_support.h"
#include "builders.h"
#include "ui/highscore_dialog.h"
#include "ui/new_game_dialog.h"
#include "ui/place_centred.h"
#include "ui/score_grid.h"
#include "ui/score_grid_model.h"

namespace kvoro {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kYellow = RGB(255, 255, 200);
constexpr COLORREF kGrey = RGB(230, 230, 230);

std::vector<std::pair<WPARAM, LPARAM>> chosen;  // WM_ROW_CHOSEN as the owner received it

LRESULT CALLBACK OwnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ROW_CHOSEN) chosen.emplace_back(wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string Text(HWND dialog, int id) { return test::WindowText(GetDlgItem(dialog, id)); }

// One character a control from first to last: '1' where is(control) holds, else '0'.
std::string Pattern(HWND dialog, int first, int last, const std::function<bool(HWND)>& is) {
    std::string pattern;
    for (int id = first; id <= last; ++id) pattern += is(GetDlgItem(dialog, id)) ? '1' : '0';
    return pattern;
}
bool IsChecked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// A key as the dialog's message loop sees it, sent to the focused control.
void PressKey(WPARAM key) { PostMessageA(GetFocus(), WM_KEYDOWN, key, 0); }

// The tops of the separate bands of text in a column range below the highscore title.
std::vector<int> TextBandTops(const test::Snapshot& shown, int left, int right) {
    std::vector<int> tops;
    bool inBand = false;
    for (int y = 40; y < shown.height(); ++y) {
        bool ink = false;
        for (int x = left; x < right && !ink; ++x) ink = GetGValue(shown.Pixel(x, y)) < 160;
        if (ink && !inBand) tops.push_back(y);
        inBand = ink;
    }
    return tops;
}

class WindowPartsTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = OwnerProcedure;
        windowClass.hInstance = AppInstance();
        windowClass.lpszClassName = "TestOwner";
        RegisterClassA(&windowClass);
        owner_ = CreateWindowExA(0, "TestOwner", "Board", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 80, 700, 600,
                                 nullptr, nullptr, AppInstance(), nullptr);
        chosen.clear();
    }
    void TearDown() override { DestroyWindow(owner_); }

    // Runs the dialog over the owner; action answers it from inside its modal loop.
    template <class Dialog>
    INT_PTR Run(Dialog&& dialog, const char* caption, std::function<void(HWND)> action) {
        test::DialogAnswers answers;
        answers.On(caption, std::move(action));
        const INT_PTR result = dialog.Run(owner_);
        EXPECT_EQ(answers.log().size(), 1u);
        return result;
    }
    INT_PTR NewGame(std::function<void(HWND)> action) { return Run(NewGameDialog(state_, seats_), "New Game", action); }

    void StartCard(int players, GameType type) {
        ASSERT_TRUE(grid_.Create(owner_));
        grid_.Attach(&state_);
        state_.startGame(players, type);
    }
    // Redraws the card the way the main window does it.
    void Show() {
        grid_.Redraw();
        RedrawWindow(grid_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        test::PumpMessages();
    }
    std::pair<LONG, LONG> CardSize() const {
        RECT outer;
        GetWindowRect(grid_.hwnd(), &outer);
        return {outer.right - outer.left, outer.bottom - outer.top};
    }
    COLORREF Pixel(int x, int y) const { return test::ClientPixel(grid_.hwnd(), x, y); }

    HWND owner_ = nullptr;
    GameState state_{7};
    play::Seats seats_;
    ScoreGrid grid_;
};

// Which cells answer clicks is the hit test's (model tests); here: what the owner hears, and the cursor.
TEST_F(WindowPartsTest, ScoreCardFitsItsWindowDrawsTintComputedRowsPreviewAndCrossAndReportsChoosableCells) {
    StartCard(4, GameType::Maxi);
    Show();
    EXPECT_EQ(CardSize(), std::make_pair(212L, 480L));
    state_.startGame(3, GameType::Standard);
    state_.currentPlayer = 2;
    state_.card(2).values[Sixes] = 18;
    state_.card(2).values[Pair] = -1;
    state_.card(3).values[Pair] = -1;
    grid_.Redraw();
    EXPECT_EQ(CardSize(), std::make_pair(182L, 380L));
    test::PumpMessages();
    EXPECT_EQ(Pixel(2, 370), kGrey);  // the Score row at the new bottom
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
    // Clicks a cell of the current player; whether the cursor is a hand over it.
    const auto click = [&](int row) {
        const Rect cell = CellRect(2, *RowRect(state_.gameType, row, 300));
        POINT at{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
        SendMessageA(grid_.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        SendMessageA(grid_.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        ClientToScreen(grid_.hwnd(), &at);
        SetCursorPos(at.x, at.y);
        SendMessageA(grid_.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(grid_.hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor() == LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
    };
    constexpr COLORREF kPreviewRed = RGB(200, 0, 0);
    EXPECT_EQ(test::Snapshot::OfClient(grid_.hwnd()).Count(kPreviewRed), 0) << "no preview before a roll";
    EXPECT_FALSE(click(Ones));
    EXPECT_TRUE(chosen.empty()) << "before the first roll nothing may be chosen";
    test::SetDice(state_, {5, 1, 5, 3, 5, 0});
    Show();
    EXPECT_GT(test::Snapshot::OfClient(grid_.hwnd()).Count(kPreviewRed), 0);
    for (int row : {Ones, Sixes, Pair, Bonus, Chance}) EXPECT_EQ(click(row), row == Ones || row == Chance) << row;
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_EQ(chosen[0], std::make_pair(WPARAM{Ones}, reinterpret_cast<LPARAM>(grid_.hwnd())));
    EXPECT_EQ(chosen[1].first, static_cast<WPARAM>(Chance));

    state_.playerCount = 1;  // a single player's column is never tinted
    state_.currentPlayer = 1;
    Show();
    EXPECT_EQ(Pixel(95, 30), kWhite);
}

TEST_F(WindowPartsTest, HighscoresDrawOneEvenlySpacedLineEachOnAWhiteBrushMadeOnceClosedByOkOrCancel) {
    HighscoreStore store;
    store.tables[0].entries[0] = test::Entry("Ann", 250);
    store.tables[0].entries[1] = test::Entry("Bob", 180);
    store.tables[0].entries[3] = test::Entry("Cy", 90);  // slot 2 is empty
    for (int table : {2, 3}) {  // never shown
        for (HighscoreEntry& entry : store.tables[table].entries) entry = test::Entry("Spare", 999);
    }
    store.tables[1].entries[0] = test::Entry("Dee", 400);
    HighscoreDialog dialog(store);
    std::optional<test::Snapshot> shown;
    HBRUSH first = nullptr;
    const auto brush = [](HWND window) { return reinterpret_cast<HBRUSH>(SendMessageA(window, WM_CTLCOLORDLG, 0, 0)); };
    EXPECT_EQ(Run(dialog, "Highscore", [&](HWND window) {
                  UpdateWindow(window);
                  shown.emplace(test::Snapshot::OfClient(window));
                  first = brush(window);
                  EXPECT_TRUE(test::CentredOn(window, owner_));
                  SendMessageA(window, WM_COMMAND, IDOK, 0);
              }),
              IDOK);
    const test::Snapshot& picture = *shown;
    picture.SavePng("highscore.png");
    const int width = picture.width(), half = width / 2;
    EXPECT_FALSE(TextBandTops(picture, half - 40, half + 40).empty()) << "the title";
    EXPECT_EQ(picture.Pixel(width - 1, picture.height() - 1), kWhite);
    EXPECT_EQ(TextBandTops(picture, 0, half).size(), 4u) << "heading and three lines";
    EXPECT_EQ(TextBandTops(picture, half, width).size(), 2u);
    const std::vector<int> ranks = TextBandTops(picture, 10, 28);
    ASSERT_EQ(ranks.size(), 4u) << "the heading, then a rank on every line";
    EXPECT_EQ(ranks[2] - ranks[1], ranks[3] - ranks[2]) << "no room left for the empty slot";
    LOGBRUSH colour{};
    ASSERT_TRUE(GetObjectA(first, sizeof colour, &colour));
    EXPECT_EQ(colour.lbColor, kWhite);

    EXPECT_EQ(Run(dialog, "Highscore", [&](HWND window) {
                  EXPECT_EQ(brush(window), first);
                  SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
              }),
              IDCANCEL);
}

TEST_F(WindowPartsTest, NewGameOffersOnePlayerFirstEnablesANameFieldOfSixteenCharactersAPlayerAndOffersItAgain) {
    EXPECT_EQ(NewGame([this](HWND dialog) {
                  EXPECT_EQ(Pattern(dialog, IDC_PLAYERS1, IDC_PLAYERS5, IsChecked), "10000");
                  EXPECT_EQ(Pattern(dialog, IDC_NAME1, IDC_NAME5, IsWindowEnabled), "10000");
                  for (int player = 1; player <= 5; ++player) {
                      EXPECT_EQ(Text(dialog, IDC_NAME1 + player - 1), "Player " + std::to_string(player));
                  }
                  EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_TYPE_STANDARD));
                  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_NAME1));
                  EXPECT_EQ(SendMessageA(GetFocus(), EM_GETSEL, 0, 0), MAKELRESULT(0, 8)) << "typing replaces the name";
                  for (char c = 'a'; c < 'a' + 17; ++c) SendMessageA(GetFocus(), WM_CHAR, c, 1);
                  EXPECT_EQ(Text(dialog, IDC_NAME1), "abcdefghijklmnop");
                  EXPECT_TRUE(test::CentredOn(dialog, owner_));
                  SetDlgItemTextA(dialog, IDC_NAME4, "Dee");
                  test::Click(dialog, IDC_PLAYERS5);
                  EXPECT_EQ(Pattern(dialog, IDC_NAME1, IDC_NAME5, IsWindowEnabled), "11111");
                  test::Click(dialog, IDC_PLAYERS2);
                  EXPECT_EQ(Pattern(dialog, IDC_NAME1, IDC_NAME5, IsWindowEnabled), "11000");
                  SetDlgItemTextA(dialog, IDC_NAME1, "Ann");
                  SetDlgItemTextA(dialog, IDC_NAME2, "");
                  SetDlgItemTextA(dialog, IDC_NAME3, "Cy");
                  test::Click(dialog, IDC_PLAYERS3);
                  test::Click(dialog, IDC_TYPE_MAXI);
                  PressKey(VK_RETURN);  // Start is the default button
              }),
              IDOK);
    EXPECT_EQ(state_.playerCount, 3);
    EXPECT_EQ(state_.gameType, GameType::Maxi);
    const char* names[] = {"Ann", "", "Cy", "Dee", "Player 5"};  // disabled fields are stored too
    for (int player = 1; player <= 5; ++player) EXPECT_STREQ(state_.playerName(player), names[player - 1]);

    // Escape and the close box leave the game in progress untouched.
    const std::vector<BYTE> before = test::Bytes(state_);
    for (bool escape : {true, false}) {
        EXPECT_EQ(NewGame([&](HWND dialog) {
                      EXPECT_EQ(Pattern(dialog, IDC_PLAYERS1, IDC_PLAYERS5, IsChecked), "00100");
                      EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_TYPE_MAXI));
                      EXPECT_EQ(Pattern(dialog, IDC_NAME1, IDC_NAME5, IsWindowEnabled), "11100");
                      EXPECT_EQ(Text(dialog, IDC_NAME2), "Player 2") << "an empty name shows the default again";
                      EXPECT_EQ(Text(dialog, IDC_NAME4), "Dee") << "a disabled field keeps its text";
                      test::Click(dialog, IDC_PLAYERS5);
                      test::Click(dialog, IDC_TYPE_STANDARD);
                      SetDlgItemTextA(dialog, IDC_NAME1, "Zed");
                      if (escape) {
                          PressKey(VK_ESCAPE);
                      } else {
                          SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
                      }
                  }),
                  IDCANCEL);
        EXPECT_EQ(test::Bytes(state_), before) << escape;
    }
}

// Over an owner the user cannot see the program's dialogs centre on the work
// area. (Sizes and edges: the centring model's tests.)
TEST_F(WindowPartsTest, PlacementOverAMinimisedOrHiddenOwnerCentresOnTheWorkArea) {
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const HWND popup = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 5, 5, 300, 200, owner_, nullptr,
                                       AppInstance(), nullptr);
    for (int show : {SW_MINIMIZE, SW_HIDE}) {
        ShowWindow(owner_, SW_RESTORE);
        ShowWindow(owner_, show);
        SetWindowPos(popup, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        PlaceCentred(popup, show == SW_HIDE ? nullptr : owner_);
        RECT placed;
        GetWindowRect(popup, &placed);
        EXPECT_EQ(placed.left, (area.left + area.right) / 2 - 150) << show;
        EXPECT_EQ(placed.top, (area.top + area.bottom) / 2 - 100) << show;
    }
    DestroyWindow(popup);
}

// What OutputDebugString hands to a debugger, caught in-process: the platform raises it as DBG_PRINTEXCEPTION_C.
std::string debugOutput;
LONG CALLBACK KeepDebugOutput(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    if (record.ExceptionCode != DBG_PRINTEXCEPTION_C) return EXCEPTION_CONTINUE_SEARCH;
    debugOutput += reinterpret_cast<const char*>(record.ExceptionInformation[1]);
    return EXCEPTION_CONTINUE_EXECUTION;
}

class ThrowingWindow : public Window {
public:
    HWND Create(HWND parent) {
        return CreateBound("KvoroThrowingWindow", 0, nullptr, 0, "", WS_CHILD, RECT{0, 0, 10, 10}, parent);
    }
    int timers = 0;

protected:
    bool OnTimer(UINT_PTR) override {
        ++timers;
        throw std::runtime_error("a failed handler");
    }
};

class ThrowingControl : public SubclassedControl {
public:
    bool Attach(HWND control) { return Subclass(control); }

protected:
    bool OnChar(UINT) override { throw std::bad_alloc(); }
};

// A handler that throws leaves the window working and a trace for a maintainer: its message and window class.
TEST_F(WindowPartsTest, AFailedHandlerLeavesItsMessageAndWindowClassInTheDebugOutput) {
    const PVOID handler = AddVectoredExceptionHandler(1, KeepDebugOutput);
    ThrowingWindow window;
    ASSERT_TRUE(window.Create(owner_));
    ThrowingControl control;
    const HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 20, 100, 20, owner_, nullptr, AppInstance(), nullptr);
    ASSERT_TRUE(control.Attach(edit));
    debugOutput.clear();
    SendMessageA(window.hwnd(), WM_TIMER, 1, 0);
    SendMessageA(window.hwnd(), WM_TIMER, 1, 0);
    SendMessageA(edit, WM_CHAR, 'k', 0);
    RemoveVectoredExceptionHandler(handler);
    EXPECT_EQ(window.timers, 2);
    EXPECT_NE(debugOutput.find("0x0113 failed in a window of class \"KvoroThrowingWindow\""), std::string::npos)
        << debugOutput;
    EXPECT_NE(debugOutput.find("0x0102 failed in a window of class \"Edit\""), std::string::npos) << debugOutput;
    EXPECT_EQ(test::WindowText(edit), "k") << "left to the control";
    DestroyWindow(edit);
}

}  // namespace
}  // namespace kvoro
