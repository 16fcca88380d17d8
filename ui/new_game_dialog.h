#pragma once
// The modal dialog in which players choose the number of players, their names
// and the game type. Start sets up the new game in the GameState.
#include "framework/window.h"
#include "game/rules.h"

namespace kvoro {

class NewGameDialog : public Dialog {
public:
    explicit NewGameDialog(GameState& state) : state_(state) {}
    // IDOK (1) after the new game was set up; IDCANCEL (2) with the state untouched.
    INT_PTR Run(HWND owner);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;

private:
    // Enables the name fields of the checked player count and fewer.
    void EnableNameFields();
    // Sets up the chosen game and stores the five names.
    void Start();

    GameState& state_;
};

}  // namespace kvoro
