#include "store/settings_store.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace kvoro {

namespace {

// A table from the key, in ranking order; false when the value is refused.
bool ReadTable(SettingsKey& key, const char* name, HighscoreTable& table) {
    if (!ReadExactly(key, name, &table, sizeof table)) return false;
    sortByRank(table);
    return true;
}

// By score alone, so that min_element finds the earliest of the lowest: the
// entry that every other one ranks above (a later equal result ranks first).
bool RanksBelow(const HighscoreEntry& a, const HighscoreEntry& b) { return a.score < b.score; }

}  // namespace

bool SettingsStore::Load() {
    if (key_.Open(KeyAccess::Read) == OpenResult::Failed) return false;
    hadKey_ = true;
    ReadOwnValues(key_, settings_);
    for (const TableValue& value : kTableValues) ReadTable(key_, value.name, settings_.highscores.tables[value.table]);
    key_.Close();
    return true;
}

SaveResult SettingsStore::Save() { return Write(true, -1); }

SaveResult SettingsStore::SaveTable(GameType type) { return Write(false, static_cast<int>(type)); }

// Opening for writing takes the key's lock (SettingsKey), so no other copy
// saves between the reading of a table and the writing of its merge.
SaveResult SettingsStore::Write(bool ownValues, int onlyTable) {
    if (keyGone_) return SaveResult::KeyWasGone;
    const OpenResult opened = key_.Open(KeyAccess::ReadWrite);
    if (opened == OpenResult::Failed) return SaveResult::Failed;
    if (opened == OpenResult::Created && hadKey_) {
        key_.Close();
        keyGone_ = true;
        return SaveResult::KeyWasGone;
    }
    hadKey_ = true;
    bool written = !ownValues || WriteOwnValues(key_, settings_);
    for (const TableValue& value : kTableValues) {
        if (onlyTable >= 0 && value.table != onlyTable) continue;
        HighscoreTable& table = settings_.highscores.tables[value.table];
        table = Merged(value);
        if (key_.Write(value.name, ValueType::Binary, &table, sizeof table)) {
            unsaved_[value.table] = Unsaved{};  // the key holds them now
        } else {
            written = false;
        }
    }
    key_.Close();
    return written ? SaveResult::Written : SaveResult::WriteFailed;
}

HighscoreTable SettingsStore::Merged(const TableValue& value) const {
    const Unsaved& unsaved = unsaved_[value.table];
    HighscoreTable stored;
    // A table the key does not hold in full: this run's holds every result it knows of.
    if (!ReadTable(key_, value.name, stored)) return settings_.highscores.tables[value.table];
    std::vector<HighscoreEntry> cleared = unsaved.cleared;
    HighscoreTable merged{};
    int kept = 0;
    for (const HighscoreEntry& entry : stored.entries) {
        const auto same = std::find_if(cleared.begin(), cleared.end(), [&](const HighscoreEntry& gone) {
            return std::memcmp(&gone, &entry, sizeof entry) == 0;
        });
        if (same == cleared.end()) {
            merged.entries[kept++] = entry;
        } else {
            cleared.erase(same);  // each cleared entry takes away one stored copy of it
        }
    }
    sortByRank(merged);  // the emptied slots now last may rank above a negative score
    for (const HighscoreEntry& entry : unsaved.results) insert(merged, entry);
    return merged;
}

int SettingsStore::RecordGameResult(const char* name, std::int32_t score, GameType type) {
    HighscoreStore& highscores = settings_.highscores;
    const HighscoreEntry entry = highscores.makeEntry(name, score);
    const int placed = highscores.record(entry, type);
    if (type != GameType::Standard && type != GameType::Maxi) return placed;
    // Kept even when it did not rank here: the stored table it merges into
    // may be weaker. Of eleven, the lowest (the earliest of equals) has ten
    // above it wherever they land, so it is dropped.
    std::vector<HighscoreEntry>& results = unsaved_[static_cast<int>(type)].results;
    results.push_back(entry);
    if (results.size() > kHighscoreEntries) results.erase(std::min_element(results.begin(), results.end(), RanksBelow));
    return placed;
}

void SettingsStore::ClearTables() {
    for (int t = 0; t < 4; ++t) {
        HighscoreTable& table = settings_.highscores.tables[t];
        Unsaved& unsaved = unsaved_[t];
        unsaved.results.clear();
        unsaved.cleared.insert(unsaved.cleared.end(), std::begin(table.entries), std::end(table.entries));
        table = HighscoreTable{};
    }
}

}  // namespace kvoro
