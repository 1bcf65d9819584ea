// The real pointer, mouse buttons and modifier keys.
#pragma once

#include "platform/input.h"

#include <windows.h>

namespace miruteka::win32 {

// The Shift mask (kShiftMask, kCtrlMask) of a mouse message's MK_* flags.
inline int modifierMask(WPARAM keys) {
    return ((keys & MK_SHIFT) != 0 ? kShiftMask : 0) | ((keys & MK_CONTROL) != 0 ? kCtrlMask : 0);
}

class Win32PointerInput : public PointerInput {
  public:
    std::optional<Point> cursorPos() const override;
    bool buttonPressed(int virtualKey) override;
};

} // namespace miruteka::win32
