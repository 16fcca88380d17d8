#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "ui/dice_panel_model.h"
#include "ui/main_dialog_model.h"
#include "ui/status_panel_model.h"
#include "ui/turn_phase_model.h"

namespace kvoro {
namespace {

constexpr int kGridRight = 252;  // a five-player card at (10,10): 242 wide
constexpr int kGridBottom = 390;

BoardMetrics Metrics(int width, int height, GameType type) {
    return BoardMetrics{width, height, kGridRight, kGridBottom, Size{250, 100}, Size{400, 13}, type};
}

// At one size, the dice 2 apart (a hidden sixth die over the fifth), their
// holds, the panel, Roll and the status panel. At every width the dice row and
// the banner are centred right of the card within a pixel where there is room,
// else 5 pixels from it; the reminder is centred and never rises above the card.
TEST(BoardLayoutTest, PartsOfBothGameTypesAtEveryWidth) {
    for (GameType type : {GameType::Standard, GameType::Maxi}) {
        const int dice = diceCount(type);
        const BoardLayout layout = LayoutBoard(Metrics(900, 600, type));
        const int left = layout.dice[0].left, right = layout.dice[dice - 1].right;
        EXPECT_EQ(right - left, type == GameType::Maxi ? 430 : 358);
        for (int k = 0; k < kMaxDice; ++k) {
            const int x = left + 72 * std::min(k, dice - 1);
            EXPECT_EQ(layout.dice[k], (Rect{x, 140, x + 70, 215})) << k;
            EXPECT_EQ(layout.holds[k], (Rect{x, 219, x + 70, 244})) << k;
        }
        EXPECT_EQ(layout.sixthDieShown, type == GameType::Maxi);
        EXPECT_EQ(layout.dicePanel, (Rect{left - 8, 136, right + 8, 254}));
        EXPECT_EQ(layout.roll, (Rect{left + 40, 264, right - 40, 289}));
        EXPECT_EQ(layout.status, (Rect{left + 40, 309, right - 40, 379}));
        for (int width = 0; width <= 1400; ++width) {
            const int height = width % 19 * 50;
            const BoardLayout at = LayoutBoard(Metrics(width, height, type));
            for (const Rect& block : {Rect{at.dice[0].left, 0, at.dice[dice - 1].right, 0}, at.banner}) {
                const int leftGap = block.left - kGridRight, rightGap = width - block.right;
                ASSERT_TRUE(rightGap >= 5 ? std::abs(leftGap - rightGap) <= 1 : leftGap == 5) << width;
            }
            const int top = std::max(kGridBottom + 20, height - 20);
            ASSERT_EQ(at.reminder, (Rect{(width - 400) / 2, top, (width - 400) / 2 + 400, top + 13})) << width;
        }
    }
    EXPECT_EQ(LayoutBoard(Metrics(300, 500, GameType::Standard)).banner, (Rect{257, 10, 507, 110}));
}

TEST(BoardLayoutTest, PanelFrameIsLitTopLeftAndShadedBottomRight) {
    const Rect panel{100, 136, 466, 254};
    const PanelFrame frame = DicePanelFrame(panel);
    const auto in = [](const Rect (&edges)[2], Point p) { return edges[0].Contains(p) || edges[1].Contains(p); };
    for (int x = panel.left - 1; x <= panel.right; ++x) {
        for (int y = panel.top - 1; y <= panel.bottom; ++y) {
            const bool leading = x == panel.left || y == panel.top;
            const bool trailing = x == panel.right - 1 || y == panel.bottom - 1;
            const bool lit = in(frame.lit, {x, y}), shaded = in(frame.shaded, {x, y});
            ASSERT_EQ(lit + shaded, panel.Contains({x, y}) && (leading || trailing)) << x << "," << y;
            // Only the two corners shared by a leading and a trailing edge may go either way.
            ASSERT_TRUE(!panel.Contains({x, y}) || leading == trailing || lit == leading) << x << "," << y;
        }
    }
}

TEST(DieFramesTest, TumblesEndOnTheRestingFramesAndHeldFacesFollow) {
    using Run = std::array<int, 3>;
    const auto run = [](ClipRun r) { return Run{r.first, r.last, r.times}; };
    for (int face = 1; face <= 6; ++face) {
        const int rest = 13 * face - 1;  // of the dice clip; 78-83 are the held faces
        EXPECT_EQ(run(TumbleToFace(face)), (Run{rest - 12, rest, 1})) << face;
        EXPECT_EQ(run(FaceAtRest(face)), (Run{rest, rest, 0})) << face;
        EXPECT_EQ(run(FaceHeld(face)), (Run{77 + face, 77 + face, 0})) << face;
    }
    // A die without a value shows the empty frame.
    for (ClipRun empty : {EmptyDie(), FaceAtRest(0), FaceHeld(0)}) EXPECT_EQ(run(empty), (Run{0, 0, 0}));
}

TEST(StatusPanelTest, ShowsThePlayerByNameOrNumberTheRollsLeftAndTheSignedBonus) {
    using Values = std::vector<std::string>;
    GameState state{12345};
    const auto values = [&state] {
        const StatusText panel = LayoutStatus(Rect{0, 0, 278, 70}, state);
        return Values{panel.lines[0].value, panel.lines[1].value, panel.lines[2].value};
    };
    state.playerCount = 5;  // the empty card before the first game: nobody has the turn
    EXPECT_EQ(values(), (Values{"", "", ""}));
    EXPECT_EQ(CurrentRollsLeft(state), 0);
    state.startGame(2, GameType::Standard);
    state.setPlayerName(1, "Ann");
    state.setPlayerName(2, "");
    EXPECT_EQ(values(), (Values{"Ann", "3", "0"}));
    state.roll();
    EXPECT_EQ(values(), (Values{"Ann", "2", "0"}));
    state.enterScore(Chance);
    state.card(2).values[Ones] = 1;    // 2 below par
    state.card(2).values[Twos] = -1;   // 6 below
    state.card(2).values[Sixes] = 24;  // 6 above
    EXPECT_EQ(values(), (Values{"2", "3", "-2"}));
    state.card(2).values[Sixes] = 0;
    EXPECT_EQ(values()[2], "-8");
}

// Whether the whole board (the card, the banner, the dice panel clear of the
// card, Roll, the status panel and the reminder) or only the dice row fits.
bool Fits(BoardMetrics m, int width, int height, bool wholeBoard) {
    m.clientWidth = width;
    m.clientHeight = height;
    const BoardLayout b = LayoutBoard(m);
    const auto inside = [&](const Rect& r) { return r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height; };
    bool fits = true;
    for (int k = 0; k < diceCount(m.gameType); ++k) fits = fits && inside(b.dice[k]) && inside(b.holds[k]);
    if (!wholeBoard) return fits;
    return fits && m.gridRight <= width && m.gridBottom <= height && b.dicePanel.left >= m.gridRight &&
           inside(b.banner) && inside(b.dicePanel) && inside(b.roll) && inside(b.status) && inside(b.reminder);
}

TEST(BoardSizeTest, FittingAndMinimumSizesAreTheSmallestAtWhichTheBoardOrTheDiceRowFit) {
    for (GameType type : {GameType::Standard, GameType::Maxi}) {
        const Size banner = type == GameType::Maxi ? Size{361, 116} : Size{250, 100};
        for (int players = 1; players <= 5; ++players) {
            const BoardMetrics m{0, 0, 102 + 30 * players, type == GameType::Maxi ? 490 : 390, banner, {426, 13}, type};
            for (bool wholeBoard : {true, false}) {
                const Size size = wholeBoard ? FittingClientSize(m) : DiceRowMinimum(m);
                EXPECT_FALSE(Fits(m, size.width - 1, size.height, wholeBoard)) << players;
                EXPECT_FALSE(Fits(m, size.width, size.height - 1, wholeBoard)) << players;
                for (int width = size.width; width < size.width + 300; width += 7) {
                    for (int height = size.height; height < size.height + 300; height += 11) {
                        ASSERT_TRUE(Fits(m, width, height, wholeBoard)) << players << ": " << width << "x" << height;
                    }
                }
            }
        }
    }
}

TEST(BoardSizeTest, GrowingNeverShrinksNeverLeavesTheWorkAreaAndMovesOnlyWhenItGrew) {
    const Rect work{-100, 20, 1180, 1020};
    for (int start : {-300, -100, 0, 500, 1100}) {
        for (int length : {400, 700, 1280, 1500}) {
            for (int wanted : {300, 700, 701, 1000, 1279, 1280, 1281, 3000}) {
                const Rect window{start, start, start + length, start + length};
                const Rect grown = GrownWindow(window, Size{wanted, length}, work);
                ASSERT_EQ(grown.top, window.top);
                ASSERT_EQ(grown.Height(), length);
                if (grown.Width() == length) {
                    ASSERT_EQ(grown.left, start);
                    ASSERT_TRUE(wanted <= length || length >= work.Width()) << start << " " << length << " " << wanted;
                    continue;
                }
                ASSERT_EQ(grown.Width(), std::max(length, std::min(wanted, work.Width()))) << "just enough";
                ASSERT_TRUE(grown.left >= work.left && grown.right <= work.right);
                ASSERT_TRUE(grown.left == start || grown.right == work.right || grown.left == work.left);
            }
        }
    }
}

}  // namespace
}  // namespace kvoro
