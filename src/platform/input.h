// The pointer and the mouse buttons as the motion timer and the icon windows read them.
#pragma once

#include "platform/geometry.h"

#include <optional>

namespace miruteka {

inline constexpr int kVkLeftButton = 1;
inline constexpr int kVkRightButton = 2;

// The Shift argument of a mouse press: the modifier keys held with it.
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;

class PointerInput {
  public:
    virtual ~PointerInput() = default;
    // GetCursorPos; nothing when the position cannot be read (a locked workstation, the
    // secure desktop).
    virtual std::optional<Point> cursorPos() const = 0;
    // GetAsyncKeyState(vk) != 0: down now, or pressed since the previous query.
    virtual bool buttonPressed(int virtualKey) = 0;
};

} // namespace miruteka
