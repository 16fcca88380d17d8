#include "ui/dice_panel.h"

#include <commctrl.h>

#include "framework/window.h"
#include "res/resource.h"
#include "ui/win_rect.h"

namespace kvoro {

namespace {

constexpr int kDieIds[kMaxDice] = {IDC_DIE1, IDC_DIE2, IDC_DIE3, IDC_DIE4, IDC_DIE5, IDC_DIE6};
constexpr int kHoldIds[kMaxDice] = {IDC_HOLD1, IDC_HOLD2, IDC_HOLD3, IDC_HOLD4, IDC_HOLD5, IDC_HOLD6};

bool Checked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

void DicePanel::Attach(HWND dialog) {
    for (int k = 0; k < kMaxDice; ++k) {
        dice_[k] = GetDlgItem(dialog, kDieIds[k]);
        holds_[k] = GetDlgItem(dialog, kHoldIds[k]);
    }
    roll_ = GetDlgItem(dialog, IDC_ROLL);
}

void DicePanel::OpenClip() const {
    for (HWND die : dice_) {
        SendMessageA(die, ACM_OPENA, reinterpret_cast<WPARAM>(AppInstance()),
                     reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(IDR_DICE_AVI)));
    }
}

void DicePanel::Place(const BoardLayout& layout) const {
    for (int k = 0; k < kMaxDice; ++k) {
        const bool shown = k < kMaxDice - 1 || layout.sixthDieShown;
        PlaceControl(dice_[k], layout.dice[k], shown);
        PlaceControl(holds_[k], layout.holds[k], shown);
    }
    PlaceControl(roll_, layout.roll);
}

bool DicePanel::Show(int die, ClipRun run) const {
    return SendMessageA(dice_[die - 1], ACM_PLAY, static_cast<WPARAM>(run.times), MAKELPARAM(run.first, run.last)) != 0;
}

void DicePanel::ShowAllEmpty() const {
    for (int k = 1; k <= kMaxDice; ++k) Show(k, EmptyDie());
}

std::uint32_t DicePanel::CheckedHolds(GameType type) const {
    std::uint32_t hold = 0;
    for (int k = 0; k < diceCount(type); ++k) hold |= Checked(holds_[k]) ? 1u << k : 0u;
    return hold;
}

bool DicePanel::StartRoll(const DiceSet& dice, GameType type) {
    bool started = false;
    for (int k = 0; k < diceCount(type); ++k) {
        // A die whose play did not start never reports its stop.
        tumbling_[k] = !dice.held[k] && Show(k + 1, TumbleToFace(dice.values[k]));
        started = started || tumbling_[k];
    }
    return started;
}

bool DicePanel::FinishTumble(int die, const DiceSet& dice) {
    if (!tumbling_[die - 1]) return false;
    tumbling_[die - 1] = false;
    if (Checked(holds_[die - 1])) ShowHold(die, dice);
    for (bool tumbling : tumbling_) {
        if (tumbling) return false;
    }
    return true;
}

void DicePanel::ForgetRoll() {
    for (bool& tumbling : tumbling_) tumbling = false;
}

namespace {

int IndexOf(const HWND (&controls)[kMaxDice], HWND control) {
    for (int k = 0; k < kMaxDice; ++k) {
        if (control && controls[k] == control) return k + 1;
    }
    return 0;
}

}  // namespace

int DicePanel::DieOfKey(WPARAM key) {
    if (key >= '1' && key <= '6') return static_cast<int>(key - '0');
    if (key >= VK_NUMPAD1 && key <= VK_NUMPAD6) return static_cast<int>(key - VK_NUMPAD0);
    return 0;
}

DicePanel::Notice DicePanel::OnCommand(int code, HWND control, const DiceSet& dice) {
    if (code == ACN_STOP && DieOf(control)) {
        return FinishTumble(DieOf(control), dice) ? Notice::RollEnded : Notice::Handled;
    }
    if (code != BN_CLICKED || !HoldOf(control)) return Notice::NotOurs;
    ShowHold(HoldOf(control), dice);
    return Notice::Handled;
}

int DicePanel::DieOf(HWND control) const { return IndexOf(dice_, control); }

int DicePanel::HoldOf(HWND control) const { return IndexOf(holds_, control); }

void DicePanel::ShowHold(int die, const DiceSet& dice) const {
    const int face = dice.values[die - 1];
    Show(die, Checked(holds_[die - 1]) ? FaceHeld(face) : FaceAtRest(face));
}

void DicePanel::ToggleHold(int die, const DiceSet& dice) const {
    HWND hold = holds_[die - 1];
    if (!IsWindowEnabled(hold)) return;
    SendMessageA(hold, BM_SETCHECK, Checked(hold) ? BST_UNCHECKED : BST_CHECKED, 0);
    ShowHold(die, dice);
}

void DicePanel::ToggleHoldsAt(POINT screen, const DiceSet& dice) const {
    for (int k = 0; k < kMaxDice; ++k) {
        RECT area;
        if (GetWindowRect(dice_[k], &area) && PtInRect(&area, screen)) ToggleHold(k + 1, dice);
    }
}

void DicePanel::ReleaseHolds() const {
    for (HWND hold : holds_) {
        SendMessageA(hold, BM_SETCHECK, BST_UNCHECKED, 0);
        EnableWindow(hold, FALSE);
    }
}

void DicePanel::SetHolds(std::uint32_t hold, const DiceSet& dice, GameType type) const {
    for (int k = 0; k < diceCount(type); ++k) {
        if (IsWindowEnabled(holds_[k])) SetHold(k + 1, (hold >> k) & 1u, dice);
    }
}

void DicePanel::ShowHolds(std::uint32_t hold, const DiceSet& dice, GameType type) const {
    for (int k = 0; k < diceCount(type); ++k) SetHold(k + 1, (hold >> k) & 1u, dice);
}

void DicePanel::ShowDice(const DiceSet& dice, GameType type) const {
    for (int k = 0; k < diceCount(type); ++k) SetHold(k + 1, dice.held[k] != 0, dice);
}

void DicePanel::SetHold(int die, bool held, const DiceSet& dice) const {
    SendMessageA(holds_[die - 1], BM_SETCHECK, held ? BST_CHECKED : BST_UNCHECKED, 0);
    ShowHold(die, dice);
}

void DicePanel::Apply(play::ButtonRule rule) const {
    EnableWindow(roll_, rule.rollEnabled);
    if (rule.holds == play::HoldRule::DisabledUnchecked) {
        ReleaseHolds();
    } else if (rule.holds != play::HoldRule::Unchanged) {
        for (HWND hold : holds_) EnableWindow(hold, rule.holds == play::HoldRule::Enabled);
    }
}

}  // namespace kvoro
