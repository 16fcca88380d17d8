// The rules and the highscore records: every row of both cards for every ordered roll against an oracle; whole games
// played to the end against the rules stated afresh, results ranked.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "builders.h"
#include "game/highscore.h"
#include "game/rules.h"

namespace kvoro {
namespace {

using Dice = std::vector<int>;

// The best total of groups of the given sizes on pairwise different faces, each worth size times face; -1 if none.
int bestGroups(const Dice& dice, const std::vector<int>& sizes, std::size_t next = 0, unsigned usedFaces = 0) {
    if (next == sizes.size()) return 0;
    int best = -1;
    for (int face = 1; face <= 6; ++face) {
        if ((usedFaces >> face & 1u) || std::count(dice.begin(), dice.end(), face) < sizes[next]) continue;
        const int rest = bestGroups(dice, sizes, next + 1, usedFaces | 1u << face);
        if (rest >= 0) best = std::max(best, sizes[next] * face + rest);
    }
    return best;
}

// Tries every choice of faces instead of the highest greedily and sees only the faces shown: order does not matter.
int oracle(GameType type, const Dice& dice, int row) {
    const auto groups = [&](const std::vector<int>& sizes) { return std::max(0, bestGroups(dice, sizes)); };
    const std::set<int> faces(dice.begin(), dice.end());
    const auto showsAll = [&](const std::set<int>& wanted) {
        return std::includes(faces.begin(), faces.end(), wanted.begin(), wanted.end());
    };
    const int sum = std::accumulate(dice.begin(), dice.end(), 0);
    const bool maxi = type == GameType::Maxi;
    switch (row) {
    case Pair: return groups({2});
    case TwoPair: return groups({2, 2});
    case ThreePair: return groups({2, 2, 2});
    case ThreeOfAKind: return groups({3});
    case FourOfAKind: return groups({4});
    case FiveOfAKind: return groups({5});
    case SmallStraight: return showsAll({1, 2, 3, 4, 5}) ? 15 : 0;
    case LargeStraight: return showsAll({2, 3, 4, 5, 6}) ? 20 : 0;
    case FullStraight: return showsAll({1, 2, 3, 4, 5, 6}) ? 21 : 0;
    case Cabin: return groups({3, 2});
    case Tower: return dice.size() == 6 && groups({4, 2}) ? sum : 0;
    case FullHouse: return maxi ? groups({3, 3}) : groups({3, 2});
    case Chance: return sum;
    case Kvoro: return faces.size() == 1 ? (maxi ? 100 : 50) : 0;
    default:
        if (row < Ones || row > Sixes) return 0;
        return (row + 1) * static_cast<int>(std::count(dice.begin(), dice.end(), row + 1));
    }
}

class EachGameType : public ::testing::TestWithParam<GameType> {};

// The sixth die of a Standard game never counts; dice cleared after an entry (0) or out of range (7) show no face.
TEST_P(EachGameType, EveryRollScoresAsTheOracleInEveryRow) {
    const GameType type = GetParam();
    const int n = diceCount(type);
    for (int code = 0; code < (n == 6 ? 46656 : 7776); ++code) {
        std::int32_t values[kMaxDice] = {0, 0, 0, 0, 0, 1 + code % 6};
        for (int i = 0, rest = code; i < n; ++i, rest /= 6) values[i] = rest % 6 + 1;
        const Dice dice(values, values + n);
        for (int row = -1; row <= kRowCount; ++row) {
            ASSERT_EQ(scoreDice(type, values, row), oracle(type, dice, row)) << "row " << row << " dice " << code;
        }
    }
    const std::int32_t none[kMaxDice] = {}, outOfRange[kMaxDice] = {7, 7, 7, 7, 7, 7};
    for (int row = -1; row <= kRowCount; ++row) {
        EXPECT_EQ(scoreDice(type, none, row) + scoreDice(type, outOfRange, row), 0) << "row " << row;
    }
}

template <typename Action>
void expectUnchanged(const std::string& what, GameState game, Action action) {
    const GameState before = game;
    action(game);
    EXPECT_EQ(std::memcmp(&game, &before, sizeof game), 0) << what;
}

// A roll without rolls left or game, an entry without a game, an impossible setup change nothing.
void expectRefused(const std::string& what, const GameState& game, bool entryToo) {
    expectUnchanged(what, game, [entryToo](GameState& g) {
        g.roll();
        if (entryToo) g.enterScore(Chance);
        g.startGame(0, GameType::Standard);
        g.startGame(6, GameType::Standard);
        g.startGame(2, static_cast<GameType>(2));
    });
}

// The upper rows at par (63 or 84) or one short, completed by Sixes beside a filled Kvoro row: bonus, each row once.
TEST_P(EachGameType, BonusThresholdReachedExactlyAndMissedByOne) {
    const bool maxi = GetParam() == GameType::Maxi;
    for (int shortBy : {0, 1}) {
        GameState game = test::Started(1, GetParam());
        for (int face = 1; face <= 5; ++face) game.card(1).values[face - 1] = (maxi ? 4 : 3) * face;
        game.card(1).values[Ones] -= shortBy;
        game.card(1).values[Kvoro] = 50;
        test::SetDice(game, {6, 6, 6, 1, 1, 6});  // three sixes of five dice, four of six
        ASSERT_EQ(game.enterScore(Sixes), maxi ? 24 : 18);
        const int total = (maxi ? 84 : 63) - shortBy, bonus = shortBy ? 0 : maxi ? 100 : 50;
        const std::int32_t* values = game.card(1).values;
        EXPECT_EQ(std::vector<int>({values[Total], values[Bonus], values[Score]}),
                  std::vector<int>({total, bonus, total + bonus + 50}));
    }
}

TEST(Random, ReproducesTheKnownSequenceAndSeedsWithTheCalendarTime) {
    Random random(1);
    for (int expected : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(random.next(), expected);
    const auto before = static_cast<std::uint32_t>(std::time(nullptr));
    const GameState game;
    EXPECT_GE(game.random.state(), before);
    EXPECT_LE(game.random.state(), static_cast<std::uint32_t>(std::time(nullptr)));
}

// Names of players and of records are cut to forty characters. The date formatter may fill its buffer, leave rubbish
// after its text, or fail; by default the platform's date of today is stored. Stored records may lack their NULs. Rows
// off the card have no label (help_tests checks the rest).
TEST(Texts, NamesDatesAndLabelsStayWithinTheirFields) {
    GameState game = test::Started(1, GameType::Standard);
    for (int row : {-1, 23, 1 << 28}) EXPECT_STREQ(game.rowLabel(row), "");
    game.setPlayerName(2, std::string(60, 'n').c_str());
    game.setPlayerName(3, nullptr);
    expectUnchanged("players 0 and 6", game, [](GameState& g) {
        g.setPlayerName(0, "nobody");
        g.setPlayerName(6, "nobody");
    });
    EXPECT_EQ(std::string(game.playerName(2)) + "|" + game.playerName(3), std::string(40, 'n') + "|");
    char today[kDateCapacity] = {};
    ASSERT_TRUE(formatLocalDate(today, kDateCapacity));
    EXPECT_GT(textLength(today, kDateCapacity), 0u);
    const std::pair<DateFormatter, std::string> cases[] = {
        {[](char* buf, int n) { return std::memset(buf, '7', n) != nullptr; }, std::string(13, '7')},
        {[](char* buf, int n) { return std::memcpy(std::memset(buf, '#', n), "1/2/26", 7) != nullptr; }, "1/2/26"},
        {[](char* buf, int n) { return std::memset(buf, '#', n) == nullptr; }, ""},
        {nullptr, ""},
        {HighscoreStore{}.formatDate, today},
    };
    const std::string longName(60, 'a');
    for (const auto& [formatter, text] : cases) {
        HighscoreStore store;
        store.formatDate = formatter;
        EXPECT_EQ(store.recordGameResult(longName.c_str(), 30, GameType::Maxi), 0);
        EXPECT_EQ(std::string(store.tables[1].entries[0].date, 16), text + std::string(16 - text.size(), '\0'));
        EXPECT_EQ(std::string(store.tables[1].entries[0].name, 41), std::string(40, 'a') + '\0');
    }
    HighscoreStore store;
    EXPECT_EQ(store.recordGameResult(nullptr, 10, GameType::Standard), 0);
    EXPECT_EQ(store.recordGameResult("x", 10, static_cast<GameType>(2)), -1);
    EXPECT_EQ(entryName(store.tables[0].entries[0]), "");
    EXPECT_EQ(entryDate(store.tables[0].entries[0]), std::string(today));
    HighscoreEntry withoutNuls;
    std::memset(&withoutNuls, 'x', sizeof withoutNuls);
    EXPECT_EQ(entryName(withoutNuls).size(), 41u);
    EXPECT_EQ(entryDate(withoutNuls).size(), 16u);
}

// Every turn of every game: refusals leave the whole state unchanged; Standard turns reset to three rolls and Maxi
// turns add three to what is left; a held die keeps its value and consumes no draw; an entry stores its points or -1
// and clears the dice; the computed rows and the bonus standing follow the card. Every result is ranked into the table
// of its game type, a newer one above an older with the same score, or refused below all ten.
TEST_P(EachGameType, WholeGamesPlayToTheEndAndRankEveryResult) {
    const GameType type = GetParam();
    const int table = static_cast<int>(type), dice = diceCount(type), par = type == GameType::Maxi ? 4 : 3;
    HighscoreStore store;
    store.formatDate = nullptr;
    std::memset(&store.tables[2], 0xA5, 2 * sizeof(HighscoreTable));
    const HighscoreStore untouched = store;
    std::vector<std::pair<std::int32_t, std::string>> expected(kHighscoreEntries);  // newest first
    std::minstd_rand choices(2024);
    for (int round = 0; round < 3; ++round) {
        for (int count = 1; count <= kMaxPlayers; ++count) {
            GameState game(static_cast<std::uint32_t>(1000 * round + count));
            for (int player = 1; player <= kMaxPlayers; ++player) {
                game.setPlayerName(player, ("G" + std::to_string(round) + "P" + std::to_string(player)).c_str());
            }
            game.playerCount = 5;  // the main window's first layout: five columns, no player
            expectRefused("no game", game, true);
            EXPECT_EQ(game.bonusStanding() + game.scoreFor(Score), 0);
            game.startGame(count, type);
            std::vector<int> rolls{3, 0, 0, 0, 0};
            const int turns = roundsFor(type) * count;
            for (int turn = 0; turn < turns; ++turn) {
                const int player = turn % count + 1;
                ASSERT_EQ(game.currentPlayer, player);
                ASSERT_EQ(game.roundsLeft, roundsFor(type) - turn / count);
                ASSERT_EQ(std::vector<int>(game.rollsLeft, game.rollsLeft + kMaxPlayers), rolls);
                const std::int32_t* values = game.card(player).values;
                std::fill(game.dice.held, game.dice.held + kMaxDice, 0);
                do {
                    const GameState before = game;
                    Random twin = game.random;
                    game.roll();
                    for (int die = 0; die < kMaxDice; ++die) {
                        const int value = die >= dice              ? 0
                                          : before.dice.held[die] ? before.dice.values[die]
                                                                  : twin.next() % 6 + 1;
                        ASSERT_EQ(game.dice.values[die], value) << "die " << die;
                    }
                    ASSERT_EQ(game.random.state(), twin.state());
                    ASSERT_EQ(game.rollsLeft[player - 1], --rolls[player - 1]);
                    ASSERT_EQ(game.hasRolled, 1);
                    for (int die = 0; die < dice; ++die) game.dice.held[die] = static_cast<std::int32_t>(choices() % 2);
                } while (rolls[player - 1] > 0 && choices() % 2 != 0);
                if (rolls[player - 1] == 0) expectRefused("no rolls left", game, false);
                std::vector<int> open;
                for (int row = -1; row <= kRowCount; ++row) {
                    if (!isComputedRow(row) && GameState::isRowShown(type, row) && values[row] == 0) {
                        open.push_back(row);
                    } else {  // filled, computed, off the card or on the other card only
                        expectUnchanged("row " + std::to_string(row), game,
                                        [row](GameState& g) { EXPECT_EQ(g.enterScore(row), 0); });
                    }
                }
                const int row = open[choices() % open.size()], points = scoreDice(type, game.dice.values, row);
                ASSERT_EQ(game.enterScore(row), points != 0 ? points : -1);
                ASSERT_EQ(values[row], points != 0 ? points : -1);
                ASSERT_EQ(std::count(game.dice.values, game.dice.values + kMaxDice, 0), kMaxDice);
                ASSERT_EQ(game.hasRolled, 0);
                int upper = 0, score = 0, standing = 0;
                for (int r = 0; r <= Kvoro; ++r) {
                    upper += r < Bonus ? std::max(values[r], 0) : 0;
                    standing += r < Bonus && values[r] != 0 ? std::max(values[r], 0) - par * (r + 1) : 0;
                    score += r != Total ? std::max(values[r], 0) : 0;
                }
                EXPECT_EQ(values[Total], upper);
                EXPECT_EQ(values[Bonus], upper < par * 21 ? 0 : type == GameType::Maxi ? 100 : 50);
                EXPECT_EQ(values[Score], score);
                EXPECT_TRUE(count > 1 || game.bonusStanding() == standing);  // alone, the player keeps the turn
                if (type == GameType::Standard) rolls[player - 1] = 0;
                if (turn + 1 < turns) rolls[(turn + 1) % count] += 3;
            }
            EXPECT_EQ(game.currentPlayer, 1);
            EXPECT_EQ(std::vector<int>(game.rollsLeft, game.rollsLeft + kMaxPlayers), std::vector<int>(kMaxPlayers, 0));
            game.rollsLeft[0] = 3;  // a finished game is never rolled on, whatever is left
            expectRefused("game over", game, true);
            for (int player = 1; player <= count; ++player) {
                const std::int32_t score = game.card(player).values[Score], last = store.tables[table].entries[9].score;
                EXPECT_EQ(store.recordGameResult(game.playerName(player), score, type), score >= last ? 0 : -1);
                expected.insert(expected.begin(), {score, game.playerName(player)});
            }
            std::stable_sort(expected.begin(), expected.end(),
                             [](const auto& a, const auto& b) { return a.first > b.first; });
            expected.resize(kHighscoreEntries);
            for (int k = 0; k < kHighscoreEntries; ++k) {
                const HighscoreEntry& entry = store.tables[table].entries[k];
                EXPECT_EQ(std::pair(entry.score, std::string(entryName(entry))), expected[k]) << k;
            }
        }
    }
    for (int other : {1 - table, 2, 3}) {
        EXPECT_EQ(std::memcmp(&store.tables[other], &untouched.tables[other], sizeof(HighscoreTable)), 0) << other;
    }
}

INSTANTIATE_TEST_SUITE_P(BothGames, EachGameType, ::testing::Values(GameType::Standard, GameType::Maxi));

}  // namespace
}  // namespace kvoro
