#include "ui/computer_pace.h"

namespace kvoro {

using Kind = play::ComputerStep::Kind;

void ComputerPace::OnEnable(bool enabled) {
    paused_ = !enabled;
    Schedule();
}

void ComputerPace::Schedule() {
    Stop();
    if (paused_) return;
    const play::ComputerStep step = controller_.nextStep();
    if (step.kind == Kind::None || step.kind == Kind::Wait) return;
    timerSet_ = SetTimer(window_, kComputerStepTimer, static_cast<UINT>(step.delayMs), nullptr) != 0;
}

play::ComputerStep ComputerPace::Take() {
    Stop();
    return paused_ ? play::ComputerStep{} : controller_.nextStep();
}

void ComputerPace::Stop() {
    if (timerSet_) KillTimer(window_, kComputerStepTimer);
    timerSet_ = false;
}

}  // namespace kvoro
