#pragma once
// The coach's table as stored between runs: a header, then the values byte
// for byte. Anything that does not match in full is refused, so a damaged or
// outdated file is computed anew.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "strategy/strategy.h"

namespace kvoro::strategy {

struct TableFileHeader {
    char magic[4];                // "KVCT"
    std::uint32_t version;        // kTableFileVersion
    std::uint32_t rules;          // rulesFingerprint() when written
    std::uint32_t valueCount;     // kStateCount
    std::uint32_t checksum;       // FNV-1a over the values' bytes
};
static_assert(sizeof(TableFileHeader) == 20, "the header is stored byte for byte");
static_assert(offsetof(TableFileHeader, checksum) == 16, "the header is stored byte for byte");

constexpr std::uint32_t kTableFileVersion = 1;

// A hash of every row's score for every roll: a file made under other rules
// does not fit.
std::uint32_t rulesFingerprint();

std::vector<unsigned char> encodeTable(const ValueTable& table);
// An empty table unless the bytes are a whole, intact table of this version.
ValueTable decodeTable(const std::vector<unsigned char>& bytes);

}  // namespace kvoro::strategy
