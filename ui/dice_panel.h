#pragma once
// The dice, their Hold buttons and the Roll button: controls of the main
// dialog's template that the turn drives. The dice are animation controls
// playing runs of the dice clip; a Hold button's check is its die's hold.
#include <windows.h>

#include <cstdint>

#include "game/rules.h"
#include "ui/dice_panel_model.h"
#include "ui/main_dialog_model.h"
#include "play/turn_controller.h"

namespace kvoro {

class DicePanel {
public:
    // Takes the controls from the main dialog.
    void Attach(HWND dialog);
    // Opens the dice clip in all six dice.
    void OpenClip() const;

    void Place(const BoardLayout& layout) const;

    // Die k is 1..6. Returns whether the control took the request.
    bool Show(int die, ClipRun run) const;
    void ShowAllEmpty() const;
    // The dice of the game whose Hold buttons are checked (bit k: die k + 1).
    std::uint32_t CheckedHolds(GameType type) const;
    // Starts the tumble of every die of the game that is not held; returns
    // whether any die really started.
    bool StartRoll(const DiceSet& dice, GameType type);
    // Die k reported the end of its run; a die held meanwhile now shows its
    // held face, which it could not while it played. True when it was the
    // last die of the roll still tumbling: the animation controls play on
    // their own and stop a little apart, and a late stop must not end the
    // next roll.
    bool FinishTumble(int die, const DiceSet& dice);
    // A new game: no die of an earlier roll is awaited any more.
    void ForgetRoll();

    // The die whose Hold button a key toggles: the digits 1 to 6 of either
    // keyboard; 0 for other keys.
    static int DieOfKey(WPARAM key);
    // A WM_COMMAND from a die or a Hold button: a die's stop ends its
    // tumble, a Hold button's click shows its die held or at rest.
    enum class Notice { NotOurs, Handled, RollEnded };
    Notice OnCommand(int code, HWND control, const DiceSet& dice);

    // Die k or Hold button k is 1..6; 0 when control is none of them.
    int DieOf(HWND control) const;
    int HoldOf(HWND control) const;
    // Shows die k held or at rest, as its Hold button now says.
    void ShowHold(int die, const DiceSet& dice) const;
    // Inverts Hold button k when it is enabled, and shows its die.
    void ToggleHold(int die, const DiceSet& dice) const;
    // Toggles the hold of every die whose window contains the screen point.
    void ToggleHoldsAt(POINT screen, const DiceSet& dice) const;
    void ReleaseHolds() const;  // unchecked and disabled
    // Checks the enabled Hold buttons of the dice in hold (bit k: die k + 1)
    // and unchecks the others.
    void SetHolds(std::uint32_t hold, const DiceSet& dice, GameType type) const;
    // Shows the dice in hold as kept, enabled or not: a computer's holds.
    void ShowHolds(std::uint32_t hold, const DiceSet& dice, GameType type) const;
    // Shows every die of the game with its value, held as its flag says.
    void ShowDice(const DiceSet& dice, GameType type) const;

    void Apply(play::ButtonRule rule) const;
    HWND roll() const { return roll_; }

private:
    void SetHold(int die, bool held, const DiceSet& dice) const;

    HWND dice_[kMaxDice] = {};
    HWND holds_[kMaxDice] = {};
    HWND roll_ = nullptr;
    bool tumbling_[kMaxDice] = {};
};

}  // namespace kvoro
