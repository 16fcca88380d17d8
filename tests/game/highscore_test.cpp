// Ranking into a table of ten, the stored record's bytes, and the bounds of
// its name and date texts.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/highscore.h"

namespace kvoro {
namespace {

HighscoreEntry entry(std::int32_t score, const char* name = "") {
    HighscoreEntry result{};
    result.score = score;
    std::strncpy(result.name, name, sizeof result.name - 1);
    return result;
}

std::vector<std::string> ranking(const HighscoreTable& table) {
    std::vector<std::string> ranked;
    for (const HighscoreEntry& stored : table.entries) {
        if (stored.score != 0) ranked.push_back(std::to_string(stored.score) + std::string(entryName(stored)));
    }
    return ranked;
}

TEST(Insert, NewResultGoesAboveEqualScores) {
    HighscoreTable table{};
    for (const HighscoreEntry& stored : {entry(100, "d"), entry(150, "c"), entry(150, "b"), entry(200, "a")}) {
        insert(table, stored);
    }
    EXPECT_EQ(insert(table, entry(150, "new")), 0);
    EXPECT_EQ(ranking(table), (std::vector<std::string>{"200a", "150new", "150b", "150c", "100d"}));
}

TEST(Insert, FullTableDropsItsLastOrRefusesAndStaysUnchanged) {
    HighscoreTable table{};
    for (int i = 0; i < 9; ++i) table.entries[i] = entry(200 - i);
    table.entries[9] = entry(120, "old");
    EXPECT_EQ(insert(table, entry(120, "new")), 0);
    EXPECT_EQ(std::string(entryName(table.entries[9])), "new");

    const HighscoreTable before = table;
    EXPECT_EQ(insert(table, entry(119)), -1);
    EXPECT_EQ(std::memcmp(&table, &before, sizeof table), 0);
}

TEST(Insert, AnEntryOfTheTableItselfIsCopiedWhole) {
    HighscoreTable table{};
    for (int i = 0; i < kHighscoreEntries; ++i) table.entries[i] = entry(50, std::to_string(i).c_str());
    insert(table, table.entries[9]);
    EXPECT_EQ(ranking(table), (std::vector<std::string>{"509", "500", "501", "502", "503", "504",
                                                        "505", "506", "507", "508"}));
}

bool date20261206(char* buffer, int capacity) {
    std::strncpy(buffer, "06.12.2026", static_cast<std::size_t>(capacity));
    return true;
}

TEST(Record, BytesOfTheStoredRecord) {
    HighscoreStore store;
    store.formatDate = date20261206;
    EXPECT_EQ(store.recordGameResult("Ann", 0x01020304, GameType::Maxi), 0);
    unsigned char bytes[64];
    std::memcpy(bytes, &store.tables[1].entries[0], sizeof bytes);
    unsigned char expected[64] = {'A', 'n', 'n'};
    expected[44] = 0x04;
    expected[45] = 0x03;
    expected[46] = 0x02;
    expected[47] = 0x01;
    std::memcpy(expected + 48, "06.12.2026", 10);
    EXPECT_EQ(std::memcmp(bytes, expected, sizeof bytes), 0);
    EXPECT_EQ(store.tables[0].entries[0].score, 0);
}

TEST(Record, NameIsCutToFortyCharactersAndNeverReadPastIt) {
    HighscoreStore store;
    store.formatDate = date20261206;
    struct {
        char name[41];
        char beyond[8];
    } unterminated;
    std::memset(unterminated.name, 'a', sizeof unterminated.name);
    std::memset(unterminated.beyond, 'z', sizeof unterminated.beyond);
    store.recordGameResult(unterminated.name, 30, GameType::Standard);
    store.recordGameResult(std::string(70, 'b').c_str(), 20, GameType::Standard);
    store.recordGameResult(nullptr, 10, GameType::Standard);
    EXPECT_EQ(entryName(store.tables[0].entries[0]), std::string(40, 'a'));
    EXPECT_EQ(entryName(store.tables[0].entries[1]), std::string(40, 'b'));
    EXPECT_EQ(entryName(store.tables[0].entries[2]), "");
    EXPECT_EQ(store.recordGameResult("x", 10, static_cast<GameType>(2)), -1);
}

TEST(Record, TextsOfAStoredRecordWithoutNulsStayInTheirFields) {
    HighscoreEntry full;
    std::memset(&full, 'x', sizeof full);
    EXPECT_EQ(entryName(full).size(), 41u);
    EXPECT_EQ(entryDate(full).size(), 16u);
}

bool fillsEverything(char* buffer, int capacity) {
    std::memset(buffer, '7', static_cast<std::size_t>(capacity));
    return true;
}
bool textThenRubbish(char* buffer, int capacity) {
    std::memset(buffer, '#', static_cast<std::size_t>(capacity));
    std::memcpy(buffer, "1/2/26", 7);
    return true;
}
bool fails(char* buffer, int capacity) {
    std::memset(buffer, '#', static_cast<std::size_t>(capacity));
    return false;
}

TEST(Record, DateStaysTerminatedAndZeroAfterItsText) {
    struct Case {
        DateFormatter formatter;
        std::string text;
    };
    for (const Case& test : {Case{fillsEverything, std::string(13, '7')}, Case{textThenRubbish, "1/2/26"},
                             Case{fails, ""}, Case{nullptr, ""}}) {
        HighscoreStore store;
        store.formatDate = test.formatter;
        store.recordGameResult("p", 1, GameType::Standard);
        char expected[16] = {};
        std::memcpy(expected, test.text.data(), test.text.size());
        EXPECT_EQ(std::memcmp(store.tables[0].entries[0].date, expected, 16), 0) << test.text;
    }
}

TEST(Record, TodaysDateFromThePlatform) {
    char date[kDateCapacity] = {};
    ASSERT_TRUE(formatLocalDate(date, kDateCapacity));
    const std::size_t length = textLength(date, kDateCapacity);
    EXPECT_GT(length, 0u);
    EXPECT_LT(length, static_cast<std::size_t>(kDateCapacity));
    HighscoreStore store;
    store.recordGameResult("p", 1, GameType::Standard);
    EXPECT_EQ(entryDate(store.tables[0].entries[0]), std::string(date));
}

}  // namespace
}  // namespace kvoro
