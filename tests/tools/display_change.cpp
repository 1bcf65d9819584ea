// display_change.exe: has every program take in the monitors as they now are (each gets
// WM_DISPLAYCHANGE), as after a monitor was plugged in or out. A process of its own, since
// under Wine the call changes nothing in a process that has sent input with SendInput.
#include <windows.h>

int wmain() {
    return ::ChangeDisplaySettingsExW(nullptr, nullptr, nullptr, 0, nullptr) ==
                   DISP_CHANGE_SUCCESSFUL
               ? 0
               : 1;
}
