#pragma once
// The Hint command's side of the main window: the five-dice coach's table, the
// hint on show and the cost of each player's last entry, from which the status
// panel's line is made.
#include <windows.h>

#include <string>

#include "play/turn_controller.h"
#include "ui/coach_table.h"
#include "ui/hint_model.h"

namespace kvoro {

class Coach {
public:
    // A new game: no hint, no judged entry. The five-dice table is computed
    // once the first five-dice game is under way, so that start-up does not
    // share the processor with it; window hears when it is ready.
    void GameStarted(HWND window, GameType type);
    // On the ready message. Returns whether a finished worker handed its table over.
    bool TakeTable() { return table_.TakeIfFinished(); }
    const strategy::ValueTable* table() const { return table_.table(); }

    const Hint& hint() const { return hint_; }
    // The advice for the current position, now on show.
    const Hint& Advise(const GameState& state);
    void Clear() { hint_ = Hint{}; }

    // A human's entry, judged against the coach's best move before it is made.
    void JudgeEntry(const GameState& state, int row);
    // The player's last entry was taken back.
    void ForgetLastEntry(int player);
    // The status panel's last line.
    std::string StatusLine(const play::TurnController& controller) const;

private:
    CoachTable table_;
    Hint hint_;
    double lastEntryCost_[kMaxPlayers] = {-1, -1, -1, -1, -1};  // negative: not judged
};

}  // namespace kvoro
