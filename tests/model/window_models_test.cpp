// The windows' arithmetic and the link label's parsers, without the platform.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "builders.h"
#include "ui/dice_panel_model.h"
#include "ui/highscore_dialog_model.h"
#include "ui/link_label_model.h"
#include "ui/main_dialog_model.h"
#include "ui/place_centred_model.h"
#include "ui/score_grid_model.h"
#include "ui/status_panel_model.h"
#include "play/turn_controller.h"

namespace kvoro {
namespace {

// At one size, the dice 2 apart (a hidden sixth over the fifth), their holds, the panel, Roll and the status panel.
// At every width the dice row and banner are centred right of the card (else 5 from it), the reminder under it.
TEST(BoardLayoutTest, PartsOfBothGameTypesAtEveryWidth) {
    constexpr int kGridRight = 252, kGridBottom = 390;  // a five-player card at (10,10): 242 wide
    const auto board = [](int width, int height, GameType type) {
        return BoardMetrics{width, height, kGridRight, kGridBottom, {250, 100}, {400, 13}, type};
    };
    for (GameType type : {GameType::Standard, GameType::Maxi}) {
        const int dice = diceCount(type);
        const BoardLayout layout = LayoutBoard(board(900, 600, type));
        const int left = layout.dice[0].left, right = layout.dice[dice - 1].right;
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
            const BoardLayout at = LayoutBoard(board(width, height, type));
            for (const Rect& block : {Rect{at.dice[0].left, 0, at.dice[dice - 1].right, 0}, at.banner}) {
                const int leftGap = block.left - kGridRight, rightGap = width - block.right;
                ASSERT_TRUE(rightGap >= 5 ? std::abs(leftGap - rightGap) <= 1 : leftGap == 5) << width;
            }
            const int top = std::max(kGridBottom + 20, height - 20);
            ASSERT_EQ(at.reminder, (Rect{(width - 400) / 2, top, (width - 400) / 2 + 400, top + 13})) << width;
        }
    }
    EXPECT_EQ(LayoutBoard(board(300, 500, GameType::Standard)).banner, (Rect{257, 10, 507, 110}));
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
    for (ClipRun empty : {EmptyDie(), FaceAtRest(0), FaceHeld(0)}) EXPECT_EQ(run(empty), (Run{0, 0, 0}));
}

// Empty before the first game; then the player by name or else number, the rolls left, and the bonus standing signed.
TEST(StatusPanelTest, ShowsThePlayerByNameOrNumberTheRollsLeftAndTheSignedBonus) {
    GameState state{12345};
    const auto values = [&state] {
        const StatusText panel = LayoutStatus(Rect{0, 0, 278, 70}, state);
        return panel.lines[0].value + "|" + panel.lines[1].value + "|" + panel.lines[2].value;
    };
    state.playerCount = 5;
    EXPECT_EQ(values() + std::to_string(play::currentRollsLeft(state)), "||0");
    state.startGame(2, GameType::Standard);
    state.setPlayerName(1, "Ann");
    state.roll();
    EXPECT_EQ(values(), "Ann|2|0");
    state.enterScore(Chance);
    state.card(2).values[Ones] = 1;    // 2 below par
    state.card(2).values[Twos] = -1;   // 6 below
    state.card(2).values[Sixes] = 24;  // 6 above
    EXPECT_EQ(values(), "2|3|-2");
}

// Whether the board (card, banner, dice panel clear of the card, Roll, status panel, reminder) or the dice row fits.
bool Fits(BoardMetrics m, int width, int height, bool wholeBoard) {
    m.clientWidth = width;
    m.clientHeight = height;
    const BoardLayout b = LayoutBoard(m);
    const auto inside = [&](Rect r) { return r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height; };
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

// Just enough for the wanted width, never shrinking, never beyond the work area, moved only when it grew and must.
TEST(BoardSizeTest, GrowingNeverShrinksNeverLeavesTheWorkAreaAndMovesOnlyWhenItGrew) {
    const Rect work{-100, 20, 1180, 1020};
    for (int start : {-300, -100, 0, 500, 1100}) {
        for (int length : {400, 700, 1280, 1500}) {
            for (int wanted : {300, 700, 701, 1000, 1279, 1280, 1281, 3000}) {
                const int width = std::max(length, std::min(wanted, work.Width()));
                const int left = width == length ? start : std::clamp(start, work.left, work.right - width);
                ASSERT_EQ(GrownWindow({start, start, start + length, start + length}, Size{wanted, length}, work),
                          (Rect{left, start, left + width, start + length}))
                    << start << " " << length << " " << wanted;
            }
        }
    }
}

// Hit testing stated afresh: the current player's column from x 63 + 30q to 87 + 30q inclusive; rows of 20 pixels
// under a 20-pixel header, each answering only from its third pixel to its eighteenth; never the Score row. The
// Standard card leaves out rows 10, 13 and 16 to 18.
std::optional<int> ExpectedHit(GameType type, int current, int x, int y) {
    if (x < 63 + 30 * current || x > 87 + 30 * current || y < 20 || (y - 20) % 20 < 2 || (y - 20) % 20 > 17) return {};
    std::vector<int> rows;
    for (int row = 0; row < 23; ++row) {
        if (type == GameType::Maxi || (row != 10 && row != 13 && (row < 16 || row > 18))) rows.push_back(row);
    }
    const std::size_t k = (y - 20) / 20;
    if (k >= rows.size() || rows[k] == Score) return {};
    return rows[k];
}

TEST(GridGeometry, SizeAndHitTestOfBothCards) {
    for (GameType type : {GameType::Standard, GameType::Maxi}) {
        for (int players = 1; players <= 5; ++players) {
            const Size expected{92 + 30 * players, type == GameType::Maxi ? 480 : 380};
            EXPECT_EQ(GridWindowSize(test::Started(players, type)), expected) << players << " players";
        }
        EXPECT_EQ(RowRect(type, Score, 242)->bottom, GridCardHeight(type));
        GameState state = test::Started(5, type);
        for (int current = 1; current <= 5; ++current) {
            state.currentPlayer = current;
            for (int y = -2; y < 500; ++y) {
                for (int x = -2; x < 260; ++x) {
                    ASSERT_EQ(HitTest(state, {x, y}), ExpectedHit(type, current, x, y))
                        << current << ": " << x << "," << y;
                }
            }
        }
    }
    EXPECT_EQ(CellRect(1, {0, 40, 242, 60}), (Rect{91, 41, 114, 59}));
    EXPECT_EQ(CrossOrigin(CellRect(2, {0, 40, 242, 60})), (Point{127, 41}));
    EXPECT_EQ(PlayerColumnRect(3, 480), (Rect{150, 0, 180, 480}));
}

// Only empty entered rows of the current player after a roll can be chosen. Cells show values (not previews once
// filled), crosses, computed sums even of 0, and the current player's previews of a roll where they would score.
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
    // Kind (Blank, Value, Cross, Preview) and number of each cell.
    const auto shows = [&state](int player, int row) {
        const CellContent cell = CellShows(state, player, row);
        return "BVXP"[static_cast<int>(cell.kind)] + std::to_string(cell.number) + " ";
    };
    EXPECT_EQ(shows(1, Chance) + shows(2, Sixes) + shows(2, Pair) + shows(1, Fives) + shows(1, TwoPair) +
                  shows(1, Bonus) + shows(2, Total) + shows(2, Fives),
              "V12 V18 X0 P15 B0 V0 V18 B0 ");
    state.dice.values[0] = 0;  // the first die decides whether the dice have a value
    EXPECT_EQ(shows(1, Fives), "B0 ");
    GameState unset(1);  // no game set up yet: five empty columns, no current player
    EXPECT_EQ(GridColumnCount(unset), 5);
    EXPECT_EQ(GridWindowSize(unset), (Size{242, 380}));
    unset.hasRolled = 1;
    unset.dice.values[0] = 6;
    EXPECT_FALSE(IsChoosable(unset, Twos));
    EXPECT_EQ(CellShows(unset, 1, Sixes).kind, CellKind::Blank);
}

// Empty slots are left out and the rest numbered without gaps; a negative result is no empty slot, and a name without
// its NUL stops at the field. The Maxi list starts at half the width plus ten.
TEST(HighscoreLines, StoredResultsLineUpInColumnsUnderTheirHeading) {
    HighscoreTable table{};
    EXPECT_TRUE(HighscoreLines(table, 0, 600, 16).empty());
    table.entries[0] = test::Entry("Ann", 300);
    table.entries[2] = test::Entry("Bob", 120);
    table.entries[5] = test::Entry("", -4);
    std::memset(&table.entries[7], 'A', sizeof table.entries[7]);  // no NUL anywhere
    table.entries[7].score = 7;
    const std::string shown[] = {"1. Ann 300", "2. Bob 120", "3.  -4", "4. " + std::string(41, 'A') + " 7"};
    for (int width : {600, 601, 455}) {
        for (int list : {0, 1}) {
            const int left = list == 0 ? 10 : width / 2 + 10;
            EXPECT_EQ(HighscoreHeadingRect(list, width, 16), (Rect{left, 40, left + 130, 56}));
            const auto lines = HighscoreLines(table, list, width, 16);
            ASSERT_EQ(lines.size(), 4u);
            for (int m = 1; m <= 4; ++m) {
                const HighscoreLine& line = lines[m - 1];
                const int top = 40 + m * 20;  // a heading's height and 4 a line
                EXPECT_EQ(line.rank + " " + line.name + " " + line.score, shown[m - 1]);
                EXPECT_EQ(line.rankRect, (Rect{left, top, left + 130, top + 16}));
                EXPECT_EQ(line.nameRect, (Rect{left + 20, top, left + 150, top + 16}));
                EXPECT_EQ(line.scoreRect, (Rect{left + 160, top, left + 290, top + 16}));
            }
        }
    }
    EXPECT_EQ(HighscoreTitleRect({0, 0, 101, 39}, 600), (Rect{250, 0, 351, 39}));
    EXPECT_EQ(HighscoreTitleRect({0, 0, 100, 39}, 455), (Rect{177, 0, 277, 39}));
}

// Centred where it fits, else kept inside the area; a window larger than the area tests the leading edge first.
TEST(Centring, CentredWhereItFitsAndKeptInsideTheAreaElsewhere) {
    const Rect area{0, 0, 1280, 994};
    for (int x = -600; x <= 1600; x += 37) {
        for (int y = -600; y <= 1400; y += 41) {
            const Point p = CentredPosition({x, y, x + 400, y + 300}, area, {300, 200});
            EXPECT_EQ(p, (Point{std::clamp(x + 50, 0, 1280 - 300), std::clamp(y + 50, 0, 994 - 200)})) << x << "," << y;
        }
    }
    // Odd sizes: every integer division rounds toward zero, also left of the origin.
    EXPECT_EQ(CentredPosition({-301, -301, 0, 0}, {-1000, -1000, 1000, 1000}, {101, 101}), (Point{-200, -200}));
    EXPECT_EQ(CentredPosition({0, 0, 101, 101}, area, {50, 50}), (Point{25, 25}));
    // Centred on the area it would start before the leading edge; further on it overhangs the trailing edges.
    EXPECT_EQ(CentredPosition({0, 0, 800, 600}, {0, 0, 800, 600}, {1000, 700}), (Point{0, 0}));
    EXPECT_EQ(CentredPosition({600, 400, 1400, 1000}, {0, 0, 800, 600}, {1000, 700}), (Point{-200, -100}));
}

constexpr ColourRef Rgb(unsigned r, unsigned g, unsigned b) { return r | g << 8 | b << 16; }

// The rules restated with the C library: strtol narrowed as a 32-bit atoi saturates; searches in a lower-case copy.
std::optional<ColourRef> ReferenceColour(const std::string& s) {
    const auto first = s.find(','), second = first == std::string::npos ? first : s.find(',', first + 1);
    if (second == std::string::npos || second + 1 == s.size()) return std::nullopt;
    int n[3];
    for (std::size_t k = 0, at = 0; k < 3; at = s.find(',', at) + 1, ++k) {
        const long value = std::strtol(s.c_str() + at, nullptr, 10);
        n[k] = value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
        if (k < 2 && n[k] == -1) return std::nullopt;
    }
    return Rgb(n[0] & 0xFF, n[1] & 0xFF, n[2] & 0xFF);
}
std::vector<std::string> ReferenceSplit(const std::string& s) {
    std::string lower = s;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const auto open = lower.find("<a>");
    if (open == std::string::npos) return {};
    const auto close = lower.find("</a>", open + 3);
    if (close == std::string::npos) return {s.substr(0, open), "", ""};
    return {s.substr(0, open), s.substr(open + 3, close - open - 3), s.substr(close + 4)};
}
std::vector<std::string> Split(std::string_view text) {
    const TaggedParts p = SplitTagged(text);
    if (!p.tagged) return {};
    return {std::string(p.left), std::string(p.link), std::string(p.right)};
}

// The described examples, then 20,000 random strings over the characters that matter to each parser, each in a heap
// buffer of exactly its size (a read past it stops the sanitized test), through both parsers.
TEST(LinkLabelModel, ColoursAndTaggedTextAgreeWithTheReferences) {
    EXPECT_EQ(ParseColour("0,0,255"), Rgb(0, 0, 255));
    EXPECT_EQ(ParseColour("a,b,c"), Rgb(0, 0, 0));
    EXPECT_EQ(ParseColour(" +300,-2,  7x"), Rgb(44, 254, 7));
    for (const char* invalid : {"255,0", "1,2,", "-1,0,0", "0,-1,0", ""}) EXPECT_EQ(ParseColour(invalid), std::nullopt);
    using Parts = std::vector<std::string>;
    EXPECT_EQ(Split("Remember. <a>Click here!</a>"), (Parts{"Remember. ", "Click here!", ""}));
    EXPECT_EQ(Split("<A>word</A>"), (Parts{"", "word", ""}));
    EXPECT_EQ(Split("no tags at all"), Parts{});
    EXPECT_EQ(Split("before <a>never closed"), (Parts{"before ", "", ""}));
    EXPECT_EQ(Split("x<b><a>y</a> z <a>w</a>"), (Parts{"x<b>", "y", " z <a>w</a>"}));
    std::mt19937 random(7);
    for (int run = 0; run < 40000; ++run) {
        const std::string alphabet = run % 2 ? "<>/aAb" : "0123456789,,,-+ a\t\xFF";
        std::vector<char> bytes(random() % 14);
        for (char& c : bytes) c = alphabet[random() % alphabet.size()];
        const std::string_view text(bytes.data(), bytes.size());
        EXPECT_EQ(Split(text), ReferenceSplit(std::string(text))) << text;
        EXPECT_EQ(ParseColour(text), ReferenceColour(std::string(text))) << text;
    }
}

}  // namespace
}  // namespace kvoro
