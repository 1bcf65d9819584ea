// A desktop set by the test: one or more monitors, a foreground window, an open menu and the
// shell's notification state. Never allocates.
#pragma once

#include "platform/desktop.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace miruteka {

class FakeDesktop : public Desktop {
  public:
    static constexpr uint32_t kOwnProcess = 7;

    std::optional<Rect> monitorAt(Point p) const override {
        for (std::size_t i = 0; i < monitorCount; ++i) {
            const Rect& m = monitors[i];
            if (p.x >= m.left && p.x < m.right && p.y >= m.top && p.y < m.bottom) {
                return m;
            }
        }
        return std::nullopt;
    }
    std::optional<ForegroundWindow> foregroundWindow() const override { return foreground; }
    uint32_t ownProcessId() const override { return kOwnProcess; }
    int notificationState() const override { return state; }
    bool menuOpen() const override { return menu; }

    // A window of another program in front, with this rectangle, style and class, on the
    // monitor that holds its top-left corner (else on the first).
    void putInFront(Rect frame, uint32_t style = 0x80000000, std::string_view className = "Game") {
        ForegroundWindow window;
        window.frame = frame;
        window.monitor = monitorAt({frame.left + 1, frame.top + 1}).value_or(monitors[0]);
        window.style = style;
        window.processId = 99;
        std::copy_n(className.begin(), std::min(className.size(), window.className.size() - 1),
                    window.className.begin());
        foreground = window;
    }

    std::array<Rect, 2> monitors{Rect{0, 0, 1280, 1024}, Rect{1280, 0, 2304, 768}};
    std::size_t monitorCount = 1;
    std::optional<ForegroundWindow> foreground;
    int state = 5; // QUNS_ACCEPTS_NOTIFICATIONS
    bool menu = false;
};

} // namespace miruteka
