#pragma once
// Random value sets under the settings key, loaded as at start-up: each value present or missing, of a random type and
// 0 to 2,000 random bytes (its own size a third of the time); then a result recorded into whatever loaded, and a save.
// Shared by the runs against a key in memory and against the registry.
#include <gtest/gtest.h>

#include <cstdint>
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
        HighscoreStore highscores;
        std::uint32_t sound = 1;
        SettingsStore store(key, highscores, sound);
        const LoadResult loaded = store.Load();
        ASSERT_TRUE(loaded.opened);
        ASSERT_EQ(loaded.placement.has_value(), taken[1]);
        const StoredPlacement placement = loaded.placement.value_or(StoredPlacement{});
        const void* memory[] = {&sound, &placement, &highscores.tables[0], &highscores.tables[2],
                                &highscores.tables[1], &highscores.tables[3]};
        for (int v = 0; v < 6; ++v) {
            EXPECT_EQ(std::memcmp(memory[v], stored[v].data(), sizes[v]), 0) << names[v] << " of set " << set;
        }
        // Whatever was stored, the placement rule and the merge stay within their records.
        const auto reachable = ReachablePlacement(placement, {{0, 0, 1280, 984}});
        EXPECT_TRUE(!reachable || reachable->showCmd == kShowNormal || reachable->showCmd == kShowMaximized);
        store.RecordGameResult("Ann", static_cast<std::int32_t>(random()), static_cast<GameType>(set % 2));
        EXPECT_EQ(store.Save(StoredPlacement{}), SaveResult::Written);
    }
}

}  // namespace kvoro::test
