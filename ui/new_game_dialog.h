#pragma once
// The modal dialog in which players choose the number of players, their names,
// who plays each seat and the game type. Start sets up the new game in the
// GameState and stores the seats.
#include "framework/window.h"
#include "game/rules.h"
#include "play/seats.h"

namespace kvoro {

class NewGameDialog : public Dialog {
public:
    NewGameDialog(GameState& state, play::Seats& seats) : state_(state), seats_(seats) {}
    // IDOK (1) after the new game was set up; IDCANCEL (2) with the state and
    // the seats untouched.
    INT_PTR Run(HWND owner);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;

private:
    void FillSeatList(int player) const;
    // Enables the name fields and seat lists of the checked player count and fewer.
    void EnableNameFields();
    // A default name follows the seat's choice: "Player k" or "Computer k".
    void OfferDefaultName(int player);
    play::Seat ChosenSeat(int player) const;
    // Sets up the chosen game and stores the five names and seats.
    void Start();

    GameState& state_;
    play::Seats& seats_;
};

}  // namespace kvoro
