#include "game/highscore.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace kvoro {

int insert(HighscoreTable& table, const HighscoreEntry& entry) {
    // A copy first: the entry may be one of the table's own records.
    const HighscoreEntry placed = entry;
    for (int i = 0; i < kHighscoreEntries; ++i) {
        if (table.entries[i].score <= placed.score) {
            std::memmove(&table.entries[i + 1], &table.entries[i],
                         (kHighscoreEntries - 1 - i) * sizeof(HighscoreEntry));
            table.entries[i] = placed;
            return 0;
        }
    }
    return -1;
}

void sortByRank(HighscoreTable& table) {
    std::stable_sort(std::begin(table.entries), std::end(table.entries),
                     [](const HighscoreEntry& a, const HighscoreEntry& b) { return a.score > b.score; });
}

int HighscoreStore::recordGameResult(const char* name, std::int32_t score, GameType type) {
    return record(makeEntry(name, score), type);
}

HighscoreEntry HighscoreStore::makeEntry(const char* name, std::int32_t score) const {
    HighscoreEntry entry{};
    // At most 40 characters, so the name always ends in a NUL.
    if (name != nullptr) std::memcpy(entry.name, name, textLength(name, sizeof entry.name - 1));
    entry.score = score;
    // Whatever the formatter leaves, only its text up to the first NUL is kept.
    char date[kDateCapacity] = {};
    if (formatDate != nullptr && formatDate(date, kDateCapacity)) {
        std::memcpy(entry.date, date, textLength(date, kDateCapacity - 1));
    }
    return entry;
}

int HighscoreStore::record(const HighscoreEntry& entry, GameType type) {
    if (type != GameType::Standard && type != GameType::Maxi) return -1;
    return insert(tables[static_cast<int>(type)], entry);
}

}  // namespace kvoro
