#include "store/window_placement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

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

std::int64_t Gap(std::int64_t low, std::int64_t high, std::int64_t areaLow, std::int64_t areaHigh) {
    return std::max<std::int64_t>({areaLow - high, low - areaHigh, 0});
}

const PlacementRect& Nearest(const PlacementRect& window, const std::vector<PlacementRect>& areas) {
    const PlacementRect* nearest = &areas.front();
    double best = std::numeric_limits<double>::max();
    for (const PlacementRect& area : areas) {
        const double dx = static_cast<double>(Gap(window.left, window.right, area.left, area.right));
        const double dy = static_cast<double>(Gap(window.top, window.bottom, area.top, area.bottom));
        if (dx * dx + dy * dy < best) {
            best = dx * dx + dy * dy;
            nearest = &area;
        }
    }
    return *nearest;
}

std::int32_t MoveInto(std::int32_t start, std::int64_t size, std::int32_t low, std::int32_t high) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(start, low, high - size));
}

}  // namespace

std::optional<StoredPlacement> ReachablePlacement(const StoredPlacement& stored,
                                                  const std::vector<PlacementRect>& workAreas) {
    if (stored.length != sizeof(StoredPlacement) || workAreas.empty()) return std::nullopt;
    const PlacementRect& window = stored.normalPosition;
    if (Width(window) <= 0 || Height(window) <= 0) return std::nullopt;

    StoredPlacement placement = stored;
    if (IsMinimised(stored.showCmd)) {
        placement.showCmd = (stored.flags & kRestoreToMaximized) ? kShowMaximized : kShowNormal;
    } else if (stored.showCmd != kShowMaximized) {
        placement.showCmd = kShowNormal;  // a hidden or unknown state would leave no window to reach
    }
    for (const PlacementRect& area : workAreas) {
        if (CaptionReachable(window, area)) return placement;
    }
    const PlacementRect& area = Nearest(window, workAreas);
    const std::int64_t width = std::min(Width(window), Width(area));
    const std::int64_t height = std::min(Height(window), Height(area));
    PlacementRect& moved = placement.normalPosition;
    moved.left = MoveInto(window.left, width, area.left, area.right);
    moved.top = MoveInto(window.top, height, area.top, area.bottom);
    moved.right = static_cast<std::int32_t>(moved.left + width);
    moved.bottom = static_cast<std::int32_t>(moved.top + height);
    placement.showCmd = kShowNormal;
    return placement;
}

}  // namespace kvoro
