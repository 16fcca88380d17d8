#pragma once
// The one window timer that paces a computer's turn: it asks the turn
// controller for the next step and when it is due, and holds the turn while a
// modal dialog runs.
#include <windows.h>

#include "play/turn_controller.h"

namespace kvoro {

// The window's timer for the next step of a computer's turn.
constexpr UINT_PTR kComputerStepTimer = 2;

class ComputerPace {
public:
    explicit ComputerPace(play::TurnController& controller) : controller_(controller) {}
    void Attach(HWND window) { window_ = window; }

    // WM_ENABLE: a modal dialog (New Game, Highscore, About, a question)
    // disables its owner while it runs, and the computer waits until it closes.
    void OnEnable(bool enabled);
    // Sets the timer for the next step, if one is due. A computer waiting for
    // the coach's table goes on at a later call.
    void Schedule();
    // The timer fired: the step to play now; of kind None when none is.
    play::ComputerStep Take();

private:
    // Most turns are human: no call to the platform unless a timer is set.
    void Stop();

    play::TurnController& controller_;
    HWND window_ = nullptr;
    bool paused_ = false;
    bool timerSet_ = false;
};

}  // namespace kvoro
