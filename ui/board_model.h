#pragma once
// The main window's board arithmetic: where the banner, the reminder, the dice,
// the Hold buttons, the Roll button and the status panel go for a client size,
// what the status panel says, which frames of the dice clip each die picture
// uses, and which buttons each phase of a turn enables. Plain data only.
#include <string>

#include "game/rules.h"
#include "ui/geometry_model.h"

namespace kvoro {

// The frame size of the dice clip; every die control has this size.
constexpr int kDieWidth = 70;
constexpr int kDieHeight = 75;

// What the layout starts from, in client pixels.
struct BoardMetrics {
    int clientWidth;
    int clientHeight;
    int gridRight;   // right and bottom edges of the score card window,
    int gridBottom;  // border included
    Size banner;    // the size of the banner bitmap shown
    Size reminder;  // the reminder keeps its size
    GameType gameType;
};

struct BoardLayout {
    Rect banner;
    Rect reminder;
    // Die k and Hold button k at index k - 1. In a Standard game the sixth die
    // and its Hold button are hidden and lie over the fifth.
    Rect dice[kMaxDice];
    Rect holds[kMaxDice];
    bool sixthDieShown;
    Rect dicePanel;  // painted behind the dice and the Hold buttons
    Rect roll;
    Rect status;
};

BoardLayout LayoutBoard(const BoardMetrics& metrics);

// The dice panel's one-pixel frame: lit along the top and left, shaded along
// the right and bottom.
struct PanelFrame {
    Rect lit[2];
    Rect shaded[2];
};

PanelFrame DicePanelFrame(const Rect& panel);

// One line of the status panel: its label on the left, its value on the right.
struct StatusLine {
    Rect labelRect;
    Rect valueRect;
    const char* label;
    std::string value;
};

constexpr int kStatusLines = 3;

struct StatusPanel {
    StatusLine lines[kStatusLines];  // "Player:", "Rolls Remaining:", "Bonus:"
};

// The panel for its client rectangle. Before the first game there is no
// current player, and the values stay empty.
StatusPanel LayoutStatus(const Rect& client, const GameState& state);

// The current player's rolls left; 0 while no player has the turn.
int CurrentRollsLeft(const GameState& state);

// One ACM_PLAY request: frames first to last, played times times (0 shows the
// single frame without notifying).
struct ClipRun {
    int first;
    int last;
    int times;
};

ClipRun EmptyDie();
ClipRun TumbleToFace(int face);  // face 1..6
// A die without a value (0) shows the empty frame at rest and when held.
ClipRun FaceAtRest(int face);
ClipRun FaceHeld(int face);

enum class TurnPhase { NoGame, TurnBegins, Rolling, Choosing, OutOfRolls, GameOver };

TurnPhase PhaseOf(const GameState& state, bool animating);

enum class HoldRule { DisabledUnchecked, Enabled, Unchanged };

struct ButtonRule {
    bool rollEnabled;
    HoldRule holds;
};

ButtonRule ButtonsFor(TurnPhase phase);

}  // namespace kvoro
