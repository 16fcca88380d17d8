#include "ui/score_grid_model.h"

namespace kvoro {
namespace {

constexpr int kCrossInset = 6;

// Top of the k-th shown row (k from 0).
int ShownRowTop(int k) { return kGridHeaderHeight + k * kGridRowHeight; }

int ShownRowsBefore(GameType type, int row) {
    int k = 0;
    for (int r = 0; r < row; ++r) {
        if (GameState::isRowShown(type, r)) ++k;
    }
    return k;
}

bool IsPlayer(int player) { return player >= 1 && player <= kMaxPlayers; }

}  // namespace

int GridColumnCount(const GameState& state) { return state.playerCount == 0 ? kMaxPlayers : state.playerCount; }

int GridCardHeight(GameType type) { return ShownRowTop(ShownRowsBefore(type, kRowCount)); }

Size GridWindowSize(const GameState& state) {
    return {kGridLabelWidth + kGridColumnWidth * GridColumnCount(state) + 2, GridCardHeight(state.gameType)};
}

Rect PlayerColumnRect(int player, int height) {
    const int left = kGridLabelWidth + kGridColumnWidth * (player - 1);
    return {left, 0, left + kGridColumnWidth, height};
}

std::optional<Rect> RowRect(GameType type, int row, int clientWidth) {
    if (row < 0 || row >= kRowCount || !GameState::isRowShown(type, row)) return std::nullopt;
    const int top = ShownRowTop(ShownRowsBefore(type, row));
    return Rect{0, top, clientWidth, top + kGridRowHeight};
}

Rect LabelRect(const Rect& rowRect) { return {kGridLabelIndent, rowRect.top, rowRect.right, rowRect.bottom}; }

Rect CellRect(int player, const Rect& rowRect) {
    const Rect column = PlayerColumnRect(player, 0);
    return {column.left + 1, rowRect.top + 1, column.right - 6, rowRect.bottom - 1};
}

Point CrossOrigin(const Rect& cellRect) { return {cellRect.left + kCrossInset, cellRect.top}; }

std::optional<int> HitTest(const GameState& state, Point point) {
    const Rect column = PlayerColumnRect(state.currentPlayer, 0);
    if (point.x < column.left + 3 || point.x > column.right - 3) return std::nullopt;

    // The probe moves only past shown rows, so it stays in step with the drawing.
    Rect probe{0, kGridHeaderHeight + 2, 1000, kGridHeaderHeight + kGridRowHeight - 2};
    for (int row = 0; row < Score; ++row) {
        if (!GameState::isRowShown(state.gameType, row)) continue;
        if (probe.Contains(point)) return row;
        probe.top += kGridRowHeight;
        probe.bottom += kGridRowHeight;
    }
    return std::nullopt;
}

bool IsChoosable(const GameState& state, int row) {
    // Before the first game there is no current player and no card to read.
    if (state.hasRolled != 1 || !IsPlayer(state.currentPlayer)) return false;
    if (row < 0 || row >= kRowCount || isComputedRow(row)) return false;
    return state.card(state.currentPlayer).values[row] == 0;
}

CellContent CellShows(const GameState& state, int player, int row) {
    if (!IsPlayer(player) || row < 0 || row >= kRowCount) return {CellKind::Blank, 0};
    const int value = state.card(player).values[row];
    if (value > 0 || isComputedRow(row)) return {CellKind::Value, value};
    if (value == -1) return {CellKind::Cross, 0};
    if (value == 0 && player == state.currentPlayer && state.dice.values[0] != 0) {
        const int score = state.scoreFor(row);
        if (score > 0) return {CellKind::Preview, score};
    }
    return {CellKind::Blank, 0};
}

}  // namespace kvoro
