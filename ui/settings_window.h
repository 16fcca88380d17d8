#pragma once
// The main window's side of its settings: the placement it takes from them
// and gives to them, and what the player is told and asked about them.
#include <windows.h>

#include "store/settings_store.h"

namespace kvoro {

// Reads the key; a stored placement moves the window when the player can
// reach it at a size of at least minimum. false, after telling the player,
// when the key can be neither opened nor created.
bool LoadSettings(HWND window, SettingsStore& store, SIZE minimum);
// Writes the key with the window's placement; the window must still exist.
// false, after telling the player unless quiet, when it could not store all.
bool SaveSettings(HWND window, SettingsStore& store, bool quiet = false);
// The Clear Highscore command: two confirmations owned by window, then all
// four tables empty.
void ClearHighscores(HWND window, SettingsStore& store);

}  // namespace kvoro
