#pragma once
// The main window: a modeless dialog from template 129 that owns the turn
// controller, the board, the coach and the settings with the highscore
// tables. It plays out on the board what the controller says (the computer's
// steps on a timer of their own), answers the menu, passes the players' input
// on and filters the thread's keyboard input.
#include <windows.h>

#include <cstdint>

#include "framework/gdi.h"
#include "framework/message_loop.h"
#include "framework/window.h"
#include "game/rules.h"
#include "play/turn_controller.h"
#include "store/settings_key.h"
#include "store/settings_store.h"
#include "ui/board.h"
#include "ui/coach.h"
#include "ui/computer_pace.h"
#include "ui/main_menu.h"
#include "ui/sound_player.h"

namespace kvoro {

class MainDialog : public Dialog, public MessageFilter, public IdleHandler {
public:
    // Seeds the game's random generator with the calendar time. The settings
    // are read from and written to settingsKey.
    MainDialog(MessageLoop& loop, SoundPlayer& sounds, SettingsKey& settingsKey);
    MainDialog(MessageLoop& loop, SoundPlayer& sounds, SettingsKey& settingsKey, std::uint32_t seed);
    ~MainDialog() override;

    // Creates the window without an owner. The first New Game dialog runs
    // before this returns. Returns nullptr when the window cannot be created.
    HWND Create();

    bool PreTranslateMessage(MSG& message) override;
    void OnIdle() override;

    const GameState& state() const { return controller_.state(); }
    const play::TurnController& controller() const { return controller_; }
    const HighscoreStore& highscores() const { return settings_.settings().highscores; }
    bool animating() const { return controller_.rolling(); }
    bool soundOn() const { return settings_.settings().soundOn; }
    const Hint& hint() const { return coach_.hint(); }
    const Coach& coach() const { return coach_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnSize(UINT type, int width, int height) override;
    bool OnEraseBackground(HDC dc) override;
    bool OnDrawItem(int controlId, const DRAWITEMSTRUCT& item) override;
    bool OnTimer(UINT_PTR id) override;
    bool OnLeftButtonUp(POINT client) override;
    bool OnGetMinMaxInfo(MINMAXINFO& limits) override;
    HBRUSH OnControlColor(HDC dc, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The check marks and greyed items of the menu.
    void UpdateMenu() const;

    // The same road for a human's input and a computer's step.
    void Roll(play::Actor actor, std::uint32_t hold);
    // Roll, Space or Enter: the dice whose Hold buttons are checked stay.
    void RollByHand();
    void OnRollFinished();
    void EnterRow(play::Actor actor, int row);
    void OnGameEnd();
    void OnNewGame();
    void OnComputerTimer();
    // The settings and the seats; quietly: with no box about a failed write.
    void Save(bool quietly);
    void OnHint();
    void OnUndo();
    bool ClearHint();

    MessageLoop& loop_;
    SoundPlayer& sounds_;
    SettingsKey& settingsKey_;
    play::TurnController controller_;
    ComputerPace pace_{controller_};
    Board board_{controller_};
    Coach coach_;

    SettingsStore settings_;
    bool layoutReady_ = false;
    UINT lastSizeType_ = SIZE_RESTORED;

    MainMenu menu_;
};

}  // namespace kvoro
