// Form1 hears that the monitors or their work areas have changed: the chain goes under the
// pointer again, even when the timer is stopped, and no other window of ours is left where
// no monitor is.
#include "app/launcher_app.h"
#include "iconwin/display_change.h"
#include "toolkit/win32/stranded_windows.h"

namespace miruteka::win32 {

void LauncherApp::displayChanged() {
    placeChainAfterDisplayChange(state_.settings, pointer_, desktop_, *this, motion_);
    const std::array<HWND, kGroupCount> chain{iconWindow(1), iconWindow(2), iconWindow(3),
                                              iconWindow(4)};
    moveStrandedWindowsOnScreen(chain);
}

} // namespace miruteka::win32
