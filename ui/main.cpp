// Process start and end: one user-interface thread that runs the main window's
// message loop until WM_QUIT, whose code becomes the exit code.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "framework/message_loop.h"
#include "store/registry_key_win.h"
#include "store/settings_store.h"
#include "ui/main_dialog.h"
#include "ui/sound_player.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    CoInitialize(nullptr);
    // The dice are animation controls, so their class is asked for as well.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_ANIMATE_CLASS};
    InitCommonControlsEx(&controls);

    int exitCode = 0;
    {
        kvoro::MessageLoop loop;
        kvoro::ResourceSoundPlayer sounds;
        kvoro::RegistrySettingsKey settingsKey(HKEY_CURRENT_USER, kvoro::kSettingsKeyPath);
        kvoro::MainDialog mainDialog(loop, sounds, settingsKey);
        if (mainDialog.Create()) {
            // A plain show would restore a window that came back maximised.
            if (showCommand != SW_SHOWNORMAL && showCommand != SW_SHOWDEFAULT) {
                ShowWindow(mainDialog.hwnd(), showCommand);
            }
            exitCode = loop.Run();
        }
    }
    CoUninitialize();
    return exitCode;
}
