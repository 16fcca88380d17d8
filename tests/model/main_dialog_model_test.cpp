#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <utility>
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

TEST(BoardLayoutTest, DiceHoldsPanelRollAndStatusOfBothGameTypes) {
    for (GameType type : {GameType::Standard, GameType::Maxi}) {
        const int dice = diceCount(type);
        const BoardLayout layout = LayoutBoard(Metrics(900, 600, type));
        const int left = layout.dice[0].left;
        const int right = layout.dice[dice - 1].right;
        EXPECT_EQ(right - left, type == GameType::Maxi ? 430 : 358);
        for (int k = 0; k < kMaxDice; ++k) {
            const int x = left + 72 * std::min(k, dice - 1);  // a hidden sixth die lies over the fifth
            EXPECT_EQ(layout.dice[k], (Rect{x, 140, x + 70, 215})) << k;
            EXPECT_EQ(layout.holds[k], (Rect{x, 219, x + 70, 244})) << k;
        }
        EXPECT_EQ(layout.sixthDieShown, type == GameType::Maxi);
        EXPECT_EQ(layout.dicePanel, (Rect{left - 8, 136, right + 8, 254}));
        EXPECT_EQ(layout.roll, (Rect{left + 40, 264, right - 40, 289}));
        EXPECT_EQ(layout.status, (Rect{left + 40, 309, right - 40, 379}));
    }
}

TEST(BoardLayoutTest, BannerAndDiceAreCentredRightOfTheCardWithAMinimumMargin) {
    // Centred within a pixel where there is room; otherwise exactly 5 pixels from the card.
    const auto expectCentred = [](int width, const Rect& block) {
        const int leftGap = block.left - kGridRight;
        const int rightGap = width - block.right;
        if (rightGap >= 5) {
            ASSERT_LE(std::abs(leftGap - rightGap), 1) << width;
        } else {
            ASSERT_EQ(leftGap, 5) << width;
        }
    };
    for (GameType type : {GameType::Standard, GameType::Maxi}) {
        for (int width = 0; width <= 1400; ++width) {
            const BoardLayout layout = LayoutBoard(Metrics(width, 500, type));
            const Rect diceRow{layout.dice[0].left, 0, layout.dice[diceCount(type) - 1].right, 0};
            ASSERT_NO_FATAL_FAILURE(expectCentred(width, diceRow));
            ASSERT_NO_FATAL_FAILURE(expectCentred(width, layout.banner));
        }
    }
    const Rect narrow = LayoutBoard(Metrics(300, 500, GameType::Standard)).banner;
    EXPECT_EQ(narrow, (Rect{kGridRight + 5, 10, kGridRight + 255, 110}));
}

TEST(BoardLayoutTest, ReminderIsCentredAndNeverRisesAboveTheCard) {
    for (int height = 0; height <= 900; ++height) {
        for (int width : {300, 401, 1000}) {
            const Rect reminder = LayoutBoard(Metrics(width, height, GameType::Maxi)).reminder;
            const int left = (width - 400) / 2;  // halves rounded toward zero
            const int top = std::max(kGridBottom + 20, height - 20);
            ASSERT_EQ(reminder, (Rect{left, top, left + 400, top + 13})) << width << "x" << height;
        }
    }
}

TEST(BoardLayoutTest, PanelFrameIsLitTopLeftAndShadedBottomRight) {
    const Rect panel{100, 136, 466, 254};
    const PanelFrame frame = DicePanelFrame(panel);
    auto in = [](const Rect (&edges)[2], Point p) { return edges[0].Contains(p) || edges[1].Contains(p); };
    for (int x = panel.left - 1; x <= panel.right; ++x) {
        for (int y = panel.top - 1; y <= panel.bottom; ++y) {
            const Point p{x, y};
            const bool leading = x == panel.left || y == panel.top;
            const bool trailing = x == panel.right - 1 || y == panel.bottom - 1;
            const bool lit = in(frame.lit, p);
            const bool shaded = in(frame.shaded, p);
            ASSERT_EQ(lit || shaded, panel.Contains(p) && (leading || trailing)) << x << "," << y;
            ASSERT_FALSE(lit && shaded) << x << "," << y;
            // Only the two corners shared by a leading and a trailing edge may go either way.
            if (panel.Contains(p) && leading != trailing) {
                ASSERT_EQ(lit, leading) << x << "," << y;
            }
        }
    }
}

