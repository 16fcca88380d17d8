#include "ui/highscore_dialog_model.h"

#include "tests/game/builders.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace kvoro {
namespace {

// Empty slots are left out and the rest numbered without gaps; a negative
// result is no empty slot, and a name without its NUL stops at the field. The
// Maxi list starts at half the width plus ten.
TEST(HighscoreLines, StoredResultsLineUpInColumnsUnderTheirHeading) {
    HighscoreTable table{};
    EXPECT_TRUE(HighscoreLines(table, 0, 600, 16).empty());
    table.entries[0] = test::Entry("Ann", 300);
    table.entries[2] = test::Entry("Bob", 120);
    table.entries[5] = test::Entry("", -4);
    std::memset(table.entries[7].name, 'A', sizeof table.entries[7].name);
    std::memset(table.entries[7].padding, 'B', sizeof table.entries[7].padding);
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

}  // namespace
}  // namespace kvoro
