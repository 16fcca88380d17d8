#include "ui/board_model.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kvoro {
namespace {

constexpr int kGridRight = 252;  // a five-player card at (10,10): 242 wide
constexpr int kGridBottom = 390;

BoardMetrics Metrics(int width, int height, GameType type) {
    return BoardMetrics{width, height, kGridRight, kGridBottom, Size{250, 100}, Size{400, 13}, type};
}

int RowWidth(const BoardLayout& layout, int dice) { return layout.dice[dice - 1].right - layout.dice[0].left; }

TEST(BoardLayoutTest, DiceFormARowOfTheGameTypeWithHoldsBelow) {
    for (GameType type : {GameType::Standard, GameType::Maxi}) {
        const int dice = diceCount(type);
        const BoardLayout layout = LayoutBoard(Metrics(900, 600, type));
        EXPECT_EQ(RowWidth(layout, dice), type == GameType::Maxi ? 430 : 358);
        for (int k = 0; k < dice; ++k) {
            const Rect& die = layout.dice[k];
            const Rect& hold = layout.holds[k];
            EXPECT_EQ(die, (Rect{die.left, 140, die.left + 70, 215}));
            EXPECT_EQ(hold, (Rect{die.left, die.bottom + 4, die.right, die.bottom + 29}));
            if (k > 0) {
                EXPECT_EQ(die.left, layout.dice[k - 1].right + 2);
            }
        }
        EXPECT_EQ(layout.sixthDieShown, type == GameType::Maxi);
        if (type == GameType::Standard) {
            EXPECT_EQ(layout.dice[5], layout.dice[4]);
            EXPECT_EQ(layout.holds[5], layout.holds[4]);
        }
    }
}

TEST(BoardLayoutTest, PanelButtonsAndStatusFollowTheDiceRow) {
    for (GameType type : {GameType::Standard, GameType::Maxi}) {
        const int dice = diceCount(type);
        const BoardLayout layout = LayoutBoard(Metrics(1000, 700, type));
        const int left = layout.dice[0].left;
        const int right = layout.dice[dice - 1].right;
        const int holdsBottom = layout.holds[0].bottom;
        EXPECT_EQ(layout.dicePanel, (Rect{left - 8, layout.dice[0].top - 4, right + 8, holdsBottom + 10}));
        EXPECT_EQ(layout.roll, (Rect{left + 40, holdsBottom + 20, right - 40, holdsBottom + 45}));
        EXPECT_EQ(layout.status, (Rect{left + 40, layout.roll.bottom + 20, right - 40, layout.roll.bottom + 90}));
    }
}

TEST(BoardLayoutTest, BannerAndDiceAreCentredRightOfTheCardWithAMinimumMargin) {
    for (GameType type : {GameType::Standard, GameType::Maxi}) {
        const int dice = diceCount(type);
        for (int width = 0; width <= 1400; ++width) {
            const BoardLayout layout = LayoutBoard(Metrics(width, 500, type));
            const int rowLeft = layout.dice[0].left;
            const int rowRight = layout.dice[dice - 1].right;
            // Never closer than 5 pixels to the card, however narrow the window.
            ASSERT_GE(rowLeft - kGridRight, 5) << width;
            ASSERT_GE(layout.banner.left - kGridRight, 5) << width;
            // Where there is room, the space left and right differs by at most a pixel.
            if (width - rowRight >= 5) {
                ASSERT_LE(std::abs((rowLeft - kGridRight) - (width - rowRight)), 1) << width;
            }
            if (width - layout.banner.right >= 5) {
                ASSERT_LE(std::abs((layout.banner.left - kGridRight) - (width - layout.banner.right)), 1) << width;
            }
        }
    }
    const BoardLayout narrow = LayoutBoard(Metrics(300, 500, GameType::Standard));
    EXPECT_EQ(narrow.dice[0].left, kGridRight + 5);
    EXPECT_EQ(narrow.banner, (Rect{kGridRight + 5, 10, kGridRight + 255, 110}));
}

TEST(BoardLayoutTest, ReminderIsCentredAndNeverRisesAboveTheCard) {
    for (int height = 0; height <= 900; ++height) {
        for (int width : {300, 401, 1000}) {
            const Rect reminder = LayoutBoard(Metrics(width, height, GameType::Maxi)).reminder;
            ASSERT_EQ(reminder.top, std::max(kGridBottom + 20, height - 20)) << height;
            ASSERT_EQ(reminder.Width(), 400);
            ASSERT_EQ(reminder.Height(), 13);
            // Centred, halves rounded toward zero.
            ASSERT_EQ(reminder.left, (width - 400) / 2) << width;
        }
    }
    EXPECT_EQ(LayoutBoard(Metrics(401, 500, GameType::Standard)).reminder.left, 0);
    EXPECT_EQ(LayoutBoard(Metrics(300, 500, GameType::Standard)).reminder.left, -50);
}

TEST(BoardLayoutTest, PanelFrameIsLitTopLeftAndShadedBottomRight) {
    const Rect panel{100, 136, 466, 254};
    const PanelFrame frame = DicePanelFrame(panel);
    auto in = [](const Rect (&edges)[2], Point p) { return edges[0].Contains(p) || edges[1].Contains(p); };
    for (int x = panel.left - 1; x <= panel.right; ++x) {
        for (int y = panel.top - 1; y <= panel.bottom; ++y) {
            const Point p{x, y};
            const bool onEdge = panel.Contains(p) &&
                                (x == panel.left || y == panel.top || x == panel.right - 1 || y == panel.bottom - 1);
            const bool lit = in(frame.lit, p);
            const bool shaded = in(frame.shaded, p);
            ASSERT_EQ(lit || shaded, onEdge) << x << "," << y;
            ASSERT_FALSE(lit && shaded) << x << "," << y;
            if (onEdge && (x == panel.right - 1 || y == panel.bottom - 1) && x != panel.left && y != panel.top) {
                ASSERT_TRUE(shaded) << x << "," << y;
            }
            if (onEdge && (x == panel.left || y == panel.top) && x != panel.right - 1 && y != panel.bottom - 1) {
                ASSERT_TRUE(lit) << x << "," << y;
            }
        }
    }
}

TEST(DieFramesTest, RunsTumbleOntoTheRestingFaceAndHeldFacesFollow) {
    EXPECT_EQ(EmptyDie().first, 0);
    EXPECT_EQ(EmptyDie().last, 0);
    EXPECT_EQ(EmptyDie().times, 0);
    std::set<int> covered{0};
    std::set<int> held;
    for (int face = 1; face <= 6; ++face) {
        const ClipRun tumble = TumbleToFace(face);
        const ClipRun rest = FaceAtRest(face);
        EXPECT_EQ(tumble.times, 1);
        EXPECT_EQ(tumble.last - tumble.first + 1, 13);
        EXPECT_EQ(rest.first, tumble.last);
        EXPECT_EQ(rest.last, rest.first);
        EXPECT_EQ(rest.times, 0);
        for (int frame = tumble.first; frame <= tumble.last; ++frame) EXPECT_TRUE(covered.insert(frame).second || frame == 0);
        const ClipRun hold = FaceHeld(face);
        EXPECT_EQ(hold.first, hold.last);
        EXPECT_EQ(hold.times, 0);
        held.insert(hold.first);
    }
    // The six tumbles fill frames 0..77 without overlap; the held faces are 78..83.
    EXPECT_EQ(covered.size(), 78u);
    EXPECT_EQ(*covered.rbegin(), 77);
    EXPECT_EQ(held, (std::set<int>{78, 79, 80, 81, 82, 83}));
    EXPECT_EQ(FaceHeld(4).first, 81);
    EXPECT_EQ(FaceAtRest(4).first, 51);
}

TEST(DieFramesTest, ADieWithoutAValueShowsEmpty) {
    for (ClipRun run : {FaceAtRest(0), FaceHeld(0)}) {
        EXPECT_EQ(run.first, 0);
        EXPECT_EQ(run.last, 0);
        EXPECT_EQ(run.times, 0);
    }
}

class StatusPanelTest : public testing::Test {
protected:
    GameState state{12345};