TEST(DieFramesTest, TumblesEndOnTheRestingFramesAndHeldFacesFollow) {
    using Run = std::array<int, 3>;
    const auto run = [](ClipRun r) { return Run{r.first, r.last, r.times}; };
    const int resting[] = {12, 25, 38, 51, 64, 77};  // of the dice clip; 78-83 are the held faces
    for (int face = 1; face <= 6; ++face) {
        const int rest = resting[face - 1];
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
    EXPECT_EQ(values(), (Values{"2", "3", "0"}));
    state.card(2).values[Ones] = 1;    // 2 below par
    state.card(2).values[Twos] = -1;   // 6 below
    state.card(2).values[Sixes] = 24;  // 6 above
    EXPECT_EQ(values()[2], "-2");
    state.card(2).values[Sixes] = 0;
    EXPECT_EQ(values()[2], "-8");
}

bool Inside(const Rect& part, int width, int height) {
    return part.left >= 0 && part.top >= 0 && part.right <= width && part.bottom <= height;
}

// The card, the banner, the dice panel clear of the card, Roll, the status panel and the reminder.
bool BoardFits(BoardMetrics m, int width, int height) {
    m.clientWidth = width;
    m.clientHeight = height;
    const BoardLayout b = LayoutBoard(m);
    return m.gridRight <= width && m.gridBottom <= height && b.dicePanel.left >= m.gridRight &&
           Inside(b.banner, width, height) && Inside(b.dicePanel, width, height) && Inside(b.roll, width, height) &&
           Inside(b.status, width, height) && Inside(b.reminder, width, height);
}

bool DiceRowFits(BoardMetrics m, int width, int height) {
    m.clientWidth = width;
    m.clientHeight = height;
    const BoardLayout b = LayoutBoard(m);
    for (int k = 0; k < diceCount(m.gameType); ++k) {
        if (!Inside(b.dice[k], width, height) || !Inside(b.holds[k], width, height)) return false;
    }
    return true;
}

TEST(BoardSizeTest, FittingAndMinimumSizesAreTheSmallestAtWhichTheBoardOrTheDiceRowFit) {
    for (GameType type : {GameType::Standard, GameType::Maxi}) {
        const Size banner = type == GameType::Maxi ? Size{361, 116} : Size{250, 100};
        for (int players = 1; players <= 5; ++players) {
            const int gridRight = 10 + 92 + 30 * players;
            const BoardMetrics m{0, 0, gridRight, type == GameType::Maxi ? 490 : 390, banner, Size{426, 13}, type};
            for (const auto& [size, fits] : {std::pair{FittingClientSize(m), &BoardFits},
                                             std::pair{DiceRowMinimum(m), &DiceRowFits}}) {
                EXPECT_FALSE(fits(m, size.width - 1, size.height)) << players;
                EXPECT_FALSE(fits(m, size.width, size.height - 1)) << players;
                for (int width = size.width; width < size.width + 300; width += 7) {
                    for (int height = size.height; height < size.height + 300; height += 11) {
                        ASSERT_TRUE(fits(m, width, height)) << players << ": " << width << "x" << height;
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
                ASSERT_GT(grown.Width(), length);
                ASSERT_EQ(grown.Width(), std::min(wanted, work.Width())) << "just enough";
                ASSERT_GE(grown.left, work.left);
                ASSERT_LE(grown.right, work.right);
                ASSERT_TRUE(grown.left == start || grown.right == work.right || grown.left == work.left);
            }
        }
    }
}

}  // namespace
}  // namespace kvoro
