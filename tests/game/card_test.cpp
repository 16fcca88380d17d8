// Entering scores: refusals, the computed rows, rolls handed out per turn,
// labels and names.
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/rules.h"

namespace kvoro {
namespace {

using Bytes = std::array<unsigned char, sizeof(GameState)>;

Bytes bytesOf(const GameState& game) {
    Bytes bytes;
    std::memcpy(bytes.data(), &game, sizeof game);
    return bytes;
}

GameState started(int players, GameType type) {
    GameState game(7);
    game.startGame(players, type);
    return game;
}

// Enters the row for the current player as if these dice had been rolled.
int enterWith(GameState& game, int row, const std::vector<int>& dice) {
    for (int i = 0; i < kMaxDice; ++i) {
        game.dice.values[i] = i < static_cast<int>(dice.size()) ? dice[i] : 0;
    }
    game.hasRolled = 1;
    return game.enterScore(row);
}

TEST(EnterScore, RefusalLeavesTheWholeStateUnchanged) {
    GameState game = started(2, GameType::Standard);
    enterWith(game, Chance, {1, 2, 3, 4, 6});
    enterWith(game, Ones, {1, 1, 2, 3, 4});
    enterWith(game, Kvoro, {1, 2, 3, 4, 6});
    enterWith(game, Twos, {1, 1, 2, 3, 4});
    game.roll();
    ASSERT_EQ(game.currentPlayer, 1);
    const Bytes before = bytesOf(game);
    // Rows filled with points and with nothing, the computed rows, rows off
    // the card, the Maxi-only rows.
    for (int row : {static_cast<int>(Chance), static_cast<int>(Kvoro), 6, 7, 22, -1, 23, 10, 13, 16, 17, 18}) {
        EXPECT_EQ(game.enterScore(row), 0) << "row " << row;
        EXPECT_EQ(bytesOf(game), before) << "row " << row;
    }
}

TEST(EnterScore, RefusedWithoutAGame) {
    GameState fresh(1);
    GameState layout(1);  // the main window's first layout: five columns, no player
    layout.playerCount = 5;
    for (GameState* game : {&fresh, &layout}) {
        const Bytes before = bytesOf(*game);
        EXPECT_EQ(game->enterScore(Chance), 0);
        EXPECT_EQ(bytesOf(*game), before);
        EXPECT_EQ(game->bonusStanding(), 0);
        EXPECT_EQ(game->scoreFor(Score), 0);
    }
}

TEST(EnterScore, StoresThePointsOrMinusOneForNothing) {
    GameState game = started(1, GameType::Standard);
    EXPECT_EQ(enterWith(game, Kvoro, {1, 2, 3, 4, 5}), -1);
    EXPECT_EQ(game.card(1).values[Kvoro], -1);
    EXPECT_EQ(enterWith(game, SmallStraight, {1, 2, 3, 4, 5}), 15);
    EXPECT_EQ(game.card(1).values[SmallStraight], 15);
    EXPECT_EQ(game.card(1).values[Score], 15);
    EXPECT_EQ(game.hasRolled, 0);
    for (int value : game.dice.values) EXPECT_EQ(value, 0);
}

struct BonusCase {
    GameType type;
    int perFace;  // dice of each face that reach the threshold exactly
    int bonus;
};

class BonusThreshold : public ::testing::TestWithParam<BonusCase> {};

// Fills the upper rows with perFace dice of each face, one die fewer of ones
// when short; the remaining dice show another face.
GameState withUpperRows(const BonusCase& param, bool oneShort) {
    GameState game = started(1, param.type);
    for (int face = 1; face <= 6; ++face) {
        const int wanted = face == 1 && oneShort ? param.perFace - 1 : param.perFace;
        std::vector<int> dice(diceCount(param.type), face % 6 + 1);
        for (int i = 0; i < wanted; ++i) dice[i] = face;
        enterWith(game, face - 1, dice);
    }
    return game;
}

TEST_P(BonusThreshold, ReachedExactlyAndMissedByOne) {
    const BonusCase param = GetParam();
    const int threshold = param.perFace * 21;
    const ScoreCard reached = withUpperRows(param, false).card(1);
    EXPECT_EQ(reached.values[Total], threshold);
    EXPECT_EQ(reached.values[Bonus], param.bonus);
    EXPECT_EQ(reached.values[Score], threshold + param.bonus);
    const ScoreCard missed = withUpperRows(param, true).card(1);
    EXPECT_EQ(missed.values[Total], threshold - 1);
    EXPECT_EQ(missed.values[Bonus], 0);
    EXPECT_EQ(missed.values[Score], threshold - 1);
}

INSTANTIATE_TEST_SUITE_P(BothGames, BonusThreshold,
                         ::testing::Values(BonusCase{GameType::Standard, 3, 50},
                                           BonusCase{GameType::Maxi, 4, 100}));

TEST(ComputedRows, ScoreNeverIncludesTotalAndZerosAddNothing) {
    GameState game = started(1, GameType::Standard);
    ScoreCard& card = game.card(1);
    for (int face = 1; face <= 6; ++face) card.values[face - 1] = 3 * face;
    for (int row = Pair; row <= Kvoro; ++row) {
        if (GameState::isRowShown(GameType::Standard, row)) card.values[row] = -1;
    }
    EXPECT_EQ(game.scoreFor(Total), 63);
    EXPECT_EQ(game.scoreFor(Bonus), 50);
    EXPECT_EQ(game.scoreFor(Score), 113);
}

TEST(BonusStanding, MeasuresFilledUpperRowsAgainstTheirPar) {
    GameState standard = started(1, GameType::Standard);
    EXPECT_EQ(standard.bonusStanding(), 0);
    standard.card(1).values[Fours] = -1;
    EXPECT_EQ(standard.bonusStanding(), -12);
    standard.card(1).values[Fours] = 16;
    standard.card(1).values[Twos] = 2;
    EXPECT_EQ(standard.bonusStanding(), 4 - 4);

    GameState maxi = started(2, GameType::Maxi);
    maxi.card(1).values[Sixes] = 30;
    maxi.card(2).values[Sixes] = -1;
    EXPECT_EQ(maxi.bonusStanding(), 30 - 24);
    enterWith(maxi, Chance, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(maxi.bonusStanding(), -24);  // now player 2's card
}

TEST(Rolls, StandardTurnsGiveThreeAndMaxiTurnsAddThree) {
    GameState standard = started(1, GameType::Standard);
    standard.roll();
    standard.enterScore(Chance);
    EXPECT_EQ(standard.rollsLeft[0], 3);

    GameState maxi = started(1, GameType::Maxi);
    maxi.roll();
    maxi.enterScore(Chance);
    EXPECT_EQ(maxi.rollsLeft[0], 5);
    maxi.roll();
    maxi.enterScore(Ones);
    EXPECT_EQ(maxi.rollsLeft[0], 7);
}

TEST(Rolls, OthersGetTheirsWhenTheirTurnComes) {
    for (GameType type : {GameType::Standard, GameType::Maxi}) {
        GameState game = started(5, type);
        EXPECT_EQ(std::vector<int>(game.rollsLeft, game.rollsLeft + 5),
                  (std::vector<int>{3, 0, 0, 0, 0}));
        game.roll();
        game.enterScore(Chance);
        const int kept = type == GameType::Maxi ? 2 : 0;
        EXPECT_EQ(std::vector<int>(game.rollsLeft, game.rollsLeft + 5),
                  (std::vector<int>{kept, 3, 0, 0, 0}));
        EXPECT_EQ(game.currentPlayer, 2);
        EXPECT_EQ(game.roundsLeft, roundsFor(type));
    }
}

TEST(StartGame, ImpossibleSetupsAreIgnored) {
    GameState game = started(3, GameType::Maxi);
    const Bytes before = bytesOf(game);
    game.startGame(0, GameType::Standard);
    game.startGame(6, GameType::Standard);
    game.startGame(2, static_cast<GameType>(2));
    EXPECT_EQ(bytesOf(game), before);
}

TEST(Labels, RowTwentyOneIsNamedAfterTheGame) {
    GameState game = started(1, GameType::Maxi);
    EXPECT_STREQ(game.rowLabel(Kvoro), "Maxi Kvoro");
    EXPECT_STREQ(game.rowLabels[Kvoro], "Kvoro");
    EXPECT_STREQ(game.rowLabel(FullStraight), "Full Straight");
    game.startGame(1, GameType::Standard);
    EXPECT_STREQ(game.rowLabel(Kvoro), "Kvoro");
    EXPECT_STREQ(game.rowLabel(-1), "");
    EXPECT_STREQ(game.rowLabel(23), "");
}

TEST(Labels, StandardCardShowsEighteenRowsMaxiAllTwentyThree) {
    int standard = 0;
    int maxi = 0;
    for (int row = -2; row < kRowCount + 2; ++row) {
        standard += GameState::isRowShown(GameType::Standard, row);
        maxi += GameState::isRowShown(GameType::Maxi, row);
    }
    EXPECT_EQ(standard, 18);
    EXPECT_EQ(maxi, 23);
}

TEST(Names, AtMostFortyCharactersAndKeptAcrossGames) {
    GameState game(1);
    const std::string longName(60, 'n');
    game.setPlayerName(2, longName.c_str());
    game.setPlayerName(3, "Eve");
    game.setPlayerName(6, "nobody");
    EXPECT_EQ(std::string(game.playerName(2)), std::string(40, 'n'));
    game.startGame(2, GameType::Maxi);
    EXPECT_STREQ(game.playerName(3), "Eve");
    game.setPlayerName(3, nullptr);
    EXPECT_STREQ(game.playerName(3), "");
    EXPECT_STREQ(game.playerName(0), "");
}

}  // namespace
}  // namespace kvoro
