#include "ui/highscore_dialog_model.h"

#include "tests/game/builders.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace kvoro {
namespace {

using test::Entry;

TEST(HighscoreLines, SkipEmptySlotsAndNumberWithoutGaps) {
    HighscoreTable table{};
    EXPECT_TRUE(HighscoreLines(table, 0, 600, 16).empty());
    table.entries[0] = Entry("Ann", 300);
    table.entries[2] = Entry("Bob", 120);  // slot 1 is empty
    table.entries[5] = Entry("", -4);      // a negative result is no empty slot
    const auto lines = HighscoreLines(table, 0, 600, 16);
    ASSERT_EQ(lines.size(), 3u);
    const char* names[] = {"Ann", "Bob", ""};
    const char* scores[] = {"300", "120", "-4"};
    for (int m = 1; m <= 3; ++m) {
        const HighscoreLine& line = lines[m - 1];
        const int top = 40 + m * 20;  // a heading's height and 4 a line
        EXPECT_EQ(line.rank, std::to_string(m) + ".");
        EXPECT_EQ(line.name, names[m - 1]);
        EXPECT_EQ(line.score, scores[m - 1]);
        EXPECT_EQ(line.rankRect, (Rect{10, top, 140, top + 16}));
        EXPECT_EQ(line.nameRect, (Rect{30, top, 160, top + 16}));
        EXPECT_EQ(line.scoreRect, (Rect{170, top, 300, top + 16}));
    }
}

TEST(HighscoreLines, RightListStartsAtHalfTheWidthPlusTen) {
    HighscoreTable table{};
    table.entries[0] = Entry("Eve", 500);
    for (int width : {600, 601, 455}) {
        const int left = width / 2 + 10;
        EXPECT_EQ(HighscoreHeadingRect(1, width, 13), (Rect{left, 40, left + 130, 53}));
        const auto lines = HighscoreLines(table, 1, width, 13);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].rankRect, (Rect{left, 57, left + 130, 70}));
        EXPECT_EQ(lines[0].scoreRect, (Rect{left + 160, 57, left + 290, 70}));
    }
    EXPECT_EQ(HighscoreHeadingRect(0, 600, 13), (Rect{10, 40, 140, 53}));
}

TEST(HighscoreLines, NameWithoutNulStopsAtTheField) {
    HighscoreTable table{};
    HighscoreEntry& entry = table.entries[0];
    std::memset(entry.name, 'A', sizeof entry.name);
    std::memset(entry.padding, 'B', sizeof entry.padding);
    entry.score = 7;
    EXPECT_EQ(HighscoreLines(table, 0, 600, 16).at(0).name, std::string(41, 'A'));
}

TEST(HighscoreTitle, CentredOnTheClientWidth) {
    EXPECT_EQ(HighscoreTitleRect({0, 0, 101, 39}, 600), (Rect{250, 0, 351, 39}));
    EXPECT_EQ(HighscoreTitleRect({0, 0, 100, 39}, 455), (Rect{177, 0, 277, 39}));
}

}  // namespace
}  // namespace kvoro
