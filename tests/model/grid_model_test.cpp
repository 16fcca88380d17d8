#include "ui/grid_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <vector>

namespace kvoro {
namespace {

const GameType kTypes[] = {GameType::Standard, GameType::Maxi};

GameState Game(int players, GameType type) {
    GameState state(1);
    state.startGame(players, type);
    return state;
}

// The rows of a card from top to bottom, written out independently of the
// rules' isRowShown.
std::vector<int> CardRows(GameType type) {
    const std::set<int> hiddenInStandard{10, 13, 16, 17, 18};
    std::vector<int> rows;
    for (int row = 0; row < 23; ++row) {
        if (type == GameType::Maxi || !hiddenInStandard.count(row)) rows.push_back(row);
    }
    return rows;
}

// Hit testing stated afresh: the current player's column from x 63 + 30q to
// 87 + 30q inclusive; rows of 20 pixels under a 20-pixel header, each
// answering only from its third pixel to its eighteenth; never the Score row.
std::optional<int> ExpectedHit(GameType type, int current, int x, int y) {
    if (x < 63 + 30 * current || x > 87 + 30 * current || y < 20) return std::nullopt;
    const int k = (y - 20) / 20;
    const int offset = (y - 20) % 20;
    const std::vector<int> rows = CardRows(type);
    if (offset < 2 || offset > 17 || k >= static_cast<int>(rows.size()) || rows[k] == Score) return std::nullopt;
    return rows[k];
}

TEST(GridGeometry, WindowSizeFollowsPlayersAndType) {
    for (GameType type : kTypes) {
        const int height = type == GameType::Maxi ? 480 : 380;
        for (int players = 1; players <= 5; ++players) {
            EXPECT_EQ(GridWindowSize(Game(players, type)), (Size{92 + 30 * players, height}))
                << players << " players";
        }
    }
    EXPECT_EQ(GridWindowSize(Game(1, GameType::Standard)).width, 122);
    EXPECT_EQ(GridWindowSize(Game(5, GameType::Standard)).width, 242);

    GameState unset(1);  // no game set up yet: five empty columns
    ASSERT_EQ(unset.playerCount, 0);
    EXPECT_EQ(GridColumnCount(unset), 5);
    EXPECT_EQ(GridWindowSize(unset), (Size{242, 380}));
}

TEST(GridGeometry, RowsStackUnderTheHeaderSkippingHiddenOnes) {
    for (GameType type : kTypes) {
        const std::vector<int> rows = CardRows(type);
        for (int row = 0; row < 23; ++row) {
            const auto band = RowRect(type, row, 242);
            const auto shown = std::find(rows.begin(), rows.end(), row);
            if (shown == rows.end()) {
                EXPECT_FALSE(band) << row;
                continue;
            }
            const int top = 20 + 20 * static_cast<int>(shown - rows.begin());
            EXPECT_EQ(*band, (Rect{0, top, 242, top + 20})) << row;
        }
        EXPECT_EQ(RowRect(type, Score, 242)->bottom, GridCardHeight(type));
    }
    const Rect band{0, 40, 242, 60};
    EXPECT_EQ(CellRect(1, band), (Rect{91, 41, 114, 59}));
    EXPECT_EQ(CellRect(5, band), (Rect{211, 41, 234, 59}));
    EXPECT_EQ(CrossOrigin(CellRect(2, band)), (Point{127, 41}));
    EXPECT_EQ(PlayerColumnRect(3, 480), (Rect{150, 0, 180, 480}));
}

TEST(GridHitTest, MatchesTheColumnAndRowBandsAtEveryPixel) {
    for (GameType type : kTypes) {
        GameState state = Game(5, type);
        for (int current = 1; current <= 5; ++current) {
            state.currentPlayer = current;
            for (int y = -2; y < 500; ++y) {
                for (int x = -2; x < 260; ++x) {
                    ASSERT_EQ(HitTest(state, {x, y}), ExpectedHit(type, current, x, y))
                        << "player " << current << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(GridHitTest, AnchorsOfTheOracle) {
    GameState state = Game(2, GameType::Standard);
    state.currentPlayer = 2;  // column x 120 to 150, answering from 123 to 147
    EXPECT_FALSE(HitTest(state, {122, 30}));
    EXPECT_EQ(HitTest(state, {147, 22}), 0);
    EXPECT_FALSE(HitTest(state, {130, 38}));
    // Below "Two Pair" the Standard card skips "Three Pair".
    EXPECT_EQ(HitTest(state, {130, 225}), ThreeOfAKind);
    state.gameType = GameType::Maxi;
    EXPECT_EQ(HitTest(state, {130, 225}), ThreePair);
}

TEST(GridChoosable, OnlyEmptyEnteredRowsAfterARoll) {
    GameState state = Game(2, GameType::Maxi);
    for (int row = 0; row < 23; ++row) EXPECT_FALSE(IsChoosable(state, row)) << "before the roll, row " << row;

    state.hasRolled = 1;
    state.card(1).values[Ones] = 3;
    state.card(1).values[Chance] = -1;
    for (int row = 0; row < 23; ++row) {
        const bool expected = row != Bonus && row != Total && row != Score && row != Ones && row != Chance;
        EXPECT_EQ(IsChoosable(state, row), expected) << row;
    }

    GameState unset(1);  // no current player yet
    unset.hasRolled = 1;
    EXPECT_FALSE(IsChoosable(unset, Ones));
}

TEST(GridCells, ValuesCrossesAndComputedRows) {
    GameState state = Game(2, GameType::Standard);
    ScoreCard& card = state.card(2);
    card.values[Fives] = 15;
    card.values[Pair] = -1;
    card.values[Total] = 15;

    EXPECT_EQ(CellShows(state, 2, Fives).kind, CellKind::Value);
    EXPECT_EQ(CellShows(state, 2, Fives).number, 15);
    EXPECT_EQ(CellShows(state, 2, Pair).kind, CellKind::Cross);
    EXPECT_EQ(CellShows(state, 2, Total).number, 15);
    for (int row : {int(Bonus), int(Total), int(Score)}) {
        // A computed row shows its sum, even 0.
        EXPECT_EQ(CellShows(state, 1, row).kind, CellKind::Value) << row;
        EXPECT_EQ(CellShows(state, 1, row).number, 0) << row;
    }
    EXPECT_EQ(CellShows(state, 2, Sixes).kind, CellKind::Blank);
}

TEST(GridCells, PreviewOnlyForTheCurrentPlayersOpenRowsThatWouldScore) {
    GameState state = Game(2, GameType::Standard);
    const int dice[] = {5, 1, 5, 3, 5, 0};
    std::copy(std::begin(dice), std::end(dice), state.dice.values);
    state.hasRolled = 1;
    state.card(1).values[Chance] = 12;

    EXPECT_EQ(CellShows(state, 1, Fives).kind, CellKind::Preview);
    EXPECT_EQ(CellShows(state, 1, Fives).number, 15);
    EXPECT_EQ(CellShows(state, 1, ThreeOfAKind).number, 15);
    EXPECT_EQ(CellShows(state, 1, Ones).number, 1);
    EXPECT_EQ(CellShows(state, 1, TwoPair).kind, CellKind::Blank);  // would score 0
    EXPECT_EQ(CellShows(state, 1, Chance).kind, CellKind::Value);   // filled: its value, not a preview
    EXPECT_EQ(CellShows(state, 1, Chance).number, 12);
    EXPECT_EQ(CellShows(state, 2, Fives).kind, CellKind::Blank);    // not the current player

    state.dice.values[0] = 0;  // the first die decides whether the dice have a value
    EXPECT_EQ(CellShows(state, 1, Fives).kind, CellKind::Blank);

    GameState unset(1);
    unset.dice.values[0] = 6;
    EXPECT_EQ(CellShows(unset, 1, Sixes).kind, CellKind::Blank);
}

}  // namespace
}  // namespace kvoro
