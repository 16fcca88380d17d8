// Ranking into a table of ten, the stored record's bytes, and the bounds of
// its name and date texts.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/highscore.h"
#include "tests/game/builders.h"

namespace kvoro {
namespace {

using test::Entry;

std::vector<std::string> ranking(const HighscoreTable& table) {
    std::vector<std::string> ranked;
    for (const HighscoreEntry& stored : table.entries) {
        if (stored.score != 0) ranked.push_back(std::to_string(stored.score) + std::string(entryName(stored)));
    }
    return ranked;
}

TEST(Insert, NewResultGoesAboveEqualScoresAndAFullTableDropsItsLastOrRefuses) {
    HighscoreTable table{};
    for (const HighscoreEntry& stored : {Entry("d", 100), Entry("c", 150), Entry("b", 150), Entry("a", 200)}) {
        insert(table, stored);
    }
    EXPECT_EQ(insert(table, Entry("new", 150)), 0);
    EXPECT_EQ(ranking(table), (std::vector<std::string>{"200a", "150new", "150b", "150c", "100d"}));
    insert(table, table.entries[3]);  // one of its own records: copied before the shift
    EXPECT_EQ(ranking(table), (std::vector<std::string>{"200a", "150c", "150new", "150b", "150c", "100d"}));

    for (int i = 0; i < 9; ++i) table.entries[i] = Entry("", 200 - i);
    table.entries[9] = Entry("old", 120);
    EXPECT_EQ(insert(table, Entry("new", 120)), 0);
    EXPECT_EQ(std::string(entryName(table.entries[9])), "new");
    const HighscoreTable before = table;
    EXPECT_EQ(insert(table, Entry("", 119)), -1);
    EXPECT_EQ(std::memcmp(&table, &before, sizeof table), 0);
}

TEST(Record, BytesOfTheStoredRecordAndTheNameCutToFortyCharacters) {
    HighscoreStore store;
    store.formatDate = nullptr;  // the date field has a test of its own
    EXPECT_EQ(store.recordGameResult("Ann", 0x01020304, GameType::Maxi), 0);
    unsigned char expected[64] = {'A', 'n', 'n'};
    std::memcpy(expected + 44, "\x04\x03\x02\x01", 4);  // little-endian score
    EXPECT_EQ(std::memcmp(&store.tables[1].entries[0], expected, sizeof expected), 0);
    EXPECT_EQ(store.recordGameResult("x", 10, static_cast<GameType>(2)), -1);

    struct {
        char name[41];
        char beyond[8];
    } unterminated;
    std::memset(unterminated.name, 'a', sizeof unterminated.name);
    std::memset(unterminated.beyond, 'z', sizeof unterminated.beyond);
    store.recordGameResult(unterminated.name, 30, GameType::Standard);
    store.recordGameResult(nullptr, 10, GameType::Standard);
    EXPECT_EQ(entryName(store.tables[0].entries[0]), std::string(40, 'a'));
    EXPECT_EQ(entryName(store.tables[0].entries[1]), "");

    HighscoreEntry withoutNuls;  // as a stored record may come back
    std::memset(&withoutNuls, 'x', sizeof withoutNuls);
    EXPECT_EQ(entryName(withoutNuls).size(), 41u);
    EXPECT_EQ(entryDate(withoutNuls).size(), 16u);
}

// The formatter may fill its buffer, leave rubbish after its text, or fail;
// without one the platform's date of today is stored.
TEST(Record, DateStaysTerminatedAndZeroAfterItsText) {
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
    for (const auto& [formatter, text] : cases) {
        HighscoreStore store;
        store.formatDate = formatter;
        store.recordGameResult("p", 1, GameType::Standard);
        EXPECT_EQ(std::string(store.tables[0].entries[0].date, 16), text + std::string(16 - text.size(), '\0'));
    }
    char date[kDateCapacity] = {};
    ASSERT_TRUE(formatLocalDate(date, kDateCapacity));
    EXPECT_GT(textLength(date, kDateCapacity), 0u);
    HighscoreStore store;
    store.recordGameResult("p", 1, GameType::Standard);
    EXPECT_EQ(entryDate(store.tables[0].entries[0]), std::string(date));
}

}  // namespace
}  // namespace kvoro
