#include "toolkit/win32/stranded_windows.h"

#include "platform/geometry.h"

#include <algorithm>

namespace miruteka::win32 {
namespace {

// What a person drags the window by: its title bar, from the frame's top to the client
// area's; a window without one by any part of it.
RECT grabArea(HWND window, const RECT& frame) {
    if ((::GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) {
        return frame;
    }
    POINT clientTop{0, 0};
    ::ClientToScreen(window, &clientTop);
    RECT titleBar = frame;
    titleBar.bottom = std::clamp<LONG>(clientTop.y, frame.top + 1, frame.bottom);
    return titleBar;
}

BOOL CALLBACK findOverlap(HMONITOR monitor, HDC, RECT*, LPARAM context) {
    auto& [area, found] = *reinterpret_cast<std::pair<RECT, bool>*>(context);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    RECT overlap{};
    if (::GetMonitorInfoW(monitor, &info) && ::IntersectRect(&overlap, &area, &info.rcWork)) {
        found = true;
        return FALSE;
    }
    return TRUE;
}

bool onSomeWorkArea(const RECT& area) {
    std::pair<RECT, bool> context{area, false};
    ::EnumDisplayMonitors(nullptr, nullptr, findOverlap, reinterpret_cast<LPARAM>(&context));
    return context.second;
}

BOOL CALLBACK moveIfStranded(HWND window, LPARAM leaveList) {
    const auto& leave = *reinterpret_cast<const std::span<const HWND>*>(leaveList);
    RECT frame{};
    if (!::IsWindowVisible(window) ||
        std::find(leave.begin(), leave.end(), window) != leave.end() ||
        !::GetWindowRect(window, &frame) || onSomeWorkArea(grabArea(window, frame))) {
        return TRUE;
    }
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (::GetMonitorInfoW(::MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        const Point corner = movedInside({frame.left, frame.top, frame.right, frame.bottom},
                                         {work.left, work.top, work.right, work.bottom});
        ::SetWindowPos(window, nullptr, corner.x, corner.y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

} // namespace

void moveStrandedWindowsOnScreen(std::span<const HWND> leave) {
    ::EnumThreadWindows(::GetCurrentThreadId(), moveIfStranded, reinterpret_cast<LPARAM>(&leave));
}

} // namespace miruteka::win32
