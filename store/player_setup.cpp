#include "store/player_setup.h"

#include <cstdint>
#include <string>

#include "store/settings_store.h"

namespace kvoro {
namespace {

constexpr char kSpeedValue[] = "ComputerSpeed";
constexpr auto kNormal = static_cast<std::uint32_t>(play::Speed::Normal);

std::string SeatValue(int player) { return "Seat" + std::to_string(player); }

// The stored number when it is one of count choices; otherwise fallback.
std::uint32_t ReadChoice(SettingsKey& key, const char* name, std::uint32_t count, std::uint32_t fallback) {
    std::uint32_t value = 0;
    if (!Accepted(key.Read(name, &value, sizeof value), sizeof value) || value >= count) return fallback;
    return value;
}

// A default goes into the key only over a value stored before.
void WriteChoice(SettingsKey& key, const char* name, std::uint32_t value, std::uint32_t fallback) {
    std::uint32_t stored = 0;
    if (value == fallback && key.Read(name, &stored, sizeof stored).status == ReadStatus::Missing) return;
    key.Write(name, ValueType::Dword, &value, sizeof value);
}

}  // namespace

PlayerSetup LoadPlayerSetup(SettingsKey& key) {
    PlayerSetup setup;
    if (key.Open(KeyAccess::Read) == OpenResult::Failed) return setup;
    for (int player = 1; player <= kMaxPlayers; ++player) {
        const std::uint32_t seat = ReadChoice(key, SeatValue(player).c_str(), play::kSeatKinds, 0);
        setup.seats.of[player - 1] = static_cast<play::Seat>(seat);
    }
    setup.speed = static_cast<play::Speed>(ReadChoice(key, kSpeedValue, 3, kNormal));
    key.Close();
    return setup;
}

void SavePlayerSetup(SettingsKey& key, const PlayerSetup& setup) {
    if (key.Open(KeyAccess::ReadWrite) != OpenResult::Opened) {
        key.Close();
        return;
    }
    // The sound switch is always written by a save; without it the key was
    // made anew and stays empty, as the other settings leave it.
    std::uint32_t sound = 0;
    if (key.Read("Sound", &sound, sizeof sound).status != ReadStatus::Missing) {
        for (int player = 1; player <= kMaxPlayers; ++player) {
            WriteChoice(key, SeatValue(player).c_str(), static_cast<std::uint32_t>(setup.seats.of[player - 1]), 0);
        }
        WriteChoice(key, kSpeedValue, static_cast<std::uint32_t>(setup.speed), kNormal);
    }
    key.Close();
}

}  // namespace kvoro
