// The settings key's logic against a key in memory: the six values and the
// tables' value names, a key that cannot be opened or has gone, two copies of
// the program closing in either order, the placement rule, and random value
// sets.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
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

const StoredPlacement kPlacement{44, 0, kShowMaximized, {1, 2}, {3, 4}, {10, 20, 300, 400}};

TEST(SettingsStore, WritesSixValuesAndReadsEveryTableBackFromItsOwnValue) {
    FakeSettingsKey key;
    key.exists = true;  // as the start leaves it
    HighscoreStore written;
    std::uint32_t sound = 0;
    for (int t = 0; t < 4; ++t) std::memset(&written.tables[t], 0x10 + t, sizeof(HighscoreTable));
    SettingsStore(key, written, sound).Save(kPlacement);

    const struct {
        const char* name;
        ValueType type;
        std::size_t size;
        int fill;  // of a table's bytes
    } expected[] = {{"Sound", ValueType::Dword, 4, 0},         {"Placement", ValueType::Binary, 44, -1},
                    {"hs1", ValueType::Binary, 640, 0x10}, {"hs2", ValueType::Binary, 640, 0x12},
                    {"hs3", ValueType::Binary, 640, 0x11}, {"hs4", ValueType::Binary, 640, 0x13}};
    EXPECT_EQ(key.values.size(), 6u);
    for (const auto& value : expected) {
        const FakeSettingsKey::Value& stored = key.values[value.name];
        EXPECT_EQ(stored.type, static_cast<std::uint32_t>(value.type)) << value.name;
        ASSERT_EQ(stored.bytes.size(), value.size) << value.name;
        if (value.fill >= 0) {
            EXPECT_EQ(std::count(stored.bytes.begin(), stored.bytes.end(), value.fill), value.size) << value.name;
        }
    }

    HighscoreStore read;
    std::uint32_t readSound = 1;
    const LoadResult loaded = SettingsStore(key, read, readSound).Load();
    EXPECT_EQ(readSound, 0u);
    ASSERT_TRUE(loaded.placement);
    EXPECT_EQ(std::memcmp(&*loaded.placement, &kPlacement, 44), 0);
    EXPECT_EQ(std::memcmp(&read, &written, sizeof read.tables), 0);
}

TEST(SettingsStore, WithoutAKeyTheSoundIsOnAndAKeyGoneSinceTheStartStaysEmpty) {
    FakeSettingsKey key;
    key.failOpen = true;
    HighscoreStore highscores;
    std::uint32_t sound = 0;
    SettingsStore store(key, highscores, sound);
    EXPECT_FALSE(store.Load().opened);
    EXPECT_EQ(sound, 1u);
    EXPECT_EQ(store.Save(kPlacement), SaveResult::Failed);

    key.failOpen = false;
    EXPECT_TRUE(store.Load().opened);
    EXPECT_TRUE(key.exists) << "created, empty";
    key.Delete();
    EXPECT_EQ(store.Save(kPlacement), SaveResult::KeyWasGone);
    EXPECT_TRUE(key.exists && key.values.empty());
}

std::vector<std::int32_t> Scores(const FakeSettingsKey& key, const char* name) {
    HighscoreTable table;
    std::memcpy(&table, key.values.at(name).bytes.data(), sizeof table);
    std::vector<std::int32_t> scores;
    for (const HighscoreEntry& entry : table.entries) scores.push_back(entry.score);
    return scores;
}

std::vector<std::int32_t> TopTen(std::vector<std::int32_t> scores) {
    std::sort(scores.rbegin(), scores.rend());
    scores.resize(kHighscoreEntries);  // empty slots are 0
    return scores;
}

