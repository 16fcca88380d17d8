#pragma once
// The settings of one run of the program and their way to and from the key:
// read once at the start, written at the close, and a finished game's table
// written at once. At every save the highscore tables are merged with what
// other copies of the program stored meanwhile: each table is read again and
// this run's changes since its last successful save applied to it. A clear
// removes the entries this run showed when it cleared; whatever was recorded
// after it, here or in another copy, stays.
#include <cstdint>
#include <vector>

#include "game/highscore.h"
#include "store/settings.h"
#include "store/settings_key.h"

namespace kvoro {

// Under HKEY_CURRENT_USER. The vendor segment is the build's (KVORO_VENDOR in
// CMakeLists.txt), the maker's name in the version resource and the installer.
constexpr char kSettingsKeyPath[] = "Software\\" KVORO_VENDOR "\\Kvoro";

// The value that holds each table, in the order they are read and written.
struct TableValue {
    const char* name;
    int table;
};
constexpr TableValue kTableValues[] = {{"hs1", 0}, {"hs2", 2}, {"hs3", 1}, {"hs4", 3}};

// Failed: the key could not be opened or created. KeyWasGone: the key had
// disappeared since this run had it; nothing was written, now or later, so the
// next start uses every default. WriteFailed: a value could not be written;
// what it missed is kept for the next save.
enum class SaveResult { Failed, KeyWasGone, WriteFailed, Written };

class SettingsStore {
public:
    explicit SettingsStore(SettingsKey& key) : key_(key) {}

    const Settings& settings() const { return settings_; }
    void SetSoundOn(bool on) { settings_.soundOn = on; }
    void SetPlacement(const StoredPlacement& placement) { settings_.placement = placement; }

    // false when the key can be neither opened nor created; every value that
    // is missing or of the wrong size keeps its default. Stored tables come
    // into ranking order.
    bool Load();
    // Writes every value: the own values as they are, the tables merged.
    SaveResult Save();
    // Writes the table of one game type, merged, as Save does.
    SaveResult SaveTable(GameType type);

    // HighscoreStore::recordGameResult, remembered for the merge.
    int RecordGameResult(const char* name, std::int32_t score, GameType type);
    // Empties all four tables; the key learns of it at the next save.
    void ClearTables();

private:
    // This run's changes to one table that the key does not hold yet.
    struct Unsaved {
        std::vector<HighscoreEntry> cleared;  // the entries cleared away, empty ones included
        std::vector<HighscoreEntry> results;  // the ten that can still rank, in the order recorded
    };

    SaveResult Write(bool ownValues, int onlyTable);
    HighscoreTable Merged(const TableValue& value) const;

    SettingsKey& key_;
    Settings settings_;
    Unsaved unsaved_[4];
    bool hadKey_ = false;   // opened at the start, or written since
    bool keyGone_ = false;  // it vanished after that: this run writes no more
};

}  // namespace kvoro
