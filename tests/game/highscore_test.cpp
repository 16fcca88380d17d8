// Ranking into a table of ten, and the bounds of the stored name and date.
#include <cstring>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "game/highscore.h"
#include "tests/game/builders.h"

namespace kvoro {
namespace {

using test::Entry;

std::string names(const HighscoreTable& table) {
    std::string all;
    for (const HighscoreEntry& stored : table.entries) all += std::string(entryName(stored)) + " ";
    return all;
}

TEST(Insert, NewResultGoesAboveEqualScoresAndAFullTableDropsItsLastOrRefuses) {
    HighscoreTable table{};
    for (const HighscoreEntry& stored : {Entry("c", 150), Entry("b", 150), Entry("a", 200)}) insert(table, stored);
    EXPECT_EQ(insert(table, table.entries[2]), 0);  // one of its own records: copied before the shift
    EXPECT_EQ(names(table), "a c b c " + std::string(6, ' '));
    for (int i = 0; i < 9; ++i) table.entries[i] = Entry("", 200 - i);
    table.entries[9] = Entry("old", 120);
    EXPECT_EQ(insert(table, Entry("new", 120)), 0);
    EXPECT_EQ(names(table), std::string(9, ' ') + "new ");
    const HighscoreTable before = table;
    EXPECT_EQ(insert(table, Entry("", 119)), -1);
    EXPECT_EQ(std::memcmp(&table, &before, sizeof table), 0);
}

// Names are cut to forty characters; the formatter may fill its buffer, leave
// rubbish after its text, or fail; without one the platform's date of today
// is stored. Stored records may lack their NULs.
TEST(Record, NameAndDateStayTerminatedAndZeroAfterTheirText) {
    const std::pair<DateFormatter, std::string> cases[] = {
        {[](char* buf, int size) { return std::memset(buf, '7', static_cast<std::size_t>(size)) != nullptr; },
         std::string(13, '7')},
        {[](char* buf, int size) {
             std::memset(buf, '#', static_cast<std::size_t>(size));
             return std::memcpy(buf, "1/2/26", 7) != nullptr;
         },
         "1/2/26"},
        {[](char* buf, int size) { return std::memset(buf, '#', static_cast<std::size_t>(size)) == nullptr; }, ""},
        {nullptr, ""},
    };
    const std::string longName(60, 'a');
    for (const auto& [formatter, text] : cases) {
        HighscoreStore store;
        store.formatDate = formatter;
        EXPECT_EQ(store.recordGameResult(longName.c_str(), 30, GameType::Maxi), 0);
        EXPECT_EQ(std::string(store.tables[1].entries[0].date, 16), text + std::string(16 - text.size(), '\0'));
        EXPECT_EQ(std::string(store.tables[1].entries[0].name, 41), std::string(40, 'a') + '\0');
    }
    HighscoreStore store;
    EXPECT_EQ(store.recordGameResult(nullptr, 10, GameType::Standard), 0);
    EXPECT_EQ(store.recordGameResult("x", 10, static_cast<GameType>(2)), -1);
    char date[kDateCapacity] = {};
    ASSERT_TRUE(formatLocalDate(date, kDateCapacity));
    EXPECT_GT(textLength(date, kDateCapacity), 0u);
    EXPECT_EQ(entryName(store.tables[0].entries[0]), "");
    EXPECT_EQ(entryDate(store.tables[0].entries[0]), std::string(date));
    HighscoreEntry withoutNuls;
    std::memset(&withoutNuls, 'x', sizeof withoutNuls);
    EXPECT_EQ(std::pair(entryName(withoutNuls).size(), entryDate(withoutNuls).size()), (std::pair<std::size_t, std::size_t>(41, 16)));
}

}  // namespace
}  // namespace kvoro
