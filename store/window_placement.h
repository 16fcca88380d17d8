#pragma once
// The main window's placement record as the platform's GetWindowPlacement
// fills it (WINDOWPLACEMENT), stored byte for byte in the "Placement" value,
// and the rule that keeps a restored window within the player's reach.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace kvoro {

struct PlacementPoint {
    std::int32_t x;
    std::int32_t y;
};

struct PlacementRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

struct StoredPlacement {
    std::uint32_t length;  // the record's size, 44
    std::uint32_t flags;
    std::uint32_t showCmd;
    PlacementPoint minPosition;
    PlacementPoint maxPosition;
    PlacementRect normalPosition;  // workspace coordinates
};
static_assert(sizeof(StoredPlacement) == 44, "StoredPlacement is WINDOWPLACEMENT's 44 bytes");
static_assert(offsetof(StoredPlacement, flags) == 4, "flags at offset 4");
static_assert(offsetof(StoredPlacement, showCmd) == 8, "showCmd at offset 8");
static_assert(offsetof(StoredPlacement, minPosition) == 12, "minPosition at offset 12");
static_assert(offsetof(StoredPlacement, maxPosition) == 20, "maxPosition at offset 20");
static_assert(offsetof(StoredPlacement, normalPosition) == 28, "normalPosition at offset 28");

// The platform's show commands and flag that the rule below looks at.
constexpr std::uint32_t kShowNormal = 1;
constexpr std::uint32_t kShowMaximized = 3;
constexpr std::uint32_t kRestoreToMaximized = 2;  // WPF_RESTORETOMAXIMIZED

struct PlacementSize {
    std::int32_t width;
    std::int32_t height;
};

// The sizes a window is kept between when it is placed: the platform's
// tracking limits, raised by the window to what it needs to be usable.
struct PlacementLimits {
    PlacementSize minimum;
    PlacementSize maximum;
};

// What to apply for a stored record, given the monitors' work areas in the
// same workspace coordinates: nothing when the record is not one (length not
// 44, an empty rectangle), when there is no work area, or when the caption of
// the window the platform would really make of it (its coordinates clamped to
// 16 bits, its size to the limits) would lie on no work area; the window then
// keeps its default position. A window that was saved minimised comes back
// restored, one hidden or of an unknown state shown normally, and always with
// the rectangle judged here.
std::optional<StoredPlacement> ReachablePlacement(const StoredPlacement& stored,
                                                  const std::vector<PlacementRect>& workAreas,
                                                  const PlacementLimits& limits);

}  // namespace kvoro
