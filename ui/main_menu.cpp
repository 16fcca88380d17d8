#include "ui/main_menu.h"

#include "framework/window.h"
#include "res/resource.h"
#include "ui/about_dialog.h"
#include "ui/help_file.h"

namespace kvoro {

namespace {

HANDLE LoadIconSized(int widthMetric, int heightMetric) {
    // Shared icons of the system's sizes are released with the module.
    return LoadImageA(AppInstance(), MAKEINTRESOURCEA(IDI_KVORO), IMAGE_ICON, GetSystemMetrics(widthMetric),
                      GetSystemMetrics(heightMetric), LR_SHARED);
}

void EnableItem(HWND window, UINT id, bool enabled) {
    EnableMenuItem(GetMenu(window), id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

void MainMenu::Load(HWND window) {
    window_ = window;
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconSized(SM_CXICON, SM_CYICON)));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconSized(SM_CXSMICON, SM_CYSMICON)));
    SetMenu(window, LoadMenuA(AppInstance(), MAKEINTRESOURCEA(IDR_MAINMENU)));
    accelerators_ = LoadAcceleratorsA(AppInstance(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
}

void MainMenu::ShowSound(bool on) const {
    CheckMenuItem(GetMenu(window_), ID_GAME_SOUND, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void MainMenu::ShowSpeed(play::Speed speed) const {
    CheckMenuRadioItem(GetMenu(window_), ID_SPEED_SLOW, ID_SPEED_FAST, ID_SPEED_SLOW + static_cast<UINT>(speed),
                       MF_BYCOMMAND);
}

void MainMenu::EnableHint(bool enabled) const { EnableItem(window_, ID_GAME_HINT, enabled); }

void MainMenu::EnableUndo(bool enabled) const { EnableItem(window_, ID_GAME_UNDO, enabled); }

bool MainMenu::RunHelpCommand(int id) const {
    switch (id) {
    case ID_HELP_ABOUT:
        AboutDialog().Run(GetActiveWindow());
        return true;
    case ID_HELP_HOMEPAGE:
        OpenHomepage();
        return true;
    case ID_HELP_HELP:
        ShowHelpFile(window_);
        return true;
    default:
        return false;
    }
}

}  // namespace kvoro
