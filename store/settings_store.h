#pragma once
// What the settings key holds and how it is read and written, apart from the
// platform: the meaning of a read result, the values of the four highscore
// tables, and the merge with results that another copy of the program stored
// while this one ran.
#include <cstdint>
#include <optional>
#include <vector>

#include "game/highscore.h"
#include "store/settings_key.h"
#include "store/window_placement.h"

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

// A value counts only when it holds exactly the bytes of its buffer: a longer
// one does not fit, and of a shorter one only part of the buffer is defined.
bool Accepted(const ReadResult& result, std::uint32_t expected);

struct LoadResult {
    bool opened;
    std::optional<StoredPlacement> placement;  // as stored, when one was
};

// KeyWasGone: the key had disappeared since the start and was created again;
// nothing was written, so the next start uses every default.
enum class SaveResult { Failed, KeyWasGone, Written };

// The state kept across runs: the sound switch and the highscore tables (both
// owned by the main window), and the results recorded since the last save.
class SettingsStore {
public:
    SettingsStore(SettingsKey& key, HighscoreStore& highscores, std::uint32_t& soundOn)
        : key_(key), highscores_(highscores), soundOn_(soundOn) {}

    // Every value that is missing or of the wrong size keeps its default; when
    // the key can be neither opened nor created, the sound is on.
    LoadResult Load();
    // Writes the sound switch, the placement and the tables. Tables 0 and 1 are
    // read again first and this run's unsaved results ranked into them, unless
    // the tables were cleared since the last save.
    SaveResult Save(const StoredPlacement& placement);

    // HighscoreStore::recordGameResult, remembered for the merge.
    int RecordGameResult(const char* name, std::int32_t score, GameType type);
    // Empties all four tables in memory only.
    void ClearTables();

private:
    HighscoreTable Merged(int table);

    SettingsKey& key_;
    HighscoreStore& highscores_;
    std::uint32_t& soundOn_;
    // Per game type, in the order recorded; only the ten that can still rank.
    std::vector<HighscoreEntry> unsaved_[2];
    bool cleared_ = false;
};

}  // namespace kvoro
