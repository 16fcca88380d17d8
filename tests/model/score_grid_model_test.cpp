#include "ui/score_grid_model.h"

#include "tests/game/builders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <utility>
#include <vector>

namespace kvoro {
namespace {

const GameType kTypes[] = {GameType::Standard, GameType::Maxi};

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
        for (int players = 1; players <= 5; ++players) {
            const Size expected{92 + 30 * players, type == GameType::Maxi ? 480 : 380};
            EXPECT_EQ(GridWindowSize(test::Started(players, type)), expected) << players << " players";
        }
    }
    const GameState unset(1);  // no game set up yet: five empty columns
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
    EXPECT_EQ(CrossOrigin(CellRect(2, band)), (Point{127, 41}));
    EXPECT_EQ(PlayerColumnRect(3, 480), (Rect{150, 0, 180, 480}));
}

TEST(GridHitTest, MatchesTheColumnAndRowBandsAtEveryPixel) {
    for (GameType type : kTypes) {
        GameState state = test::Started(5, type);
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

TEST(GridChoosable, OnlyEmptyEnteredRowsAfterARoll) {
    GameState state = test::Started(2, GameType::Maxi);
    EXPECT_FALSE(IsChoosable(state, Ones)) << "before the roll";
    state.hasRolled = 1;
    state.card(1).values[Ones] = 3;
    state.card(1).values[Chance] = -1;
    for (int row = 0; row < 23; ++row) {
        const bool expected = row != Bonus && row != Total && row != Score && row != Ones && row != Chance;
        EXPECT_EQ(IsChoosable(state, row), expected) << row;
    }
    GameState unset(1);  // no current player yet
    unset.hasRolled = 1;
    EXPECT_FALSE(IsChoosable(unset, Twos));
}

TEST(GridCells, ValuesCrossesComputedRowsAndPreviews) {
    GameState state = test::Started(2, GameType::Standard);
    const int dice[] = {5, 1, 5, 3, 5, 0};
    std::copy(std::begin(dice), std::end(dice), state.dice.values);
    state.hasRolled = 1;
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
    EXPECT_EQ(shows(1, Fives), std::pair(CellKind::Preview, 15));  // open, and would score
    EXPECT_EQ(shows(1, TwoPair), std::pair(CellKind::Blank, 0));   // would score 0
    EXPECT_EQ(shows(1, Bonus), std::pair(CellKind::Value, 0));     // a computed row shows its sum, even 0
    EXPECT_EQ(shows(2, Total), std::pair(CellKind::Value, 18));
    EXPECT_EQ(shows(2, Fives), std::pair(CellKind::Blank, 0));     // not the current player

    state.dice.values[0] = 0;  // the first die decides whether the dice have a value
    EXPECT_EQ(CellShows(state, 1, Fives).kind, CellKind::Blank);
    GameState unset(1);
    unset.dice.values[0] = 6;
    EXPECT_EQ(CellShows(unset, 1, Sixes).kind, CellKind::Blank);
}

}  // namespace
}  // namespace kvoro
