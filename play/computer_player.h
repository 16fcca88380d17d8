#pragma once
// How a computer player chooses. Every choice of the position comes with the
// expected final score of the card after it: from the coach in a five-dice
// game, from sixDiceMoves in a six-dice game. "Hard" takes the best. "Medium"
// and "Easy" draw a choice with a probability that falls exponentially with
// its cost against the best (a softmax over the expected scores at a
// temperature per level), from the player's own generator: the dice are never
// touched, so a seeded game rolls the same faces whoever plays it.
#include <cstdint>
#include <optional>
#include <vector>

#include "game/rules.h"
#include "play/seats.h"
#include "strategy/strategy.h"

namespace kvoro::play {

// The one place that says where six-dice advice comes from: every choice for
// the current player's position of a six-dice game in progress, best first;
// empty before the turn's first roll.
std::vector<strategy::Move> sixDiceMoves(const GameState& game);

// A cost of this many points against the best choice makes a choice e times
// less likely; 0 for Hard, who always takes the best.
double temperature(Seat level);

// Draws from the moves (best first, not empty) at the level's temperature.
const strategy::Move& drawMove(const std::vector<strategy::Move>& moves, Seat level, Random& own);

class ComputerPlayer {
public:
    explicit ComputerPlayer(std::uint32_t seed) : own_(seed) {}

    // The coach's table for five-dice games; null while it is computed.
    void setTable(const strategy::ValueTable* table);
    // Whether a choice can be made in this game now: a five-dice game waits
    // for the coach's table.
    bool ready(const GameState& game) const;
    // Every choice for the current position, best first; empty before the
    // first roll of the turn or when not ready.
    std::vector<strategy::Move> moves(const GameState& game);
    // The level's choice for the current position; nullopt when there is none.
    std::optional<strategy::Move> choose(Seat level, const GameState& game);

private:
    Random own_;
    const strategy::ValueTable* table_ = nullptr;
    // The coach's solution of the turn in progress, made once per card.
    std::optional<strategy::TurnAdvisor> advisor_;
    ScoreCard advisedCard_{};
};

}  // namespace kvoro::play
