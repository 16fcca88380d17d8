#pragma once
// The six-dice coach: every turn solved exactly, for every number of rolls in
// hand, against the estimate of MaxiValue for the card after the entry, or in
// play against the next turn solved the same way. Its expectations are
// estimates, since that value is one.
#include <cstdint>
#include <vector>

#include "game/rules.h"
#include "strategy/maxi_value.h"
#include "strategy/strategy.h"

namespace kvoro::strategy {

// One turn of one card, solved once for up to topRolls rolls left after a roll
// and then asked about any dice. Looking ahead, an entry is worth the start of
// the next turn solved exactly against the value (with the rolls left
// carried), not the value itself: two turns exact.
class MaxiTurn {
public:
    MaxiTurn(const MaxiValue& value, const ScoreCard& card, int topRolls, bool lookingAhead = false);

    const ScoreCard& card() const { return card_; }
    int topRolls() const { return top_; }
    // Expected final score before the turn's first roll with rolls in hand
    // (1..topRolls + 1).
    double startExpectation(int rolls) const;
    // Every choice for dice 1..6 with rollsLeft (0..topRolls) rolls left,
    // best first; entering comes before rolling on equal expectations, and
    // holding all six dice comes last among equals. Empty for a full card or
    // dice without faces.
    std::vector<Move> moves(const std::int32_t (&dice)[kMaxDice], int rollsLeft) const;

private:
    MaxiTurn(const MaxiValue& value, MaxiPosition position, int topRolls);
    void lookAhead();
    double after(std::uint32_t open, int upper, int rollsLeft) const;
    double entryValue(int slot, int points, int rollsLeft) const;
    void solveEntries(int rollsLeft, std::vector<double>& rolls) const;
    void solveLevel(int rollsLeft);

    const MaxiValue& value_;
    ScoreCard card_;
    std::uint32_t open_ = 0;
    int upper_ = 0;
    int top_;
    // Looking ahead: per card after an entry (open slots, upper total), what
    // it is worth with 0..topRolls rolls carried.
    struct Ahead {
        std::uint32_t open;
        int upper;
        std::vector<double> carried;
    };
    std::vector<Ahead> ahead_;
    // Per rolls left: the best value of each roll of all six dice, and (from 1
    // roll left) what keeping each multiset and rolling the rest is worth.
    std::vector<std::vector<double>> rolls_;
    std::vector<std::vector<double>> keeps_;
};

// Every choice of the current player of a six-dice game in progress after
// the turn's first roll, best first (as MaxiTurn::moves looking ahead); empty
// otherwise. The solved turn is kept per thread, so a turn is solved once.
std::vector<Move> maxiMoves(const GameState& game);
// The expected final score of the current player before the turn's first
// roll; 0 without a six-dice game in progress.
double maxiStartEstimate(const GameState& game);

// Plays the current player's turn of a six-dice game through the game's own
// roll, holds and enterScore with the value given, as maxiMoves advises when
// lookingAhead (without, far faster, for tuning the value). Returns the
// row entered, or -1 without a six-dice game in progress.
int playMaxiTurn(GameState& game, const MaxiValue& value, bool lookingAhead = true);

}  // namespace kvoro::strategy
