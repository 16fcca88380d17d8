#include "play/six_dice_heuristic.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace kvoro::play {
namespace {

// What each row of the six-dice card usually brings; an entry is judged by how
// far it lies above or below. The upper rows' par is the bonus's.
constexpr int kPar[kRowCount] = {
    4, 8, 12, 16, 20, 24,  // One .. Six
    0, 0,                  // Bonus, Total
    10, 18, 16, 14, 16, 15,  // Pair .. 5 of a kind
    12, 16, 14,              // the straights
    18, 14, 18, 25,          // Cabin, Tower, Full House, Chance
    15, 0,                   // Maxi Kvoro, Score
};
// What one more roll is taken to bring over the best entry now.
constexpr double kRollGain = 6.0;

struct Faces {
    int n[7] = {};
};

Faces facesOf(const DiceSet& dice) {
    Faces faces;
    for (int die = 0; die < kMaxDice; ++die) {
        if (dice.values[die] >= 1 && dice.values[die] <= 6) ++faces.n[dice.values[die]];
    }
    return faces;
}

template <typename Wanted>
std::uint32_t diceShowing(const DiceSet& dice, Wanted wanted) {
    std::uint32_t mask = 0;
    for (int die = 0; die < kMaxDice; ++die) {
        if (wanted(dice.values[die])) mask |= 1u << die;
    }
    return mask;
}

bool anyOpen(const ScoreCard& card, std::initializer_list<int> rows) {
    return std::any_of(rows.begin(), rows.end(), [&card](int row) { return card.values[row] == 0; });
}

// The dice to keep for the next roll: the largest group of one face (the
// higher on ties); two or more pairs while a row needs them; one of each face
// while a straight is open and four or more faces show.
std::uint32_t holdFor(const GameState& game, const ScoreCard& card) {
    const Faces faces = facesOf(game.dice);
    int best = 6;
    for (int face = 5; face >= 1; --face) {
        if (faces.n[face] > faces.n[best]) best = face;
    }
    int distinct = 0;
    int pairs = 0;
    for (int face = 1; face <= 6; ++face) {
        distinct += faces.n[face] > 0;
        pairs += faces.n[face] >= 2;
    }
    if (faces.n[best] <= 2 && distinct >= 4 && anyOpen(card, {SmallStraight, LargeStraight, FullStraight})) {
        bool seen[7] = {};
        return diceShowing(game.dice, [&seen](int value) { return !std::exchange(seen[value], true); });
    }
    if (pairs >= 2 && faces.n[best] <= 3 && anyOpen(card, {TwoPair, ThreePair, Cabin, Tower, FullHouse})) {
        return diceShowing(game.dice, [&faces](int value) { return faces.n[value] >= 2; });
    }
    return diceShowing(game.dice, [best](int value) { return value == best; });
}

}  // namespace

std::vector<strategy::Move> heuristicSixDiceMoves(const GameState& game) {
    const int player = game.currentPlayer;
    if (game.gameType != GameType::Maxi || !game.hasRolled || game.roundsLeft <= 0 || player < 1 ||
        player > game.playerCount) {
        return {};
    }
    const ScoreCard& card = game.card(player);
    double base = card.values[Score] > 0 ? card.values[Score] : 0;
    for (int row = 0; row < kRowCount; ++row) {
        if (!isComputedRow(row) && GameState::isRowShown(GameType::Maxi, row) && card.values[row] == 0) {
            base += kPar[row];
        }
    }
    std::vector<strategy::Move> moves;
    for (int row = 0; row < kRowCount; ++row) {
        if (isComputedRow(row) || !GameState::isRowShown(GameType::Maxi, row) || card.values[row] != 0) continue;
        moves.push_back({row, 0, base + game.scoreFor(row) - kPar[row]});
    }
    if (moves.empty()) return moves;
    std::stable_sort(moves.begin(), moves.end(),
                     [](const strategy::Move& a, const strategy::Move& b) { return a.expected > b.expected; });
    if (game.rollsLeft[player - 1] > 0) {
        // An entry at or above its par is taken, and the rolls saved carry over.
        const double bestEntry = moves.front().expected;
        const double roll = bestEntry >= base ? bestEntry - 1.0 : bestEntry + kRollGain;
        moves.push_back({-1, holdFor(game, card), roll});
        std::stable_sort(moves.begin(), moves.end(),
                         [](const strategy::Move& a, const strategy::Move& b) { return a.expected > b.expected; });
    }
    return moves;
}

}  // namespace kvoro::play
