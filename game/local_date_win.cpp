#include <windows.h>

#include "game/highscore.h"

namespace kvoro {

bool formatLocalDate(char* buffer, int capacity) {
    if (buffer == nullptr || capacity <= 0) return false;
    SYSTEMTIME now;
    GetLocalTime(&now);
    // Locale 0 is the user's default; no flags and no format give its short date.
    return GetDateFormatA(0, 0, &now, nullptr, buffer, capacity) != 0;
}

}  // namespace kvoro
