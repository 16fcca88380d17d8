// The settings key's logic against a key in memory: two copies of the program closing in either order, a key that
// cannot be opened, the placement rule, and random value sets.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <random>
#include <vector>

#include "fake_settings_key.h"
#include "settings_fuzz.h"
#include "store/settings_store.h"

namespace kvoro::test {
namespace {

std::vector<std::int32_t> Scores(const FakeSettingsKey& key, const char* name) {
    HighscoreTable table;
    std::memcpy(&table, key.values.at(name).data(), sizeof table);
    std::vector<std::int32_t> scores;
    for (const HighscoreEntry& entry : table.entries) scores.push_back(entry.score);
    return scores;
}

// Two copies start from one key holding results and record distinct scores of their own; in every fourth round the
// first clears the tables. Whatever the order of closing, the key ranks every result that still counts, none twice,
// and saving again changes nothing.
TEST(SettingsStore, TwoCopiesClosingInEitherOrderKeepEveryResultRanked) {
    std::mt19937 random(8);
    for (int round = 0; round < 300; ++round) {
        FakeSettingsKey key;
        key.exists = true;
        HighscoreStore tables[3];
        std::uint32_t sound = 1;
        std::memset(&tables[0].tables[2], 0x5A, sizeof(HighscoreTable));
        std::vector<SettingsStore> stores;
        std::vector<std::int32_t> counted[2];  // per game type, best first once sorted
        const bool cleared = round % 4 == 0, firstClosesFirst = random() % 2;
        for (int who = 0, serial = 0; who < 3; ++who) {  // the earlier run, the first copy, the second
            stores.emplace_back(key, tables[who], sound);
            if (who > 0) stores[who].Load();
            if (who == 1 && cleared) stores[who].ClearTables();
            for (int n = random() % 16; n > 0; --n) {
                const auto type = static_cast<GameType>(random() % 2);
                const auto score = static_cast<std::int32_t>(random() % 1000 * 64 + serial++);
                const bool counts = !cleared || who == 1 || (who == 2 && firstClosesFirst);
                if (counts) counted[static_cast<int>(type)].push_back(score);
                stores[who].RecordGameResult("", score, type);
            }
            if (who == 0) stores[0].Save({});
        }
        stores[firstClosesFirst ? 1 : 2].Save({});
        stores[firstClosesFirst ? 2 : 1].Save({});
        const auto closed = key.values;
        stores[1].Save({});
        EXPECT_TRUE(key.values.at("hs1") == closed.at("hs1") && key.values.at("hs3") == closed.at("hs3"));
        for (int type = 0; type < 2; ++type) {
            std::sort(counted[type].rbegin(), counted[type].rend());
            counted[type].resize(kHighscoreEntries);  // empty slots are 0
            EXPECT_EQ(Scores(key, type == 0 ? "hs1" : "hs3"), counted[type]) << round << ", " << firstClosesFirst;
        }
        EXPECT_EQ(Scores(key, "hs2"), std::vector<std::int32_t>(10, cleared ? 0 : 0x5A5A5A5A));
    }
}

TEST(ReachablePlacement, KeepsWhatAPlayerCanReachAndBringsTheRestBack) {
    const PlacementRect normal{100, 100, 700, 500}, far{1300, 50, 1900, 450};
    const struct {
        std::uint32_t length, flags, showCmd, shown;  // shown 0: not applied
        PlacementRect stored, placed;
    } cases[] = {
        {44, 0, kShowNormal, kShowNormal, normal, normal},
        {44, 0, kShowMaximized, kShowMaximized, far, far},
        {44, 0, 2, kShowNormal, normal, normal},  // minimised
        {44, kRestoreToMaximized, 2, kShowMaximized, normal, normal},  // minimised from maximised
        {44, 0, 0, kShowNormal, normal, normal},  // hidden
        {44, 0, kShowNormal, kShowNormal, {3000, 100, 3600, 500}, {1704, 100, 2304, 500}},
        {44, 0, kShowMaximized, kShowNormal, {100, -400, 700, -10}, {100, 0, 700, 390}},
        {44, 0, kShowNormal, kShowNormal, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {0, 0, 1280, 984}},
        {45, 0, kShowNormal, 0, normal, {}},
        {44, 0, kShowNormal, 0, {100, 100, 100, 500}, {}},
    };
    for (const auto& c : cases) {
        const auto placement = ReachablePlacement({c.length, c.flags, c.showCmd, {-1, -1}, {-1, -1}, c.stored},
                                                  {{0, 0, 1280, 984}, {1280, 0, 2304, 768}});
        ASSERT_EQ(placement.has_value(), c.shown != 0) << c.stored.left << "," << c.stored.top;
        if (!placement) continue;
        EXPECT_EQ(placement->showCmd, c.shown) << c.stored.left << "," << c.stored.top;
        EXPECT_EQ(std::memcmp(&placement->normalPosition, &c.placed, sizeof c.placed), 0) << c.stored.left;
    }
}

// Once the key cannot be opened any more, the sound is on and nothing is written.
TEST(SettingsStore, RandomValueSetsLoadByteForByteOrTakeTheirDefaults) {
    FakeSettingsKey key;
    std::vector<std::uint32_t> types(16);
    std::iota(types.begin(), types.end(), 0);  // every type, none examined
    int defaults = 0;
    FuzzLoad(key, [&](const char* name, std::uint32_t, const auto* bytes) {
        bytes ? void(key.values[name] = *bytes) : void(key.values.erase(name));
    }, types, 10000, defaults);
    std::printf("10000 value sets, %d defaults taken\n", defaults);
    key.failOpen = true;
    HighscoreStore highscores;
    std::uint32_t sound = 0;
    SettingsStore store(key, highscores, sound);
    EXPECT_FALSE(store.Load().opened);
    EXPECT_EQ(sound, 1u);
    EXPECT_EQ(store.Save({}), SaveResult::Failed);
}

}  // namespace
}  // namespace kvoro::test
