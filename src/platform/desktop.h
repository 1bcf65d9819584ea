// What the logic needs to know about the desktop around the program: the monitors, the
// window in the foreground, whether a menu is open and the shell's notification state. Read afresh
// at each call; no call allocates, so the motion timer can ask every tick.
#pragma once

#include "platform/geometry.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace miruteka {

struct ForegroundWindow {
    Rect frame;         // outer rectangle in screen pixels
    Rect monitor;       // the monitor that holds most of it (the nearest when none does)
    uint32_t style = 0; // GWL_STYLE
    uint32_t processId = 0;
    // The window class, cut to fit; characters outside ASCII read as '?'.
    std::array<char, 64> className{};

    std::string_view classNameView() const { return {className.data()}; }
};

class Desktop {
  public:
    virtual ~Desktop() = default;
    // The monitor that holds the point; nothing when no monitor does.
    virtual std::optional<Rect> monitorAt(Point screenPoint) const = 0;
    virtual std::optional<ForegroundWindow> foregroundWindow() const = 0;
    virtual uint32_t ownProcessId() const = 0;
    // SHQueryUserNotificationState's QUNS_* value; 0 when it cannot be read.
    virtual int notificationState() const = 0;
    // Whether the foreground thread is showing a menu (a context menu, a menu bar's menu).
    virtual bool menuOpen() const = 0;
};

} // namespace miruteka
