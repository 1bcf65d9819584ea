#include "platform/win32/win32_desktop.h"

#include <windows.h>

#include <shellapi.h>

#include <iterator>

namespace miruteka::win32 {
namespace {

std::optional<Rect> rectOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor == nullptr || !::GetMonitorInfoW(monitor, &info)) {
        return std::nullopt;
    }
    const RECT& r = info.rcMonitor;
    return Rect{r.left, r.top, r.right, r.bottom};
}

} // namespace

std::optional<Rect> Win32Desktop::monitorAt(Point screenPoint) const {
    return rectOf(::MonitorFromPoint(POINT{screenPoint.x, screenPoint.y}, MONITOR_DEFAULTTONULL));
}

// Only calls that answer from the window manager's own records: nothing here sends the
// window a message, so a program that hangs cannot stall the motion timer.
std::optional<ForegroundWindow> Win32Desktop::foregroundWindow() const {
    HWND window = ::GetForegroundWindow();
    RECT frame{};
    if (window == nullptr || !::GetWindowRect(window, &frame)) {
        return std::nullopt;
    }
    const std::optional<Rect> monitor =
        rectOf(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
    if (!monitor) {
        return std::nullopt;
    }
    ForegroundWindow found;
    found.frame = {frame.left, frame.top, frame.right, frame.bottom};
    found.monitor = *monitor;
    found.style = static_cast<uint32_t>(::GetWindowLongW(window, GWL_STYLE));
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    found.processId = processId;
    wchar_t className[std::tuple_size_v<decltype(found.className)>] = L"";
    const int length = ::GetClassNameW(window, className, static_cast<int>(std::size(className)));
    for (int i = 0; i < length; ++i) {
        found.className[i] = className[i] < 0x80 ? static_cast<char>(className[i]) : '?';
    }
    return found;
}

uint32_t Win32Desktop::ownProcessId() const {
    return ::GetCurrentProcessId();
}

int Win32Desktop::notificationState() const {
    QUERY_USER_NOTIFICATION_STATE state{};
    if (FAILED(::SHQueryUserNotificationState(&state))) {
        return 0;
    }
    return static_cast<int>(state);
}

// The thread's input state is read from the window manager (no message goes to the thread),
// like the foreground window above.
bool Win32Desktop::menuOpen() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    // Thread 0: the thread of the foreground window.
    if (!::GetGUIThreadInfo(0, &info)) {
        return false;
    }
    return (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) != 0;
}

} // namespace miruteka::win32
