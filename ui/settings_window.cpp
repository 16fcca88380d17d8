#include "ui/settings_window.h"

#include <algorithm>
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

// The platform's tracking limits for a resizable top-level window, with the
// minimum raised to what the window needs.
PlacementLimits Limits(SIZE minimum) {
    return {{std::max<std::int32_t>(GetSystemMetrics(SM_CXMINTRACK), minimum.cx),
             std::max<std::int32_t>(GetSystemMetrics(SM_CYMINTRACK), minimum.cy)},
            {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)}};
}

bool Confirmed(HWND window, const char* text) {
    return MessageBoxA(window, text, "Warning", MB_YESNOCANCEL) == IDYES;
}

}  // namespace

bool LoadSettings(HWND window, SettingsStore& store, SIZE minimum) {
    if (!store.Load()) {
        MessageBoxA(nullptr, "Could not create the registry key for this program.\nScore and settings will not be saved!",
                    "Error", MB_OK);
        return false;
    }
    if (const std::optional<StoredPlacement>& stored = store.settings().placement) {
        if (const std::optional<StoredPlacement> reachable = ReachablePlacement(*stored, WorkAreas(), Limits(minimum))) {
            WINDOWPLACEMENT placement;
            std::memcpy(&placement, &*reachable, sizeof placement);
            SetWindowPlacement(window, &placement);
        }
    }
    return true;
}

bool SaveSettings(HWND window, SettingsStore& store, bool quiet) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    StoredPlacement stored;
    std::memcpy(&stored, &placement, sizeof stored);
    store.SetPlacement(stored);
    const SaveResult saved = store.Save();
    if (saved != SaveResult::Failed && saved != SaveResult::WriteFailed) return true;
    // What the key missed stays with the store for a later save.
    if (!quiet) {
        MessageBoxA(nullptr, "Could not open the registry key for this program.\nScore and settings will not be saved!",
                    "Error", MB_OK);
    }
    return false;
}

void ClearHighscores(HWND window, SettingsStore& store) {
    if (!Confirmed(window, "Are you sure you want to reset the highscore table.\r\nThis operation cannot be undone!")) return;
    if (!Confirmed(window, "Are you ABSOLUTELY sure you want to reset the highscore table!")) return;
    store.ClearTables();
}

}  // namespace kvoro
