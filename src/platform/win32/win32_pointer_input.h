// The real pointer and mouse buttons.
#pragma once

#include "platform/input.h"

namespace miruteka::win32 {

class Win32PointerInput : public PointerInput {
  public:
    std::optional<Point> cursorPos() const override;
    bool buttonPressed(int virtualKey) override;
};

} // namespace miruteka::win32
