#include "app/second_start.h"

#include "iconwin/win32/tray_icon.h"

#include <windows.h>

namespace miruteka::win32 {

bool askRunningInstanceToOpenSettings() {
    const UINT request = ::RegisterWindowMessageW(kOpenSettingsMessageName);
    HWND tray = ::FindWindowW(kTrayWindowClass, nullptr);
    if (request == 0 || tray == nullptr) {
        return false; // still starting, or running where this session cannot see it
    }
    DWORD runningProcess = 0;
    ::GetWindowThreadProcessId(tray, &runningProcess);
    // The user started this process, so it may hand the foreground on: without this, the
    // settings window would open behind the window the user is in.
    ::AllowSetForegroundWindow(runningProcess);
    return ::PostMessageW(tray, request, 0, 0) != FALSE;
}

} // namespace miruteka::win32
