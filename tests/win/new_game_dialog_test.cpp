#include "ui/new_game_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "res/resource.h"
#include "test_support.h"
#include "ui/place_centred.h"

namespace kvoro {
namespace {

std::string Text(HWND dialog, int id) {
    char text[64] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Which of the five name fields are enabled, as "11100".
std::string EnabledFields(HWND dialog) {
    std::string pattern;
    for (int id = IDC_NAME1; id <= IDC_NAME5; ++id) pattern += IsWindowEnabled(GetDlgItem(dialog, id)) ? '1' : '0';
    return pattern;
}

// Which of the five player-count buttons are checked, as "00100".
std::string CheckedCounts(HWND dialog) {
    std::string pattern;
    for (int id = IDC_PLAYERS1; id <= IDC_PLAYERS5; ++id) pattern += IsDlgButtonChecked(dialog, id) ? '1' : '0';
    return pattern;
}

void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// A key as the dialog's message loop sees it, sent to the focused control.
void PressKey(WPARAM key) { PostMessageA(GetFocus(), WM_KEYDOWN, key, 0); }

std::vector<unsigned char> Bytes(const GameState& state) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&state);
    return {bytes, bytes + sizeof state};
}

class NewGameDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowExA(0, "STATIC", "Board", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 80, 700, 520, nullptr,
                                 nullptr, AppInstance(), nullptr);
    }
    void TearDown() override { DestroyWindow(owner_); }

    // Opens the dialog over the owner and runs action inside it.
    INT_PTR Open(std::function<void(HWND)> action) {
        test::DialogAnswers answers;
        answers.On("New Game", std::move(action));
        const INT_PTR result = NewGameDialog(state_).Run(owner_);
        EXPECT_EQ(answers.log().size(), 1u);
        return result;
    }

    HWND owner_ = nullptr;
    GameState state_{11};
};

TEST_F(NewGameDialogTest, FirstOpeningOffersOneStandardPlayerAndDefaultNames) {
    const std::vector<unsigned char> before = Bytes(state_);
    const INT_PTR result = Open([&](HWND dialog) {
        EXPECT_EQ(CheckedCounts(dialog), "10000");
        EXPECT_EQ(EnabledFields(dialog), "10000");
        for (int player = 1; player <= 5; ++player) {
            EXPECT_EQ(Text(dialog, IDC_NAME1 + player - 1), "Player " + std::to_string(player));
        }
        EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_TYPE_STANDARD));
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_NAME1));
        EXPECT_EQ(SendMessageA(GetFocus(), EM_GETSEL, 0, 0), MAKELRESULT(0, 8)) << "typing replaces the name";
        EXPECT_TRUE(test::CentredOn(dialog, owner_));
        PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(Bytes(state_), before);
}

TEST_F(NewGameDialogTest, PlayerCountEnablesThatManyNameFieldsOfSixteenCharacters) {
    Open([](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_NAME4, "Dee");
        Click(dialog, IDC_PLAYERS3);
        EXPECT_EQ(CheckedCounts(dialog), "00100");
        EXPECT_EQ(EnabledFields(dialog), "11100");
        Click(dialog, IDC_PLAYERS5);
        EXPECT_EQ(EnabledFields(dialog), "11111");
        Click(dialog, IDC_PLAYERS2);
        EXPECT_EQ(EnabledFields(dialog), "11000");
        EXPECT_EQ(Text(dialog, IDC_NAME4), "Dee") << "a disabled field keeps its text";

        const HWND field = GetDlgItem(dialog, IDC_NAME1);
        SetFocus(field);
        SendMessageA(field, EM_SETSEL, 0, -1);
        for (char c = 'a'; c < 'a' + 17; ++c) SendMessageA(field, WM_CHAR, c, 1);
        EXPECT_EQ(Text(dialog, IDC_NAME1), "abcdefghijklmnop");
        PressKey(VK_ESCAPE);
    });
}

TEST_F(NewGameDialogTest, StartSetsUpTheGameAndTheNextOpeningOffersItAgain) {
    const INT_PTR started = Open([](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_NAME1, "Ann");
        SetDlgItemTextA(dialog, IDC_NAME2, "");
        SetDlgItemTextA(dialog, IDC_NAME3, "Cy");
        SetDlgItemTextA(dialog, IDC_NAME4, "Dee");
        Click(dialog, IDC_PLAYERS3);
        Click(dialog, IDC_TYPE_MAXI);
        PressKey(VK_RETURN);  // Start is the default button
    });
    EXPECT_EQ(started, IDOK);
    EXPECT_EQ(state_.playerCount, 3);
    EXPECT_EQ(state_.gameType, GameType::Maxi);
    const char* names[] = {"Ann", "", "Cy", "Dee", "Player 5"};  // disabled fields are stored too
    for (int player = 1; player <= 5; ++player) EXPECT_STREQ(state_.playerName(player), names[player - 1]);

    const INT_PTR again = Open([](HWND dialog) {
        EXPECT_EQ(CheckedCounts(dialog), "00100");
        EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_TYPE_MAXI));
        EXPECT_EQ(EnabledFields(dialog), "11100");
        EXPECT_EQ(Text(dialog, IDC_NAME1), "Ann");
        EXPECT_EQ(Text(dialog, IDC_NAME2), "Player 2") << "an empty name shows the default again";
        EXPECT_EQ(Text(dialog, IDC_NAME4), "Dee");
        // Start answers to IDOK whatever the notification code.
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, 1), 0);
    });
    EXPECT_EQ(again, IDOK);
    EXPECT_EQ(state_.playerCount, 3);
    EXPECT_STREQ(state_.playerName(2), "Player 2");
}

TEST_F(NewGameDialogTest, EscapeAndTheCloseBoxLeaveTheGameInProgressUntouched) {
    state_.startGame(2, GameType::Maxi);
    state_.setPlayerName(1, "Ann");
    state_.card(1).values[Sixes] = 24;
    state_.dice.values[0] = 6;
    state_.hasRolled = 1;
    const std::vector<unsigned char> before = Bytes(state_);
    for (bool escape : {true, false}) {
        EXPECT_EQ(Open([&](HWND dialog) {
                      Click(dialog, IDC_PLAYERS5);
                      Click(dialog, IDC_TYPE_STANDARD);
                      SetDlgItemTextA(dialog, IDC_NAME1, "Zed");
                      if (escape) {
                          PressKey(VK_ESCAPE);
                      } else {
                          SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
                      }
                  }),
                  IDCANCEL);
        EXPECT_EQ(Bytes(state_), before) << escape;
    }
}

// The placement of the program's dialogs: over an owner the user cannot see it
// gives way to the work area. (Sizes and edges: the centring model's tests.)
TEST_F(NewGameDialogTest, PlacementOverAMinimisedOrHiddenOwnerCentresOnTheWorkArea) {
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

}  // namespace
}  // namespace kvoro
