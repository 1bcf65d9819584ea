// The monitors, the foreground window, its menus and the shell's notification state on
// Windows.
#pragma once

#include "platform/desktop.h"

namespace miruteka::win32 {

class Win32Desktop : public Desktop {
  public:
    std::optional<Rect> monitorAt(Point screenPoint) const override;
    std::optional<ForegroundWindow> foregroundWindow() const override;
    uint32_t ownProcessId() const override;
    int notificationState() const override;
    bool menuOpen() const override;
};

} // namespace miruteka::win32
