#include "ui/main_dialog_model.h"

#include <algorithm>

#include "ui/dice_panel_model.h"

namespace kvoro {

namespace {

constexpr int kBannerTop = 10;
constexpr int kReminderGap = 20;  // below the card, and above the client's bottom
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

// The row of the game's dice with their gaps.
int DiceRowWidth(GameType type) {
    const int count = diceCount(type);
    return count * kDieWidth + (count - 1) * kDiceGap;
}

}  // namespace

BoardLayout LayoutBoard(const BoardMetrics& m) {
    BoardLayout layout{};
    layout.banner = Sized(RightOfGrid(m.clientWidth, m.gridRight, m.banner.width), kBannerTop, m.banner.width,
                          m.banner.height);
    layout.reminder = Sized((m.clientWidth - m.reminder.width) / 2, std::max(m.gridBottom + kReminderGap, m.clientHeight - kReminderGap),
                            m.reminder.width, m.reminder.height);

    const int count = diceCount(m.gameType);
    const int rowWidth = DiceRowWidth(m.gameType);
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

Size FittingClientSize(const BoardMetrics& m) {
    // The dice panel clears the card once the room right of the card exceeds
    // the row by both panel margins; the banner needs only the minimum margin.
    const int width = std::max({m.gridRight + DiceRowWidth(m.gameType) + 2 * kPanelMargin,
                                m.gridRight + m.banner.width + kMinimumMargin, m.reminder.width});
    // The reminder keeps its place below the card while the client is no taller than that.
    const int height = std::max({m.gridBottom + kReminderGap + m.reminder.height, kStatusTop + kStatusHeight,
                                 kBannerTop + m.banner.height});
    return Size{width, height};
}

Size DiceRowMinimum(const BoardMetrics& m) {
    return Size{m.gridRight + DiceRowWidth(m.gameType) + kMinimumMargin / 2, kHoldTop + kHoldHeight};
}

namespace {

// One dimension of GrownWindow: the start and length of the window and of the work area.
void Grow(int& start, int& length, int wanted, int areaStart, int areaLength) {
    const int grown = std::max(length, std::min(wanted, areaLength));
    if (grown == length) return;
    length = grown;
    start = std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

}  // namespace

Rect GrownWindow(const Rect& window, Size wanted, const Rect& workArea) {
    int left = window.left, width = window.Width();
    int top = window.top, height = window.Height();
    Grow(left, width, wanted.width, workArea.left, workArea.Width());
    Grow(top, height, wanted.height, workArea.top, workArea.Height());
    return Rect{left, top, left + width, top + height};
}

}  // namespace kvoro
