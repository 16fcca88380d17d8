#pragma once
// A plain rule of thumb for the six-dice game, the computer's "Hard" play
// until an exact six-dice strategy exists: enter a row that brings at least
// what it usually does, else roll again keeping the most promising dice.
#include <vector>

#include "game/rules.h"
#include "strategy/strategy.h"

namespace kvoro::play {

// Every choice for the current player's position of a six-dice game in
// progress, best first, with an estimated final score; empty before the
// turn's first roll.
std::vector<strategy::Move> heuristicSixDiceMoves(const GameState& game);

}  // namespace kvoro::play
