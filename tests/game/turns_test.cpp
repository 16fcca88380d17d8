// Turns: refusals, entries, computed rows, rolls, the random generator, texts,
// and whole games played to the end with their results ranked.
#include <algorithm>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "game/highscore.h"
#include "game/rules.h"
#include "tests/game/builders.h"
#include "tests/game/random_play.h"

namespace kvoro {
namespace {

using test::SetDice;
using test::Started;

int enterWith(GameState& game, int row, std::initializer_list<int> dice) {
    SetDice(game, dice);
    return game.enterScore(row);
}

template <typename Action>
void expectUnchanged(const std::string& what, GameState game, Action action) {
    const GameState before = game;
    action(game);
    EXPECT_EQ(std::memcmp(&game, &before, sizeof game), 0) << what;
}

TEST(Refusals, LeaveTheWholeStateUnchanged) {
    GameState midGame = Started(2, GameType::Standard);
    midGame.card(1).values[Chance] = 16;
    midGame.card(1).values[Kvoro] = -1;
    midGame.roll();
    // Rows filled with points and with nothing, computed, off the card, Maxi only.
    for (int row : {static_cast<int>(Chance), static_cast<int>(Kvoro), 6, 7, 22, -1, 23, 10, 13, 16, 17, 18}) {
        expectUnchanged("row " + std::to_string(row), midGame, [row](GameState& game) { EXPECT_EQ(game.enterScore(row), 0); });
    }
    GameState layout(1);  // the main window's first layout: five columns, no player
    layout.playerCount = 5;
    GameState usedUp = Started(2, GameType::Maxi);
    for (int i = 0; i < 3; ++i) usedUp.roll();
    GameState ended = Started(1, GameType::Standard);
    std::minstd_rand choices(5);
    sim::playRandomGame(ended, choices);
    ASSERT_EQ(ended.roundsLeft, 0);
    ended.rollsLeft[0] = 3;  // a finished game is never rolled on, whatever is left
    const auto roll = [](GameState& game) { game.roll(); };
    for (const GameState& game : {GameState(1), layout, ended}) {
        expectUnchanged("no game", game, [&](GameState& g) {
            roll(g);
            g.enterScore(Chance);
        });
    }
    expectUnchanged("no rolls left, impossible setups", usedUp, [&](GameState& g) {
        roll(g);
        g.startGame(0, GameType::Standard);
        g.startGame(6, GameType::Standard);
        g.startGame(2, static_cast<GameType>(2));
    });
    EXPECT_EQ(layout.bonusStanding() + layout.scoreFor(Score), 0);
}

TEST(EnterScore, StoresThePointsOrMinusOneForNothingAndClearsTheDice) {
    GameState game = Started(1, GameType::Standard);
    EXPECT_EQ(enterWith(game, SmallStraight, {2, 2, 2, 2, 2}), -1);
    EXPECT_EQ(enterWith(game, Kvoro, {2, 2, 2, 2, 2}), 50);
    EXPECT_EQ(game.card(1).values[SmallStraight], -1);
    EXPECT_EQ(game.card(1).values[Score], 50);  // the last entered row counts too
    EXPECT_EQ(game.hasRolled, 0);
    for (int value : game.dice.values) EXPECT_EQ(value, 0);
}

// The upper rows at par (63 or 84), or one point short, completed by entering Sixes.
TEST(ComputedRows, BonusThresholdReachedExactlyAndMissedByOne) {
    for (GameType type : {GameType::Standard, GameType::Maxi}) {
        const bool maxi = type == GameType::Maxi;
        for (int shortBy : {0, 1}) {
            GameState game = Started(1, type);
            for (int face = 1; face <= 5; ++face) game.card(1).values[face - 1] = (maxi ? 4 : 3) * face;
            game.card(1).values[Ones] -= shortBy;
            enterWith(game, Sixes, maxi ? std::initializer_list<int>{6, 6, 6, 6, 1, 1} : std::initializer_list<int>{6, 6, 6, 1, 1});
            const int total = (maxi ? 84 : 63) - shortBy;
            const int bonus = shortBy ? 0 : maxi ? 100 : 50;
            EXPECT_EQ(game.card(1).values[Total], total);
            EXPECT_EQ(game.card(1).values[Bonus], bonus) << total;
            EXPECT_EQ(game.card(1).values[Score], total + bonus) << total;  // never Total twice
        }
    }
}

// Standard par, -1 and empty rows are checked through the status panel model.
TEST(BonusStanding, MaxiParOnTheCurrentPlayersCard) {
    GameState maxi = Started(2, GameType::Maxi);
    maxi.card(1).values[Sixes] = 30;
    maxi.card(2).values[Sixes] = -1;
    EXPECT_EQ(maxi.bonusStanding(), 30 - 24);
    enterWith(maxi, Chance, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(maxi.bonusStanding(), -24);
}

// Standard turns reset to three rolls, Maxi turns add three to what is left;
// the others have none until their turn.
TEST(Rolls, GivenAndCarriedOverTurnByTurn) {
    for (GameType type : {GameType::Standard, GameType::Maxi}) {
        const bool maxi = type == GameType::Maxi;
        GameState game = Started(2, type);
        const auto rollsLeft = [&game] { return std::vector<int>(game.rollsLeft, game.rollsLeft + 5); };
        EXPECT_EQ(rollsLeft(), (std::vector<int>{3, 0, 0, 0, 0}));
        game.roll();
        game.enterScore(Chance);
        EXPECT_EQ(rollsLeft(), (std::vector<int>{maxi ? 2 : 0, 3, 0, 0, 0}));
        game.enterScore(Chance);
        EXPECT_EQ(rollsLeft(), (std::vector<int>{maxi ? 5 : 3, maxi ? 3 : 0, 0, 0, 0}));
    }
}

TEST(Roll, HeldDiceKeepTheirValueAndConsumeNoDraw) {
    for (GameType type : {GameType::Standard, GameType::Maxi}) {
        const int dice = diceCount(type);
        for (unsigned holds = 0; holds < (1u << dice); ++holds) {
            GameState game(holds + 99);
            game.startGame(1, type);
            for (int die = 0; die < dice; ++die) {
                game.dice.values[die] = die + 1;
                game.dice.held[die] = holds >> die & 1u;
            }
            Random twin = game.random;
            game.roll();
            for (int die = 0; die < kMaxDice; ++die) {
                const int expected = die >= dice             ? 0
                                     : (holds >> die & 1u) ? die + 1
                                                           : twin.next() % 6 + 1;
                EXPECT_EQ(game.dice.values[die], expected) << "die " << die << " holds " << holds;
            }
            EXPECT_EQ(game.random.state(), twin.state()) << "holds " << holds;
            EXPECT_EQ(game.rollsLeft[0], 2);
            EXPECT_EQ(game.hasRolled, 1);
        }
    }
}

TEST(Random, ReproducesTheKnownSequenceAndSeedsWithTheCalendarTime) {
    Random random(1);
    for (int expected : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(random.next(), expected);
    EXPECT_EQ(GameState(1).random.state(), 1u);
    const auto before = static_cast<std::uint32_t>(std::time(nullptr));
    const GameState game;
    const auto after = static_cast<std::uint32_t>(std::time(nullptr));
    EXPECT_GE(game.random.state(), before);
    EXPECT_LE(game.random.state(), after);
}

// The labels of the card's rows are checked by help_tests: every row of both
// cards has a worked example under its label.
TEST(Texts, RowsOffTheCardHaveNoLabelAndNamesKeepFortyCharacters) {
    GameState game = Started(1, GameType::Standard);
    for (int row : {-1, 23, 1 << 28}) EXPECT_STREQ(game.rowLabel(row), "");
    game.setPlayerName(2, std::string(60, 'n').c_str());
    expectUnchanged("players 0 and 6", game, [](GameState& g) {
        g.setPlayerName(0, "nobody");
        g.setPlayerName(6, "nobody");
    });
    EXPECT_EQ(std::string(game.playerName(2)), std::string(40, 'n'));
    game.setPlayerName(3, nullptr);
    EXPECT_STREQ(game.playerName(3), "");
}

// Independent of the game's own totals: the rows as the card defines them.
void expectComputedRows(const ScoreCard& card, GameType type) {
    int upper = 0;
    for (int row = 0; row < 6; ++row) upper += std::max(card.values[row], 0);
    const int threshold = type == GameType::Maxi ? 84 : 63;
    const int bonus = upper < threshold ? 0 : type == GameType::Maxi ? 100 : 50;
    EXPECT_EQ(card.values[Total], upper);
    EXPECT_EQ(card.values[Bonus], bonus);
    int score = 0;
    for (int row = 0; row <= 21; ++row) {
        if (row != Total) score += std::max(card.values[row], 0);
    }
    EXPECT_EQ(card.values[Score], score);
}

class WholeGames : public ::testing::TestWithParam<GameType> {};

TEST_P(WholeGames, PlayToTheEndAndRankEveryResult) {
    const GameType type = GetParam();
    const int table = static_cast<int>(type);
    HighscoreStore store;
    store.formatDate = nullptr;
    std::memset(&store.tables[2], 0xA5, 2 * sizeof(HighscoreTable));
    const HighscoreStore untouched = store;
    // Newest first, so that a stable sort by score ranks newer above older among equals.
    std::vector<std::pair<std::int32_t, std::string>> expected(kHighscoreEntries);
    std::minstd_rand choices(2024);

    for (int round = 0; round < 3; ++round) {
        for (int count = 1; count <= kMaxPlayers; ++count) {
            GameState game(static_cast<std::uint32_t>(1000 * round + count));
            for (int player = 1; player <= kMaxPlayers; ++player) {
                game.setPlayerName(player, ("G" + std::to_string(round) + "P" + std::to_string(player)).c_str());
            }
            game.startGame(count, type);
            for (int turn = 0; turn < roundsFor(type) * count; ++turn) {
                ASSERT_EQ(game.currentPlayer, turn % count + 1);
                ASSERT_EQ(game.roundsLeft, roundsFor(type) - turn / count);
                ASSERT_EQ(game.hasRolled, 0);
                const int player = game.currentPlayer;
                ASSERT_GE(sim::playRandomTurn(game, choices), 0);
                expectComputedRows(game.card(player), type);
            }
            EXPECT_EQ(game.roundsLeft, 0);
            EXPECT_EQ(game.currentPlayer, 1);
            for (int player = 1; player <= count; ++player) {
                EXPECT_EQ(game.rollsLeft[player - 1], 0);
                for (int row = 0; row < kRowCount; ++row) {
                    if (isComputedRow(row)) continue;
                    const bool filled = game.card(player).values[row] != 0;
                    EXPECT_EQ(filled, GameState::isRowShown(type, row)) << "row " << row;
                }
                const std::int32_t score = game.card(player).values[Score];
                store.recordGameResult(game.playerName(player), score, type);
                expected.insert(expected.begin(), {score, game.playerName(player)});
            }
            std::stable_sort(expected.begin(), expected.end(),
                             [](const auto& a, const auto& b) { return a.first > b.first; });
            expected.resize(kHighscoreEntries);
            for (int i = 0; i < kHighscoreEntries; ++i) {
                const HighscoreEntry& entry = store.tables[table].entries[i];
                EXPECT_EQ(entry.score, expected[i].first) << "position " << i;
                EXPECT_EQ(entryName(entry), expected[i].second) << "position " << i;
            }
        }
    }
    for (int other = 0; other < 4; ++other) {
        if (other == table) continue;
        EXPECT_EQ(std::memcmp(&store.tables[other], &untouched.tables[other], sizeof(HighscoreTable)), 0)
            << "table " << other;
    }
}

INSTANTIATE_TEST_SUITE_P(BothGames, WholeGames, ::testing::Values(GameType::Standard, GameType::Maxi));

}  // namespace
}  // namespace kvoro
