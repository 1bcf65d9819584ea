#include "iconwin/tray.h"

namespace miruteka {

void Picture1_MouseMove(LauncherState& state, LauncherHost& host, SettingsWindowOpener& opener,
                        int x) {
    if (x != kTrayLeftButtonDown && x != kTrayRightButtonDown) {
        return;
    }
    if (state.blnSettingsOpen) {
        opener.bringSettingsWindowForward();
        return;
    }
    state.blnSettingsOpen = true;
    host.hideIconWindows();
    opener.showSettingsWindow();
}

} // namespace miruteka
