#pragma once
// Random value sets under the settings key, loaded as at start-up: each value
// present or missing, of a random type and 0 to 2,000 random bytes (its own
// size a third of the time). Shared by the run against a key in memory and
// the one against the registry.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "store/settings_store.h"

namespace kvoro::test {

struct FuzzFigures {
    int sets = 0;
    int defaults = 0;  // values that were missing or of a wrong size
};

// put(name, type, bytes) stores a value; put with a null bytes removes it.
using PutValue = std::function<void(const char*, std::uint32_t, const std::vector<std::uint8_t>*)>;

inline FuzzFigures FuzzLoad(SettingsKey& key, const PutValue& put, const std::vector<std::uint32_t>& types, int sets) {
    struct Slot {
        const char* name;
        std::uint32_t size;
    };
    const Slot slots[] = {{"Sound", 4}, {"Placement", 44}, {"hs1", 640}, {"hs2", 640}, {"hs3", 640}, {"hs4", 640}};
    const std::vector<PlacementRect> areas = {{0, 0, 1280, 984}, {1280, 0, 2304, 768}};
    std::mt19937 random(2026);
    FuzzFigures figures;
    for (; figures.sets < sets; ++figures.sets) {
        std::vector<std::uint8_t> stored[6];
        bool present[6];
        for (int v = 0; v < 6; ++v) {
            present[v] = random() % 4 != 0;
            stored[v].resize(random() % 3 == 0 ? slots[v].size : random() % 2001);
            for (auto& byte : stored[v]) byte = static_cast<std::uint8_t>(random());
            put(slots[v].name, types[random() % types.size()], present[v] ? &stored[v] : nullptr);
        }
        HighscoreStore highscores;
        std::uint32_t sound = 7;
        SettingsStore store(key, highscores, sound);
        const LoadResult loaded = store.Load();
        EXPECT_TRUE(loaded.opened);
        const auto taken = [&](int v) { return present[v] && stored[v].size() == slots[v].size; };
        const HighscoreTable empty{};
        const void* tables[] = {&highscores.tables[0], &highscores.tables[2], &highscores.tables[1],
                                &highscores.tables[3]};
        std::uint32_t expectedSound = 1;
        if (taken(0)) std::memcpy(&expectedSound, stored[0].data(), 4);
        EXPECT_EQ(sound, expectedSound);
        EXPECT_EQ(loaded.placement.has_value(), taken(1));
        if (loaded.placement && taken(1)) {
            EXPECT_EQ(std::memcmp(&*loaded.placement, stored[1].data(), 44), 0);
        }
        for (int v = 2; v < 6; ++v) {
            EXPECT_EQ(std::memcmp(tables[v - 2], taken(v) ? stored[v].data() : static_cast<const void*>(&empty), 640), 0)
                << slots[v].name << " of " << stored[v].size() << " bytes";
        }
        for (int v = 0; v < 6; ++v) figures.defaults += !taken(v);
        // Whatever was stored, the placement rule and the merge stay within their records.
        if (loaded.placement) {
            if (const auto placement = ReachablePlacement(*loaded.placement, areas)) {
                EXPECT_TRUE(placement->showCmd == kShowNormal || placement->showCmd == kShowMaximized);
            }
        }
        store.RecordGameResult("Ann", static_cast<std::int32_t>(random()), GameType::Standard);
        store.RecordGameResult("Bob", -static_cast<std::int32_t>(random() % 1000), GameType::Maxi);
        EXPECT_EQ(store.Save(loaded.placement.value_or(StoredPlacement{})), SaveResult::Written);
    }
    return figures;
}

}  // namespace kvoro::test
