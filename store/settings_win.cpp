#include "store/settings_win.h"

#include <cstddef>
#include <cstring>
#include <vector>

namespace kvoro {

namespace {

static_assert(sizeof(WINDOWPLACEMENT) == sizeof(StoredPlacement), "the stored record is WINDOWPLACEMENT");
static_assert(offsetof(WINDOWPLACEMENT, rcNormalPosition) == offsetof(StoredPlacement, normalPosition),
              "the normal position where WINDOWPLACEMENT has it");

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info)) {
        reinterpret_cast<std::vector<PlacementRect>*>(areas)->push_back(
            {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom});
    }
    return TRUE;
}

// Every monitor's work area in workspace coordinates, which a top-level
// window's placement uses: relative to the primary monitor's work area.
std::vector<PlacementRect> WorkAreas() {
    std::vector<PlacementRect> areas;
    EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    RECT primary{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &primary, 0);
    for (PlacementRect& area : areas) {
        area = {area.left - primary.left, area.top - primary.top, area.right - primary.left,
                area.bottom - primary.top};
    }
    return areas;
}

bool Confirmed(HWND window, const char* text) {
    return MessageBoxA(window, text, "Warning", MB_YESNOCANCEL) == IDYES;
}

}  // namespace

bool LoadSettings(HWND window, SettingsStore& settings) {
    const LoadResult loaded = settings.Load();
    if (!loaded.opened) {
        MessageBoxA(nullptr, "Could not create the registry key for this program.\nScore and settings will not be saved!",
                    "Error", MB_OK);
        return false;
    }
    if (loaded.placement) {
        if (const std::optional<StoredPlacement> reachable = ReachablePlacement(*loaded.placement, WorkAreas())) {
            WINDOWPLACEMENT placement;
            std::memcpy(&placement, &*reachable, sizeof placement);
            SetWindowPlacement(window, &placement);
        }
    }
    return true;
}

bool SaveSettings(HWND window, SettingsStore& settings) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    StoredPlacement stored;
    std::memcpy(&stored, &placement, sizeof stored);
    if (settings.Save(stored) == SaveResult::Failed) {
        MessageBoxA(nullptr, "Could not open the registry key for this program.\nScore and settings will not be saved!",
                    "Error", MB_OK);
        return false;
    }
    return true;
}

void ClearHighscores(HWND window, SettingsStore& settings) {
    if (!Confirmed(window, "Are you sure you want to reset the highscore table.\r\nThis operation cannot be undone!")) return;
    if (!Confirmed(window, "Are you ABSOLUTELY sure you want to reset the highscore table!")) return;
    settings.ClearTables();
}

}  // namespace kvoro
