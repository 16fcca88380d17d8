#pragma once
// The phases of a turn as the main window sees them, and which of the Roll and
// Hold buttons each phase enables. Plain data only.
#include "game/rules.h"

namespace kvoro {

// Whether a player has the turn: not before the first game.
bool HasCurrentPlayer(const GameState& state);

// The current player's rolls left; 0 while no player has the turn.
int CurrentRollsLeft(const GameState& state);

enum class TurnPhase { NoGame, TurnBegins, Rolling, Choosing, OutOfRolls, GameOver };

TurnPhase PhaseOf(const GameState& state, bool animating);

enum class HoldRule { DisabledUnchecked, Enabled, Unchanged };

struct ButtonRule {
    bool rollEnabled;
    HoldRule holds;
};

ButtonRule ButtonsFor(TurnPhase phase);

}  // namespace kvoro
