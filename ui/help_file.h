#pragma once
// The Help and Homepage commands: both hand a document to the desktop shell
// and return at once; the viewer or browser runs as a program of its own.
#include <windows.h>

namespace kvoro {

// The game's update page. Until the game has a web site of its own, a host
// of the reserved example domain.
inline constexpr char kUpdateAddress[] = "http://www.example.com/kvoro/update.cgi?version=21";

// Opens the help document: a "kvoro.chm" next to the program, or else the
// embedded one, written to the user's temporary folder when the copy there
// is missing or differs. Failures are shown in a message box owned by owner.
void ShowHelpFile(HWND owner);

// Opens the update page in the browser; a failure is not reported.
void OpenHomepage();

}  // namespace kvoro
