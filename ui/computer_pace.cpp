#include "ui/computer_pace.h"

namespace kvoro {

using Kind = play::ComputerStep::Kind;

void ComputerPace::OnEnable(bool enabled) {
    paused_ = !enabled;
    Schedule();
}

void ComputerPace::Schedule() const {
    KillTimer(window_, kComputerStepTimer);
    if (paused_) return;
    const play::ComputerStep step = controller_.nextStep();
    if (step.kind == Kind::None || step.kind == Kind::Wait) return;
    SetTimer(window_, kComputerStepTimer, static_cast<UINT>(step.delayMs), nullptr);
}

play::ComputerStep ComputerPace::Take() const {
    KillTimer(window_, kComputerStepTimer);
    return paused_ ? play::ComputerStep{} : controller_.nextStep();
}

}  // namespace kvoro
