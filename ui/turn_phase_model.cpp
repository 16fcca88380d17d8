#include "ui/turn_phase_model.h"

namespace kvoro {

bool HasCurrentPlayer(const GameState& state) {
    return state.currentPlayer >= 1 && state.currentPlayer <= kMaxPlayers;
}

int CurrentRollsLeft(const GameState& state) {
    return HasCurrentPlayer(state) ? state.rollsLeft[state.currentPlayer - 1] : 0;
}

TurnPhase PhaseOf(const GameState& state, bool animating) {
    if (!HasCurrentPlayer(state)) return TurnPhase::NoGame;
    if (state.roundsLeft <= 0) return TurnPhase::GameOver;
    if (animating) return TurnPhase::Rolling;
    if (!state.hasRolled) return TurnPhase::TurnBegins;
    return CurrentRollsLeft(state) > 0 ? TurnPhase::Choosing : TurnPhase::OutOfRolls;
}

ButtonRule ButtonsFor(TurnPhase phase) {
    switch (phase) {
    case TurnPhase::TurnBegins:
        return ButtonRule{true, HoldRule::DisabledUnchecked};
    case TurnPhase::Rolling:
    case TurnPhase::OutOfRolls:
        return ButtonRule{false, HoldRule::Unchanged};
    case TurnPhase::Choosing:
        return ButtonRule{true, HoldRule::Enabled};
    case TurnPhase::NoGame:
    case TurnPhase::GameOver:
        break;
    }
    return ButtonRule{false, HoldRule::DisabledUnchecked};
}

}  // namespace kvoro