    std::string Value(int line, const Rect& client = Rect{0, 0, 278, 70}) {
        return LayoutStatus(client, state).lines[line].value;
    }
};

TEST_F(StatusPanelTest, LinesTakeThreeQuartersLabelsLeftValuesRight) {
    state.startGame(1, GameType::Standard);
    // The panels of both game types: 278 and 350 wide, 70 high.
    for (const int width : {278, 350}) {
        const StatusPanel panel = LayoutStatus(Rect{0, 0, width, 70}, state);
        for (int i = 0; i < kStatusLines; ++i) {
            EXPECT_EQ(panel.lines[i].labelRect, (Rect{0, 17 * i, width / 2, 17 * i + 17}));
            EXPECT_EQ(panel.lines[i].valueRect, (Rect{width / 2, 17 * i, width, 17 * i + 17}));
        }
    }
    const StatusPanel panel = LayoutStatus(Rect{0, 0, 278, 70}, state);
    EXPECT_STREQ(panel.lines[0].label, "Player:");
    EXPECT_STREQ(panel.lines[1].label, "Rolls Remaining:");
    EXPECT_STREQ(panel.lines[2].label, "Bonus:");
}

TEST_F(StatusPanelTest, ShowsTheCurrentPlayerByNameOrNumber) {
    state.startGame(2, GameType::Standard);
    state.setPlayerName(1, "Ann");
    state.setPlayerName(2, "");
    EXPECT_EQ(Value(0), "Ann");
    EXPECT_EQ(Value(1), "3");
    state.roll();
    EXPECT_EQ(Value(1), "2");
    state.enterScore(Chance);
    EXPECT_EQ(Value(0), "2");
    EXPECT_EQ(Value(1), "3");
}

TEST_F(StatusPanelTest, ShowsTheBonusStandingWithItsSign) {
    state.startGame(1, GameType::Standard);
    EXPECT_EQ(Value(2), "0");
    state.cards[0].values[Ones] = 1;   // 2 below par
    state.cards[0].values[Twos] = -1;  // 6 below
    state.cards[0].values[Sixes] = 24;  // 6 above
    EXPECT_EQ(Value(2), "-2");
    state.cards[0].values[Sixes] = 0;
    EXPECT_EQ(Value(2), "-8");
}

TEST_F(StatusPanelTest, ShowsRollsCarriedOverInAMaxiGame) {
    state.startGame(1, GameType::Maxi);
    state.roll();
    state.enterScore(Chance);
    EXPECT_EQ(Value(1), "5");
    EXPECT_EQ(CurrentRollsLeft(state), 5);
}

TEST_F(StatusPanelTest, ShowsNoValuesBeforeTheFirstGame) {
    state.playerCount = 5;
    for (int line = 0; line < kStatusLines; ++line) EXPECT_EQ(Value(line), "");
    EXPECT_EQ(CurrentRollsLeft(state), 0);
}

TEST(TurnPhaseTest, PhasesFollowTheGameAndTheAnimation) {
    GameState state{7};
    EXPECT_EQ(PhaseOf(state, false), TurnPhase::NoGame);
    state.playerCount = 1;
    EXPECT_EQ(PhaseOf(state, false), TurnPhase::NoGame);
    state.startGame(1, GameType::Standard);
    EXPECT_EQ(PhaseOf(state, false), TurnPhase::TurnBegins);
    state.roll();
    EXPECT_EQ(PhaseOf(state, true), TurnPhase::Rolling);
    EXPECT_EQ(PhaseOf(state, false), TurnPhase::Choosing);
    state.roll();
    state.roll();
    EXPECT_EQ(PhaseOf(state, false), TurnPhase::OutOfRolls);
    for (int row = 0; row < kRowCount; ++row) {
        if (!isComputedRow(row) && GameState::isRowShown(state.gameType, row)) state.enterScore(row);
    }
    EXPECT_EQ(state.roundsLeft, 0);
    EXPECT_EQ(PhaseOf(state, false), TurnPhase::GameOver);
}

TEST(TurnPhaseTest, ButtonsOfEachPhase) {
    struct Expected {
        TurnPhase phase;
        bool roll;
        HoldRule holds;
    };
    for (const Expected& e : {Expected{TurnPhase::NoGame, false, HoldRule::DisabledUnchecked},
                              Expected{TurnPhase::TurnBegins, true, HoldRule::DisabledUnchecked},
                              Expected{TurnPhase::Rolling, false, HoldRule::Unchanged},
                              Expected{TurnPhase::Choosing, true, HoldRule::Enabled},
                              Expected{TurnPhase::OutOfRolls, false, HoldRule::Unchanged},
                              Expected{TurnPhase::GameOver, false, HoldRule::DisabledUnchecked}}) {
        EXPECT_EQ(ButtonsFor(e.phase).rollEnabled, e.roll);
        EXPECT_EQ(ButtonsFor(e.phase).holds, e.holds);
    }
}

}  // namespace
}  // namespace kvoro
