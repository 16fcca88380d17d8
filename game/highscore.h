#pragma once
// Highscore records and their ranking. The records are stored byte for byte
// (little-endian), so their layout is a file format.
#include <cstddef>
#include <cstdint>

#include "rules.h"

namespace kvoro {

struct HighscoreEntry {
    char name[41];            // NUL-terminated ANSI text, zero after the NUL
    std::uint8_t padding[3];  // never read
    std::int32_t score;       // 0 marks an empty slot
    char date[16];            // the user's short date format, NUL-terminated
};
static_assert(sizeof(HighscoreEntry) == 64, "HighscoreEntry is a 64-byte record");
static_assert(offsetof(HighscoreEntry, name) == 0, "name at offset 0");
static_assert(offsetof(HighscoreEntry, padding) == 41, "padding at offset 41");
static_assert(offsetof(HighscoreEntry, score) == 44, "score at offset 44");
static_assert(offsetof(HighscoreEntry, date) == 48, "date at offset 48");

constexpr int kHighscoreEntries = 10;

struct HighscoreTable {
    HighscoreEntry entries[kHighscoreEntries];  // best first
};
static_assert(sizeof(HighscoreTable) == 640, "HighscoreTable is 640 bytes");
static_assert(offsetof(HighscoreTable, entries) == 0, "entries at offset 0");

// Places the entry above every stored entry with the same or a lower score;
// 0 when placed, -1 (table unchanged) when it ranks below all ten.
int insert(HighscoreTable& table, const HighscoreEntry& entry);

// Writes the local date as text into buffer (capacity bytes including the NUL).
using DateFormatter = void (*)(char* buffer, int capacity);

// Today's date in the user's short date format: GetLocalTime and GetDateFormatA
// on Windows, the C library's locale date elsewhere.
void formatLocalDate(char* buffer, int capacity);

// Table 0 holds Standard results, table 1 Maxi results; 2 and 3 are spares that
// are only loaded, saved and cleared.
struct HighscoreStore {
    HighscoreTable tables[4] = {};
    DateFormatter formatDate = formatLocalDate;

    int recordGameResult(const char* name, std::int32_t score, GameType type);
};

}  // namespace kvoro
