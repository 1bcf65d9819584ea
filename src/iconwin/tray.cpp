#include "iconwin/tray.h"

namespace miruteka {

void Picture1_MouseMove(LauncherState& state, LauncherHost& host, SettingsWindowOpener& opener,
                        int x) {
    // A click tells of its press and then of its release as a choice (or context menu):
    // the second only brings forward what the first opened.
    if (x != kTrayLeftButtonDown && x != kTrayRightButtonDown && x != kTraySelect &&
        x != kTrayKeySelect && x != kTrayContextMenu) {
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
