#include "ui/board_model.h"

#include <algorithm>

namespace kvoro {

namespace {

constexpr int kDiceGap = 2;
constexpr int kDiceTop = 140;
constexpr int kHoldTop = 219;
constexpr int kHoldHeight = 25;
constexpr int kPanelMargin = 8;
constexpr int kPanelTop = 136;
constexpr int kPanelBottom = 254;
constexpr int kButtonInset = 40;
constexpr int kRollTop = 264;
constexpr int kRollHeight = 25;
constexpr int kStatusTop = 309;
constexpr int kStatusHeight = 70;
// Nothing starts closer to the score card than half of this.
constexpr int kMinimumMargin = 10;

Rect Sized(int left, int top, int width, int height) { return Rect{left, top, left + width, top + height}; }

// Where a block of the given width starts: centred in the room right of the
// score card, never closer to it than half the minimum margin.
int RightOfGrid(int clientWidth, int gridRight, int width) {
    return gridRight + std::max(clientWidth - gridRight - width, kMinimumMargin) / 2;
}

bool HasCurrentPlayer(const GameState& state) {
    return state.currentPlayer >= 1 && state.currentPlayer <= kMaxPlayers;
}

}  // namespace

BoardLayout LayoutBoard(const BoardMetrics& m) {
    BoardLayout layout{};
    layout.banner = Sized(RightOfGrid(m.clientWidth, m.gridRight, m.banner.width), 10, m.banner.width,
                          m.banner.height);
    layout.reminder = Sized((m.clientWidth - m.reminder.width) / 2, std::max(m.gridBottom + 20, m.clientHeight - 20),
                            m.reminder.width, m.reminder.height);

    const int count = diceCount(m.gameType);
    const int rowWidth = count * kDieWidth + (count - 1) * kDiceGap;
    const int x0 = RightOfGrid(m.clientWidth, m.gridRight, rowWidth);
    for (int k = 0; k < kMaxDice; ++k) {
        const int left = x0 + std::min(k, count - 1) * (kDieWidth + kDiceGap);
        layout.dice[k] = Sized(left, kDiceTop, kDieWidth, kDieHeight);
        layout.holds[k] = Sized(left, kHoldTop, kDieWidth, kHoldHeight);
    }
    layout.sixthDieShown = count == kMaxDice;
    layout.dicePanel = Rect{x0 - kPanelMargin, kPanelTop, x0 + rowWidth + kPanelMargin, kPanelBottom};
    layout.roll = Sized(x0 + kButtonInset, kRollTop, rowWidth - 2 * kButtonInset, kRollHeight);
    layout.status = Sized(x0 + kButtonInset, kStatusTop, rowWidth - 2 * kButtonInset, kStatusHeight);
    return layout;
}

PanelFrame DicePanelFrame(const Rect& p) {
    PanelFrame frame{};
    frame.lit[0] = Rect{p.left, p.top, p.right - 1, p.top + 1};
    frame.lit[1] = Rect{p.left, p.top, p.left + 1, p.bottom - 1};
    frame.shaded[0] = Rect{p.right - 1, p.top, p.right, p.bottom};
    frame.shaded[1] = Rect{p.left, p.bottom - 1, p.right, p.bottom};
    return frame;
}

int CurrentRollsLeft(const GameState& state) {
    return HasCurrentPlayer(state) ? state.rollsLeft[state.currentPlayer - 1] : 0;
}

StatusPanel LayoutStatus(const Rect& c, const GameState& state) {
    static const char* const labels[kStatusLines] = {"Player:", "Rolls Remaining:", "Bonus:"};
    const int quarter = (c.bottom - c.top) / 4;
    const int half = (c.right - c.left) / 2;

    StatusPanel panel{};
    for (int i = 0; i < kStatusLines; ++i) {
        StatusLine& line = panel.lines[i];
        const int top = c.top + i * quarter;
        line.labelRect = Rect{c.left, top, c.right - half, top + quarter};
        line.valueRect = Rect{half, top, c.right - c.left, top + quarter};
        line.label = labels[i];
    }
    if (HasCurrentPlayer(state)) {
        const char* name = state.playerName(state.currentPlayer);
        panel.lines[0].value = *name ? std::string(name) : std::to_string(state.currentPlayer);
        panel.lines[1].value = std::to_string(CurrentRollsLeft(state));
        panel.lines[2].value = std::to_string(state.bonusStanding());
    }
    return panel;
}

ClipRun EmptyDie() { return ClipRun{0, 0, 0}; }

ClipRun TumbleToFace(int face) { return ClipRun{13 * face - 13, 13 * face - 1, 1}; }

ClipRun FaceAtRest(int face) {
    if (face < 1) return EmptyDie();
    return ClipRun{13 * face - 1, 13 * face - 1, 0};
}

ClipRun FaceHeld(int face) {
    if (face < 1) return EmptyDie();
    return ClipRun{face + 77, face + 77, 0};
}

TurnPhase PhaseOf(const GameState& state, bool animating) {
    if (!HasCurrentPlayer(state)) return TurnPhase::NoGame;
    if (state.roundsLeft <= 0) return TurnPhase::GameOver;
    if (animating) return TurnPhase::Rolling;
    if (!state.hasRolled) return TurnPhase::TurnBegins;
    return CurrentRollsLeft(state) > 0 ? TurnPhase::Choosing : TurnPhase::OutOfRolls;
}

ButtonRule ButtonsFor(TurnPhase phase) {
    switch (phase) {
    case TurnPhase::TurnBegins:
        return ButtonRule{true, HoldRule::DisabledUnchecked};
    case TurnPhase::Rolling:
    case TurnPhase::OutOfRolls:
        return ButtonRule{false, HoldRule::Unchanged};
    case TurnPhase::Choosing:
        return ButtonRule{true, HoldRule::Enabled};
    case TurnPhase::NoGame:
    case TurnPhase::GameOver:
        break;
    }
    return ButtonRule{false, HoldRule::DisabledUnchecked};
}

}  // namespace kvoro
