#pragma once
// The score card's geometry and decisions, over the GameState alone: where the
// columns, rows and cells lie, which cell a point hits, whether a row may be
// chosen, and what each cell shows. The window only draws what these say.
#include <optional>

#include "game/rules.h"
#include "ui/geometry_model.h"

namespace kvoro {

constexpr int kGridLabelWidth = 90;   // the label column, x 0 to 90
constexpr int kGridColumnWidth = 30;  // one player's column
constexpr int kGridRowHeight = 20;
constexpr int kGridHeaderHeight = 20;  // the strip with the player numbers
constexpr int kGridHeaderLineY = kGridHeaderHeight - 1;
constexpr int kGridLabelIndent = 5;

// Player columns drawn: playerCount, or 5 before any game has been set up.
int GridColumnCount(const GameState& state);

// The bottom of the Score row: 380 for Standard, 480 for Maxi.
int GridCardHeight(GameType type);

// The window's outer size, border included: 92 + 30n wide, the card's height high.
Size GridWindowSize(const GameState& state);

// Player p's column (also column p of the header), over the given height.
Rect PlayerColumnRect(int player, int height);

// The row's band, from x 0 to clientWidth; none for a row the game type hides.
std::optional<Rect> RowRect(GameType type, int row, int clientWidth);

// Where a row's label is drawn inside its band.
Rect LabelRect(const Rect& rowRect);

// Player p's cell inside a row band: 1 pixel in from the row's top and bottom.
Rect CellRect(int player, const Rect& rowRect);

// The top-left corner of the 17 by 17 cross inside a cell.
Point CrossOrigin(const Rect& cellRect);

// The row of the current player's cell under a client point. Only the
// current player's column answers, without its outer 3 pixels on the left and
// 2 on the right, and without the 2 pixels at the top and bottom of each row.
// The Score row is never hit; Bonus and Total are (IsChoosable refuses them).
std::optional<int> HitTest(const GameState& state, Point point);

// A row the current player may enter now: rolled, not Bonus or Total, still empty.
bool IsChoosable(const GameState& state, int row);

enum class CellKind {
    Blank,
    Value,    // number in the current font
    Cross,    // the row was filled with zero points
    Preview,  // number in red bold: what the current dice would score here
};

struct CellContent {
    CellKind kind;
    int number;  // for Value and Preview
};

// What player p's cell of a shown row shows.
CellContent CellShows(const GameState& state, int player, int row);

}  // namespace kvoro
