// The settings key's logic against a key in memory: two copies of the program closing in either order, failed writes,
// a key that could not be opened or has gone, stored tables out of order, the placement rule, random value sets and a
// key that cannot open.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "fake_settings_key.h"
#include "game/highscore.h"
#include "store/player_setup.h"
#include "store/settings_store.h"

namespace kvoro {
namespace {

std::vector<std::int32_t> Scores(const test::FakeSettingsKey& key, const char* name) {
    HighscoreTable table;
    std::memcpy(&table, key.values.at(name).data(), sizeof table);
    std::vector<std::int32_t> scores;
    for (const HighscoreEntry& entry : table.entries) scores.push_back(entry.score);
    return scores;
}

// Two copies start from one key holding results and record distinct scores of their own, some written at once as
// a finished game is; in every fourth round the first clears the tables before. Whatever the order of closing, the
// key ranks every result recorded after the clear, none twice, a clear stays cleared, and saving again changes
// nothing.
TEST(SettingsStore, TwoCopiesClosingInEitherOrderKeepEveryResultRanked) {
    std::mt19937 random(8);
    const std::vector<std::uint8_t> spare(sizeof(HighscoreTable), 0x5A);
    for (int round = 0; round < 300; ++round) {
        test::FakeSettingsKey key;
        key.exists = true;
        key.values["hs2"] = key.values["hs4"] = spare;
        std::vector<SettingsStore> stores;
        stores.reserve(3);
        std::vector<std::int32_t> counted[2];  // per game type, best first once sorted
        const bool cleared = round % 4 == 0, firstClosesFirst = random() % 2;
        for (int who = 0, serial = 0; who < 3; ++who) {  // the earlier run, the first copy, the second
            stores.emplace_back(key);
            stores[who].Load();
            if (who == 1 && cleared) stores[who].ClearTables();
            for (int n = random() % 16; n > 0; --n) {
                const auto type = static_cast<GameType>(random() % 2);
                // Below every later one, the earlier run's results never push a later one out before the clear
                // reaches the key (which would not bring it back).
                const auto score = static_cast<std::int32_t>((who > 0) * 100000 + random() % 1000 * 64 + serial++);
                if (!cleared || who > 0) counted[static_cast<int>(type)].push_back(score);  // after the clear
                stores[who].RecordGameResult("", score, type);
                if (random() % 3 == 0) {
                    EXPECT_EQ(stores[who].SaveTable(type), SaveResult::Written);
                }
            }
            if (who == 0) stores[0].Save();
        }
        EXPECT_EQ(stores[firstClosesFirst ? 1 : 2].Save(), SaveResult::Written);
        EXPECT_EQ(stores[firstClosesFirst ? 2 : 1].Save(), SaveResult::Written);
        for (const char* name : {"hs2", "hs4"}) {
            EXPECT_EQ(key.values.at(name), cleared ? std::vector<std::uint8_t>(spare.size(), 0) : spare) << name;
        }
        const auto closed = key.values;
        for (SettingsStore& store : stores) store.Save();
        EXPECT_EQ(key.values, closed);
        for (int type = 0; type < 2; ++type) {
            std::sort(counted[type].rbegin(), counted[type].rend());
            counted[type].resize(kHighscoreEntries);  // empty slots are 0
            EXPECT_EQ(Scores(key, type == 0 ? "hs1" : "hs3"), counted[type]) << round << ", " << firstClosesFirst;
        }
    }
}

// Stored tables of ten results from 1000 down to 100 under every table's value.
void PutRankedTables(test::FakeSettingsKey& key) {
    HighscoreTable table{};
    for (int k = 0; k < kHighscoreEntries; ++k) table.entries[k].score = 1000 - 100 * k;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&table);
    for (const TableValue& value : kTableValues) key.values[value.name].assign(bytes, bytes + sizeof table);
}

// Whatever value fails to be written, with or without a clear before: the save says so, keeps what it could not
// store, and the next save stores the results and the clear.
TEST(SettingsStore, AFailedWriteIsReportedAndTheNextSaveStoresWhatItMissed) {
    for (const char* failing : {"Sound", "Placement", "hs1", "hs2", "hs3", "hs4"}) {
        for (const bool clear : {false, true}) {
            test::FakeSettingsKey key;
            key.exists = true;
            PutRankedTables(key);
            SettingsStore store(key);
            store.Load();
            if (clear) store.ClearTables();
            store.RecordGameResult("Ann", 280, GameType::Standard);
            store.RecordGameResult("Bob", 280, GameType::Maxi);
            store.SetPlacement(StoredPlacement{44, 0, kShowNormal, {}, {}, {}});
            key.failingWrites = {failing};
            EXPECT_EQ(store.Save(), SaveResult::WriteFailed) << failing;
            key.failingWrites.clear();
            EXPECT_EQ(store.Save(), SaveResult::Written) << failing;
            EXPECT_EQ(key.values.size(), 6u);
            for (const TableValue& value : kTableValues) {
                std::vector<std::int32_t> expected;
                for (int k = 0; k < kHighscoreEntries; ++k) expected.push_back(clear ? 0 : 1000 - 100 * k);
                if (value.table < 2) {
                    expected.insert(std::find_if(expected.begin(), expected.end(), [](int s) { return s <= 280; }), 280);
                    expected.pop_back();
                }
                EXPECT_EQ(Scores(key, value.name), expected) << failing << (clear ? ", cleared: " : ": ") << value.name;
            }
        }
    }
}

// A key that could not be opened at the start is written when a save can open it; one that was opened and has
// gone since is left empty, also by the saves after, for the next start to take every default.
TEST(SettingsStore, AKeyNeverOpenedIsWrittenLaterAndOneGoneSinceTheStartStaysEmpty) {
    for (const bool openedAtStart : {false, true}) {
        test::FakeSettingsKey key;
        if (!openedAtStart) key.failingOpens = {0};
        SettingsStore store(key);
        EXPECT_EQ(store.Load(), openedAtStart);
        if (openedAtStart) key.exists = false;  // deleted meanwhile
        store.SetPlacement(StoredPlacement{44, 0, kShowNormal, {}, {}, {}});
        store.RecordGameResult("Ann", 280, GameType::Standard);
        const SaveResult expected = openedAtStart ? SaveResult::KeyWasGone : SaveResult::Written;
        EXPECT_EQ(store.SaveTable(GameType::Standard), expected);
        EXPECT_EQ(store.Save(), expected);
        EXPECT_EQ(key.values.size(), openedAtStart ? 0u : 6u);
        EXPECT_TRUE(openedAtStart || Scores(key, "hs1")[0] == 280);
    }
}

// Stored tables in any order, with equal scores, come into ranking order before a result is ranked into them;
// equal scores keep their stored order.
TEST(SettingsStore, StoredTablesOutOfOrderAreRankedStablyBeforeUse) {
    std::mt19937 random(7);
    for (int round = 0; round < 100; ++round) {
        test::FakeSettingsKey key;
        key.exists = true;
        HighscoreTable stored{};
        for (int k = 0; k < kHighscoreEntries; ++k) {
            stored.entries[k].score = static_cast<std::int32_t>(random() % 5 * 100);
            stored.entries[k].name[0] = static_cast<char>('a' + k);
        }
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(&stored);
        key.values["hs1"].assign(bytes, bytes + sizeof stored);
        SettingsStore store(key);
        store.Load();
        HighscoreTable ranked = stored;
        std::stable_sort(std::begin(ranked.entries), std::end(ranked.entries),
                         [](const HighscoreEntry& a, const HighscoreEntry& b) { return a.score > b.score; });
        const HighscoreTable& loaded = store.settings().highscores.tables[0];
        EXPECT_EQ(std::memcmp(&loaded, &ranked, sizeof ranked), 0) << round;
        store.RecordGameResult("", 0, GameType::Standard);
        EXPECT_EQ(loaded.entries[0].score, ranked.entries[0].score) << round;
    }
}

// The rectangle judged is the one the platform makes: coordinates clamped to 16 bits, the size into the limits.
TEST(ReachablePlacement, KeepsWhatAPlayerCanReachAndLeavesTheRestAtTheDefault) {
    const PlacementRect normal{100, 100, 700, 500}, far{1300, 50, 1900, 450};
    const struct {
        std::uint32_t length, flags, showCmd, shown;  // shown 0: not applied
        PlacementRect stored, placed;
    } cases[] = {
        {44, 0, kShowNormal, kShowNormal, normal, normal},
        {44, 0, kShowMaximized, kShowMaximized, far, far},
        {44, 0, 2, kShowNormal, normal, normal},  // minimised
        {44, kRestoreToMaximized, 6, kShowMaximized, normal, normal},  // SW_MINIMIZE from maximised
        {44, kRestoreToMaximized, 2, kShowMaximized, normal, normal},  // minimised from maximised
        {44, 0, 0, kShowNormal, normal, normal},  // hidden
        {44, 0, kShowNormal, kShowNormal, {100, 100, 110, 105}, {100, 100, 400, 300}},  // tiny
        {44, 0, kShowNormal, kShowNormal, {1000, 100, 90000, 500}, {1000, 100, 5000, 500}},  // wide
        {44, 0, kShowNormal, kShowNormal, {100, 900, 700, 90000}, {100, 900, 700, 3900}},  // tall
        {44, 0, kShowNormal, 0, {-100000, 0, 100, 600}, {}},  // at x = -32768 the caption is nowhere
        {44, 0, kShowNormal, 0, {3000, 100, 3600, 500}, {}},
        {44, 0, kShowMaximized, 0, {100, -400, 700, -10}, {}},
        {44, 0, kShowNormal, 0, {100, -50, 700, 350}, {}},  // the caption above the work area
        {44, 0, kShowNormal, 0, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {}},
        {45, 0, kShowNormal, 0, normal, {}},
        {44, 0, kShowNormal, 0, {100, 100, 100, 500}, {}},
    };
    for (const auto& c : cases) {
        const auto placement = ReachablePlacement({c.length, c.flags, c.showCmd, {-1, -1}, {-1, -1}, c.stored},
                                                  {{0, 0, 1280, 984}, {1280, 0, 2304, 768}}, {{300, 200}, {4000, 3000}});
        ASSERT_EQ(placement.has_value(), c.shown != 0) << c.stored.left << "," << c.stored.top;
        if (!placement) continue;
        EXPECT_EQ(placement->showCmd, c.shown) << c.stored.left << "," << c.stored.top;
        EXPECT_EQ(std::memcmp(&placement->normalPosition, &c.placed, sizeof c.placed), 0) << c.stored.left;
    }
}

// Random value sets under the key, loaded as at start-up: each value present or missing, of 0 to 2,000 random bytes
// (its own size a third of the time); then a result recorded into whatever loaded, its table written as at a game's
// end, and a save.
TEST(SettingsStore, RandomValueSetsLoadByteForByteOrTakeTheirDefaults) {
    test::FakeSettingsKey key;
    const char* names[] = {"Sound", "Placement", "hs1", "hs2", "hs3", "hs4"};
    const std::uint32_t sizes[] = {4, 44, 640, 640, 640, 640};
    std::mt19937 random(2026);
    int defaults = 0;
    for (int set = 0; set < 10000; ++set) {
        std::vector<std::uint8_t> stored[6];
        bool taken[6];
        for (int v = 0; v < 6; ++v) {
            const bool present = random() % 4 != 0;
            stored[v].resize(random() % 3 == 0 ? sizes[v] : random() % 2001);
            for (auto& byte : stored[v]) byte = static_cast<std::uint8_t>(random());
            present ? void(key.values[names[v]] = stored[v]) : void(key.values.erase(names[v]));
            taken[v] = present && stored[v].size() == sizes[v];
            defaults += !taken[v];
            if (!taken[v]) stored[v].assign(sizes[v], 0);  // what a fresh run holds
        }
        if (!taken[0]) stored[0] = {1, 0, 0, 0};
        SettingsStore store(key);
        ASSERT_TRUE(store.Load());
        const Settings& loaded = store.settings();
        ASSERT_EQ(loaded.placement.has_value(), taken[1]);
        EXPECT_EQ(loaded.soundOn, std::any_of(stored[0].begin(), stored[0].end(), [](auto byte) { return byte != 0; }));
        const StoredPlacement placement = loaded.placement.value_or(StoredPlacement{});
        EXPECT_EQ(std::memcmp(&placement, stored[1].data(), sizeof placement), 0) << "set " << set;
        for (int v = 2; v < 6; ++v) {
            HighscoreTable table;  // the stored table in ranking order
            std::memcpy(&table, stored[v].data(), sizeof table);
            sortByRank(table);
            EXPECT_EQ(std::memcmp(&loaded.highscores.tables[kTableValues[v - 2].table], &table, sizeof table), 0)
                << names[v] << " of set " << set;
        }
        // Whatever was stored, the placement rule and the merge stay within their records.
        const auto reachable = ReachablePlacement(placement, {{0, 0, 1280, 984}}, {{300, 200}, {1300, 1000}});
        EXPECT_TRUE(!reachable || reachable->showCmd == kShowNormal || reachable->showCmd == kShowMaximized);
        store.RecordGameResult("Ann", static_cast<std::int32_t>(random()), static_cast<GameType>(set % 2));
        EXPECT_EQ(store.SaveTable(static_cast<GameType>(set % 2)), SaveResult::Written);
        EXPECT_EQ(store.Save(), SaveResult::Written);
    }
    std::printf("10000 value sets, %d defaults taken\n", defaults);
    key.failOpen = true;  // a key that cannot be opened: the sound is on, nothing is written
    SettingsStore store(key);
    EXPECT_FALSE(store.Load());
    EXPECT_TRUE(store.settings().soundOn);
    EXPECT_EQ(store.Save(), SaveResult::Failed);
}

// Who plays each seat and the speed: every stored value of every size read as its choice or its default; a save
// after the other settings writes the choices, but a default only over a stored value, and nothing into a key that
// was made anew.
TEST(PlayerSetup, ValuesOfEverySizeReadAsAChoiceOrTheDefaultAndDefaultsAreNeverAdded) {
    test::FakeSettingsKey key;
    for (std::uint32_t value = 0; value < 6; ++value) {
        for (std::size_t size = 0; size <= 8; ++size) {
            std::vector<std::uint8_t> bytes(size, 0);
            for (std::size_t i = 0; i < size && i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
            key.values["Seat3"] = key.values["ComputerSpeed"] = bytes;
            const PlayerSetup setup = LoadPlayerSetup(key);
            EXPECT_EQ(static_cast<std::uint32_t>(setup.seats.of[2]), size == 4 && value < 4 ? value : 0);
            EXPECT_EQ(static_cast<std::uint32_t>(setup.speed), size == 4 && value < 3 ? value : 1);
            EXPECT_EQ(setup.seats.of[0], play::Seat::Human);
        }
    }
    PlayerSetup chosen;
    chosen.seats.of[1] = play::Seat::Easy;
    test::FakeSettingsKey fresh;
    SavePlayerSetup(fresh, chosen);
    EXPECT_TRUE(fresh.values.empty()) << "a key made anew stays empty";
    fresh.values["Sound"] = {1, 0, 0, 0};
    SavePlayerSetup(fresh, chosen);
    EXPECT_EQ(fresh.values.size(), 2u) << "only the seat that is not the default";
    EXPECT_EQ(LoadPlayerSetup(fresh).seats.of[1], play::Seat::Easy);
    SavePlayerSetup(fresh, PlayerSetup{});
    EXPECT_EQ(fresh.values.at("Seat2"), (std::vector<std::uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(fresh.values.size(), 2u);
}

}  // namespace
}  // namespace kvoro
