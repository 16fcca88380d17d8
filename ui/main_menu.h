#pragma once
// The main window's menu bar and accelerators, loaded from the resources, the
// check marks and greyed items that show the program's state, and the Help
// menu's commands, which touch nothing of the game.
#include <windows.h>

#include "play/seats.h"

namespace kvoro {

class MainMenu {
public:
    // Gives window its icons, the menu bar and loads the accelerators.
    void Load(HWND window);
    HACCEL accelerators() const { return accelerators_; }

    void ShowSound(bool on) const;
    void ShowSpeed(play::Speed speed) const;
    void EnableHint(bool enabled) const;
    void EnableUndo(bool enabled) const;

    // Help, About and the homepage. Returns false for any other command.
    bool RunHelpCommand(int id) const;

private:
    HWND window_ = nullptr;
    HACCEL accelerators_ = nullptr;
};

}  // namespace kvoro
