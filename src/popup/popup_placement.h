// Where the item list popup opens. The pointer, which is over the icon window when the popup
// opens, must land on the popup, or the motion timer's watch would close it at once. Within
// that, the popup's top is level with the icon window's top and its left edge a little left
// of the window's, and it is moved just enough to stay inside the monitor's work area.
#pragma once

#include "platform/geometry.h"

namespace miruteka {

// How far left of the icon window the popup's left edge goes, so that the pointer is at
// least this far inside the popup's left edge.
inline constexpr int kPopupPointerInset = 8;

// The popup's top-left corner in screen pixels, for a popup of the given outer size.
Point placePopup(const Rect& iconWindow, Point pointer, int popupWidth, int popupHeight,
                 const Rect& workArea);

} // namespace miruteka
