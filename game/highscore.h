#pragma once
// Highscore records and their ranking. The records are stored byte for byte
// (little-endian), so their layout is a file format.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "game/rules.h"

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

// Stored records come from the registry and may lack their NUL; these never
// read past the field.
inline std::string_view entryName(const HighscoreEntry& entry) {
    return {entry.name, textLength(entry.name, sizeof entry.name)};
}
inline std::string_view entryDate(const HighscoreEntry& entry) {
    return {entry.date, textLength(entry.date, sizeof entry.date)};
}

constexpr int kHighscoreEntries = 10;

struct HighscoreTable {
    HighscoreEntry entries[kHighscoreEntries];  // best first
};
static_assert(sizeof(HighscoreTable) == 640, "HighscoreTable is 640 bytes");
static_assert(offsetof(HighscoreTable, entries) == 0, "entries at offset 0");

// Places the entry above every stored entry with the same or a lower score;
// 0 when placed, -1 (table unchanged) when it ranks below all ten.
int insert(HighscoreTable& table, const HighscoreEntry& entry);
// Brings a table from elsewhere into ranking order, best first; entries of
// equal score keep their order, so a table in order stays as it is.
void sortByRank(HighscoreTable& table);

// What the date formatter is given, NUL included; the last two bytes of the
// date field therefore always stay zero.
constexpr int kDateCapacity = 14;

// Writes the local date as text into buffer (capacity bytes including the
// NUL); false when it could not.
using DateFormatter = bool (*)(char* buffer, int capacity);

// Today's date in the user's short date format: GetLocalTime and GetDateFormatA
// on Windows, the C library's locale date elsewhere.
bool formatLocalDate(char* buffer, int capacity);

// Table 0 holds Standard results, table 1 Maxi results; 2 and 3 are spares that
// are only loaded, saved and cleared.
struct HighscoreStore {
    HighscoreTable tables[4] = {};
    DateFormatter formatDate = formatLocalDate;

    // The date stays empty when the formatter fails. -1 also for an unknown type.
    int recordGameResult(const char* name, std::int32_t score, GameType type);
    // The two halves of recordGameResult: the entry with today's date, and its
    // ranking into the table of its game type.
    HighscoreEntry makeEntry(const char* name, std::int32_t score) const;
    int record(const HighscoreEntry& entry, GameType type);
};

}  // namespace kvoro
