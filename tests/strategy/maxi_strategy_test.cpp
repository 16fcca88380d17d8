// The six-dice coach against an enumeration over ordered dice, its consistency, and whole seeded games.
#include <algorithm>
#include <bitset>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "dice_codes.h"
#include "strategy/maxi_strategy.h"

namespace kvoro::strategy {
namespace {

using test::Dice;
using Codes = test::DiceCodes<6>;
constexpr int kTop = 6;  // rolls left after a roll with four rolls carried into the turn

struct Card {
    ScoreCard card{};
    std::uint32_t open = 0;  // slots
    int upper = 0;
};

// Every row filled with zero points except the open ones; the upper rows given hold their points.
Card cardWith(std::vector<int> openRows, std::vector<std::pair<int, int>> upperPoints = {}) {
    Card made;
    for (int slot = 0; slot < kMaxiSlots; ++slot) {
        const int row = maxiRowOfSlot(slot);
        const bool open = std::find(openRows.begin(), openRows.end(), row) != openRows.end();
        made.card.values[row] = open ? 0 : -1;
        made.open |= open ? 1u << slot : 0u;
    }
    for (const auto& [row, points] : upperPoints) {
        made.card.values[row] = points;
        made.upper += points;
    }
    made.card.values[Score] = made.upper;
    return made;
}

// The brute force of one turn, values per face-count key and rolls left 0..kTop: an entry is worth its points, the
// bonus and the model's value of the card after it with the rolls left carried; a roll, every held subset of the
// ordered dice with every ordered outcome of the others.
std::vector<std::vector<double>> bruteTurn(const Card& made) {
    const MaxiValue& value = MaxiValue::fitted();
    std::vector<Dice> sorted;
    for (int code = 0; code < 46656; ++code) {
        const Dice dice = Codes::diceOf(code);
        if (std::is_sorted(dice.v, dice.v + 6)) sorted.push_back(dice);
    }
    std::vector<std::vector<double>> levels(kTop + 1, std::vector<double>(Codes::power(6), -1.0));
    for (int left = 0; left <= kTop; ++left) {
        for (const Dice& dice : sorted) {
            double best = -1.0;
            for (int slot = 0; slot < kMaxiSlots; ++slot) {
                if (!(made.open >> slot & 1u)) continue;
                const int points = scoreDice(GameType::Maxi, dice.v, maxiRowOfSlot(slot));
                const int upper = slot < 6 ? std::min(made.upper + points, 84) : made.upper;
                const double bonus = made.upper < 84 && upper == 84 ? 100.0 : 0.0;
                best = std::max(best, points + bonus + value.after(made.open & ~(1u << slot), upper, left));
            }
            for (std::uint32_t hold = 0; left > 0 && hold < 64; ++hold) {
                const int free = 6 - static_cast<int>(std::bitset<6>(hold).count());
                best = std::max(best, Codes::sumOutcomes(levels[left - 1], Codes::countsKey(dice, hold), free) / std::pow(6, free));
            }
            levels[left][Codes::countsKey(dice)] = best;
        }
    }
    return levels;
}

// One or two open rows, the upper rows near the bonus or not, 0 to 4 rolls carried: every sorted roll and every
// number of rolls left, and the turn's start. The advice is consistent on the way: the best move is the maximum, and
// more rolls never lower the expectation.
TEST(MaxiCoach, TurnsMatchTheBruteForceAndTheAdviceIsConsistent) {
    const std::vector<Card> cards = {
        cardWith({Kvoro}),
        cardWith({Sixes, FiveOfAKind}, {{Ones, 4}, {Twos, 8}, {Threes, 12}, {Fours, 16}, {Fives, 20}}),
        cardWith({FullStraight, Chance}),
    };
    for (const Card& made : cards) {
        const std::vector<std::vector<double>> expected = bruteTurn(made);
        const MaxiTurn turn(MaxiValue::fitted(), made.card, kTop);
        const double score = made.card.values[Score];
        for (int code = 0; code < 46656; ++code) {
            const Dice dice = Codes::diceOf(code);
            // Every sorted roll, and some in other orders, which must not matter.
            if (!std::is_sorted(dice.v, dice.v + 6) && code % 97 != 0) continue;
            double before = -1.0;
            for (int left = 0; left <= kTop; ++left) {
                const std::vector<Move> moves = turn.moves(dice.v, left);
                ASSERT_NEAR(moves.front().expected - score, expected[left][Codes::countsKey(dice)], 1e-9)
                    << "dice " << code << " left " << left;
                EXPECT_GE(moves.front().expected, before);
                before = moves.front().expected;
                for (const Move& move : moves) EXPECT_LE(move.expected, moves.front().expected);
            }
        }
        for (int rolls = 1; rolls <= kTop + 1; ++rolls) {
            double start = 0.0;
            for (int code = 0; code < 46656; ++code) start += expected[rolls - 1][Codes::countsKey(Codes::diceOf(code))] / 46656;
            EXPECT_NEAR(turn.startExpectation(rolls) - score, start, 1e-9) << rolls;
            EXPECT_TRUE(rolls == 1 || turn.startExpectation(rolls) >= turn.startExpectation(rolls - 1));
        }
    }
}

// Looking ahead on a card with two open rows solves the last two turns: an entry is worth its points and the start of
// the last turn (by the brute force) with the rolls left carried.
TEST(MaxiCoach, LookingAheadSolvesTheLastTwoTurns) {
    constexpr int kTopNow = kTop - 2;  // the last turn then holds up to kTop + 1 rolls
    const MaxiTurn turn(MaxiValue::fitted(), cardWith({FullStraight, Chance}).card, kTopNow, true);
    std::vector<double> lastStart[2];  // after entering FullStraight, Chance: per rolls in hand 1..kTop + 1
    for (int entered = 0; entered < 2; ++entered) {
        const std::vector<std::vector<double>> levels = bruteTurn(cardWith({entered == 0 ? Chance : FullStraight}));
        lastStart[entered].assign(kTop + 2, 0.0);
        for (int rolls = 1; rolls <= kTop + 1; ++rolls) {
            for (int code = 0; code < 46656; ++code) {
                lastStart[entered][rolls] += levels[rolls - 1][Codes::countsKey(Codes::diceOf(code))] / 46656;
            }
        }
    }
    for (int code = 0; code < 46656; code += 97) {
        const Dice dice = Codes::diceOf(code);
        for (int left = 0; left <= kTopNow; ++left) {
            for (const Move& move : turn.moves(dice.v, left)) {
                if (move.row < 0) continue;
                const double last = lastStart[move.row == FullStraight ? 0 : 1][left + 3];
                EXPECT_NEAR(move.expected, scoreDice(GameType::Maxi, dice.v, move.row) + last, 1e-9) << code;
            }
        }
    }
}

// Self-play through the game's own turns with the advice of maxiMoves reaches the mean that coach_eval reports over
// 100,000 games (within 3.3 standard errors of these games), and an entry never costs the rolls left.
TEST(MaxiCoach, SelfPlayReachesTheEvaluatedMean) {
    constexpr int kGames = 1000;
    constexpr double kMean = 473.021, kDeviation = 70.125;  // coach_eval 100000 2 maxi
    double sum = 0.0;
    for (int seed = 1; seed <= kGames; ++seed) {
        GameState game(static_cast<std::uint32_t>(seed) * 2654435761u + 7u);
        game.startGame(1, GameType::Maxi);
        EXPECT_TRUE(maxiMoves(game).empty());  // before the first roll
        while (game.roundsLeft > 0) {
            for (std::int32_t& held : game.dice.held) held = 0;
            game.roll();
            std::vector<Move> moves = maxiMoves(game);
            for (; moves.front().row < 0; moves = maxiMoves(game)) {
                for (int die = 0; die < 6; ++die) game.dice.held[die] = moves.front().hold >> die & 1u;
                game.roll();
            }
            const int left = game.rollsLeft[0];
            ASSERT_NE(game.enterScore(moves.front().row), 0);
            ASSERT_TRUE(game.roundsLeft == 0 || game.rollsLeft[0] == left + 3);
        }
        sum += game.card(1).values[Score];
    }
    EXPECT_NEAR(sum / kGames, kMean, 3.3 * kDeviation / std::sqrt(kGames));
}

}  // namespace
}  // namespace kvoro::strategy
