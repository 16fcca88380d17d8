#pragma once
// Random value sets under the settings key, loaded as at start-up: each value present or missing, of a random type and
// 0 to 2,000 random bytes (its own size a third of the time); then a result recorded into whatever loaded, its
// table written as at a game's end, and a save.
// Shared by the runs against a key in memory and against the registry.
#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "store/settings_store.h"

namespace kvoro::test {

// Stores a value, or removes it when bytes is null.
using PutValue = std::function<void(const char* name, std::uint32_t type, const std::vector<std::uint8_t>* bytes)>;

// Counts in defaults the values that took their default.
inline void FuzzLoad(SettingsKey& key, const PutValue& put, const std::vector<std::uint32_t>& types, int sets,
                     int& defaults) {
    const char* names[] = {"Sound", "Placement", "hs1", "hs2", "hs3", "hs4"};
    const std::uint32_t sizes[] = {4, 44, 640, 640, 640, 640};
    std::mt19937 random(2026);
    for (int set = 0; set < sets; ++set) {
        std::vector<std::uint8_t> stored[6];
        bool taken[6];
        for (int v = 0; v < 6; ++v) {
            const bool present = random() % 4 != 0;
            stored[v].resize(random() % 3 == 0 ? sizes[v] : random() % 2001);
            for (auto& byte : stored[v]) byte = static_cast<std::uint8_t>(random());
            put(names[v], types[random() % types.size()], present ? &stored[v] : nullptr);
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
}

}  // namespace kvoro::test
