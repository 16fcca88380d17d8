#pragma once
// The main window's board arithmetic: where the banner, the reminder, the dice,
// the Hold buttons, the Roll button and the status panel go for a client size,
// the dice panel's frame, and how big the window must be for all of it.
// Plain data only.
#include "game/rules.h"
#include "ui/geometry_model.h"

namespace kvoro {

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

// The smallest client size at which the card, the banner, the dice panel (clear
// of the card), the Roll button, the status panel and the reminder all lie
// inside the client area. The metrics' client size is not used.
Size FittingClientSize(const BoardMetrics& metrics);

// The smallest client size at which no die or Hold button is cut. The
// metrics' client size is not used.
Size DiceRowMinimum(const BoardMetrics& metrics);

// The window rectangle grown towards the wanted outer size: never smaller than
// now, never larger than the work area, and moved only when it grew, as far as
// it must to stay inside the work area.
Rect GrownWindow(const Rect& window, Size wanted, const Rect& workArea);

}  // namespace kvoro
