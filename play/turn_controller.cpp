#include "play/turn_controller.h"

namespace kvoro::play {

bool hasCurrentPlayer(const GameState& game) {
    return game.currentPlayer >= 1 && game.currentPlayer <= kMaxPlayers;
}

int currentRollsLeft(const GameState& game) {
    return hasCurrentPlayer(game) ? game.rollsLeft[game.currentPlayer - 1] : 0;
}

// The computers' generator is seeded apart from the dice's, so that their
// choices never shift the faces rolled.
TurnController::TurnController(std::uint32_t seed) : game_(seed), computer_(seed * 2654435761u + 1u) {}

void TurnController::gameStarted() {
    progress_ = Progress{};
    undo_.reset();
}

bool TurnController::inProgress() const { return hasCurrentPlayer(game_) && game_.roundsLeft > 0; }

bool TurnController::isGameOver() const { return hasCurrentPlayer(game_) && game_.roundsLeft <= 0; }

Seat TurnController::currentSeat() const {
    return inProgress() ? seats_.of[game_.currentPlayer - 1] : Seat::Human;
}

bool TurnController::isComputerTurn() const { return isComputer(currentSeat()); }

bool TurnController::mayAct(Actor actor) const {
    return inProgress() && !progress_.rolling && isComputerTurn() == (actor == Actor::Computer);
}

bool TurnController::canRoll(Actor actor) const { return mayAct(actor) && currentRollsLeft(game_) > 0; }

bool TurnController::canEnter(Actor actor, int row) const {
    return mayAct(actor) && game_.hasRolled && !isComputedRow(row) && GameState::isRowShown(game_.gameType, row) &&
           game_.card(game_.currentPlayer).values[row] == 0;
}

bool TurnController::recordsResult(int player) const {
    return player >= 1 && player <= kMaxPlayers && !isComputer(seats_.of[player - 1]);
}

TurnPhase TurnController::phase() const {
    if (!hasCurrentPlayer(game_)) return TurnPhase::NoGame;
    if (game_.roundsLeft <= 0) return TurnPhase::GameOver;
    if (progress_.rolling) return TurnPhase::Rolling;
    if (!game_.hasRolled) return TurnPhase::TurnBegins;
    return currentRollsLeft(game_) > 0 ? TurnPhase::Choosing : TurnPhase::OutOfRolls;
}

ButtonRule TurnController::buttons() const {
    const TurnPhase now = phase();
    switch (now) {
    case TurnPhase::TurnBegins:
        return ButtonRule{!isComputerTurn(), HoldRule::DisabledUnchecked};
    case TurnPhase::Rolling:
        return ButtonRule{false, HoldRule::Unchanged};
    case TurnPhase::OutOfRolls:
        // A human's Hold buttons stay enabled, as the roll before left them.
        return ButtonRule{false, isComputerTurn() ? HoldRule::Disabled : HoldRule::Enabled};
    case TurnPhase::Choosing:
        return isComputerTurn() ? ButtonRule{false, HoldRule::Disabled} : ButtonRule{true, HoldRule::Enabled};
    case TurnPhase::NoGame:
    case TurnPhase::GameOver:
        break;
    }
    return ButtonRule{false, HoldRule::DisabledUnchecked};
}

bool TurnController::roll(Actor actor, std::uint32_t hold) {
    if (!canRoll(actor)) return false;
    for (int die = 0; die < diceCount(game_.gameType); ++die) game_.dice.held[die] = (hold >> die) & 1u;
    game_.roll();
    progress_ = Progress{true, std::nullopt, false};
    undo_.reset();
    return true;
}

bool TurnController::rollFinished() {
    if (!progress_.rolling) return false;
    progress_.rolling = false;
    return true;
}

int TurnController::enter(Actor actor, int row) {
    if (!canEnter(actor, row)) return 0;
    Snapshot before{game_, progress_};
    progress_ = Progress{};
    const int result = game_.enterScore(row);
    // The results are recorded after the game's last entry; a computer's
    // entry is its own.
    if (actor == Actor::Human && !isGameOver()) {
        undo_ = std::move(before);
    } else {
        undo_.reset();
    }
    return result;
}

bool TurnController::undo() {
    if (!undo_) return false;
    game_ = undo_->game;
    progress_ = undo_->progress;
    undo_.reset();
    return true;
}

ComputerStep TurnController::nextStep() {
    ComputerStep step;
    if (!isComputerTurn() || progress_.rolling) return step;
    step.delayMs = stepDelayMs(speed_);
    if (!game_.hasRolled) {
        step.kind = ComputerStep::Kind::Roll;
        return step;
    }
    std::optional<strategy::Move>& plan = progress_.plan;
    if (!plan) plan = computer_.choose(currentSeat(), game_);
    if (!plan) {
        step.kind = ComputerStep::Kind::Wait;
        return step;
    }
    step.hold = plan->hold;
    step.row = plan->row;
    if (plan->row >= 0) {
        step.kind = progress_.planShown ? ComputerStep::Kind::Enter : ComputerStep::Kind::Show;
    } else {
        step.kind = progress_.planShown ? ComputerStep::Kind::Roll : ComputerStep::Kind::Hold;
    }
    return step;
}

}  // namespace kvoro::play
