#include "popup/popup_placement.h"

#include <algorithm>
#include <cstdint>

namespace miruteka {
namespace {

// One axis: start from the wanted position, move it into the work area where the popup
// would stick out, and keep the pointer on one of the popup's pixels whatever that costs.
int32_t placeOnAxis(int64_t wanted, int64_t pointer, int64_t size, int64_t areaStart,
                    int64_t areaEnd) {
    size = std::max<int64_t>(size, 1);
    const int64_t lowest = pointer - (size - 1);
    const int64_t highest = pointer;
    int64_t position = std::clamp(wanted, lowest, highest);
    if (position + size > areaEnd) {
        position = areaEnd - size;
    }
    if (position < areaStart) {
        position = areaStart;
    }
    return static_cast<int32_t>(std::clamp(position, lowest, highest));
}

} // namespace

Point placePopup(const Rect& iconWindow, Point pointer, int popupWidth, int popupHeight,
                 const Rect& workArea) {
    const int64_t wantedLeft = int64_t{iconWindow.left} - kPopupPointerInset;
    return {placeOnAxis(wantedLeft, pointer.x, popupWidth, workArea.left, workArea.right),
            placeOnAxis(iconWindow.top, pointer.y, popupHeight, workArea.top, workArea.bottom)};
}

} // namespace miruteka