// Two copies start from the same key and record distinct scores; sometimes
// the first clears the tables. Whatever the order of closing, the key ranks
// every result that counts, none twice, and a second save changes nothing.
TEST(SettingsStore, TwoCopiesClosingInEitherOrderKeepEveryResultRanked) {
    std::mt19937 random(8);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::int32_t> pool(1000);
        std::iota(pool.begin(), pool.end(), 1);
        std::shuffle(pool.begin(), pool.end(), random);
        FakeSettingsKey key;
        key.exists = true;
        HighscoreStore first, second, start;
        std::uint32_t sound = 1;
        std::memset(&start.tables[2], 0x5A, sizeof(HighscoreTable));
        std::vector<std::int32_t> results[3][2];  // the start's, the first's, the second's; per game type
        const auto record = [&](SettingsStore& store, int who, int count) {
            for (int i = 0; i < count; ++i) {
                const auto type = static_cast<GameType>(random() % 2);
                results[who][static_cast<int>(type)].push_back(pool.back());
                store.RecordGameResult("", pool.back(), type);
                pool.pop_back();
            }
        };
        SettingsStore seeding(key, start, sound), a(key, first, sound), b(key, second, sound);
        record(seeding, 0, static_cast<int>(random() % 12));
        seeding.Save(kPlacement);
        a.Load();
        b.Load();
        const bool cleared = round % 4 == 0;
        if (cleared) a.ClearTables();
        record(a, 1, static_cast<int>(random() % 16));
        record(b, 2, static_cast<int>(random() % 16));
        const bool firstClosesFirst = random() % 2;
        (firstClosesFirst ? a : b).Save(kPlacement);
        (firstClosesFirst ? b : a).Save(kPlacement);
        const auto key0 = key.values;
        a.Save(kPlacement);
        EXPECT_TRUE(key.values.at("hs1").bytes == key0.at("hs1").bytes && key.values.at("hs3").bytes == key0.at("hs3").bytes);

        for (int type = 0; type < 2; ++type) {
            std::vector<std::int32_t> expected = results[1][type];
            if (!cleared || firstClosesFirst) expected.insert(expected.end(), results[2][type].begin(), results[2][type].end());
            if (!cleared) expected.insert(expected.end(), results[0][type].begin(), results[0][type].end());
            EXPECT_EQ(Scores(key, type == 0 ? "hs1" : "hs3"), TopTen(expected))
                << "round " << round << (cleared ? ", cleared" : "") << (firstClosesFirst ? ", first" : ", second")
                << " closed first";
        }
        EXPECT_EQ(Scores(key, "hs2"), std::vector<std::int32_t>(10, cleared ? 0 : 0x5A5A5A5A));
    }
}

TEST(ReachablePlacement, KeepsWhatAPlayerCanReachAndBringsTheRestBack) {
    const std::vector<PlacementRect> areas = {{0, 0, 1280, 984}, {1280, 0, 2304, 768}};
    const PlacementRect normal{100, 100, 700, 500};
    const struct {
        std::uint32_t length, flags, showCmd;
        PlacementRect stored;
        bool applied;
        std::uint32_t shown;
        PlacementRect placed;
    } cases[] = {
        {44, 0, kShowNormal, normal, true, kShowNormal, normal},
        {44, 0, kShowMaximized, {1300, 50, 1900, 450}, true, kShowMaximized, {1300, 50, 1900, 450}},
        {44, 0, 2, normal, true, kShowNormal, normal},                    // minimised
        {44, kRestoreToMaximized, 2, normal, true, kShowMaximized, normal},  // minimised from maximised
        {44, 0, 0, normal, true, kShowNormal, normal},                    // hidden
        {44, 0, kShowNormal, {3000, 100, 3600, 500}, true, kShowNormal, {1704, 100, 2304, 500}},
        {44, 0, kShowMaximized, {100, -400, 700, -10}, true, kShowNormal, {100, 0, 700, 390}},
        {44, 0, kShowNormal, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, true, kShowNormal, {0, 0, 1280, 984}},
        {45, 0, kShowNormal, normal, false, 0, {}},
        {44, 0, kShowNormal, {100, 100, 100, 500}, false, 0, {}},
    };
    for (const auto& c : cases) {
        const StoredPlacement stored{c.length, c.flags, c.showCmd, {-1, -1}, {-1, -1}, c.stored};
        const auto placement = ReachablePlacement(stored, areas);
        ASSERT_EQ(placement.has_value(), c.applied) << c.stored.left << "," << c.stored.top;
        if (!placement) continue;
        EXPECT_EQ(placement->showCmd, c.shown) << c.stored.left << "," << c.stored.top;
        EXPECT_EQ(std::memcmp(&placement->normalPosition, &c.placed, sizeof c.placed), 0) << c.stored.left;
    }
}

TEST(SettingsStore, RandomValueSetsLoadByteForByteOrTakeTheirDefaults) {
    FakeSettingsKey key;
    const auto put = [&](const char* name, std::uint32_t type, const std::vector<std::uint8_t>* bytes) {
        if (bytes) {
            key.values[name] = {type, *bytes};
        } else {
            key.values.erase(name);
        }
    };
    std::vector<std::uint32_t> types(16);
    std::iota(types.begin(), types.end(), 0);
    types.push_back(0xFFFFFFFFu);
    const auto started = std::chrono::steady_clock::now();
    const FuzzFigures figures = FuzzLoad(key, put, types, 10000);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    std::printf("%d value sets, %d defaults taken, %lld ms\n", figures.sets, figures.defaults,
                static_cast<long long>(ms.count()));
    EXPECT_EQ(figures.sets, 10000);
}

}  // namespace
}  // namespace kvoro::test
