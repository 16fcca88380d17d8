#include "strategy/table_file.h"

#include <cstring>

namespace kvoro::strategy {
namespace {

constexpr char kMagic[4] = {'K', 'V', 'C', 'T'};

class Fnv1a {
public:
    void add(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) hash_ = (hash_ ^ bytes[i]) * 16777619u;
    }
    std::uint32_t value() const { return hash_; }

private:
    std::uint32_t hash_ = 2166136261u;
};

}  // namespace

std::uint32_t rulesFingerprint() {
    Fnv1a hash;
    std::int32_t values[kMaxDice] = {1, 1, 1, 1, 1, 0};
    for (int code = 0; code < 7776; ++code) {
        for (int die = 0, rest = code; die < 5; ++die, rest /= 6) values[die] = rest % 6 + 1;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const std::int32_t points = scoreDice(GameType::Standard, values, rowOfSlot(slot));
            hash.add(&points, sizeof points);
        }
    }
    const std::int32_t bonus[2] = {bonusThreshold(GameType::Standard), bonusPoints(GameType::Standard)};
    hash.add(bonus, sizeof bonus);
    return hash.value();
}

std::vector<unsigned char> encodeTable(const ValueTable& table) {
    const std::vector<float>& values = table.values();
    Fnv1a hash;
    hash.add(values.data(), values.size() * sizeof(float));
    TableFileHeader header{};
    std::memcpy(header.magic, kMagic, sizeof kMagic);
    header.version = kTableFileVersion;
    header.rules = rulesFingerprint();
    header.valueCount = static_cast<std::uint32_t>(values.size());
    header.checksum = hash.value();
    std::vector<unsigned char> bytes(sizeof header + values.size() * sizeof(float));
    std::memcpy(bytes.data(), &header, sizeof header);
    if (!values.empty()) std::memcpy(bytes.data() + sizeof header, values.data(), values.size() * sizeof(float));
    return bytes;
}

ValueTable decodeTable(const std::vector<unsigned char>& bytes) {
    TableFileHeader header{};
    if (bytes.size() != sizeof header + kStateCount * sizeof(float)) return ValueTable();
    std::memcpy(&header, bytes.data(), sizeof header);
    if (std::memcmp(header.magic, kMagic, sizeof kMagic) != 0 || header.version != kTableFileVersion ||
        header.valueCount != kStateCount || header.rules != rulesFingerprint()) {
        return ValueTable();
    }
    std::vector<float> values(kStateCount);
    std::memcpy(values.data(), bytes.data() + sizeof header, kStateCount * sizeof(float));
    Fnv1a hash;
    hash.add(values.data(), kStateCount * sizeof(float));
    return hash.value() == header.checksum ? ValueTable(std::move(values)) : ValueTable();
}

}  // namespace kvoro::strategy
