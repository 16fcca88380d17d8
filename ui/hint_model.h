#pragma once
// What the Hint command shows: the coach's advice for the current player's
// position, and the status panel's line about it. Plain data only. The
// five-dice coach is exact; the six-dice coach's expectations are estimates,
// and the line says so.
#include <cstdint>
#include <string>

#include "game/rules.h"
#include "strategy/strategy.h"

namespace kvoro {

enum class HintKind {
    None,         // nothing shown
    NotThisGame,  // no game in progress
    RollFirst,    // before the first roll of a turn
    Computing,    // the five-dice coach's table is not ready yet
    Hold,         // roll again holding the dice in hold
    Enter,        // enter the row now
};

struct Hint {
    HintKind kind = HintKind::None;
    std::uint32_t hold = 0;  // bit k: die k + 1
    int row = -1;
    double expected = 0.0;  // the expected final score of the advised move
    bool estimate = false;  // expected is the six-dice coach's estimate
};

// The command is offered while a game is in progress.
bool IsHintOffered(const GameState& state);

// The advice for the current position; table is the five-dice coach's, null
// while it is computed (a six-dice game needs none).
Hint HintFor(const GameState& state, const strategy::ValueTable* table);

// How many points entering row loses against the coach's best move of the
// current position (0 when it is the best); negative without a position to
// judge (no roll yet, the five-dice table still computing).
double EntryCost(const GameState& state, const strategy::ValueTable* table, int row);

// The status panel's hint line. lastCost is the current player's last entry's
// cost, negative when he has made no entry the coach judged.
std::string HintLine(const Hint& hint, double lastCost);

}  // namespace kvoro
