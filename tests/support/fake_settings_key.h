#pragma once
// A settings key in memory that answers as the registry does: a missing key is created empty, a value larger than the
// buffer is refused, a smaller one is copied with its size. Value types are not kept; the store never reads them.
// Chosen opens and writes fail, as a full disk or a key without rights make the registry's fail.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "store/settings_key.h"

namespace kvoro::test {

struct FakeSettingsKey : SettingsKey {
    OpenResult Open(KeyAccess access) override {
        if (failOpen || failingOpens.count(opens++)) return OpenResult::Failed;
        writable = access == KeyAccess::ReadWrite;
        return std::exchange(exists, true) ? OpenResult::Opened : OpenResult::Created;
    }
    ReadResult Read(const char* name, void* buffer, std::uint32_t capacity) override {
        const auto found = values.find(name);
        if (found == values.end()) return {ReadStatus::Missing, 0};
        const auto size = static_cast<std::uint32_t>(found->second.size());
        if (size > capacity) return {ReadStatus::TooLarge, size};
        std::copy(found->second.begin(), found->second.end(), static_cast<std::uint8_t*>(buffer));
        return {ReadStatus::Ok, size};
    }
    bool Write(const char* name, ValueType, const void* data, std::uint32_t size) override {
        // Only between an open for writing and its close, where the registry's key holds the save's lock.
        EXPECT_TRUE(writable) << name << " written outside a save";
        if (failingWrites.count(name)) return false;
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        values[name].assign(bytes, bytes + size);
        return true;
    }
    void Close() override { writable = false; }

    bool exists = false;
    bool failOpen = false;             // every open fails
    std::set<int> failingOpens;        // these opens fail, counted from 0
    std::set<std::string> failingWrites;  // the writes of these values fail
    int opens = 0;
    bool writable = false;
    std::map<std::string, std::vector<std::uint8_t>> values;
};

}  // namespace kvoro::test
