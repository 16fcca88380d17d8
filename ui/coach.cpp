#include "ui/coach.h"

namespace kvoro {

void Coach::GameStarted(HWND window, GameType type) {
    if (type == GameType::Standard) table_.Start(window);
    hint_ = Hint{};
    for (double& cost : lastEntryCost_) cost = -1.0;
}

const Hint& Coach::Advise(const GameState& state) {
    hint_ = HintFor(state, table());
    return hint_;
}

void Coach::JudgeEntry(const GameState& state, int row) {
    if (IsHintOffered(state)) lastEntryCost_[state.currentPlayer - 1] = EntryCost(state, table(), row);
}

void Coach::ForgetLastEntry(int player) {
    if (player >= 1 && player <= kMaxPlayers) lastEntryCost_[player - 1] = -1.0;
}

std::string Coach::StatusLine(const play::TurnController& controller) const {
    if (controller.isComputerTurn()) return std::string(play::seatName(controller.currentSeat())) + " is playing";
    const int player = controller.state().currentPlayer;
    return HintLine(hint_, player >= 1 && player <= kMaxPlayers ? lastEntryCost_[player - 1] : -1.0);
}

}  // namespace kvoro
