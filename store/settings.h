#pragma once
// The state kept across runs, as one plain value, and the values that a copy
// of the program owns outright: at a save its own state replaces what is
// stored, with no merge. A new setting is a member here and a line in each of
// ReadOwnValues and WriteOwnValues.
#include <optional>

#include "game/highscore.h"
#include "store/settings_key.h"
#include "store/window_placement.h"

namespace kvoro {

struct Settings {
    bool soundOn = true;  // "Sound": the program writes 0 or 1; any other stored value means on
    std::optional<StoredPlacement> placement;  // as stored or last given; the window applies its own rule
    HighscoreStore highscores;  // merged with other copies' results at a save (SettingsStore)
};

// A value counts only when it holds exactly the bytes of its buffer: a longer
// one does not fit, and of a shorter one only part of the buffer is defined.
bool Accepted(const ReadResult& result, std::uint32_t expected);
// Reads an accepted value into target (size bytes); a refused one leaves
// target as it was, with no partial bytes.
bool ReadExactly(SettingsKey& key, const char* name, void* target, std::uint32_t size);

// Every value that is missing or of the wrong size keeps what settings holds.
void ReadOwnValues(SettingsKey& key, Settings& settings);
// false when a value could not be written; the others are still written.
bool WriteOwnValues(SettingsKey& key, const Settings& settings);

}  // namespace kvoro
