// The random generator, rolling, and whole games played to the end with their
// results ranked into the highscore tables.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/highscore.h"
#include "game/rules.h"
#include "tests/game/random_play.h"

namespace kvoro {
namespace {

using Bytes = std::array<unsigned char, sizeof(GameState)>;

Bytes bytesOf(const GameState& game) {
    Bytes bytes;
    std::memcpy(bytes.data(), &game, sizeof game);
    return bytes;
}

TEST(Random, ReproducesTheKnownSequence) {
    Random random(1);
    for (int expected : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(random.next(), expected);
    EXPECT_EQ(GameState(1).random.state(), 1u);
}

TEST(Random, ConstructionSeedsWithTheCalendarTime) {
    const auto before = static_cast<std::uint32_t>(std::time(nullptr));
    const GameState game;
    const auto after = static_cast<std::uint32_t>(std::time(nullptr));
    EXPECT_GE(game.random.state(), before);
    EXPECT_LE(game.random.state(), after);
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

TEST(Roll, DoesNothingWithoutRollsOrWithoutAGame) {
    GameState fresh(1);
    GameState layout(1);  // the main window's first layout: five columns, no player
    layout.playerCount = 5;
    GameState usedUp(1);
    usedUp.startGame(2, GameType::Maxi);
    for (int i = 0; i < 3; ++i) usedUp.roll();
    GameState ended(1);
    ended.startGame(1, GameType::Standard);
    std::minstd_rand choices(5);
    sim::playRandomGame(ended, choices);
    ASSERT_EQ(ended.roundsLeft, 0);
    GameState endedWithRolls = ended;  // a finished game is never rolled on
    endedWithRolls.rollsLeft[0] = 3;
    for (GameState* game : {&fresh, &layout, &usedUp, &ended, &endedWithRolls}) {
        const Bytes before = bytesOf(*game);
        game->roll();
        EXPECT_EQ(bytesOf(*game), before);
    }
}

// A result as the highscore table should rank it: newer before older among
// equal scores.
struct Ranked {
    std::int32_t score;
    std::string name;
    int age;
};

bool fixedDate(char* buffer, int capacity) {
    std::snprintf(buffer, static_cast<std::size_t>(capacity), "%s", "06.12.2026");
    return true;
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
    store.formatDate = fixedDate;
    std::memset(&store.tables[2], 0xA5, 2 * sizeof(HighscoreTable));
    const HighscoreStore untouched = store;
    std::vector<Ranked> expected(kHighscoreEntries, Ranked{0, "", -1});
    std::minstd_rand choices(2024);
    int age = 0;

    for (int round = 0; round < 3; ++round) {
        for (int count = 1; count <= kMaxPlayers; ++count) {
            GameState game(static_cast<std::uint32_t>(1000 * round + count));
            for (int player = 1; player <= kMaxPlayers; ++player) {
                const std::string name = "G" + std::to_string(round) + "P" + std::to_string(player);
                game.setPlayerName(player, name.c_str());
            }
            game.startGame(count, type);
            const int turns = roundsFor(type) * count;
            for (int turn = 0; turn < turns; ++turn) {
                ASSERT_EQ(game.currentPlayer, turn % count + 1);
                ASSERT_EQ(game.roundsLeft, roundsFor(type) - turn / count);
                ASSERT_EQ(game.hasRolled, 0);
                const int player = game.currentPlayer;
                const int row = sim::playRandomTurn(game, choices);
                ASSERT_NE(game.card(player).values[row], 0);
                expectComputedRows(game.card(player), type);
            }
            EXPECT_EQ(game.roundsLeft, 0);
            EXPECT_EQ(game.currentPlayer, 1);
            for (int player = 1; player <= count; ++player) {
                EXPECT_EQ(game.rollsLeft[player - 1], 0);
                for (int row = 0; row < kRowCount; ++row) {
                    if (isComputedRow(row)) continue;
                    if (GameState::isRowShown(type, row)) {
                        EXPECT_NE(game.card(player).values[row], 0) << "row " << row;
                    } else {
                        EXPECT_EQ(game.card(player).values[row], 0) << "row " << row;
                    }
                }
            }

            for (int player = 1; player <= count; ++player) {
                const std::int32_t score = game.card(player).values[Score];
                store.recordGameResult(game.playerName(player), score, type);
                expected.push_back({score, game.playerName(player), age++});
            }
            std::stable_sort(expected.begin(), expected.end(), [](const Ranked& a, const Ranked& b) {
                return a.score != b.score ? a.score > b.score : a.age > b.age;
            });
            expected.resize(kHighscoreEntries);
            for (int i = 0; i < kHighscoreEntries; ++i) {
                const HighscoreEntry& entry = store.tables[table].entries[i];
                EXPECT_EQ(entry.score, expected[i].score) << "position " << i;
                EXPECT_EQ(entryName(entry), expected[i].name) << "position " << i;
            }
        }
    }
    for (int other = 0; other < 4; ++other) {
        if (other == table) continue;
        EXPECT_EQ(std::memcmp(&store.tables[other], &untouched.tables[other], sizeof(HighscoreTable)), 0)
            << "table " << other;
    }
}

INSTANTIATE_TEST_SUITE_P(BothGames, WholeGames,
                         ::testing::Values(GameType::Standard, GameType::Maxi));

}  // namespace
}  // namespace kvoro
