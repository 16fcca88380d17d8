#include "store/settings.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace kvoro {

bool Accepted(const ReadResult& result, std::uint32_t expected) {
    return result.status == ReadStatus::Ok && result.size == expected;
}

bool ReadExactly(SettingsKey& key, const char* name, void* target, std::uint32_t size) {
    std::vector<std::uint8_t> buffer(size);
    if (!Accepted(key.Read(name, buffer.data(), size), size)) return false;
    std::memcpy(target, buffer.data(), size);
    return true;
}

void ReadOwnValues(SettingsKey& key, Settings& settings) {
    std::uint32_t sound = 0;
    if (ReadExactly(key, "Sound", &sound, sizeof sound)) settings.soundOn = sound != 0;
    StoredPlacement placement;
    if (ReadExactly(key, "Placement", &placement, sizeof placement)) settings.placement = placement;
}

bool WriteOwnValues(SettingsKey& key, const Settings& settings) {
    const std::uint32_t sound = settings.soundOn ? 1 : 0;
    bool written = key.Write("Sound", ValueType::Dword, &sound, sizeof sound);
    if (settings.placement) {
        written = key.Write("Placement", ValueType::Binary, &*settings.placement, sizeof(StoredPlacement)) && written;
    }
    return written;
}

}  // namespace kvoro
