#pragma once
// The coach: exact optimal play of the five-dice game for one player, who
// wants the highest expected final score. Pure logic on top of the rules; the
// rows are scored by the game's own scoreDice.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "game/rules.h"

namespace kvoro::strategy {

// The 15 entered rows of the five-dice card, numbered 0..14 in row order
// ("slots"); slots 0..5 are the upper section.
constexpr int kSlotCount = 15;
constexpr int kUpperCap = bonusThreshold(GameType::Standard);
constexpr int kUpperStates = kUpperCap + 1;
constexpr std::size_t kStateCount = (std::size_t{1} << kSlotCount) * kUpperStates;

int rowOfSlot(int slot);
int slotOfRow(int row);  // -1 for a row that is not entered on the five-dice card

// Where a card stands at the start of a turn: which slots are filled and the
// upper total, capped at the bonus threshold (more never matters).
struct TurnStart {
    std::uint32_t filled;
    int upper;
};
TurnStart turnStartOf(const ScoreCard& card);

// The expected points still to come, under optimal play, at the start of every
// turn; the bonus counts with the entry that reaches it. Unreachable upper
// totals hold 0.
class ValueTable {
public:
    ValueTable() = default;
    // Backward induction over every turn start, on the given number of threads,
    // each of which first calls eachThread when given. Gives up, returning an
    // empty table, once *stop becomes true.
    static ValueTable compute(unsigned threads, const std::atomic<bool>* stop = nullptr,
                              const std::function<void()>& eachThread = nullptr);

    bool empty() const { return values_.empty(); }
    double remaining(TurnStart start) const {
        return values_[start.filled * kUpperStates + static_cast<std::size_t>(start.upper)];
    }
    const std::vector<float>& values() const { return values_; }

private:
    std::vector<float> values_;
};

// One choice in a position: enter a row now, or roll again holding some dice.
struct Move {
    int row;             // the row to enter; -1 for a roll
    std::uint32_t hold;  // for a roll: bit k set when die k + 1 is held
    double expected;     // the card's expected final score after this choice
};

// One turn on one card, solved once and then asked about any dice.
class TurnAdvisor {
public:
    // The table must not be empty and must outlive the advisor.
    TurnAdvisor(const ValueTable& table, const ScoreCard& card);

    // Expected final score before the first roll of the turn.
    double startExpectation() const { return score_ + startValue_; }
    // Every choice for dice 1..5 (faces 1..6) with rollsLeft (0..2) rolls left,
    // best first; entering comes before rolling on equal expectations, and
    // holding all five dice comes last among equals. Empty for a full card or
    // dice without faces.
    std::vector<Move> moves(const std::int32_t (&dice)[kMaxDice], int rollsLeft) const;

private:
    const ValueTable& table_;
    TurnStart start_;
    double score_;
    double startValue_;
    // What holding a multiset and rolling the rest is worth, with 1 or 2 rolls
    // left (before the roll), excluding the points already on the card.
    std::vector<double> holdValue_[2];
};

// Sorts by expectation, best first, keeping the order of equals.
void sortBestFirst(std::vector<Move>& moves);

// Plays the current player's turn through the game's own roll, holds and
// enterScore, always taking the first of advice()'s moves. Returns the row
// entered, or -1 when the advice is empty or the entry refused.
template <typename Advice>
int playAdvisedTurn(GameState& game, Advice advice) {
    for (std::int32_t& held : game.dice.held) held = 0;
    game.roll();
    for (;;) {
        const std::vector<Move> moves = advice();
        if (moves.empty()) return -1;
        const Move& best = moves.front();
        if (best.row >= 0) return game.enterScore(best.row) != 0 ? best.row : -1;
        for (int die = 0; die < kMaxDice; ++die) game.dice.held[die] = (best.hold >> die) & 1u;
        game.roll();
    }
}

// Plays the current player's turn of a five-dice game through the game's own
// roll, holds and enterScore, always choosing the best move. Returns the row
// entered, or -1 without a five-dice game in progress.
int playBestTurn(GameState& game, const ValueTable& table);

}  // namespace kvoro::strategy
