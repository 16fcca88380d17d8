// Every row of both cards for every possible roll, against an oracle that
// searches the dice themselves (groups of equal dice, sets of faces) instead
// of counting faces.
#include <algorithm>
#include <array>
#include <cstdint>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "game/rules.h"

namespace kvoro {
namespace {

using Dice = std::vector<int>;

struct Group {
    unsigned mask;
    int size;
    int face;
};

// Every non-empty set of dice that all show one face.
std::vector<Group> equalGroups(const Dice& dice) {
    std::vector<Group> groups;
    const unsigned n = static_cast<unsigned>(dice.size());
    for (unsigned mask = 1; mask < (1u << n); ++mask) {
        int face = 0;
        int size = 0;
        bool equal = true;
        for (unsigned i = 0; i < n; ++i) {
            if (!(mask >> i & 1u)) continue;
            equal = equal && (face == 0 || dice[i] == face);
            face = dice[i];
            ++size;
        }
        if (equal) groups.push_back({mask, size, face});
    }
    return groups;
}

// The best total of disjoint groups of the given sizes, with pairwise
// different faces, each worth size times face; -1 when the dice have none.
int bestGroups(const std::vector<Group>& groups, const std::vector<int>& sizes,
               std::size_t next = 0, unsigned usedDice = 0, unsigned usedFaces = 0) {
    if (next == sizes.size()) return 0;
    int best = -1;
    for (const Group& group : groups) {
        if (group.size != sizes[next] || (group.mask & usedDice) ||
            (usedFaces >> group.face & 1u)) {
            continue;
        }
        const int rest = bestGroups(groups, sizes, next + 1, usedDice | group.mask,
                                    usedFaces | 1u << group.face);
        if (rest >= 0) best = std::max(best, group.size * group.face + rest);
    }
    return best;
}

int oracle(GameType type, const Dice& dice, int row) {
    const std::vector<Group> groups = equalGroups(dice);
    const auto groupsWorth = [&](std::vector<int> sizes) {
        return std::max(0, bestGroups(groups, sizes));
    };
    const std::set<int> faces(dice.begin(), dice.end());
    const auto showsAll = [&](int from, int to) {
        for (int face = from; face <= to; ++face) {
            if (!faces.count(face)) return false;
        }
        return true;
    };
    int sum = 0;
    for (int die : dice) sum += die;
    const bool maxi = type == GameType::Maxi;

    if (row >= Ones && row <= Sixes) {
        int points = 0;
        for (int die : dice) points += die == row + 1 ? die : 0;
        return points;
    }
    switch (row) {
    case Pair: return groupsWorth({2});
    case TwoPair: return groupsWorth({2, 2});
    case ThreePair: return groupsWorth({2, 2, 2});
    case ThreeOfAKind: return groupsWorth({3});
    case FourOfAKind: return groupsWorth({4});
    case FiveOfAKind: return groupsWorth({5});
    case SmallStraight: return showsAll(1, 5) ? 15 : 0;
    case LargeStraight: return showsAll(2, 6) ? 20 : 0;
    case FullStraight: return showsAll(1, 6) ? 21 : 0;
    case Cabin: return groupsWorth({3, 2});
    case Tower: return dice.size() == 6 && groupsWorth({4, 2}) ? sum : 0;
    case FullHouse: return maxi ? groupsWorth({3, 3}) : groupsWorth({3, 2});
    case Chance: return sum;
    case Kvoro:
        return faces.size() == 1 ? (maxi ? 100 : 50) : 0;
    default: return 0;
    }
}

// Every roll of the game's dice, as die values 1..6.
std::vector<Dice> allRolls(GameType type) {
    const int n = diceCount(type);
    std::vector<Dice> rolls;
    Dice dice(n, 1);
    for (;;) {
        rolls.push_back(dice);
        int i = 0;
        while (i < n && dice[i] == 6) dice[i++] = 1;
        if (i == n) return rolls;
        ++dice[i];
    }
}

GameState withDice(GameType type, const Dice& dice) {
    GameState game(1);
    game.startGame(1, type);
    for (std::size_t i = 0; i < dice.size(); ++i) game.dice.values[i] = dice[i];
    return game;
}

class Scoring : public ::testing::TestWithParam<GameType> {};

TEST_P(Scoring, EveryRollMatchesTheOracleInEveryEnteredRow) {
    const GameType type = GetParam();
    int index = 0;
    for (const Dice& dice : allRolls(type)) {
        GameState game = withDice(type, dice);
        // The sixth die of a Standard game must never count, whatever it holds.
        if (type == GameType::Standard) game.dice.values[5] = 1 + index++ % 6;
        for (int row = 0; row < kRowCount; ++row) {
            if (isComputedRow(row)) continue;
            ASSERT_EQ(game.scoreFor(row), oracle(type, dice, row))
                << "row " << row << " dice " << ::testing::PrintToString(dice);
        }
    }
}

TEST_P(Scoring, OrderOfTheDiceNeverMatters) {
    // Every ordering of every roll is enumerated, so comparing each with its
    // sorted form covers all permutations.
    const GameType type = GetParam();
    for (const Dice& dice : allRolls(type)) {
        Dice sorted = dice;
        std::sort(sorted.begin(), sorted.end());
        const GameState game = withDice(type, dice);
        const GameState reordered = withDice(type, sorted);
        for (int row = 0; row < kRowCount; ++row) {
            ASSERT_EQ(game.scoreFor(row), reordered.scoreFor(row)) << "row " << row;
        }
    }
}

TEST_P(Scoring, DiceWithoutValuesScoreNothing) {
    const GameType type = GetParam();
    const std::int32_t none[kMaxDice] = {};
    const std::int32_t outOfRange[kMaxDice] = {7, 7, 7, 7, 7, 7};
    for (int row = 0; row < kRowCount; ++row) {
        EXPECT_EQ(scoreDice(type, none, row), 0) << "row " << row;
        EXPECT_EQ(scoreDice(type, outOfRange, row), 0) << "row " << row;
    }
}

TEST_P(Scoring, RowsOutsideTheCardAndComputedRowsGiveNothingFromDice) {
    const std::int32_t sixes[kMaxDice] = {6, 6, 6, 6, 6, 6};
    for (int row : {-1, 23, 1000, static_cast<int>(Bonus), static_cast<int>(Total),
                    static_cast<int>(Score)}) {
        EXPECT_EQ(scoreDice(GetParam(), sixes, row), 0) << "row " << row;
    }
}

INSTANTIATE_TEST_SUITE_P(BothGames, Scoring,
                         ::testing::Values(GameType::Standard, GameType::Maxi));

// Worked examples where the rules leave room for reading: which face is the
// triple, exact counts, equal faces. They pin down the oracle as well.
TEST(ScoringExamples, AmbiguousCombinations) {
    struct Example {
        GameType type;
        Dice dice;
        int row;
        int points;
    };
    const GameType S = GameType::Standard;
    const GameType M = GameType::Maxi;
    const Example examples[] = {
        {S, {2, 2, 2, 6, 6}, FullHouse, 18}, {S, {6, 6, 5, 5, 5}, FullHouse, 27},
        {S, {6, 6, 5, 5, 5}, TwoPair, 22},   {S, {1, 1, 1, 1, 1}, FullHouse, 0},
        {S, {1, 1, 1, 1, 1}, TwoPair, 0},    {S, {1, 1, 1, 1, 1}, Kvoro, 50},
        {S, {4, 4, 4, 4, 6}, TwoPair, 0},    {M, {6, 6, 6, 6, 6, 6}, Kvoro, 100},
        {M, {6, 6, 6, 6, 6, 6}, Tower, 0},   {M, {6, 6, 6, 6, 6, 6}, FiveOfAKind, 30},
        {M, {3, 3, 3, 5, 5, 5}, FullHouse, 24}, {M, {3, 3, 3, 5, 5, 5}, Cabin, 21},
        {M, {3, 3, 3, 5, 5, 5}, ThreePair, 0},  {M, {2, 2, 4, 4, 6, 6}, ThreePair, 24},
        {M, {5, 5, 5, 5, 2, 2}, Tower, 24},  {M, {5, 5, 5, 5, 2, 2}, Cabin, 19},
        {M, {5, 5, 5, 5, 2, 2}, FullHouse, 0}, {M, {2, 2, 1, 1, 1, 4}, Cabin, 7},
        {M, {1, 1, 1, 1, 1, 2}, Kvoro, 0},   {M, {4, 4, 4, 4, 1, 3}, Tower, 0},
    };
    for (const Example& example : examples) {
        const GameState game = withDice(example.type, example.dice);
        EXPECT_EQ(game.scoreFor(example.row), example.points)
            << "row " << example.row << " dice " << ::testing::PrintToString(example.dice);
        EXPECT_EQ(oracle(example.type, example.dice, example.row), example.points);
    }
}

}  // namespace
}  // namespace kvoro
