#include "store/window_placement.h"

#include <algorithm>
#include <cstdint>

namespace kvoro {

namespace {

// A caption reachable over at least this many pixels can be dragged.
constexpr std::int64_t kGrip = 32;

bool IsMinimised(std::uint32_t showCmd) {
    // SW_SHOWMINIMIZED, SW_MINIMIZE, SW_SHOWMINNOACTIVE, SW_FORCEMINIMIZE
    return showCmd == 2 || showCmd == 6 || showCmd == 7 || showCmd == 11;
}

// The record's coordinates are untrusted: 64-bit arithmetic cannot overflow.
std::int64_t Width(const PlacementRect& r) { return std::int64_t{r.right} - r.left; }
std::int64_t Height(const PlacementRect& r) { return std::int64_t{r.bottom} - r.top; }

bool CaptionReachable(const PlacementRect& window, const PlacementRect& area) {
    const std::int64_t overlap =
        std::min<std::int64_t>(window.right, area.right) - std::max<std::int64_t>(window.left, area.left);
    return window.top >= area.top && window.top <= std::int64_t{area.bottom} - kGrip &&
           overlap >= std::min(kGrip, Width(window));
}

// SetWindowPos keeps coordinates within 16 bits and sizes within 0 to
// 32767; the default handling of WM_WINDOWPOSCHANGING then applies the
// tracking limits, the minimum last. (Applied here in workspace coordinates,
// which differ from the screen's by the taskbar at most.)
std::int32_t Coordinate(std::int32_t value) { return std::clamp<std::int32_t>(value, -32768, 32767); }

std::int32_t Length(std::int64_t length, std::int32_t minimum, std::int32_t maximum) {
    const std::int64_t platform = std::min<std::int64_t>(std::clamp<std::int64_t>(length, 0, 32767), maximum);
    return static_cast<std::int32_t>(std::max<std::int64_t>(platform, minimum));
}

}  // namespace

std::optional<StoredPlacement> ReachablePlacement(const StoredPlacement& stored,
                                                  const std::vector<PlacementRect>& workAreas,
                                                  const PlacementLimits& limits) {
    if (stored.length != sizeof(StoredPlacement) || workAreas.empty()) return std::nullopt;
    const PlacementRect& normal = stored.normalPosition;
    if (Width(normal) <= 0 || Height(normal) <= 0) return std::nullopt;

    PlacementRect window{Coordinate(normal.left), Coordinate(normal.top), 0, 0};
    window.right = window.left + Length(Width(normal), limits.minimum.width, limits.maximum.width);
    window.bottom = window.top + Length(Height(normal), limits.minimum.height, limits.maximum.height);
    if (std::none_of(workAreas.begin(), workAreas.end(),
                     [&](const PlacementRect& area) { return CaptionReachable(window, area); })) {
        return std::nullopt;
    }
    StoredPlacement placement = stored;
    placement.normalPosition = window;
    if (IsMinimised(stored.showCmd)) {
        placement.showCmd = (stored.flags & kRestoreToMaximized) ? kShowMaximized : kShowNormal;
    } else if (stored.showCmd != kShowMaximized) {
        placement.showCmd = kShowNormal;  // a hidden or unknown state would leave no window to reach
    }
    return placement;
}

}  // namespace kvoro
