#include "iconwin/startup_placement.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

namespace miruteka {
namespace {

std::optional<int16_t> sum16(int64_t value) {
    if (value < std::numeric_limits<int16_t>::min() ||
        value > std::numeric_limits<int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int16_t>(value);
}

// Corners are held in 32 bits; sums beyond that stop at its ends.
int32_t clamp32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

} // namespace

std::array<Point, kGroupCount> startupCorners(Point pointer, const Settings& settings,
                                              const std::array<Point, kGroupCount>& current,
                                              int iconSize) {
    std::array<Point, kGroupCount> corners = current;
    const int64_t half = iconSize / 2;

    if (const auto below = sum16(int64_t{pointer.y} + settings.intMouseGap)) {
        corners[0] = Point{clamp32(pointer.x - half), clamp32(*below - half)};
    }
    if (const auto spacing = sum16(2 * int64_t{settings.intIconGap})) {
        for (int k = 1; k < kGroupCount; ++k) {
            corners[k] = Point{corners[k - 1].x, clamp32(corners[k - 1].y + int64_t{*spacing})};
        }
    }
    return corners;
}

} // namespace miruteka
