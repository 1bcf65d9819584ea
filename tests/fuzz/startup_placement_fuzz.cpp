// Start-up's column under the pointer for any pointer, gaps and earlier corners: Form1 goes
// intMouseGap below the pointer when that 16-bit sum fits, each follower 2 x intIconGap
// below the one before when that fits, and corners stop at the ends of the 32-bit range.
#include "fuzz_input.h"
#include "iconwin/startup_placement.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

using namespace miruteka;

namespace {

int64_t clamp32(int64_t value) {
    return std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                               std::numeric_limits<int32_t>::max());
}

bool fits16(int64_t value) {
    return value >= std::numeric_limits<int16_t>::min() &&
           value <= std::numeric_limits<int16_t>::max();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const Point pointer{input.take<int32_t>(), input.take<int32_t>()};
    Settings settings;
    settings.intMouseGap = input.take<int16_t>();
    settings.intIconGap = input.take<int16_t>();
    std::array<Point, kGroupCount> current{};
    for (Point& corner : current) {
        corner = {input.take<int32_t>(), input.take<int32_t>()};
    }

    const auto corners = startupCorners(pointer, settings, current);

    auto expected = current;
    const int64_t below = int64_t{pointer.y} + settings.intMouseGap;
    if (fits16(below)) {
        expected[0] = {static_cast<int32_t>(clamp32(int64_t{pointer.x} - kIconSize / 2)),
                       static_cast<int32_t>(below - kIconSize / 2)};
    }
    const int64_t spacing = 2 * int64_t{settings.intIconGap};
    if (fits16(spacing)) {
        for (int k = 1; k < kGroupCount; ++k) {
            expected[k] = {expected[k - 1].x,
                           static_cast<int32_t>(clamp32(expected[k - 1].y + spacing))};
        }
    }
    if (corners != expected) {
        std::fprintf(stderr, "start-up corners differ from the column\n");
        std::abort();
    }
    return 0;
}
