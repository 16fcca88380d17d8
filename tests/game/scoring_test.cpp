// Every row, entered, computed or off the card, of both cards for every
// ordered roll, against an oracle that tries every choice of faces instead of
// taking the highest greedily and that sees only the faces shown, so the order
// of the dice is covered too.
#include <algorithm>
#include <cstdint>
#include <numeric>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "game/rules.h"

namespace kvoro {
namespace {

using Dice = std::vector<int>;

// The best total of groups of the given sizes on pairwise different faces,
// each worth size times face; -1 when the dice hold no such groups.
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

class Scoring : public ::testing::TestWithParam<GameType> {};

// The sixth die of a Standard game must never count, whatever it holds. Dice
// cleared after an entry (0) or out of range (7) show no face.
TEST_P(Scoring, EveryRollMatchesTheOracleInEveryRow) {
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

INSTANTIATE_TEST_SUITE_P(BothGames, Scoring, ::testing::Values(GameType::Standard, GameType::Maxi));

}  // namespace
}  // namespace kvoro
