#pragma once
// What the Hint command shows: the coach's advice for the current player's
// position, and the status panel's line about it. Plain data only.
#include <cstdint>
#include <string>

#include "game/rules.h"
#include "strategy/strategy.h"

namespace kvoro {

enum class HintKind {
    None,         // nothing shown
    NotThisGame,  // a six-dice game, or no game in progress
    RollFirst,    // before the first roll of a turn
    Computing,    // the coach's table is not ready yet
    Hold,         // roll again holding the dice in hold
    Enter,        // enter the row now
};

struct Hint {
    HintKind kind = HintKind::None;
    std::uint32_t hold = 0;  // bit k: die k + 1
    int row = -1;
    double expected = 0.0;  // the expected final score of the advised move
};

// The command is offered only in a five-dice game.
bool IsHintOffered(const GameState& state);

// The advice for the current position; table is null while it is computed.
Hint HintFor(const GameState& state, const strategy::ValueTable* table);

// How many points entering row loses against the best move of the current
// position (0 when it is the best); 0 without a position to judge.
double EntryCost(const GameState& state, const strategy::ValueTable& table, int row);

// The status panel's hint line. lastCost is the current player's last entry's
// cost, negative when he has made no entry the coach judged.
std::string HintLine(const Hint& hint, double lastCost);

}  // namespace kvoro
