#pragma once
// The board inside the main window: the score card, the dice panel, the status
// panel, the game type's banner, the update reminder and the green between
// them. It lays them out, redraws them and shows on them what the turn
// controller allows; what happens next is the main window's to decide.
#include <windows.h>

#include <string>

#include "play/turn_controller.h"
#include "ui/banner.h"
#include "ui/board_background.h"
#include "ui/dice_panel.h"
#include "ui/link_label.h"
#include "ui/main_dialog_model.h"
#include "ui/score_grid.h"
#include "ui/status_panel.h"

namespace kvoro {

class Board {
public:
    explicit Board(const play::TurnController& controller) : controller_(controller) {}

    // Takes over the dialog's controls and creates the score card.
    void Attach(HWND dialog);
    // The card of five empty columns, laid out and drawn once, complete, with
    // the buttons of a board without a game.
    void DrawEmpty();

    BoardMetrics Metrics() const;
    void Layout();

    void RedrawCard();
    void RedrawStatus() const { status_.Redraw(); }
    // The status panel and the card.
    void RedrawPanels();
    // Roll, the Hold buttons and the card as the turn allows them; the card
    // takes no clicks while a computer plays.
    void ApplyPhase() const;

    // Marks a row of the card (-1: none) without redrawing it. Returns whether
    // the mark changed.
    bool MarkRow(int row);
    // A click on the board outside its controls: the dice under it change
    // their holds, and Roll takes the focus.
    void ClickAt(POINT client);
    // A computer's Hold or Show step, displayed. Returns false for any other step.
    bool ShowComputerStep(const play::ComputerStep& step);

    void EraseBackground(HDC dc) const { background_.Erase(dialog_, dc); }
    HBRUSH ControlBrush(HWND control) const;
    void PaintStatus(HDC dc, const std::string& line) const;

    DicePanel& dice() { return dice_; }
    const DicePanel& dice() const { return dice_; }
    const ScoreGrid& card() const { return card_; }
    const Banner& banner() const { return banner_; }

private:
    const GameState& state() const { return controller_.state(); }

    const play::TurnController& controller_;
    HWND dialog_ = nullptr;
    ScoreGrid card_;
    DicePanel dice_;
    StatusPanel status_;
    LinkLabel reminder_;
    Banner banner_;
    BoardBackground background_;
};

}  // namespace kvoro
