#pragma once
// A settings key in memory that answers as the registry does: a missing key is
// created empty, a value larger than the buffer is refused, a smaller one is
// copied with its size.
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "store/settings_key.h"

namespace kvoro::test {

class FakeSettingsKey : public SettingsKey {
public:
    struct Value {
        std::uint32_t type;
        std::vector<std::uint8_t> bytes;
    };

    OpenResult Open(KeyAccess) override {
        if (failOpen) return OpenResult::Failed;
        const bool created = !exists;
        exists = true;
        return created ? OpenResult::Created : OpenResult::Opened;
    }
    ReadResult Read(const char* name, void* buffer, std::uint32_t capacity) override {
        const auto found = values.find(name);
        if (found == values.end()) return {ReadStatus::Missing, 0};
        const auto size = static_cast<std::uint32_t>(found->second.bytes.size());
        if (size > capacity) return {ReadStatus::TooLarge, size};
        if (size > 0) std::memcpy(buffer, found->second.bytes.data(), size);
        return {ReadStatus::Ok, size};
    }
    bool Write(const char* name, ValueType type, const void* data, std::uint32_t size) override {
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        values[name] = Value{static_cast<std::uint32_t>(type), {bytes, bytes + size}};
        return true;
    }
    void Close() override {}

    // Deleting the key deletes its values.
    void Delete() {
        exists = false;
        values.clear();
    }

    bool exists = false;
    bool failOpen = false;
    std::map<std::string, Value> values;
};

}  // namespace kvoro::test
