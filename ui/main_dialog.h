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
#include "store/settings_key.h"
#include "store/settings_store.h"
#include "ui/coach_table.h"
#include "ui/dice_panel.h"
#include "ui/geometry_model.h"
#include "ui/hint_model.h"
#include "ui/link_label.h"
#include "ui/main_dialog_model.h"
#include "ui/score_grid.h"
#include "ui/sound_player.h"
#include "ui/status_panel.h"

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

    const GameState& state() const { return state_; }
    const HighscoreStore& highscores() const { return settings_.settings().highscores; }
    bool animating() const { return animating_; }
    bool soundOn() const { return settings_.settings().soundOn; }
    const Hint& hint() const { return hint_; }
    const CoachTable& coach() const { return coach_; }

    // Paints the board's background over area (client coordinates) into dc.
    void PaintBackground(HDC dc, const RECT& area) const;

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
    // The steps of the initialisation.
    void SetIcons() const;
    void LoadMenuAndAccelerators();
    void AttachUpdateReminder();
    void LoadBanners();
    void CreateScoreCard();
    void AttachControls();
    void CreateBrushes();
    void ShowEmptyFivePlayerCard();

    BoardMetrics Metrics() const;
    // The window's outer size less its client size: frame, caption and a menu bar of one line.
    SIZE FrameSize() const;
    // The smallest window that still shows the dice row and its buttons.
    SIZE MinimumSize() const;
    void Layout();
    // Grows the window until the whole board fits, within the work area.
    void GrowToFit();
    void ShowBanner();
    void UpdateSoundCheck() const;
    void RedrawPanels();
    void RedrawCard();
    void ApplyPhase() const;

    void OnRoll();
    void OnRollFinished();
    void OnRowChosen(int row);
    void OnGameEnd();
    void OnNewGame();
    void OnSoundTimer();
    void OnSessionEnd();
    void OnHint();
    bool ClearHint();

    MessageLoop& loop_;
    SoundPlayer& sounds_;
    GameState state_;
    ScoreGrid grid_;
    DicePanel panel_;
    StatusPanel status_;
    LinkLabel reminder_;

    CoachTable coach_;
    Hint hint_;
    double lastEntryCost_[kMaxPlayers] = {-1, -1, -1, -1, -1};  // negative: not judged

    SettingsStore settings_;
    bool animating_ = false;
    bool layoutReady_ = false;
    UINT lastSizeType_ = SIZE_RESTORED;
    Rect dicePanel_ = {};  // set by the layout

    HWND banner_ = nullptr;
    HACCEL accelerators_ = nullptr;
    Bitmap templateBanner_;  // the control's first picture, loaded from the template
    Bitmap standardBanner_;
    Bitmap maxiBanner_;
    Brush green_;
    Brush panelFill_;
    Brush panelLit_;
    Brush panelShaded_;
};

}  // namespace kvoro
