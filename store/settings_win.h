#pragma once
// The main window's side of the settings: its placement, and the messages
// and confirmations the player sees.
#include <windows.h>

#include "store/settings_store.h"

namespace kvoro {

// Reads the key; a stored placement moves the window, kept within reach.
// false, after telling the player, when the key can be neither opened nor
// created.
bool LoadSettings(HWND window, SettingsStore& settings);
// Writes the key; the window must still exist. false, after telling the
// player, when the key cannot be opened.
bool SaveSettings(HWND window, SettingsStore& settings);
// The Clear Highscore command: two confirmations owned by window, then all
// four tables empty in memory.
void ClearHighscores(HWND window, SettingsStore& settings);

}  // namespace kvoro
