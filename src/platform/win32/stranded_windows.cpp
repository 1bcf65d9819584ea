#include "platform/win32/stranded_windows.h"

#include "platform/geometry.h"

#include <algorithm>

namespace miruteka::win32 {
namespace {

BOOL CALLBACK moveIfStranded(HWND window, LPARAM leaveList) {
    const auto& leave = *reinterpret_cast<const std::span<const HWND>*>(leaveList);
    RECT frame{};
    if (!::IsWindowVisible(window) ||
        std::find(leave.begin(), leave.end(), window) != leave.end() ||
        !::GetWindowRect(window, &frame) || ::MonitorFromRect(&frame, MONITOR_DEFAULTTONULL)) {
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
