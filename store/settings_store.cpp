#include "store/settings_store.h"

#include <algorithm>
#include <cstring>

namespace kvoro {

namespace {

constexpr std::uint32_t kDefaultSound = 1;

// Reads into a buffer of exactly sizeof(T) bytes and copies only a value that
// fills it, so a short value leaves no partial bytes behind.
template <typename T>
bool ReadExactly(SettingsKey& key, const char* name, T& target) {
    T buffer;
    if (!Accepted(key.Read(name, &buffer, sizeof buffer), sizeof buffer)) return false;
    std::memcpy(&target, &buffer, sizeof buffer);
    return true;
}

const char* ValueOf(int table) {
    for (const TableValue& value : kTableValues) {
        if (value.table == table) return value.name;
    }
    return nullptr;
}

// By score alone, so that min_element finds the earliest of the lowest: the
// entry that every other one ranks above (a later equal result ranks first).
bool RanksBelow(const HighscoreEntry& a, const HighscoreEntry& b) { return a.score < b.score; }

}  // namespace

bool Accepted(const ReadResult& result, std::uint32_t expected) {
    return result.status == ReadStatus::Ok && result.size == expected;
}

LoadResult SettingsStore::Load() {
    LoadResult loaded{false, std::nullopt};
    if (key_.Open(KeyAccess::Read) == OpenResult::Failed) {
        soundOn_ = kDefaultSound;
        return loaded;
    }
    loaded.opened = true;
    if (!ReadExactly(key_, "Sound", soundOn_)) soundOn_ = kDefaultSound;
    StoredPlacement placement;
    if (ReadExactly(key_, "Placement", placement)) loaded.placement = placement;
    for (const TableValue& value : kTableValues) ReadExactly(key_, value.name, highscores_.tables[value.table]);
    key_.Close();
    return loaded;
}

HighscoreTable SettingsStore::Merged(int table) {
    HighscoreTable merged = highscores_.tables[table];
    // When the value cannot be read, this run's table already holds every
    // result it knows of.
    if (cleared_ || !ReadExactly(key_, ValueOf(table), merged)) {
        return highscores_.tables[table];
    }
    for (const HighscoreEntry& entry : unsaved_[table]) insert(merged, entry);
    return merged;
}

SaveResult SettingsStore::Save(const StoredPlacement& placement) {
    const OpenResult opened = key_.Open(KeyAccess::ReadWrite);
    if (opened == OpenResult::Failed) return SaveResult::Failed;
    if (opened == OpenResult::Created) {
        key_.Close();
        return SaveResult::KeyWasGone;
    }
    for (int table : {0, 1}) highscores_.tables[table] = Merged(table);
    // A failed write is not reported; the other values are still written.
    key_.Write("Sound", ValueType::Dword, &soundOn_, sizeof soundOn_);
    key_.Write("Placement", ValueType::Binary, &placement, sizeof placement);
    for (const TableValue& value : kTableValues) {
        key_.Write(value.name, ValueType::Binary, &highscores_.tables[value.table], sizeof(HighscoreTable));
    }
    key_.Close();
    // What is in the key now is not merged again by a later save.
    for (auto& results : unsaved_) results.clear();
    cleared_ = false;
    return SaveResult::Written;
}

int SettingsStore::RecordGameResult(const char* name, std::int32_t score, GameType type) {
    const HighscoreEntry entry = highscores_.makeEntry(name, score);
    const int placed = highscores_.record(entry, type);
    if (type != GameType::Standard && type != GameType::Maxi) return placed;
    // Recorded even when it did not rank here: the stored table it merges
    // into may be weaker. Of eleven, the lowest (the earliest of equals) has
    // ten above it wherever they land, so it is dropped.
    std::vector<HighscoreEntry>& results = unsaved_[static_cast<int>(type)];
    results.push_back(entry);
    if (results.size() > kHighscoreEntries) results.erase(std::min_element(results.begin(), results.end(), RanksBelow));
    return placed;
}

void SettingsStore::ClearTables() {
    for (HighscoreTable& table : highscores_.tables) table = HighscoreTable{};
    for (auto& results : unsaved_) results.clear();
    cleared_ = true;
}

}  // namespace kvoro
