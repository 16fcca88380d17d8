#include "ui/score_grid_model.h"

#include "tests/game/builders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace kvoro {
namespace {

const GameType kTypes[] = {GameType::Standard, GameType::Maxi};

// The rows of a card from top to bottom, written out independently of the
// rules' isRowShown.
std::vector<int> CardRows(GameType type) {
    std::vector<int> rows;
    for (int row = 0; row < 23; ++row) {
        if (type == GameType::Maxi || (row != 10 && row != 13 && (row < 16 || row > 18))) rows.push_back(row);
    }
    return rows;
}

// Hit testing stated afresh: the current player's column from x 63 + 30q to
// 87 + 30q inclusive; rows of 20 pixels under a 20-pixel header, each
// answering only from its third pixel to its eighteenth; never the Score row.
std::optional<int> ExpectedHit(GameType type, int current, int x, int y) {
    if (x < 63 + 30 * current || x > 87 + 30 * current || y < 20) return std::nullopt;
    const int k = (y - 20) / 20, offset = (y - 20) % 20;
    const std::vector<int> rows = CardRows(type);
    if (offset < 2 || offset > 17 || k >= static_cast<int>(rows.size()) || rows[k] == Score) return std::nullopt;
    return rows[k];
}

TEST(GridGeometry, SizeRowBandsAndHitTestOfBothCards) {
    for (GameType type : kTypes) {
        for (int players = 1; players <= 5; ++players) {
            const Size expected{92 + 30 * players, type == GameType::Maxi ? 480 : 380};
            EXPECT_EQ(GridWindowSize(test::Started(players, type)), expected) << players << " players";
        }
        const std::vector<int> rows = CardRows(type);
        for (int row = 0; row < 23; ++row) {
            const auto shown = std::find(rows.begin(), rows.end(), row);
            const int top = 20 + 20 * static_cast<int>(shown - rows.begin());
            EXPECT_EQ(RowRect(type, row, 242), shown == rows.end() ? std::nullopt : std::optional(Rect{0, top, 242, top + 20}));
        }
        EXPECT_EQ(RowRect(type, Score, 242)->bottom, GridCardHeight(type));
        GameState state = test::Started(5, type);
        for (int current = 1; current <= 5; ++current) {
            state.currentPlayer = current;
            for (int y = -2; y < 500; ++y) {
                for (int x = -2; x < 260; ++x) {
                    ASSERT_EQ(HitTest(state, {x, y}), ExpectedHit(type, current, x, y)) << current << ": " << x << "," << y;
                }
            }
        }
    }
    const GameState unset(1);  // no game set up yet: five empty columns
    EXPECT_EQ(GridColumnCount(unset), 5);
    EXPECT_EQ(GridWindowSize(unset), (Size{242, 380}));
    EXPECT_EQ(CellRect(1, {0, 40, 242, 60}), (Rect{91, 41, 114, 59}));
    EXPECT_EQ(CrossOrigin(CellRect(2, {0, 40, 242, 60})), (Point{127, 41}));
    EXPECT_EQ(PlayerColumnRect(3, 480), (Rect{150, 0, 180, 480}));
}

// Only empty entered rows of the current player after a roll can be chosen;
// cells show values, crosses, computed sums even of 0, and the current
// player's previews of a roll when they would score.
TEST(GridCells, ChoosableRowsValuesCrossesAndPreviews) {
    GameState state = test::Started(2, GameType::Maxi);
    EXPECT_FALSE(IsChoosable(state, Ones)) << "before the roll";
    test::SetDice(state, {5, 1, 5, 3, 5});
    state.card(1).values[Ones] = 3;
    state.card(1).values[Chance] = -1;
    for (int row = 0; row < 23; ++row) {
        const bool expected = !isComputedRow(row) && row != Ones && row != Chance;
        EXPECT_EQ(IsChoosable(state, row), expected) << row;
    }
    state.card(1).values[Chance] = 12;
    state.card(2).values[Sixes] = 18;
    state.card(2).values[Pair] = -1;
    state.card(2).values[Total] = 18;
    const auto shows = [&state](int player, int row) {
        const CellContent cell = CellShows(state, player, row);
        return std::pair{cell.kind, cell.number};
    };
    EXPECT_EQ(shows(1, Chance), std::pair(CellKind::Value, 12));  // filled: its value, not a preview
    EXPECT_EQ(shows(2, Sixes), std::pair(CellKind::Value, 18));
    EXPECT_EQ(shows(2, Pair), std::pair(CellKind::Cross, 0));
    EXPECT_EQ(shows(1, Fives), std::pair(CellKind::Preview, 15));
    EXPECT_EQ(shows(1, TwoPair), std::pair(CellKind::Blank, 0));  // would score 0
    EXPECT_EQ(shows(1, Bonus), std::pair(CellKind::Value, 0));
    EXPECT_EQ(shows(2, Total), std::pair(CellKind::Value, 18));
    EXPECT_EQ(shows(2, Fives), std::pair(CellKind::Blank, 0));  // not the current player
    state.dice.values[0] = 0;  // the first die decides whether the dice have a value
    EXPECT_EQ(CellShows(state, 1, Fives).kind, CellKind::Blank);
    GameState unset(1);  // no current player yet
    unset.hasRolled = 1;
    unset.dice.values[0] = 6;
    EXPECT_FALSE(IsChoosable(unset, Twos));
    EXPECT_EQ(CellShows(unset, 1, Sixes).kind, CellKind::Blank);
}

}  // namespace
}  // namespace kvoro
