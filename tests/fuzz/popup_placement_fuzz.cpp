// The popup's placement for any icon window, pointer, popup size and work area: the pointer
// always lands on the popup, and when the pointer is in the work area and the popup fits
// there, the popup lies wholly inside it.
#include "fuzz_input.h"
#include "popup/popup_placement.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace miruteka;

namespace {

Rect takeRect(FuzzInput& input) {
    return {input.take<int32_t>(), input.take<int32_t>(), input.take<int32_t>(),
            input.take<int32_t>()};
}

void checkAxis(int64_t position, int64_t pointer, int64_t size, int64_t areaStart, int64_t areaEnd,
               const char* axis) {
    size = std::max<int64_t>(size, 1);
    if (pointer < position || pointer > position + size - 1) {
        std::fprintf(stderr, "%s: the pointer is off the popup\n", axis);
        std::abort();
    }
    const bool fits = areaEnd - areaStart >= size;
    const bool pointerInside = pointer >= areaStart && pointer < areaEnd;
    if (fits && pointerInside && (position < areaStart || position + size > areaEnd)) {
        std::fprintf(stderr, "%s: the popup sticks out of the work area\n", axis);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const Rect icon = takeRect(input);
    const Point pointer{input.take<int32_t>(), input.take<int32_t>()};
    const auto width = input.take<int32_t>();
    const auto height = input.take<int32_t>();
    const Rect area = takeRect(input);
    const Point placed = placePopup(icon, pointer, width, height, area);
    checkAxis(placed.x, pointer.x, width, area.left, area.right, "x");
    checkAxis(placed.y, pointer.y, height, area.top, area.bottom, "y");
    return 0;
}
