#pragma once
// Who plays each seat and the computer's speed, kept in the settings key as
// values of their own beside the others: "Seat1" to "Seat5" and
// "ComputerSpeed" (REG_DWORD each). A missing or bad value means a human seat
// and the normal speed; the defaults are written only over a stored choice,
// so a player who never changes them finds the key as it always was.
#include "play/seats.h"
#include "store/settings_key.h"

namespace kvoro {

struct PlayerSetup {
    play::Seats seats;
    play::Speed speed = play::Speed::Normal;
};

// Reads the values; the key is opened and closed here.
PlayerSetup LoadPlayerSetup(SettingsKey& key);
// Writes the values after the other settings were saved; nothing when the key
// holds none of them because it was gone and made anew.
void SavePlayerSetup(SettingsKey& key, const PlayerSetup& setup);

}  // namespace kvoro
