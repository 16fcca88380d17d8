#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main_window_fixture.h"

namespace kvoro::test {
namespace {

using play::Seat;

class ComputerTest : public MainWindowTest {
protected:
    bool ComputerTurn() const { return main_->controller().isComputerTurn(); }
    // Plays the computers' steps without waiting for their timer until a human has the turn or the game has ended.
    void PlayComputers() {
        while (ComputerTurn() && state().roundsLeft > 0) {
            SendMessageA(window(), WM_TIMER, kComputerStepTimer, 0);
            PumpMessages();
            if (state().gameType == GameType::Standard && !main_->coach().table()) PumpFor(20);
        }
    }
    // One roll, then the open row that scores most.
    void HumanTurn() {
        RollToTheEnd();
        int best = OpenRows().front();
        for (int row : OpenRows()) best = state().scoreFor(row) > state().scoreFor(best) ? row : best;
        Choose(best);
    }
    // Everything a human could do on the board: nothing of it may act during a computer's turn.
    void ExpectHumanInputIgnored() {
        const std::vector<BYTE> before = Bytes(state());
        const std::string holds = Holds();
        EXPECT_FALSE(Enabled(IDC_ROLL));
        EXPECT_EQ(holds.find_first_of("ex"), std::string::npos) << holds;
        EXPECT_FALSE(IsWindowEnabled(Grid()));
        EXPECT_TRUE(MenuGreyed(ID_GAME_HINT));
        Roll();
        Command(ID_GAME_HINT);
        for (int row : OpenRows()) Choose(row);
        SendMessageA(Grid(), WM_LBUTTONDOWN, 0, MAKELPARAM(130, 40));
        for (WPARAM key : {WPARAM{'1'}, WPARAM{'3'}, WPARAM{VK_NUMPAD5}}) {
            MSG message{Item(IDC_ROLL), WM_KEYDOWN, key, 1, 0, {}};
            EXPECT_TRUE(loop_.PreTranslateMessage(message));
        }
        const RECT die = ClientRectOf(IDC_DIE2);
        SendMessageA(window(), WM_LBUTTONUP, 0, MAKELPARAM(die.left + 5, die.top + 5));
        EXPECT_EQ(Bytes(state()), before);
        EXPECT_EQ(Holds(), holds);
    }
};

TEST_F(ComputerTest, AHumanAndTwoComputersPlayAStandardGameToTheEndAtFastAndOnlyTheHumanIsListed) {
    std::string offered[3];
    Open([&](HWND dialog) {
        StartSeated(3, GameType::Standard, {Seat::Human, Seat::Hard, Seat::Easy})(dialog);
        for (int k = 0; k < 3; ++k) offered[k] = WindowText(GetDlgItem(dialog, IDC_NAME1 + k));
    });
    EXPECT_EQ(offered[0], "Player 1");
    EXPECT_EQ(offered[1], "Computer 2");
    EXPECT_EQ(offered[2], "Computer 3");
    Command(ID_SPEED_FAST);
    CloseClips();
    HighscoreTable shown{};
    answers_.On("Highscore", [&](HWND dialog) {
        shown = main_->highscores().tables[0];
        Close(dialog);
    });
    answers_.On("New Game", Close);
    HumanTurn();
    // The first step comes by itself, once the coach's table is there and a step's time has passed.
    ASSERT_TRUE(ComputerTurn());
    ASSERT_TRUE(PumpUntil([this] { return state().hasRolled != 0; }, 600000));
    ExpectHumanInputIgnored();
    while (state().roundsLeft > 0 && answers_.log().empty()) {
        PlayComputers();
        if (state().roundsLeft > 0) HumanTurn();
    }
    EXPECT_EQ(answers_.log(), (std::vector<std::string>{"Highscore", "New Game"}));
    for (int player = 1; player <= 3; ++player) EXPECT_GT(state().card(player).values[Score], 0) << player;
    EXPECT_STREQ(shown.entries[0].name, "Player 1");
    EXPECT_EQ(shown.entries[0].score, state().card(1).values[Score]);
    EXPECT_EQ(shown.entries[1].score, 0) << "a computer's result is never listed";
}

TEST_F(ComputerTest, TwoComputersPlayAMaxiGameToTheEndAndHumanInputDuringTheirTurnsChangesNothing) {
    Open(StartSeated(2, GameType::Maxi, {Seat::Medium, Seat::Hard}));
    Command(ID_SPEED_FAST);
    // Until the first hold shows: the dice the computer keeps are checked on the board as they tumble.
    ASSERT_TRUE(PumpUntil([this] { return main_->animating() && Holds().find('d') != std::string::npos; }, 60000));
    PumpFor(300);
    EXPECT_TRUE(Snapshot::OfClient(window()).SavePng("computer_turn.png"));
    ExpectHumanInputIgnored();

    ASSERT_TRUE(PumpUntil([this] { return !main_->animating(); }));
    CloseClips();
    HighscoreTable shown[2] = {};
    answers_.On("Highscore", [&](HWND dialog) {
        shown[0] = main_->highscores().tables[0];
        shown[1] = main_->highscores().tables[1];
        Close(dialog);
    });
    answers_.On("New Game", Close);
    PlayComputers();
    EXPECT_EQ(answers_.log(), (std::vector<std::string>{"Highscore", "New Game"}));
    for (int player = 1; player <= 2; ++player) {
        for (int row = 0; row < kRowCount; ++row) {
            if (!isComputedRow(row)) {
                EXPECT_NE(state().card(player).values[row], 0) << player << " " << row;
            }
        }
    }
    EXPECT_EQ(Bytes(shown[0]), Bytes(HighscoreTable{}));
    EXPECT_EQ(Bytes(shown[1]), Bytes(HighscoreTable{}));
}

TEST_F(ComputerTest, NewGameAndClosingDuringAComputersTumbleEndItsTurnAtOnce) {
    Open(StartSeated(1, GameType::Maxi, {Seat::Hard}));
    Command(ID_SPEED_FAST);
    ASSERT_TRUE(PumpUntil([this] { return main_->animating(); }));
    answers_.On("New Game", StartSeated(1, GameType::Maxi, {Seat::Human}));
    Command(ID_GAME_NEWGAME);
    EXPECT_FALSE(main_->animating());
    EXPECT_FALSE(KillTimer(window(), kComputerStepTimer)) << "no step is due";
    PumpFor(1500);
    EXPECT_EQ(state().card(1).values[Chance], 0);
    EXPECT_EQ(state().hasRolled, 0);
    EXPECT_TRUE(Enabled(IDC_ROLL));

    answers_.On("New Game", StartSeated(1, GameType::Maxi, {Seat::Easy}));
    Command(ID_GAME_NEWGAME);
    ASSERT_TRUE(PumpUntil([this] { return main_->animating(); }));
    const std::vector<BYTE> before = Bytes(state());
    const size_t sounds = sounds_.played.size();
    const HWND closed = window();
    Command(IDCANCEL);
    EXPECT_FALSE(IsWindow(closed));
    PumpFor(1500);
    EXPECT_EQ(Bytes(state()), before);
    EXPECT_EQ(sounds_.played.size(), sounds);
}

}  // namespace
}  // namespace kvoro::test
