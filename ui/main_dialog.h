#pragma once
// The main window: a modeless dialog from template 129 that owns the game,
// the score card, the dice and status panels and the highscore tables, lays
// them out, runs the turns and filters the thread's keyboard input.
#include <windows.h>

#include <cstdint>

#include "framework/gdi.h"
#include "framework/message_loop.h"
#include "framework/window.h"
#include "game/rules.h"
#include "ui/coach_table.h"
#include "ui/dice_panel.h"
#include "ui/geometry_model.h"
#include "ui/highscore_dialog.h"
#include "ui/hint_model.h"
#include "ui/score_grid.h"
#include "ui/sound_player.h"

namespace kvoro {

// Posted by the coach's worker thread when its table is ready.
constexpr UINT WM_COACH_READY = WM_APP + 1;

class MainDialog : public Dialog, public MessageFilter, public IdleHandler {
public:
    // Seeds the game's random generator with the calendar time.
    MainDialog(MessageLoop& loop, SoundPlayer& sounds);
    MainDialog(MessageLoop& loop, SoundPlayer& sounds, std::uint32_t seed);
    ~MainDialog() override;

    // Creates the window without an owner. The first New Game dialog runs
    // before this returns. Returns nullptr when the window cannot be created.
    HWND Create();

    bool PreTranslateMessage(MSG& message) override;
    void OnIdle() override;

    const GameState& state() const { return state_; }
    HighscoreStore& highscores() { return highscoreDialog_.store(); }
    bool animating() const { return animating_; }
    bool soundOn() const { return soundOn_ != 0; }
    const Hint& hint() const { return hint_; }
    const CoachTable& coach() const { return coach_; }

    // Paints the board's background over area (client coordinates) into dc.
    void PaintBackground(HDC dc, const RECT& area) const;
    // Paints the status panel, as its control shows it, into dc.
    void PaintStatus(HDC dc) const;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void Layout();
    void ShowBanner();
    void UpdateSoundCheck() const;
    void RedrawPanels();
    void ApplyPhase() const;

    void OnRoll();
    void OnRollFinished();
    void OnRowChosen(int row);
    void OnGameEnd();
    void OnNewGame();
    void OnDieClick(LPARAM position);
    void OnSoundTimer();
    void OnHint();
    void ClearHint();
    void UpdateHintItem() const;

    MessageLoop& loop_;
    SoundPlayer& sounds_;
    GameState state_;
    HighscoreDialog highscoreDialog_;
    ScoreGrid grid_;
    DicePanel panel_;

    CoachTable coach_;
    Hint hint_;
    double lastEntryCost_[kMaxPlayers] = {-1, -1, -1, -1, -1};  // negative: not judged

    std::int32_t soundOn_ = 1;
    bool animating_ = false;
    bool layoutReady_ = false;
    Rect dicePanel_ = {};  // set by the layout

    HWND banner_ = nullptr;
    HACCEL accelerators_ = nullptr;
    Bitmap standardBanner_;
    Bitmap maxiBanner_;
    Brush green_;
    Brush panelBrush_;
    Brush litEdge_;
    Brush shadedEdge_;
};

}  // namespace kvoro
